#include <QApplication>
#include <QEventLoop>

#include "primitives/files.h"
#include "window/app_icon_qt.h"
#include "window/fatal_error_qt.h"
#include "window/main_window.h"
#include "window/main_window_qt.h"

namespace pagelink {

int RunMainWindow(int argc, char** argv, const std::function<void(Window&)>& on_click) {
  FixRunDirectory();
  QApplication application(argc, argv);
  // The end of the process is ours: Qt quitting on its own when the window closes would also
  // end the error box of a run that goes on after the close.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(ApplicationIcon());
  InstallOutOfMemoryHandler();

  MainWindowQt window;
  window.BindClick([&window, &on_click] { on_click(window); });
  // The quit request: the loop ends once control is back in it, so a run that is inside
  // ProcessEvents when the window closes goes on until it next touches an edit box.
  QEventLoop message_loop;
  window.OnClosed([&message_loop] { message_loop.exit(0); });
  return message_loop.exec();
}

}  // namespace pagelink
