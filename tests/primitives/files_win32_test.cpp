#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "files_fixture.h"
#include "primitives/files.h"

namespace pagelink {
namespace {

using FilesWin32Test = FilesFixture;
using NameList = std::vector<std::u16string>;

class OpenFile {
 public:
  OpenFile(const std::filesystem::path& path, DWORD access, DWORD sharing)
      : handle_(CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OpenFile() { CloseHandle(handle_); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST_F(FilesWin32Test, PageOpenForWritingElsewhereReadsAsNothing) {
  Put(folder_ / "2.html", "<p>old</p>");
  OpenFile writer(folder_ / "2.html", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(writer.valid());
  EXPECT_TRUE(ReadFileBytes(PathText(folder_) + "\\2.html").empty());
}

TEST_F(FilesWin32Test, PageHeldByAnotherProgramStaysAsItWas) {
  Put(folder_ / "2.html", "<p>old</p>");
  {
    OpenFile holder(folder_ / "2.html", GENERIC_READ, 0);
    ASSERT_TRUE(holder.valid());
    EXPECT_FALSE(WriteFileBytes(PathText(folder_) + "\\2.html", AsBytes("<p>new</p>")));
  }
  EXPECT_EQ(Get(folder_ / "2.html"), "<p>old</p>");
  EXPECT_EQ(NamesIn(folder_), NameList{u"2.html"});
}

// "C:" alone would name the drive's current folder; as the run directory it is the root.
TEST_F(FilesWin32Test, DriveRootIsTheDriveLetterAndColon) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::filesystem::path page = folder_.root_path() / folder_.filename();
  Put(page, "<p>root</p>");
  FixRunDirectory(PathText(folder_.root_name()));
  EXPECT_EQ(std::filesystem::current_path(), folder_.root_path());
  EXPECT_EQ(ReadFileBytes(RunDirectory() + "\\" + PathText(folder_.filename())),
            AsBytes("<p>root</p>"));
  std::filesystem::remove(page);
  std::filesystem::current_path(before);
}

}  // namespace
}  // namespace pagelink
