#pragma once

#include "window/window.h"

// How the Win32 main window and its controls are found from outside the window itself: by
// the message loop's key handling, and by whatever drives the window with messages.
namespace pagelink {

inline constexpr wchar_t kMainWindowClassName[] = L"PagelinkMainWindow";

// The control id of 按钮1 within the main window.
inline constexpr int kButton1Id = 107;

// The control id of an edit box within the main window.
constexpr int BoxControlId(Box box) { return 101 + static_cast<int>(box); }

}  // namespace pagelink
