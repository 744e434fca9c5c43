#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "primitives/values.h"

// What the benchmarks share: pages of a typical article's size, and memcpy of the same page
// as the yardstick, so that results read the same on any machine.
namespace pagelink {

inline constexpr std::size_t kPageSize = 64 * 1024;

// A page of exactly kPageSize bytes: head, as many paragraphs as fit, spaces, then tail.
inline Text FillPage(Text head, const Text& paragraph, const Text& tail) {
  while (head.size() + paragraph.size() + tail.size() <= kPageSize) head += paragraph;
  head.append(kPageSize - head.size() - tail.size(), ' ');
  return head + tail;
}

// Seconds one memcpy of the page takes, from enough passes to swamp the clock's resolution.
// The copy lies half a 4 KiB page away from the source: a destination that sits just behind
// the source at the same 4 KiB offsets makes every load wait on earlier stores (4K aliasing),
// and memcpy then looks many times slower than it is.
inline double MemcpySecondsPerPass(const Text& page) {
  constexpr int kPasses = 2000;
  constexpr std::uintptr_t kAliasingPeriod = 4096;
  std::string buffer(page.size() + kAliasingPeriod, '\0');
  const auto source = reinterpret_cast<std::uintptr_t>(page.data());
  const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
  char* copy = buffer.data() + ((source + kAliasingPeriod / 2 - start) & (kAliasingPeriod - 1));
  const auto began = std::chrono::steady_clock::now();
  for (int i = 0; i < kPasses; ++i) {
    std::memcpy(copy, page.data(), page.size());
    benchmark::ClobberMemory();
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
  return took.count() / kPasses;
}

// Runs work over the page for the benchmark's passes: bytes per second of the page, and how
// many memcpys of the same page one pass costs, both measured in this run.
template <typename Work>
void MeasureAgainstMemcpy(benchmark::State& state, const Text& page, Work work) {
  std::size_t passes = 0;
  const auto began = std::chrono::steady_clock::now();
  for (auto _ : state) {
    Text result = work(page);
    benchmark::DoNotOptimize(result);
    ++passes;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
  state.SetBytesProcessed(static_cast<std::int64_t>(passes * page.size()));
  state.counters["x_memcpy"] = took.count() / passes / MemcpySecondsPerPass(page);
}

}  // namespace pagelink
