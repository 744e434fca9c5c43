// The real pagelink.exe, started as a child process in a folder of pages and driven from
// here the way a user would: clicks, closing, answering its boxes.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "message_box_finder_win32.h"
#include "window/main_window_win32.h"

namespace pagelink {
namespace {

namespace fs = std::filesystem;
using testing::AnswerMessageBox;
using testing::MessageBoxSeen;

constexpr DWORD kExitTimeoutMs = 20000;

// CTest names the program under test in PAGELINK_EXE.
fs::path ProgramUnderTest() {
  const char* path = std::getenv("PAGELINK_EXE");
  if (path == nullptr) throw std::runtime_error("PAGELINK_EXE does not name pagelink.exe");
  return fs::absolute(path);
}

void WriteFile(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Page(const std::string& title) {
  return "<html><head><title>" + title + "</title></head><body>" +
         "<a href='xinwenzhongxin/lingdaohuodong/2022/1020/475.html'>甲型样品 乙型样品 丙型样品</a>"
         "</body></html>";
}

// A copy of the program in a folder of its own, with the given pages beside it.
class Site {
 public:
  explicit Site(const std::vector<std::pair<int, std::string>>& pages) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = fs::path(temp) / ("pagelink-win32-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++count_));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(ProgramUnderTest(), program());
    for (const auto& [number, content] : pages) WriteFile(page(number), content);
  }
  // Adds the pages of the sample site that the Linux tests link too.
  void AddSamplePages() const {
    for (const auto& entry : fs::directory_iterator(fs::path(PAGELINK_FIXTURES) / "site")) {
      fs::copy_file(entry.path(), folder_ / entry.path().filename());
    }
  }
  ~Site() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  Site(const Site&) = delete;
  Site& operator=(const Site&) = delete;

  fs::path program() const { return folder_ / "pagelink.exe"; }
  fs::path page(int number) const { return folder_ / (std::to_string(number) + ".html"); }

 private:
  static inline int count_ = 0;
  fs::path folder_;
};

BOOL CALLBACK TakeMainWindow(HWND window, LPARAM found) {
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  if (lstrcmpW(class_name, kMainWindowClassName) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The running program, ended at the latest when the test is over.
class Program {
 public:
  explicit Program(const fs::path& exe) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Started from elsewhere: the program must find its pages beside itself.
    std::wstring command_line = L"\"" + exe.wstring() + L"\"";
    started_ = CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &info_) != FALSE;
    if (!started_) return;
    // The first start in a new Wine prefix can take seconds, and Wine may report the program
    // idle before its window exists: look for the window until it is there.
    WaitForInputIdle(info_.hProcess, kExitTimeoutMs);
    for (DWORD waited = 0; main_ == nullptr && waited < kExitTimeoutMs; waited += 50) {
      EnumThreadWindows(info_.dwThreadId, TakeMainWindow, reinterpret_cast<LPARAM>(&main_));
      if (main_ == nullptr) Sleep(50);
    }
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HWND main() const { return main_; }
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  DWORD thread_id() const { return info_.dwThreadId; }
  // Holds the program still while several messages are posted, so that they wait in its queue
  // together, in order.
  void Pause() const { SuspendThread(info_.hThread); }
  void Resume() const { ResumeThread(info_.hThread); }

  // The exit code, or nothing if it has not ended in time.
  std::optional<DWORD> ExitCode() const {
    if (WaitForSingleObject(info_.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_ = {};
  HWND main_ = nullptr;
};

TEST(ProgramTest, IsAWindowsGuiProgram) {
  const std::string image = ReadFile(ProgramUnderTest());
  ASSERT_GT(image.size(), 0x40u);
  const auto pe_header = *reinterpret_cast<const LONG*>(image.data() + 0x3C);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + pe_header);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(ProgramTest, ClosingTheIdleWindowEndsWithExitCodeZero) {
  struct Row {
    const char* name;
    int control;  // 0: the window itself
    UINT message;
    WPARAM w;
  };
  const Row rows[] = {
      {"close request", 0, WM_CLOSE, 0},
      {"close button", 0, WM_SYSCOMMAND, SC_CLOSE},
      {"Esc in 编辑框1", BoxControlId(Box::编辑框1), WM_KEYDOWN, VK_ESCAPE},
  };
  const Site site({});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Program program(site.program());
    ASSERT_NE(program.main(), nullptr);
    PostMessageW(row.control == 0 ? program.main() : program.Control(row.control), row.message,
                 row.w, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
  }
}

TEST(ProgramTest, AClickLinksThePagesAndShowsTheEndMessage) {
  const Site site({});
  site.AddSamplePages();
  const Program program(site.program());
  ASSERT_NE(program.main(), nullptr);

  PostMessageW(program.Control(kButton1Id), BM_CLICK, 0, 0);
  MessageBoxSeen seen;
  bool main_window_enabled = true;
  ASSERT_TRUE(AnswerMessageBox(program.thread_id(), IDOK, [&](const MessageBoxSeen& box) {
    seen = box;
    main_window_enabled = IsWindowEnabled(program.main()) != FALSE;
  }));
  EXPECT_EQ(seen.caption, L"信息：");
  EXPECT_EQ(seen.text, L"已经循环完毕");
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_FALSE(seen.has_icon);
  EXPECT_FALSE(main_window_enabled);
  const fs::path fixtures = PAGELINK_FIXTURES;
  for (int linked : {2, 3, 4}) {
    EXPECT_EQ(ReadFile(site.page(linked)),
              ReadFile(fixtures / "linked" / site.page(linked).filename()));
  }
  for (int untouched : {1, 5}) {
    EXPECT_EQ(ReadFile(site.page(untouched)),
              ReadFile(fixtures / "site" / site.page(untouched).filename()));
  }

  PostMessageW(program.main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(ProgramTest, ClosingTheWindowDuringARunIsFatalWithExitCodeMinusOne) {
  const Site site({{1, Page("one")}, {2, Page("two")}, {3, Page("three")}, {4, Page("four")}});
  const Program program(site.program());
  ASSERT_NE(program.main(), nullptr);

  // The click starts the run; the close request waits in the queue until the run lets events
  // through after its first page.
  program.Pause();
  PostMessageW(program.Control(kButton1Id), BM_CLICK, 0, 0);
  PostMessageW(program.main(), WM_CLOSE, 0, 0);
  program.Resume();

  MessageBoxSeen seen;
  ASSERT_TRUE(
      AnswerMessageBox(program.thread_id(), IDOK, [&](const MessageBoxSeen& box) { seen = box; }));
  EXPECT_NE(seen.text.find(L"窗口已关闭"), std::wstring::npos) << seen.text.size();
  EXPECT_NE(seen.text.find(L"编辑框2"), std::wstring::npos);
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_TRUE(seen.has_icon);
  EXPECT_FALSE(seen.has_owner);
  EXPECT_EQ(program.ExitCode(), static_cast<DWORD>(-1));
  // The first page was linked before the close; the second one, cut short, is untouched.
  EXPECT_NE(ReadFile(site.page(2)).find("three"), std::string::npos);
  EXPECT_EQ(ReadFile(site.page(3)), Page("three"));
}

}  // namespace
}  // namespace pagelink
