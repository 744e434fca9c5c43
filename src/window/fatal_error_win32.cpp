#include "window/fatal_error_win32.h"

#include <windows.h>

#include <cstdlib>
#include <new>

namespace pagelink {

void FatalError(const std::wstring& failure) {
  // A pending quit request (the window was just closed) would end the box's own message loop
  // before anyone could read it. The process ends here anyway, so the request is dropped.
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  MessageBoxW(nullptr, failure.c_str(), L"错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  std::exit(-1);
}

void FatalOutOfMemory() { FatalError(L"内存不足，无法继续。"); }

void MakeOutOfMemoryFatal() { std::set_new_handler(FatalOutOfMemory); }

}  // namespace pagelink
