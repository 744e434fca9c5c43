#include "primitives/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files_fixture.h"

namespace pagelink {
namespace {

using FilesTest = FilesFixture;
using NameList = std::vector<std::u16string>;

TEST_F(FilesTest, ReadsWholeFilesAndNothingForTheRest) {
  Put(folder_ / "page.html", std::string("<p>a\0b</p>", 10));
  Put(folder_ / "empty.html", "");
  std::filesystem::create_directory(folder_ / "folder.html");
  struct Case {
    const char* name;
    std::string expected;
  } cases[] = {
      {"page.html", std::string("<p>a\0b</p>", 10)},
      {"empty.html", ""},
      {"folder.html", ""},
      {"missing.html", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadFileBytes(PathText(folder_) + "\\" + c.name), AsBytes(c.expected));
  }
  EXPECT_TRUE(ReadFileBytes("").empty());
}

TEST_F(FilesTest, TellsContentFromNothing) {
  Put(folder_ / "page.html", "x");
  Put(folder_ / "empty.html", "");
  std::filesystem::create_directory(folder_ / "folder.html");
  const Text folder = PathText(folder_) + "\\";
  EXPECT_TRUE(HoldsContent(folder + "page.html"));
  EXPECT_TRUE(HoldsContent(folder + "folder.html"));
  EXPECT_FALSE(HoldsContent(folder + "empty.html"));
  EXPECT_FALSE(HoldsContent(folder + "missing.html"));
  EXPECT_FALSE(HoldsContent(folder + "missing\\page.html"));
}

TEST(BytesTest, ConvertsBetweenTextAndBytes) {
  EXPECT_EQ(TextToBytes("abc"), (Bytes{0x61, 0x62, 0x63}));
  EXPECT_TRUE(TextToBytes("").empty());
  EXPECT_EQ(BytesToText({0x61, 0x62}), "ab");
  EXPECT_EQ(BytesToText({0x61, 0x00, 0x62}), "a");
  EXPECT_EQ(BytesToText({0x00, 0x61}), "");
  EXPECT_EQ(BytesToText({}), "");
  EXPECT_EQ(BlankBytes(3), (Bytes{0, 0, 0}));
  EXPECT_TRUE(BlankBytes(0).empty());
  EXPECT_TRUE(BlankBytes(-5).empty());
}

TEST_F(FilesTest, WritesExactlyTheBytesAndLeavesNothingBehind) {
  struct Case {
    const char* name;
    const char* old_content;  // null: no page yet
    std::string data;
  } cases[] = {
      {"a new page is created", nullptr, "<p>new</p>"},
      {"a longer page keeps nothing of its old end", "<p>a long old page</p>", "<p>x</p>"},
      {"no bytes leave an empty page", "<p>old</p>", ""},
      {"a zero byte is written like any other", nullptr, std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_ / "2.html");
    if (c.old_content) Put(folder_ / "2.html", c.old_content);
    EXPECT_TRUE(WriteFileBytes(PathText(folder_) + "\\2.html", AsBytes(c.data)));
    EXPECT_EQ(Get(folder_ / "2.html"), c.data);
    EXPECT_EQ(NamesIn(folder_), NameList{u"2.html"});
  }
}

TEST_F(FilesTest, ReadOnlyPageStaysAsItWas) {
  // Deliberately refused even for an administrator or root, whom the system would let write.
  Put(folder_ / "2.html", "<p>old</p>");
  std::filesystem::permissions(folder_ / "2.html",
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(WriteFileBytes(PathText(folder_) + "\\2.html", AsBytes("<p>new</p>")));
  EXPECT_EQ(Get(folder_ / "2.html"), "<p>old</p>");
  EXPECT_EQ(NamesIn(folder_), NameList{u"2.html"});
}

TEST_F(FilesTest, FailedWritesReportFalse) {
  std::filesystem::create_directory(folder_ / "3.html");
  const Text folder = PathText(folder_);
  EXPECT_FALSE(WriteFileBytes(folder + "\\missing\\2.html", AsBytes("x")));
  EXPECT_FALSE(WriteFileBytes(folder + "\\3.html", AsBytes("x")));
  EXPECT_FALSE(WriteFileBytes("", AsBytes("x")));
  EXPECT_EQ(NamesIn(folder_), NameList{u"3.html"});
}

TEST_F(FilesTest, FolderNamesMayHoldAnyCharacter) {
  const std::u16string names[] = {
      u"文章",
      u"乗俓",   // code page 936 gives both a second byte of 0x5C, the "\" of a path
      u"Ä © 😀",  // none of them in code page 936
  };
  for (const std::u16string& name : names) {
    SCOPED_TRACE(Utf16ToGbk(name));
    std::filesystem::path site = folder_ / name;
    std::filesystem::create_directory(site);
    const Text page = PathText(site) + "\\2.html";
    EXPECT_TRUE(WriteFileBytes(page, AsBytes("<p>页</p>")));
    EXPECT_EQ(Get(site / "2.html"), "<p>页</p>");
    EXPECT_EQ(ReadFileBytes(page), AsBytes("<p>页</p>"));
  }
}

TEST_F(FilesTest, RunDirectoryIsTheCurrentDirectory) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::filesystem::path site = folder_ / u"站点 ©";
  std::filesystem::create_directory(site);
  Put(site / "2.html", "<p>2</p>");

  FixRunDirectory(PathText(site));
  EXPECT_EQ(RunDirectory(), PathText(site));
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), site));
  EXPECT_EQ(ReadFileBytes("2.html"), AsBytes("<p>2</p>"));

  // The program's own folder: the program file lies in it.
  FixRunDirectory();
  const std::u16string run_directory = GbkToUtf16(RunDirectory());
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), run_directory));
  EXPECT_NE(run_directory.back(), u'\\');
  EXPECT_NE(run_directory.back(), u'/');
  std::filesystem::current_path(before);
}

}  // namespace
}  // namespace pagelink
