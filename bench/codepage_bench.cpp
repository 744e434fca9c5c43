#include <benchmark/benchmark.h>

#include "linking/codepage.h"
#include "page_bench.h"

namespace pagelink {
namespace {

// A 64 KiB UTF-8 page: ASCII markup around Chinese paragraphs, with the odd character that
// code page 936 lacks (©, an emoji), as article pages have them.
Text MakeUtf8Page() {
  return FillPage("<html><head><title>新闻 © 2022 😀</title></head><body>\n",
                  "<p class=\"body\">正在更新，甲型样品 2022-10-20 乙型样品丙型样品的说明。</p>\n",
                  "");
}

void BM_Utf8ToGbk(benchmark::State& state) {
  MeasureAgainstMemcpy(state, MakeUtf8Page(), [](const Text& page) { return Utf8ToGbk(page); });
}
BENCHMARK(BM_Utf8ToGbk);

void BM_GbkToUtf8(benchmark::State& state) {
  MeasureAgainstMemcpy(state, Utf8ToGbk(MakeUtf8Page()), GbkToUtf8);
}
BENCHMARK(BM_GbkToUtf8);

}  // namespace
}  // namespace pagelink
