#include <memory>

#include "primitives/files.h"
#include "window/fatal_error_win32.h"
#include "window/main_window.h"
#include "window/message_loop_win32.h"

namespace pagelink {

int RunMainWindow(int, char**, const std::function<void(Window&)>& on_click) {
  MakeOutOfMemoryFatal();
  FixRunDirectory();
  const std::unique_ptr<Window> window = MakeMainWindow();
  window->BindClick([&window = *window, &on_click] { on_click(window); });
  return RunMessageLoop();
}

}  // namespace pagelink
