#include "window/message_loop_win32.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "window/main_window_win32.h"

namespace pagelink {
namespace {

bool IsMainWindow(HWND window) {
  wchar_t class_name[std::size(kMainWindowClassName) + 1] = {};
  return window != nullptr &&
         GetClassNameW(window, class_name, static_cast<int>(std::size(class_name))) > 0 &&
         std::wcscmp(class_name, kMainWindowClassName) == 0;
}

bool IsHeld(int virtual_key) { return GetKeyState(virtual_key) < 0; }

// The main window's own keys, taken before the control with the focus sees them. The
// controls keep every other key, Enter included: a multi-line box makes it a line break.
// True when the key was taken.
bool HandleWindowKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const HWND main_window = GetAncestor(message.hwnd, GA_ROOT);
  if (!IsMainWindow(main_window)) return false;
  switch (message.wParam) {
    case VK_ESCAPE:
      if (IsHeld(VK_CONTROL) || IsHeld(VK_SHIFT) || IsHeld(VK_MENU)) return false;
      SendMessageW(main_window, WM_CLOSE, 0, 0);
      return true;
    case VK_TAB: {
      const HWND next = GetNextDlgTabItem(main_window, GetFocus(), IsHeld(VK_SHIFT));
      if (next != nullptr) SetFocus(next);
      return true;
    }
    case VK_F1:
      return true;
    default:
      return false;
  }
}

void Dispatch(const MSG& message) {
  if (HandleWindowKey(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  int fetched;
  while ((fetched = GetMessageW(&message, nullptr, 0, 0)) > 0) Dispatch(message);
  return fetched == 0 ? static_cast<int>(message.wParam) : -1;
}

void DispatchPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // Posted between the look and the fetch: put it back for the message loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

}  // namespace pagelink
