#pragma once

#include <string>

// The one way the program ends on a failure it cannot go on from.
namespace pagelink {

// Shows an error box (error icon, one OK button, no owner) naming the failure and, once it
// is closed, ends the process with exit code -1 after the end routines have run.
[[noreturn]] void FatalError(const std::wstring& failure);

// The fatal error for running out of memory.
[[noreturn]] void FatalOutOfMemory();

// From now on, running out of memory is a fatal error instead of an exception.
void MakeOutOfMemoryFatal();

}  // namespace pagelink
