#include "window/fatal_error_qt.h"

#include <cstdlib>
#include <new>

#include "window/message_box_qt.h"

namespace pagelink {
namespace {

constexpr std::size_t kReserveBytes = 4 << 20;

char* reserve = nullptr;
bool ending = false;

void OnOutOfMemory() {
  delete[] reserve;
  reserve = nullptr;
  EndWithFatalError(QStringLiteral("内存不足，无法继续。"));
}

}  // namespace

void EndWithFatalError(const QString& message) {
  // A failure while the box is up (memory again) must not show a second box or loop.
  if (!ending) {
    ending = true;
    ShowErrorBox(message);
  }
  std::exit(-1);
}

void InstallOutOfMemoryHandler() {
  if (reserve == nullptr) reserve = new char[kReserveBytes];
  std::set_new_handler(OnOutOfMemory);
}

}  // namespace pagelink
