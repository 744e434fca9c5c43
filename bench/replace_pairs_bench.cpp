#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "linking/replace_pairs.h"
#include "page_bench.h"

namespace pagelink {
namespace {

// The run's placeholders and typical replacements, in code page 936 bytes.
// "甲型样品 乙型样品 丙型样品": 甲 BC D7, 型 D0 CD, 样 D1 F9, 品 C6 B7, 乙 D2 D2, 丙 B1 FB.
// ">Quillmor正在更新": 正 D5 FD, 在 D4 DA, 更 B8 FC, 新 D0 C2.
const Text kNextAddress = "xinwenzhongxin/lingdaohuodong/2022/1020/475.html";
const Text kNextTitle =
    "\xBC\xD7\xD0\xCD\xD1\xF9\xC6\xB7 \xD2\xD2\xD0\xCD\xD1\xF9\xC6\xB7 "
    "\xB1\xFB\xD0\xCD\xD1\xF9\xC6\xB7";
const Text kPreviousLink = ">Quillmor\xD5\xFD\xD4\xDA\xB8\xFC\xD0\xC2";

// A 64 KiB page of ASCII markup and Chinese paragraphs (正在更新 repeated), with the three
// placeholders in the links near its end, as article pages have them.
Text MakePage() {
  const Text paragraph =
      "<p class=\"body\">\xD5\xFD\xD4\xDA\xB8\xFC\xD0\xC2\xA3\xAC"
      "\xBC\xD7\xD0\xCD\xD1\xF9\xC6\xB7 2022-10-20 \xD2\xD2\xD0\xCD</p>\n";
  const Text links = "<a href=\"/a/" + kNextAddress + "\">" + kNextTitle + "</a>\n<a" +
                     kPreviousLink + "</a>\n</body></html>\n";
  return FillPage("<html><head><title>\xD0\xC2\xCE\xC5</title></head><body>\n", paragraph, links);
}

void BM_ReplacePairs(benchmark::State& state) {
  const Text next_address = "yangpinku/3.html";
  const Text previous_link = " href='/a/yangpinku/1.html'>\xD0\xC2\xCE\xC5";
  MeasureAgainstMemcpy(state, MakePage(), [&](const Text& page) {
    return ReplacePairs(page, 100, 1, false, kNextAddress, next_address, kNextTitle,
                        "\xD0\xC2\xCE\xC5", kPreviousLink, previous_link);
  });
}
BENCHMARK(BM_ReplacePairs);

void BM_MemcpyOfThePage(benchmark::State& state) {
  const Text page = MakePage();
  std::string copy(page.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), page.data(), page.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_MemcpyOfThePage);

}  // namespace
}  // namespace pagelink
