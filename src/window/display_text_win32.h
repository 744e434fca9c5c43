#pragma once

#include <string>
#include <string_view>

#include "primitives/values.h"

// The edit boxes keep code page 936 bytes and show them through the wide-character controls,
// so that Chinese reads right whatever the system code page is.
namespace pagelink {

// The text as the controls show it: code page 936, four-byte codes included, in UTF-16.
std::wstring TextToDisplay(const Text& text);

// UTF-8, such as the window's own captions and names, in UTF-16.
std::wstring Utf8ToDisplay(std::string_view utf8);

// What the user sees in a control, back in code page 936 (characters outside it as four-byte
// codes).
Text DisplayToText(const std::wstring& display);

}  // namespace pagelink
