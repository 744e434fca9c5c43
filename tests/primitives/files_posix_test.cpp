#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "files_fixture.h"
#include "primitives/files.h"

namespace pagelink {
namespace {

using FilesPosixTest = FilesFixture;
using NameList = std::vector<std::u16string>;

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST_F(FilesPosixTest, PageKeepsItsMode) {
  Put(folder_ / "2.html", "<p>old</p>");
  ASSERT_EQ(::chmod((folder_ / "2.html").c_str(), 0640), 0);
  EXPECT_TRUE(WriteFileBytes(PathText(folder_) + "\\2.html", AsBytes("<p>new</p>")));
  EXPECT_EQ(ModeOf(folder_ / "2.html"), 0640u);
  EXPECT_EQ(Get(folder_ / "2.html"), "<p>new</p>");
}

TEST_F(FilesPosixTest, LinkedPageIsWrittenThroughTheLink) {
  std::filesystem::create_directory(folder_ / "store");
  Put(folder_ / "store" / "page.html", "<p>old</p>");
  std::filesystem::create_symlink("store/page.html", folder_ / "2.html");
  EXPECT_TRUE(WriteFileBytes(PathText(folder_) + "\\2.html", AsBytes("<p>new</p>")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder_ / "2.html"));
  EXPECT_EQ(Get(folder_ / "store" / "page.html"), "<p>new</p>");
  EXPECT_EQ(NamesIn(folder_ / "store"), NameList{u"page.html"});

  // A link to nothing is not replaced by a page.
  std::filesystem::create_symlink("store/none.html", folder_ / "3.html");
  EXPECT_FALSE(WriteFileBytes(PathText(folder_) + "\\3.html", AsBytes("<p>new</p>")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder_ / "3.html"));
}

// A full disk, for real: a small tmpfs, which only root may mount.
TEST_F(FilesPosixTest, FullDiskLeavesTheOldPageWhole) {
  const std::filesystem::path disk = folder_ / "disk";
  std::filesystem::create_directory(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << std::strerror(errno);
  }
  const std::string old_page(4096, 'o');
  Put(disk / "2.html", old_page);
  EXPECT_FALSE(WriteFileBytes(PathText(disk) + "\\2.html", Bytes(1 << 20, 'n')));
  EXPECT_EQ(Get(disk / "2.html"), old_page);
  EXPECT_EQ(NamesIn(disk), NameList{u"2.html"});
  ::umount(disk.c_str());
}

// Linux has no binding sharing modes: a page another process is writing reads as it stands.
TEST_F(FilesPosixTest, PageOpenForWritingElsewhereReadsAsItStands) {
  std::ofstream writer(folder_ / "2.html", std::ios::binary);
  writer << "<p>so far</p>" << std::flush;
  EXPECT_EQ(ReadFileBytes(PathText(folder_) + "\\2.html"), AsBytes("<p>so far</p>"));
}

}  // namespace
}  // namespace pagelink
