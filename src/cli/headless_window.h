#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "window/window.h"

namespace pagelink {

// A window without a screen: the boxes live in memory with the main window's initial texts,
// messages are kept for the caller to show, and there are no events to process.
class HeadlessWindow : public Window {
 public:
  struct Message {
    Text text;
    int style = 0;
    std::optional<Text> caption;
  };

  HeadlessWindow();

  Text GetControlText(Box box) override;
  void SetControlText(Box box, const Text& text) override;
  int ShowMessage(const Text& text, int style, const std::optional<Text>& caption) override;
  void ProcessEvents() override;
  void BindClick(std::function<void()> handler) override;

  // What a click on 按钮1 would do.
  void Click();
  const std::vector<Message>& messages() const { return messages_; }

 private:
  std::array<Text, 6> boxes_;
  std::vector<Message> messages_;
  std::function<void()> click_;
};

}  // namespace pagelink
