#pragma once

#include <functional>
#include <memory>

#include "window/window.h"

namespace pagelink {

// The whole program: fixes the run directory and makes it the current directory, creates
// MainWindow centred on the primary screen, binds the click of 按钮1 to on_click (called with
// the window, inside the dispatch of that click), and runs the message loop until the window
// is closed. Returns the exit code, 0. A fatal error (an edit box used after the window was
// destroyed, running out of memory) shows an error box and ends the process with -1 instead.
// argc and argv are the program's own (the toolkit may want them); no argument is read.
int RunMainWindow(int argc, char** argv, const std::function<void(Window&)>& on_click);

// MainWindow with its controls and their initial texts, centred on the primary screen, shown
// and activated. Needs the platform's GUI session of the thread (with Qt: a QApplication).
// Closing it destroys its controls; the Window object stays and reports box access from then
// on as a fatal error.
std::unique_ptr<Window> MakeMainWindow();

}  // namespace pagelink
