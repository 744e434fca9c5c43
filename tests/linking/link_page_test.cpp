#include "linking/link_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "linking/codepage.h"
#include "linking/fake_window.h"
#include "primitives/files.h"

namespace pagelink {
namespace {

namespace fs = std::filesystem;

const std::string kPlaceholders =
    "<a>Quillmor正在更新</a>\n"
    "<a href=\"/a/xinwenzhongxin/lingdaohuodong/2022/1020/475.html\">甲型样品 乙型样品 "
    "丙型样品</a>\n";

// A UTF-8 page with a title and, unless told otherwise, the three placeholders.
std::string Page(const std::string& title, const std::string& body = kPlaceholders) {
  return "<html><head><title>" + title + "</title></head><body>\n" + body + "</body></html>\n";
}

std::string Linked(const std::string& title, const std::string& previous_link,
                   const std::string& next_address, const std::string& next_title) {
  return Page(title, "<a" + previous_link + "</a>\n<a href=\"/a/" + next_address + "\">" +
                         next_title + "</a>\n");
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A site folder of its own for each test, made the run directory.
class LinkPageTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("pagelink-") + info->test_suite_name() + "-" + info->name();
    for (char& c : name) {
      if (c == '/') c = '-';
    }
    site_ = fs::temp_directory_path() / name;
    fs::remove_all(site_);
    fs::create_directories(site_);
    FixRunDirectory(Utf8ToGbk(reinterpret_cast<const char*>(site_.u8string().c_str())));
    window_.BindClick([this] { LinkPage(window_); });
  }
  void TearDown() override {
    fs::current_path(fs::temp_directory_path());
    for (const auto& entry : fs::recursive_directory_iterator(site_)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
    fs::remove_all(site_);
  }

  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(site_ / fs::u8path(name), std::ios::binary) << bytes;
  }
  std::optional<std::string> Get(const std::string& name) const {
    const fs::path path = site_ / fs::u8path(name);
    if (!fs::exists(path)) return std::nullopt;
    return ReadAll(path);
  }
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(site_)) {
      if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadAll(entry.path());
    }
    return files;
  }
  std::vector<std::string> MessagesInUtf8() const {
    std::vector<std::string> texts;
    for (const auto& message : window_.messages()) texts.push_back(GbkToUtf8(message.text));
    return texts;
  }

  fs::path site_;
  FakeWindow window_;
};

TEST_F(LinkPageTest, LinksEveryPageUpToTheLastAndLeavesItsEndsAlone) {
  const fs::path fixtures = PAGELINK_FIXTURES;
  for (const auto& entry : fs::directory_iterator(fixtures / "site")) {
    fs::copy_file(entry.path(), site_ / entry.path().filename());
  }

  window_.Click();

  for (const char* linked : {"2.html", "3.html", "4.html"}) {
    EXPECT_EQ(Get(linked), ReadAll(fixtures / "linked" / linked)) << linked;
  }
  for (const char* untouched : {"1.html", "5.html"}) {
    EXPECT_EQ(Get(untouched), ReadAll(fixtures / "site" / untouched)) << untouched;
  }
  EXPECT_EQ(window_.GetControlText(Box::编辑框2), "5");
  ASSERT_EQ(window_.messages().size(), 1u);
  EXPECT_EQ(GbkToUtf8(window_.messages()[0].text), "已经循环完毕");
  EXPECT_EQ(window_.messages()[0].style, 0);
  EXPECT_EQ(window_.messages()[0].caption, std::nullopt);

  // A further click with no page added only repeats the message.
  const auto before = Snapshot();
  window_.Click();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(MessagesInUtf8(), (std::vector<std::string>{"已经循环完毕", "已经循环完毕"}));
}

struct RunCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;
  const char* start;
  // Expected content per file after the run; nullopt: the file must not exist.
  std::vector<std::pair<std::string, std::optional<std::string>>> expected;
  const char* final_number;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

const std::string kAddress = "xinwenzhongxin/lingdaohuodong/2022/1020/475.html";

class LinkPageRunTest : public LinkPageTest, public testing::WithParamInterface<RunCase> {};

TEST_P(LinkPageRunTest, Run) {
  const RunCase& c = GetParam();
  for (const auto& [name, bytes] : c.files) Put(name, bytes);
  window_.SetControlText(Box::编辑框2, c.start);

  window_.Click();

  for (const auto& [name, bytes] : c.expected) EXPECT_EQ(Get(name), bytes) << name;
  EXPECT_EQ(window_.GetControlText(Box::编辑框2), c.final_number);
  EXPECT_EQ(MessagesInUtf8(), std::vector<std::string>{"已经循环完毕"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkPageRunTest,
    testing::Values(
        RunCase{"NoPreviousPageLeavesOnlyTheAddress",
                {{"1.html", Page("一")}, {"2.html", Page("二")}},
                "1",
                {{"1.html", Linked("一", " href='/a/yangpinku/0.html'>", "yangpinku/2.html", "二")},
                 {"0.html", std::nullopt}},
                "2"},
        RunCase{"MissingPageIsCreatedEmpty",
                {{"1.html", Page("一")}, {"3.html", Page("三")}},
                "2",
                {{"2.html", ""}},
                "3"},
        RunCase{"PageWithoutPlaceholdersComesBackUnchanged",
                {{"2.html", Page("二", "<p>没有占位符 © 🌿</p>\r\n")}, {"3.html", Page("三")}},
                "2",
                {{"2.html", Page("二", "<p>没有占位符 © 🌿</p>\r\n")}},
                "3"},
        RunCase{"AtMostOneHundredReplacementsPerPlaceholder",
                {{"2.html", Page("二", Repeat(kAddress + " ", 101))}, {"3.html", Page("三")}},
                "2",
                {{"2.html", Page("二", Repeat("yangpinku/3.html ", 100) + kAddress + " ")}},
                "3"},
        RunCase{"PlaceholdersMatchInAnyAsciiCaseButTitleMarkersDoNot",
                {{"2.html",
                  Page("二", "XinWenZhongXin/LingDaoHuoDong/2022/1020/475.HTML >QUILLMOR正在更新")},
                 {"1.html", "<TITLE>大写</TITLE>"},
                 {"3.html", Page("三")}},
                "2",
                {{"2.html", Page("二", "yangpinku/3.html  href='/a/yangpinku/1.html'>")}},
                "3"},
        RunCase{"InsertedTitleIsFilledByTheLaterPlaceholder",
                {{"2.html", Page("二", "[甲型样品 乙型样品 丙型样品]")},
                 {"1.html", Page("一")},
                 {"3.html", Page("三>Quillmor正在更新")}},
                "2",
                {{"2.html", Page("二", "[三 href='/a/yangpinku/1.html'>一]")}},
                "3"},
        RunCase{
            "NumberWithLeadingBlankKeepsItsFileName",
            {{" 7.html", Page("七")}, {"6.html", Page("六")}, {"8.html", Page("八")}},
            " 7",
            {{" 7.html", Linked("七", " href='/a/yangpinku/6.html'>六", "yangpinku/8.html", "八")},
             {"7.html", std::nullopt}},
            "8"},
        RunCase{
            "NumberWithLeadingZeroKeepsItsFileName",
            {{"07.html", Page("七")}, {"6.html", Page("六")}, {"8.html", Page("八")}},
            "07",
            {{"07.html", Linked("七", " href='/a/yangpinku/6.html'>六", "yangpinku/8.html", "八")},
             {"7.html", std::nullopt}},
            "8"},
        RunCase{"ZeroAndNegativeNumbers",
                {{"-2.html", Page("负二")},
                 {"-1.html", Page("负一")},
                 {"0.html", Page("零")},
                 {"1.html", Page("一")}},
                "-1",
                {{"-1.html",
                  Linked("负一", " href='/a/yangpinku/-2.html'>负二", "yangpinku/0.html", "零")},
                 {"0.html",
                  Linked("零", " href='/a/yangpinku/-1.html'>负一", "yangpinku/1.html", "一")}},
                "1"},
        RunCase{"EmptyNextTitleEndsTheRun",
                {{"2.html", Page("二")}, {"3.html", Page("")}},
                "2",
                {{"2.html", Page("二")}},
                "2"}),
    [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST_F(LinkPageTest, ClickWhileEventsAreProcessedRunsNestedAndBothRunsEnd) {
  for (const char* n : {"1", "2", "3", "4"}) Put(std::string(n) + ".html", Page(n));
  bool clicked = false;
  window_.on_events = [&] {
    if (!clicked) {
      clicked = true;
      window_.Click();
    }
  };

  window_.Click();

  EXPECT_EQ(Get("3.html"), Linked("3", " href='/a/yangpinku/2.html'>2", "yangpinku/4.html", "4"));
  EXPECT_EQ(window_.GetControlText(Box::编辑框2), "4");
  EXPECT_EQ(MessagesInUtf8(), (std::vector<std::string>{"已经循环完毕", "已经循环完毕"}));
}

TEST_F(LinkPageTest, NumberTypedWhileEventsAreProcessedIsTheNextPage) {
  for (const char* n : {"1", "2", "3", "4", "5"}) Put(std::string(n) + ".html", Page(n));
  window_.on_events = [&] {
    if (window_.GetControlText(Box::编辑框2) == "3") window_.SetControlText(Box::编辑框2, "4");
  };

  window_.Click();

  EXPECT_EQ(Get("3.html"), Page("3"));
  EXPECT_EQ(Get("4.html"), Linked("4", " href='/a/yangpinku/3.html'>3", "yangpinku/5.html", "5"));
}

// Pages the conversions could not carry unchanged, or that cannot be written, stay byte for
// byte as they were; the run goes on and the end message names them.
TEST_F(LinkPageTest, PagesThatCannotBeCarriedOrWrittenStayWholeAndAreNamed) {
  const std::string gbk_page = "<title>\xB6\xFE</title>\xD6\xD0\xCE\xC4 >Quillmor";
  const std::string zero_page = Page("三") + std::string(1, '\0') + "尾巴";
  fs::create_directory(site_ / "1.html");
  Put("2.html", gbk_page);
  Put("3.html", zero_page);
  Put("4.html", Page("四"));
  Put("5.html", Page("五"));
  Put("6.html", Page("六"));
  fs::permissions(site_ / "5.html",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  window_.SetControlText(Box::编辑框2, "1");

  window_.Click();

  EXPECT_TRUE(fs::is_directory(site_ / "1.html"));
  EXPECT_EQ(Get("2.html"), gbk_page);
  EXPECT_EQ(Get("3.html"), zero_page);
  EXPECT_EQ(Get("4.html"),
            Linked("四", " href='/a/yangpinku/3.html'>三", "yangpinku/5.html", "五"));
  EXPECT_EQ(Get("5.html"), Page("五"));
  EXPECT_EQ(MessagesInUtf8(), std::vector<std::string>{"已经循环完毕\n"
                                                       "1.html：无法读取，未改动\n"
                                                       "2.html：不是有效的 UTF-8 文本，未改动\n"
                                                       "3.html：含有零字节，未改动\n"
                                                       "5.html：无法写入，保持原样"});
}

}  // namespace
}  // namespace pagelink
