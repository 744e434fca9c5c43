#include "window/main_window_win32.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "linking/codepage.h"
#include "window/display_text_win32.h"
#include "window/fatal_error_win32.h"
#include "window/form.h"
#include "window/main_window.h"
#include "window/message_loop_win32.h"

namespace pagelink {
namespace {

// A fixed frame with the system menu, minimise and close: the user cannot resize it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The application icon in the program's resources.
constexpr WORD kIconResource = 1;
// Posted to the main window when a box's content has to be shown.
constexpr UINT kShowContentsMessage = WM_APP + 1;

std::size_t IndexOf(Box box) { return static_cast<std::size_t>(box); }

HMENU ControlMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

std::wstring ControlDisplay(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring display(static_cast<std::size_t>(length) + 1, L'\0');
  display.resize(static_cast<std::size_t>(GetWindowTextW(control, display.data(), length + 1)));
  return display;
}

// Where the caret was before an edit that made the control's text grow by grown units. An
// edit leaves the caret after what it put in, so this is where that began, or the end of the
// selection it replaced.
int CaretBeforeEdit(HWND control, int grown) {
  DWORD caret = 0;
  SendMessageW(control, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  return static_cast<int>(caret) - grown;
}

// MessageBox's button ids as the run's result codes.
int ResultCode(int pressed) {
  switch (pressed) {
    case IDCANCEL:
      return 1;
    case IDABORT:
      return 2;
    case IDRETRY:
    case IDTRYAGAIN:
      return 3;
    case IDIGNORE:
    case IDCONTINUE:
      return 4;
    case IDYES:
      return 5;
    case IDNO:
      return 6;
    default:
      return 0;
  }
}

void RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
  static const ATOM registered = [instance, procedure] {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kMainWindowClassName;
    return RegisterClassExW(&window_class);
  }();
  if (registered == 0) FatalError(L"无法创建主窗口。");
}

HICON ApplicationIcon(HINSTANCE instance, int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                       GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), LR_SHARED));
}

// The main window. Each edit box keeps its content as code page 936 bytes; the control only
// shows it, so any bytes of any length come back as they went in. What the user types into a
// box without a typing limit is taken from the control when the box is next read; a box with
// one takes each edit at once, to count its bytes.
class MainWindowWin32 final : public Window {
 public:
  MainWindowWin32();
  ~MainWindowWin32() override;
  MainWindowWin32(const MainWindowWin32&) = delete;
  MainWindowWin32& operator=(const MainWindowWin32&) = delete;

  Text GetControlText(Box box) override;
  void SetControlText(Box box, const Text& text) override;
  int ShowMessage(const Text& text, int style, const std::optional<Text>& caption) override;
  void ProcessEvents() override;
  void BindClick(std::function<void()> handler) override;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l);
  void CreateControls(HINSTANCE instance);
  // The user changed the text of the box's control.
  void TakeTyping(std::size_t i);
  // Brings the control back to its box's content after an edit that left shown_length units
  // in it, with the caret where the edit began.
  void RefuseTyping(std::size_t i, int shown_length);
  // Brings every stale control up to its box's content.
  void ShowContents();
  // The box's control; a fatal error once the window has been destroyed.
  HWND LiveControl(Box box) const;
  void Click();

  HWND window_ = nullptr;
  std::array<HWND, 6> controls_ = {};
  std::array<Text, 6> contents_;
  // The control shows typing that its content has not taken in yet.
  std::array<bool, 6> typed_ = {};
  // The content has changed since the control last showed it.
  std::array<bool, 6> stale_ = {};
  bool show_contents_posted_ = false;
  // Set while a control's text is replaced from its content, so that is not taken as typing.
  bool showing_content_ = false;
  std::function<void()> click_;
};

MainWindowWin32::MainWindowWin32() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterMainWindowClass(instance, &WindowProcedure);

  // Centred on the primary screen; the division drops the fraction.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kFormOuterWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kFormOuterHeight) / 2;
  window_ = CreateWindowExW(0, kMainWindowClassName, Utf8ToDisplay(kFormCaption).c_str(),
                            kWindowStyle, left, top, kFormOuterWidth, kFormOuterHeight, nullptr,
                            nullptr, instance, this);
  if (window_ == nullptr) FatalError(L"无法创建主窗口。");

  RECT frame;
  GetWindowRect(window_, &frame);
  if (frame.right - frame.left != kFormOuterWidth || frame.bottom - frame.top != kFormOuterHeight) {
    SetWindowPos(window_, nullptr, left, top, kFormOuterWidth, kFormOuterHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  SendMessageW(window_, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(ApplicationIcon(instance, SM_CXICON, SM_CYICON)));
  SendMessageW(window_, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(ApplicationIcon(instance, SM_CXSMICON, SM_CYSMICON)));
  CreateControls(instance);

  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
}

MainWindowWin32::~MainWindowWin32() {
  if (window_ == nullptr) return;
  // Closing from here is not the user's close: no quit request follows it.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void MainWindowWin32::CreateControls(HINSTANCE instance) {
  const WPARAM font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  // Everything starts hidden; only what the user is meant to see is shown at the end.
  for (std::size_t i = 0; i < kFormBoxes.size(); ++i) {
    const FormBox& form_box = kFormBoxes[i];
    const FormPlace& place = form_box.place;
    // Without ES_AUTOHSCROLL a multi-line box wraps at its right edge.
    const DWORD lines =
        form_box.multi_line ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
    controls_[i] =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_LEFT | lines,
                        place.left, place.top, place.width, place.height, window_,
                        ControlMenu(BoxControlId(static_cast<Box>(i))), instance, nullptr);
    if (controls_[i] == nullptr) FatalError(L"无法创建主窗口。");
    SendMessageW(controls_[i], WM_SETFONT, font, FALSE);
    // The control's own limit counts characters; the typing limit counts code page 936
    // bytes and is kept by TakeTyping, so the control's is lifted to the platform's largest.
    SendMessageW(controls_[i], EM_LIMITTEXT, 0, 0);
  }
  const FormPlace& place = kForm按钮1.place;
  const HWND button = CreateWindowExW(
      0, L"BUTTON", Utf8ToDisplay(kForm按钮1.caption).c_str(),
      WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, place.left,
      place.top, place.width, place.height, window_, ControlMenu(kButton1Id), instance, nullptr);
  if (button == nullptr) FatalError(L"无法创建主窗口。");
  SendMessageW(button, WM_SETFONT, font, FALSE);

  for (std::size_t i = 0; i < kFormBoxes.size(); ++i) {
    SetControlText(static_cast<Box>(i), Utf8ToGbk(kFormBoxes[i].initial_text));
  }
  ShowContents();
  for (std::size_t i = 0; i < kFormBoxes.size(); ++i) {
    SendMessageW(controls_[i], EM_SETSEL, 0, 0);
    if (kFormBoxes[i].visible) ShowWindow(controls_[i], SW_SHOWNA);
  }
  ShowWindow(button, SW_SHOWNA);
}

LRESULT CALLBACK MainWindowWin32::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindowWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, w, l);
  return self->HandleMessage(window, message, w, l);
}

LRESULT MainWindowWin32::HandleMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(w) == kButton1Id && HIWORD(w) == BN_CLICKED) {
        Click();
        return 0;
      }
      if (HIWORD(w) == EN_CHANGE && !showing_content_) {
        // Typing into a control that does not show its content yet is no user's typing.
        for (std::size_t i = 0; i < controls_.size(); ++i) {
          if (controls_[i] == reinterpret_cast<HWND>(l) && !stale_[i]) TakeTyping(i);
        }
        return 0;
      }
      break;
    case kShowContentsMessage:
      ShowContents();
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      controls_.fill(nullptr);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

// An edit that leaves the content longer than the typing limit and longer than it was is
// refused, so content put in beyond the limit stays whole and can still be cut down.
void MainWindowWin32::TakeTyping(std::size_t i) {
  const int limit = kFormBoxes[i].typing_limit;
  if (limit == 0) {
    typed_[i] = true;
    return;
  }
  const std::wstring display = ControlDisplay(controls_[i]);
  Text typed = DisplayToText(display);
  if (typed.size() > static_cast<std::size_t>(limit) && typed.size() > contents_[i].size()) {
    RefuseTyping(i, static_cast<int>(display.size()));
    return;
  }
  contents_[i] = std::move(typed);
}

void MainWindowWin32::RefuseTyping(std::size_t i, int shown_length) {
  const HWND control = controls_[i];
  const std::wstring before = TextToDisplay(contents_[i]);
  const int caret =
      std::clamp(CaretBeforeEdit(control, shown_length - static_cast<int>(before.size())), 0,
                 static_cast<int>(before.size()));
  showing_content_ = true;
  SetWindowTextW(control, before.c_str());
  showing_content_ = false;
  SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(caret), caret);
  SendMessageW(control, EM_SCROLLCARET, 0, 0);
}

void MainWindowWin32::Click() {
  if (!click_) return;
  // An exception must not unwind through the system's dispatch frames.
  try {
    click_();
  } catch (const std::bad_alloc&) {
    FatalOutOfMemory();
  } catch (...) {
    FatalError(L"程序内部错误，无法继续。");
  }
}

HWND MainWindowWin32::LiveControl(Box box) const {
  const HWND control = controls_[IndexOf(box)];
  if (control == nullptr) {
    FatalError(L"窗口已关闭，无法继续：" + Utf8ToDisplay(kFormBoxes[IndexOf(box)].name));
  }
  return control;
}

Text MainWindowWin32::GetControlText(Box box) {
  const HWND control = LiveControl(box);
  const std::size_t i = IndexOf(box);
  if (typed_[i]) {
    contents_[i] = DisplayToText(ControlDisplay(control));
    typed_[i] = false;
  }
  return contents_[i];
}

// The control is brought up to date when events are next processed, by a posted message:
// that comes before any input, so the user never types into an outdated control, and a run
// that puts a whole page into a box several times converts and lays it out once. The hidden
// boxes are never seen or typed into, so their controls are not given the content at all.
void MainWindowWin32::SetControlText(Box box, const Text& text) {
  LiveControl(box);
  const std::size_t i = IndexOf(box);
  // A box's content, like a Text, ends at its first zero byte.
  contents_[i] = text.c_str();
  typed_[i] = false;
  if (!kFormBoxes[i].visible) return;
  stale_[i] = true;
  if (!show_contents_posted_) {
    show_contents_posted_ = PostMessageW(window_, kShowContentsMessage, 0, 0) != FALSE;
  }
}

void MainWindowWin32::ShowContents() {
  show_contents_posted_ = false;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (!stale_[i] || controls_[i] == nullptr) continue;
    showing_content_ = true;
    SetWindowTextW(controls_[i], TextToDisplay(contents_[i]).c_str());
    showing_content_ = false;
    stale_[i] = false;
  }
}

int MainWindowWin32::ShowMessage(const Text& text, int style, const std::optional<Text>& caption) {
  const std::wstring shown_caption =
      caption ? TextToDisplay(*caption) : Utf8ToDisplay(kDefaultMessageCaption);
  UINT type = static_cast<UINT>(style);
  if ((type & MB_SYSTEMMODAL) == 0) type |= MB_TASKMODAL;
  // A pending quit request would close the box at once; it waits until the box is closed.
  MSG quit;
  const bool quit_pending = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  const int pressed =
      MessageBoxW(nullptr, TextToDisplay(text).c_str(), shown_caption.c_str(), type);
  if (quit_pending) PostQuitMessage(static_cast<int>(quit.wParam));
  return ResultCode(pressed);
}

void MainWindowWin32::ProcessEvents() { DispatchPendingMessages(); }

void MainWindowWin32::BindClick(std::function<void()> handler) { click_ = std::move(handler); }

}  // namespace

std::unique_ptr<Window> MakeMainWindow() { return std::make_unique<MainWindowWin32>(); }

}  // namespace pagelink
