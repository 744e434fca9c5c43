#pragma once

#include <QString>

namespace pagelink {

// Shows the error box naming the failure and, once it is closed, ends the process with exit
// code -1 (the registered end routines run). Needs the QApplication.
[[noreturn]] void EndWithFatalError(const QString& message);

// From now on running out of memory is a fatal error. Keeps a reserve that is given back
// first, so that the error box itself can still be made.
void InstallOutOfMemoryHandler();

}  // namespace pagelink
