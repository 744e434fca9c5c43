#pragma once

#include <QString>
#include <optional>

#include "primitives/values.h"

namespace pagelink {

// A message box with no owner, modal to the whole application (the main window repaints but
// takes no input). style is a MessageBoxA type value: buttons, icon, default button and
// system modality. No caption means "信息：". Returns 0 OK, 1 Cancel, 2 Abort, 3 Retry,
// 4 Ignore, 5 Yes, 6 No, 9 Try Again, 10 Continue (the Win32 button id less one).
int ShowMessageBox(const Text& text, int style, const std::optional<Text>& caption);

// The error box of a fatal error: error icon, one OK button, no owner.
void ShowErrorBox(const QString& message);

}  // namespace pagelink
