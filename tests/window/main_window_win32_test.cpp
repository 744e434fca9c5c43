// The Win32 main window driven through its real controls with window messages.

#include "window/main_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "message_box_finder_win32.h"
#include "window/main_window.h"

namespace pagelink {
namespace {

using testing::AnswerMessageBox;
using testing::MessageBoxSeen;

constexpr std::array kAllBoxes = {Box::编辑框1, Box::编辑框2, Box::编辑框3,
                                  Box::编辑框4, Box::编辑框5, Box::编辑框6};

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Holds or releases a modifier key in this thread's keyboard state, as GetKeyState sees it.
void SetHeld(int virtual_key, bool held) {
  BYTE state[256];
  GetKeyboardState(state);
  state[virtual_key] = held ? 0x80 : 0;
  SetKeyboardState(state);
}

// A key press as the keyboard driver posts it to the control with the focus.
void PressKey(HWND control, int virtual_key) {
  const UINT scan_code = MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
  const LPARAM repeat_and_scan = 1 | (static_cast<LPARAM>(scan_code) << 16);
  PostMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(virtual_key), repeat_and_scan);
  PostMessageW(control, WM_KEYUP, static_cast<WPARAM>(virtual_key),
               repeat_and_scan | (LPARAM{3} << 30));
}

void Type(HWND control, const std::wstring& characters) {
  for (wchar_t c : characters) SendMessageW(control, WM_CHAR, c, 1);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = MakeMainWindow();
    main_ = FindWindowW(kMainWindowClassName, nullptr);
    ASSERT_NE(main_, nullptr);
    window_->ProcessEvents();
  }

  void TearDown() override {
    SetHeld(VK_CONTROL, false);
    SetHeld(VK_SHIFT, false);
    window_.reset();
    // A closed window leaves its quit request behind; the next test starts without it.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
  }

  HWND Control(int id) const { return GetDlgItem(main_, id); }
  HWND BoxControl(Box box) const { return Control(BoxControlId(box)); }

  static bool QuitPending(int* code = nullptr) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return false;
    if (code != nullptr) *code = static_cast<int>(message.wParam);
    return true;
  }

  std::unique_ptr<Window> window_;
  HWND main_ = nullptr;
};

TEST_F(MainWindowTest, ComesUpCentredWithItsFixedFrameCaptionAndLook) {
  RECT frame;
  GetWindowRect(main_, &frame);
  // On Xvfb's 1024 x 768 screen this is 125, 171.
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 774) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 425) / 2);
  EXPECT_EQ(frame.right - frame.left, 774);
  EXPECT_EQ(frame.bottom - frame.top, 425);

  RECT client;
  GetClientRect(main_, &client);
  EXPECT_GE(client.right, 728);
  EXPECT_GE(client.bottom, 376);

  EXPECT_EQ(WindowText(main_), L"循环SEO上下篇");
  const LONG_PTR style = GetWindowLongPtrW(main_, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_FALSE(IsIconic(main_));
  EXPECT_FALSE(IsZoomed(main_));
  EXPECT_EQ(GetWindow(main_, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(main_), nullptr);
  EXPECT_EQ(GetClassLongPtrW(main_, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
  EXPECT_NE(SendMessageW(main_, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(main_, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, PlacesEveryControlWithItsKindVisibilityAndLimit) {
  struct Row {
    int id;
    const wchar_t* kind;
    RECT place;  // left, top, right, bottom in the client area
    bool visible;
    bool multi_line;
    bool edit_box;
  };
  const Row rows[] = {
      {BoxControlId(Box::编辑框1), L"Edit", {168, 80, 568, 272}, true, true, true},
      {BoxControlId(Box::编辑框2), L"Edit", {72, 208, 104, 256}, true, false, true},
      {BoxControlId(Box::编辑框3), L"Edit", {24, 104, 144, 144}, true, false, true},
      {BoxControlId(Box::编辑框4), L"Edit", {24, 160, 144, 200}, true, false, true},
      {BoxControlId(Box::编辑框5), L"Edit", {16, 288, 168, 376}, false, true, true},
      {BoxControlId(Box::编辑框6), L"Edit", {184, 296, 432, 368}, false, true, true},
      {kButton1Id, L"Button", {592, 112, 728, 224}, true, false, false},
  };
  const LRESULT font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const HWND control = Control(row.id);
    ASSERT_NE(control, nullptr);
    wchar_t kind[16] = {};
    GetClassNameW(control, kind, 16);
    EXPECT_EQ(lstrcmpiW(kind, row.kind), 0);

    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, row.place.left);
    EXPECT_EQ(place.top, row.place.top);
    EXPECT_EQ(place.right, row.place.right);
    EXPECT_EQ(place.bottom, row.place.bottom);

    EXPECT_EQ(IsWindowVisible(control) != FALSE, row.visible);
    EXPECT_TRUE(IsWindowEnabled(control));
    EXPECT_EQ(GetParent(control), main_);
    EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), font);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    EXPECT_TRUE(style & WS_TABSTOP);
    if (!row.edit_box) {
      EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
      EXPECT_TRUE(style & BS_MULTILINE);
      continue;
    }
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ((style & ES_MULTILINE) != 0, row.multi_line);
    EXPECT_FALSE(style & (ES_READONLY | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL |
                          WS_HSCROLL | WS_VSCROLL));
    // The typing limits count code page 936 bytes, so the controls' own character limits are
    // lifted to the platform's largest.
    EXPECT_EQ(static_cast<DWORD>(SendMessageW(control, EM_GETLIMITTEXT, 0, 0)),
              row.multi_line ? 0xFFFFFFFFu : 0x7FFFFFFEu);
    DWORD start = 1, end = 1;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
  }
}

TEST_F(MainWindowTest, StartsWithTwoInThePageNumberAndTheOtherBoxesEmpty) {
  for (Box box : kAllBoxes) {
    SCOPED_TRACE(static_cast<int>(box));
    EXPECT_EQ(window_->GetControlText(box), box == Box::编辑框2 ? "2" : "");
  }
  EXPECT_EQ(WindowText(BoxControl(Box::编辑框2)), L"2");
  EXPECT_EQ(WindowText(Control(kButton1Id)), L"执行");
}

// Every byte value but zero, over and over: far past the typing limits, and full of
// sequences that are not code page 936 at all.
Text LongText() {
  Text text(100000, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(1 + i % 255);
  return text;
}

TEST_F(MainWindowTest, GivesBackExactlyTheBytesPutIn) {
  struct Row {
    const char* name;
    Text text;
    std::vector<Box> boxes;
  };
  const Row rows[] = {
      {"100 000 bytes", LongText(), {Box::编辑框1, Box::编辑框5}},
      {"line ends and two-byte characters",
       "\xD6\xD0\xCE\xC4\r\n\xB5\xDA\xB6\xFE\n\xD0\xD0\r\r\n\n<p>",
       {Box::编辑框1, Box::编辑框2, Box::编辑框6}},
      {"four-byte codes", "\x81\x30\x84\x38 \x95\x32\x82\x36 \x81\x30\x81\x30", {Box::编辑框3}},
      {"bytes that are no characters", "\x80\xFF\xD6\x7F\x81\x30\xA1", {Box::编辑框4}},
      {"empty", "", {Box::编辑框2}},
  };
  for (const Row& row : rows) {
    for (Box box : row.boxes) {
      SCOPED_TRACE(::testing::Message() << row.name << " in box " << static_cast<int>(box));
      window_->SetControlText(box, row.text);
      window_->ProcessEvents();
      EXPECT_EQ(window_->GetControlText(box), row.text);
    }
  }
}

TEST_F(MainWindowTest, EndsContentAtAZeroByteAsATextDoes) {
  window_->SetControlText(Box::编辑框3, Text("ab\0cd", 5));
  EXPECT_EQ(window_->GetControlText(Box::编辑框3), "ab");
}

TEST_F(MainWindowTest, ShowsChineseWhateverTheSystemCodePage) {
  window_->SetControlText(Box::编辑框3, "\xD6\xD0\xCE\xC4");      // 中文
  window_->SetControlText(Box::编辑框4, "\x81\x30\x84\x38\x80");  // © €
  window_->ProcessEvents();
  EXPECT_EQ(WindowText(BoxControl(Box::编辑框3)), L"中文");
  EXPECT_EQ(WindowText(BoxControl(Box::编辑框4)), L"\u00A9\u20AC");
}

TEST_F(MainWindowTest, TypingChangesTheContent) {
  const HWND box = BoxControl(Box::编辑框2);
  SendMessageW(box, EM_SETSEL, 0, -1);
  Type(box, L"10中©");
  EXPECT_EQ(window_->GetControlText(Box::编辑框2), "10\xD6\xD0\x81\x30\x84\x38");

  window_->SetControlText(Box::编辑框2, "7");
  EXPECT_EQ(window_->GetControlText(Box::编辑框2), "7");
}

Text Repeated(const Text& piece, std::size_t times) {
  Text text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// The limits count code page 936 bytes (编辑框1 9999, 编辑框5 and 编辑框6 999); an edit that
// leaves the content past the limit and longer than it was is refused, one that does not is
// taken.
TEST_F(MainWindowTest, TypingLimitBoundsTypingButNotPuttingText) {
  const Text zhong = "\xD6\xD0";  // 中
  struct Row {
    const char* name;
    Box box;
    Text put;
    DWORD select_from;
    DWORD select_to;
    std::wstring typed;
    bool pasted;  // put in by one replacement rather than typed a character at a time
    Text content_after;
    std::wstring shown_after;
    DWORD caret_after;
  };
  const Row rows[] = {
      {"a byte past the limit", Box::编辑框1, Text(9999, 'a'), 5000, 5000, L"b", false,
       Text(9999, 'a'), std::wstring(9999, L'a'), 5000},
      {"a two-byte character up to the limit", Box::编辑框1, Text(9997, 'a'), 9997, 9997, L"中",
       false, Text(9997, 'a') + zhong, std::wstring(9997, L'a') + L"中", 9998},
      {"a two-byte character past the limit at fewer characters than it", Box::编辑框1,
       Repeated(zhong, 4999), 4999, 4999, L"中a", false, Repeated(zhong, 4999) + "a",
       std::wstring(4999, L'中') + L"a", 5000},
      {"a four-byte code past the limit", Box::编辑框1, Text(9996, 'a'), 0, 0, L"©a", false,
       Text(9997, 'a'), std::wstring(9997, L'a'), 1},
      {"a paste past the limit, refused whole", Box::编辑框1, Text(9990, 'a'), 9990, 9990,
       L"0123456789", true, Text(9990, 'a'), std::wstring(9990, L'a'), 9990},
      {"deleting from content put in past the limit, then growing it", Box::编辑框1,
       Text(10001, 'a'), 10001, 10001, L"\bb", false, Text(10000, 'a'), std::wstring(10000, L'a'),
       10000},
      {"replacing a selection past the limit by as many bytes", Box::编辑框1, Text(10001, 'a'), 0,
       2, L"中", false, zhong + Text(9999, 'a'), L"中" + std::wstring(9999, L'a'), 1},
      {"a hidden box's limit", Box::编辑框6, "", 0, 0, std::wstring(500, L'中'), false,
       Repeated(zhong, 499), std::wstring(499, L'中'), 499},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    window_->SetControlText(row.box, row.put);
    window_->ProcessEvents();
    const HWND box = BoxControl(row.box);
    SendMessageW(box, EM_SETSEL, row.select_from, row.select_to);
    if (row.pasted) {
      SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(row.typed.c_str()));
    } else {
      Type(box, row.typed);
    }
    EXPECT_EQ(window_->GetControlText(row.box), row.content_after);
    EXPECT_EQ(WindowText(box), row.shown_after);
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, row.caret_after);
    EXPECT_EQ(end, row.caret_after);
  }

  const Text over(100000, 'c');
  window_->SetControlText(Box::编辑框1, over);
  window_->SetControlText(Box::编辑框5, over);
  EXPECT_EQ(window_->GetControlText(Box::编辑框1), over);
  EXPECT_EQ(window_->GetControlText(Box::编辑框5), over);
}

TEST_F(MainWindowTest, EscClosesTheWindowFromAnEditBox) {
  PressKey(BoxControl(Box::编辑框1), VK_ESCAPE);
  window_->ProcessEvents();
  EXPECT_FALSE(IsWindow(main_));
  int code = -1;
  EXPECT_TRUE(QuitPending(&code));
  EXPECT_EQ(code, 0);
}

TEST_F(MainWindowTest, EscWithAModifierHeldLeavesTheWindowOpen) {
  for (int modifier : {VK_CONTROL, VK_SHIFT}) {
    SetHeld(modifier, true);
    PressKey(BoxControl(Box::编辑框1), VK_ESCAPE);
    window_->ProcessEvents();
    SetHeld(modifier, false);
    EXPECT_TRUE(IsWindow(main_)) << modifier;
  }
}

TEST_F(MainWindowTest, KeysMoveFocusOrEditAsTheWindowsKeyHandlingSays) {
  struct Row {
    const char* name;
    Box from;
    int key;
    bool shift;
    int focus_after;
    Text content_after;
  };
  const Row rows[] = {
      {"Enter in a single-line box", Box::编辑框2, VK_RETURN, false, BoxControlId(Box::编辑框2),
       "2"},
      {"Enter in a multi-line box", Box::编辑框1, VK_RETURN, false, BoxControlId(Box::编辑框1),
       "\r\n"},
      {"F1", Box::编辑框1, VK_F1, false, BoxControlId(Box::编辑框1), ""},
      {"Tab", Box::编辑框1, VK_TAB, false, BoxControlId(Box::编辑框2), ""},
      {"Tab past the hidden boxes", Box::编辑框4, VK_TAB, false, kButton1Id, ""},
      {"Shift+Tab", Box::编辑框3, VK_TAB, true, BoxControlId(Box::编辑框2), ""},
  };
  int clicks = 0;
  window_->BindClick([&clicks] { ++clicks; });
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Text before = row.from == Box::编辑框2 ? "2" : "";
    window_->SetControlText(row.from, before);
    SetFocus(BoxControl(row.from));
    SetHeld(VK_SHIFT, row.shift);
    PressKey(BoxControl(row.from), row.key);
    window_->ProcessEvents();
    SetHeld(VK_SHIFT, false);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), row.focus_after);
    EXPECT_EQ(window_->GetControlText(row.from), row.content_after);
    EXPECT_TRUE(IsWindow(main_));
  }
  EXPECT_EQ(clicks, 0);
}

TEST_F(MainWindowTest, AClickInsideProcessEventsRunsNestedInTheRunningOne) {
  int depth = 0;
  std::vector<int> depths;
  window_->BindClick([&] {
    ++depth;
    depths.push_back(depth);
    if (depth == 1) {
      PostMessageW(Control(kButton1Id), BM_CLICK, 0, 0);
      window_->ProcessEvents();
    }
    --depth;
  });
  PostMessageW(Control(kButton1Id), BM_CLICK, 0, 0);
  window_->ProcessEvents();
  EXPECT_EQ(depths, (std::vector<int>{1, 2}));
}

TEST_F(MainWindowTest, ProcessEventsNeverWaits) {
  const auto start = std::chrono::steady_clock::now();
  window_->ProcessEvents();
  window_->ProcessEvents();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_FALSE(QuitPending());
}

TEST_F(MainWindowTest, ProcessEventsDispatchesUpToTheQuitRequestAndLeavesItPending) {
  int clicks = 0;
  window_->BindClick([&clicks] { ++clicks; });
  PostMessageW(Control(kButton1Id), BM_CLICK, 0, 0);
  PostQuitMessage(7);
  window_->ProcessEvents();
  window_->ProcessEvents();
  EXPECT_EQ(clicks, 1);
  int code = 0;
  EXPECT_TRUE(QuitPending(&code));
  EXPECT_EQ(code, 7);
}

TEST_F(MainWindowTest, AClosedWindowStillAnswersProcessEvents) {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  window_->ProcessEvents();
  EXPECT_FALSE(IsWindow(main_));
  window_->ProcessEvents();
  EXPECT_TRUE(QuitPending());
}

// Shows a message from this thread while another thread answers it.
struct Answered {
  int result = -1;
  bool appeared = false;
  MessageBoxSeen seen;
  bool main_window_enabled = true;
};

Answered ShowAndAnswer(Window& window, HWND main, const Text& text, int style,
                       const std::optional<Text>& caption, int button) {
  Answered answered;
  const DWORD this_thread = GetCurrentThreadId();
  std::thread user([&] {
    answered.appeared = AnswerMessageBox(this_thread, button, [&](const MessageBoxSeen& seen) {
      answered.seen = seen;
      answered.main_window_enabled = IsWindowEnabled(main) != FALSE;
    });
  });
  answered.result = window.ShowMessage(text, style, caption);
  user.join();
  return answered;
}

TEST_F(MainWindowTest, ShowMessageIsATaskModalBoxWithoutOwner) {
  struct Row {
    const char* name;
    Text text;
    int style;
    std::optional<Text> caption;
    int press;
    std::wstring caption_seen;
    std::wstring text_seen;
    std::vector<int> buttons_seen;
    bool icon_seen;
    int result;
  };
  const Row rows[] = {
      {"the end message",
       "\xD2\xD1\xBE\xAD\xD1\xAD\xBB\xB7\xCD\xEA\xB1\xCF",
       0,
       std::nullopt,
       IDOK,
       L"信息：",
       L"已经循环完毕",
       {IDOK},
       false,
       0},
      {"yes or no, answered no",
       "?",
       MB_YESNO | MB_ICONQUESTION,
       "\xB1\xEA\xCC\xE2",
       IDNO,
       L"标题",
       L"?",
       {IDYES, IDNO},
       true,
       6},
      {"OK or cancel, answered cancel",
       "",
       MB_OKCANCEL,
       std::nullopt,
       IDCANCEL,
       L"信息：",
       L"",
       {IDOK, IDCANCEL},
       false,
       1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Answered answered =
        ShowAndAnswer(*window_, main_, row.text, row.style, row.caption, row.press);
    ASSERT_TRUE(answered.appeared);
    EXPECT_EQ(answered.seen.caption, row.caption_seen);
    EXPECT_EQ(answered.seen.text, row.text_seen);
    EXPECT_EQ(answered.seen.buttons, row.buttons_seen);
    EXPECT_EQ(answered.seen.has_icon, row.icon_seen);
    EXPECT_FALSE(answered.seen.has_owner);
    EXPECT_FALSE(answered.main_window_enabled);
    EXPECT_EQ(answered.result, row.result);
    EXPECT_TRUE(IsWindowEnabled(main_));
  }
}

TEST_F(MainWindowTest, ShowMessageWaitsForTheUserEvenWithAQuitRequestPending) {
  PostQuitMessage(3);
  const Answered answered = ShowAndAnswer(*window_, main_, "x", 0, std::nullopt, IDOK);
  EXPECT_TRUE(answered.appeared);
  EXPECT_EQ(answered.result, 0);
  int code = 0;
  EXPECT_TRUE(QuitPending(&code));
  EXPECT_EQ(code, 3);
}

}  // namespace
}  // namespace pagelink
