#include "linking/link_page.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "linking/codepage.h"
#include "linking/replace_pairs.h"
#include "linking/text_between.h"
#include "primitives/files.h"
#include "primitives/text.h"

namespace pagelink {
namespace {

// The fixed texts of the run, written here in UTF-8 and used in code page 936.
struct RunTexts {
  Text next_address = Utf8ToGbk("xinwenzhongxin/lingdaohuodong/2022/1020/475.html");
  Text next_title = Utf8ToGbk("甲型样品 乙型样品 丙型样品");
  Text previous_link = Utf8ToGbk(">Quillmor正在更新");
  Text end_message = Utf8ToGbk("已经循环完毕");
};

constexpr int kMaximumReplacements = 100;

// The page number in 编辑框2 moved by delta, read afresh from the box each time: the user may
// have typed a new number there while events were processed.
Text NeighbourNumber(Window& window, double delta) {
  return NumberToText(static_cast<double>(TextToInt(window.GetControlText(Box::编辑框2))) + delta);
}

Text PagePath(const Text& number) { return JoinText({RunDirectory(), "\\", number, ".html"}); }

Text ReadPage(const Text& number) {
  return Utf8ToGbk(BytesToText(ReadFileBytes(PagePath(number))));
}

Text TitleOf(const Text& page) { return TextBetween(page, "<title>", "</title>", 1); }

// Why page N must not be rewritten, if it must not: its bytes would not come back as they were.
std::optional<Text> ReasonToLeaveAlone(const Text& path, const Bytes& bytes, bool exact_utf8) {
  if (bytes.empty() && HoldsContent(path)) return "无法读取";
  if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) return "含有零字节";
  if (!exact_utf8) return "不是有效的 UTF-8 文本";
  return std::nullopt;
}

}  // namespace

void LinkPage(Window& window) {
  const RunTexts texts;
  // Pages the run did not change, with the reason, for the end message (UTF-8 until shown).
  std::vector<Text> left_alone;

  for (;;) {
    // Page N. Its bytes are checked here, before anything is done with it, so that a page the
    // conversions cannot carry unchanged is never written back.
    const Text path = PagePath(window.GetControlText(Box::编辑框2));
    const Bytes page_bytes = ReadFileBytes(path);
    bool exact_utf8 = true;
    window.SetControlText(Box::编辑框1, Utf8ToGbk(BytesToText(page_bytes), &exact_utf8));
    const std::optional<Text> reason = ReasonToLeaveAlone(path, page_bytes, exact_utf8);

    window.SetControlText(Box::编辑框5, ReadPage(NeighbourNumber(window, +1.0)));
    window.SetControlText(Box::编辑框6, ReadPage(NeighbourNumber(window, -1.0)));
    window.SetControlText(Box::编辑框3, TitleOf(window.GetControlText(Box::编辑框6)));
    window.SetControlText(Box::编辑框4, TitleOf(window.GetControlText(Box::编辑框5)));

    if (CompareText(window.GetControlText(Box::编辑框4), Text{}) == 0) {
      Text message = texts.end_message;
      for (const Text& line : left_alone) message = JoinText({message, "\n", Utf8ToGbk(line)});
      window.ShowMessage(message, 0, std::nullopt);
      return;
    }

    const Text next_address = JoinText({"yangpinku/", NeighbourNumber(window, +1.0), ".html"});
    const Text previous_link = JoinText({" href='/a/yangpinku/", NeighbourNumber(window, -1.0),
                                         ".html'>", window.GetControlText(Box::编辑框3)});
    window.SetControlText(
        Box::编辑框1,
        ReplacePairs(window.GetControlText(Box::编辑框1), kMaximumReplacements, 1, false,
                     texts.next_address, next_address, texts.next_title,
                     window.GetControlText(Box::编辑框4), texts.previous_link, previous_link));

    const Text number = window.GetControlText(Box::编辑框2);
    const Text file_name = JoinText({GbkToUtf8(number), ".html"});
    if (reason) {
      left_alone.push_back(JoinText({file_name, "：", *reason, "，未改动"}));
    } else if (!WriteFileBytes(PagePath(number),
                               TextToBytes(GbkToUtf8(window.GetControlText(Box::编辑框1))))) {
      left_alone.push_back(JoinText({file_name, "：无法写入，保持原样"}));
    }

    window.SetControlText(Box::编辑框2, NeighbourNumber(window, +1.0));
    window.ProcessEvents();
  }
}

}  // namespace pagelink
