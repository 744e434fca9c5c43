#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>

#include "linking/codepage.h"

namespace pagelink {
namespace {

constexpr std::size_t kPageSize = 64 * 1024;

// A 64 KiB UTF-8 page: ASCII markup around Chinese paragraphs, with the odd character that
// code page 936 lacks (©, an emoji), as article pages have them.
Text MakeUtf8Page() {
  const Text paragraph =
      "<p class=\"body\">正在更新，甲型样品 2022-10-20 乙型样品丙型样品的说明。</p>\n";
  Text page = "<html><head><title>新闻 © 2022 😀</title></head><body>\n";
  while (page.size() + paragraph.size() <= kPageSize) page += paragraph;
  return page.append(kPageSize - page.size(), ' ');
}

// Seconds one memcpy of the page takes, from enough passes to swamp the clock's resolution.
double MemcpySecondsPerPass(const Text& page) {
  constexpr int kPasses = 2000;
  std::string copy(page.size(), '\0');
  const auto began = std::chrono::steady_clock::now();
  for (int i = 0; i < kPasses; ++i) {
    std::memcpy(copy.data(), page.data(), page.size());
    benchmark::ClobberMemory();
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
  return took.count() / kPasses;
}

// Bytes per second of the input, and how many memcpys of it one conversion costs.
template <typename Convert>
void MeasureConversion(benchmark::State& state, const Text& input, Convert convert) {
  std::size_t passes = 0;
  const auto began = std::chrono::steady_clock::now();
  for (auto _ : state) {
    Text converted = convert(input);
    benchmark::DoNotOptimize(converted);
    ++passes;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
  state.SetBytesProcessed(static_cast<std::int64_t>(passes * input.size()));
  state.counters["x_memcpy"] = took.count() / passes / MemcpySecondsPerPass(input);
}

void BM_Utf8ToGbk(benchmark::State& state) {
  MeasureConversion(state, MakeUtf8Page(), [](const Text& page) { return Utf8ToGbk(page); });
}
BENCHMARK(BM_Utf8ToGbk);

void BM_GbkToUtf8(benchmark::State& state) {
  MeasureConversion(state, Utf8ToGbk(MakeUtf8Page()), GbkToUtf8);
}
BENCHMARK(BM_GbkToUtf8);

}  // namespace
}  // namespace pagelink
