#pragma once

#include <functional>
#include <optional>

#include "primitives/values.h"

namespace pagelink {

// The edit boxes of the main window, named as on its form.
enum class Box { 编辑框1, 编辑框2, 编辑框3, 编辑框4, 编辑框5, 编辑框6 };

// What the page-linking run sees of a window. The Qt, Win32 and headless windows and the
// tests' fake implement it. Texts are code page 936.
class Window {
 public:
  virtual ~Window() = default;

  // The whole content of the box, byte for byte as last put in (or as typed since). Once the
  // window has been destroyed this is a fatal error: an error box, then exit code -1.
  virtual Text GetControlText(Box box) = 0;
  // Replaces the whole content with exactly these bytes, unbounded by the typing limit.
  virtual void SetControlText(Box box, const Text& text) = 0;
  // A task-modal message box; style is a MessageBox type value (0: OK, no icon); no caption
  // means "信息：". Returns 0 OK, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No.
  virtual int ShowMessage(const Text& text, int style, const std::optional<Text>& caption) = 0;
  // Dispatches what is pending, never waits, and leaves a quit request pending.
  virtual void ProcessEvents() = 0;

  // The one event handler: the click of 按钮1, called inside the dispatch of that click.
  virtual void BindClick(std::function<void()> handler) = 0;
};

}  // namespace pagelink
