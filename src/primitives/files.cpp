#include "primitives/files.h"

#include <algorithm>

namespace pagelink {

Bytes TextToBytes(const Text& text) { return Bytes(text.begin(), text.end()); }

Text BytesToText(const Bytes& data) {
  return Text(data.begin(), std::find(data.begin(), data.end(), 0));
}

Bytes BlankBytes(std::int32_t count) {
  return count > 0 ? Bytes(static_cast<std::size_t>(count), 0) : Bytes();
}

}  // namespace pagelink
