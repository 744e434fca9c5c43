#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Finds and reads the message boxes of a thread from outside it, as a user would see them.
namespace pagelink::testing {

struct MessageBoxSeen {
  std::wstring caption;
  std::wstring text;
  // The ids of the visible buttons (IDOK, IDCANCEL, ...), in the order of the controls.
  std::vector<int> buttons;
  bool has_icon = false;
  bool has_owner = false;
};

// Waits up to timeout_ms for a message box of the thread to appear, lets inspect read it
// while it is open, then presses the button with the given id. False when none appeared.
bool AnswerMessageBox(std::uint32_t thread_id, int button_id,
                      const std::function<void(const MessageBoxSeen&)>& inspect,
                      int timeout_ms = 10000);

}  // namespace pagelink::testing
