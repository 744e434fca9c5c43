#include <iconv.h>

#include <cstdio>
#include <cstdlib>

#include "primitives/gbk_table.h"

namespace pagelink {
namespace {

// Where glibc's GB18030 gives a character, Windows code page 936 keeps a private-use one;
// the pairs of a run (second byte 0x7F skipped) carry consecutive units from first_unit.
struct PrivateUseRun {
  std::uint16_t first_code;
  std::uint16_t last_code;
  char16_t first_unit;
};
constexpr PrivateUseRun kPrivateUseRuns[] = {
    {0xA2E3, 0xA2E3, 0xE76C}, {0xA6D9, 0xA6DF, 0xE78D}, {0xA6EC, 0xA6ED, 0xE794},
    {0xA6F3, 0xA6F3, 0xE796}, {0xA8BC, 0xA8BC, 0xE7C7}, {0xA8BF, 0xA8BF, 0xE7C8},
    {0xA989, 0xA995, 0xE7E7}, {0xFE50, 0xFEA0, 0xE815},
};

int PairIndex(int lead, int trail) { return (lead - 0x81) * kGbkTrailCount + (trail - 0x40); }

class Converter {
 public:
  Converter() : handle_(iconv_open("UTF-16LE", "GB18030")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      std::fputs("pagelink: this system's iconv has no GB18030 converter\n", stderr);
      std::abort();
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The single UTF-16 unit of a byte pair; 0 when it is not exactly one unit.
  char16_t PairUnit(int lead, int trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    unsigned char out[4] = {};
    char* in_next = in;
    std::size_t in_left = sizeof in;
    char* out_next = reinterpret_cast<char*>(out);
    std::size_t out_left = sizeof out;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(handle_, &in_next, &in_left, &out_next, &out_left) == static_cast<std::size_t>(-1) ||
        out_left != 2) {
      return 0;
    }
    return static_cast<char16_t>(out[0] | out[1] << 8);
  }

 private:
  iconv_t handle_;
};

GbkCharacters BuildFromGlibc() {
  GbkCharacters characters;
  Converter converter;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail != 0x7F) characters.pairs[PairIndex(lead, trail)] = converter.PairUnit(lead, trail);
    }
  }
  for (const PrivateUseRun& run : kPrivateUseRuns) {
    char16_t unit = run.first_unit;
    for (int code = run.first_code; code <= run.last_code; ++code) {
      if ((code & 0xFF) != 0x7F) characters.pairs[PairIndex(code >> 8, code & 0xFF)] = unit++;
    }
  }
  // Single bytes of 936 that GB18030 does not have.
  characters.byte_80 = u'\u20AC';
  characters.byte_ff = u'\uF8F5';
  return characters;
}

}  // namespace

const GbkCharacters& PlatformGbkCharacters() {
  static const GbkCharacters characters = BuildFromGlibc();
  return characters;
}

}  // namespace pagelink
