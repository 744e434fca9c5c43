#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "cli/console.h"

namespace pagelink {
namespace {

std::string ToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(size) - 1);
  return out;
}

}  // namespace

// argv holds the arguments in the system code page, which loses characters outside it; the
// UTF-16 command line does not.
std::vector<std::string> CommandLineUtf8(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(ToUtf8(wide[i]));
  LocalFree(wide);
  return args;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace pagelink
