#pragma once

#include <functional>

#include "cli/headless_window.h"

namespace pagelink {

// The headless window, with what happens while events are processed (typing into a box, a
// second click) left to each test.
class FakeWindow : public HeadlessWindow {
 public:
  void ProcessEvents() override {
    if (on_events) on_events();
  }
  std::function<void()> on_events;
};

}  // namespace pagelink
