#include "message_box_finder_win32.h"

#include <windows.h>

#include <chrono>
#include <thread>

namespace pagelink::testing {
namespace {

// The dialog class of the system's message boxes.
constexpr wchar_t kDialogClass[] = L"#32770";
// The id of the static that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool HasClass(HWND window, const wchar_t* class_name) {
  wchar_t found[64] = {};
  GetClassNameW(window, found, 64);
  return lstrcmpiW(found, class_name) == 0;
}

BOOL CALLBACK TakeVisibleDialog(HWND window, LPARAM found) {
  if (!HasClass(window, kDialogClass) || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindMessageBox(std::uint32_t thread_id) {
  HWND found = nullptr;
  EnumThreadWindows(thread_id, TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

MessageBoxSeen Read(HWND box) {
  MessageBoxSeen seen;
  seen.caption = WindowText(box);
  seen.text = WindowText(GetDlgItem(box, kMessageTextId));
  seen.has_owner = GetWindow(box, GW_OWNER) != nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    if (HasClass(child, L"Button")) seen.buttons.push_back(GetDlgCtrlID(child));
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (HasClass(child, L"Static") && (style & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
      seen.has_icon = true;
    }
  }
  return seen;
}

}  // namespace

bool AnswerMessageBox(std::uint32_t thread_id, int button_id,
                      const std::function<void(const MessageBoxSeen&)>& inspect, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  HWND box = nullptr;
  while ((box = FindMessageBox(thread_id)) == nullptr) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  inspect(Read(box));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button_id)));
  return true;
}

}  // namespace pagelink::testing
