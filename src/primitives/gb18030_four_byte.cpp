#include "primitives/gb18030_four_byte.h"

#include <algorithm>
#include <array>

namespace pagelink {
namespace {

// A run of consecutive four-byte codes that carries consecutive characters.
struct FourByteRun {
  std::uint32_t first_index;
  char16_t first_unit;
  std::uint16_t length;
};

// GB18030's four-byte codes of the Basic Multilingual Plane (taken from glibc's GB18030
// converter), with U+1E3F at 81 35 F4 37 as GB18030 first had it: 936 holds the private-use
// U+E7C7 that later editions put there in two bytes. Runs rise in code and in character.
constexpr std::array kRunsByIndex = std::to_array<FourByteRun>({
    {0, 0x0080, 36},      {36, 0x00A5, 2},        {38, 0x00A9, 7},       {45, 0x00B2, 5},
    {50, 0x00B8, 31},     {81, 0x00D8, 8},        {89, 0x00E2, 6},       {95, 0x00EB, 1},
    {96, 0x00EE, 4},      {100, 0x00F4, 3},       {103, 0x00F8, 1},      {104, 0x00FB, 1},
    {105, 0x00FD, 4},     {109, 0x0102, 17},      {126, 0x0114, 7},      {133, 0x011C, 15},
    {148, 0x012C, 24},    {172, 0x0145, 3},       {175, 0x0149, 4},      {179, 0x014E, 29},
    {208, 0x016C, 98},    {306, 0x01CF, 1},       {307, 0x01D1, 1},      {308, 0x01D3, 1},
    {309, 0x01D5, 1},     {310, 0x01D7, 1},       {311, 0x01D9, 1},      {312, 0x01DB, 1},
    {313, 0x01DD, 28},    {341, 0x01FA, 87},      {428, 0x0252, 15},     {443, 0x0262, 101},
    {544, 0x02C8, 1},     {545, 0x02CC, 13},      {558, 0x02DA, 183},    {741, 0x03A2, 1},
    {742, 0x03AA, 7},     {749, 0x03C2, 1},       {750, 0x03CA, 55},     {805, 0x0402, 14},
    {819, 0x0450, 1},     {820, 0x0452, 7102},    {7922, 0x2011, 2},     {7924, 0x2017, 1},
    {7925, 0x201A, 2},    {7927, 0x201E, 7},      {7934, 0x2027, 9},     {7943, 0x2031, 1},
    {7944, 0x2034, 1},    {7945, 0x2036, 5},      {7950, 0x203C, 112},   {8062, 0x20AD, 86},
    {8148, 0x2104, 1},    {8149, 0x2106, 3},      {8152, 0x210A, 12},    {8164, 0x2117, 10},
    {8174, 0x2122, 62},   {8236, 0x216C, 4},      {8240, 0x217A, 22},    {8262, 0x2194, 2},
    {8264, 0x219A, 110},  {8374, 0x2209, 6},      {8380, 0x2210, 1},     {8381, 0x2212, 3},
    {8384, 0x2216, 4},    {8388, 0x221B, 2},      {8390, 0x2221, 2},     {8392, 0x2224, 1},
    {8393, 0x2226, 1},    {8394, 0x222C, 2},      {8396, 0x222F, 5},     {8401, 0x2238, 5},
    {8406, 0x223E, 10},   {8416, 0x2249, 3},      {8419, 0x224D, 5},     {8424, 0x2253, 13},
    {8437, 0x2262, 2},    {8439, 0x2268, 6},      {8445, 0x2270, 37},    {8482, 0x2296, 3},
    {8485, 0x229A, 11},   {8496, 0x22A6, 25},     {8521, 0x22C0, 82},    {8603, 0x2313, 333},
    {8936, 0x246A, 10},   {8946, 0x249C, 100},    {9046, 0x254C, 4},     {9050, 0x2574, 13},
    {9063, 0x2590, 3},    {9066, 0x2596, 10},     {9076, 0x25A2, 16},    {9092, 0x25B4, 8},
    {9100, 0x25BE, 8},    {9108, 0x25C8, 3},      {9111, 0x25CC, 2},     {9113, 0x25D0, 18},
    {9131, 0x25E6, 31},   {9162, 0x2607, 2},      {9164, 0x260A, 54},    {9218, 0x2641, 1},
    {9219, 0x2643, 2110}, {11329, 0x2E82, 2},     {11331, 0x2E85, 3},    {11334, 0x2E89, 2},
    {11336, 0x2E8D, 10},  {11346, 0x2E98, 15},    {11361, 0x2EA8, 2},    {11363, 0x2EAB, 3},
    {11366, 0x2EAF, 4},   {11370, 0x2EB4, 2},     {11372, 0x2EB8, 3},    {11375, 0x2EBC, 14},
    {11389, 0x2ECB, 293}, {11682, 0x2FFC, 4},     {11686, 0x3004, 1},    {11687, 0x3018, 5},
    {11692, 0x301F, 2},   {11694, 0x302A, 20},    {11714, 0x303F, 2},    {11716, 0x3094, 7},
    {11723, 0x309F, 2},   {11725, 0x30F7, 5},     {11730, 0x30FF, 6},    {11736, 0x312A, 246},
    {11982, 0x322A, 7},   {11989, 0x3232, 113},   {12102, 0x32A4, 234},  {12336, 0x3390, 12},
    {12348, 0x339F, 2},   {12350, 0x33A2, 34},    {12384, 0x33C5, 9},    {12393, 0x33CF, 2},
    {12395, 0x33D3, 2},   {12397, 0x33D6, 113},   {12510, 0x3448, 43},   {12553, 0x3474, 298},
    {12851, 0x359F, 111}, {12962, 0x360F, 11},    {12973, 0x361B, 765},  {13738, 0x3919, 85},
    {13823, 0x396F, 96},  {13919, 0x39D1, 14},    {13933, 0x39E0, 147},  {14080, 0x3A74, 218},
    {14298, 0x3B4F, 287}, {14585, 0x3C6F, 113},   {14698, 0x3CE1, 885},  {15583, 0x4057, 264},
    {15847, 0x4160, 471}, {16318, 0x4338, 116},   {16434, 0x43AD, 4},    {16438, 0x43B2, 43},
    {16481, 0x43DE, 248}, {16729, 0x44D7, 373},   {17102, 0x464D, 20},   {17122, 0x4662, 193},
    {17315, 0x4724, 5},   {17320, 0x472A, 82},    {17402, 0x477D, 16},   {17418, 0x478E, 441},
    {17859, 0x4948, 50},  {17909, 0x497B, 2},     {17911, 0x497E, 4},    {17915, 0x4984, 1},
    {17916, 0x4987, 20},  {17936, 0x499C, 3},     {17939, 0x49A0, 22},   {17961, 0x49B8, 703},
    {18664, 0x4C78, 39},  {18703, 0x4CA4, 111},   {18814, 0x4D1A, 148},  {18962, 0x4DAF, 81},
    {19043, 0x9FA6, 14},  {19065, 0x9FBC, 14404}, {33469, 0xE76C, 1},    {33470, 0xE7C8, 1},
    {33471, 0xE7E7, 13},  {33484, 0xE815, 1},     {33485, 0xE819, 5},    {33490, 0xE81F, 7},
    {33497, 0xE827, 4},   {33501, 0xE82D, 4},     {33505, 0xE833, 8},    {33513, 0xE83C, 7},
    {33520, 0xE844, 16},  {33536, 0xE856, 14},    {33550, 0xE865, 4295}, {37845, 0xF92D, 76},
    {37921, 0xF97A, 27},  {37948, 0xF996, 81},    {38029, 0xF9E8, 9},    {38038, 0xF9F2, 26},
    {38064, 0xFA10, 1},   {38065, 0xFA12, 1},     {38066, 0xFA15, 3},    {38069, 0xFA19, 6},
    {38075, 0xFA22, 1},   {38076, 0xFA25, 2},     {38078, 0xFA2A, 998},  {39086, 0xFE1A, 22},
    {39108, 0xFE32, 1},   {39109, 0xFE45, 4},     {39113, 0xFE53, 1},    {39114, 0xFE58, 1},
    {39115, 0xFE67, 1},   {39116, 0xFE6C, 149},   {39265, 0xFF5F, 129},  {39394, 0xFFE6, 26},
});

static_assert(std::ranges::is_sorted(kRunsByIndex, {}, &FourByteRun::first_unit));

// GB18030 keeps a few characters in two bytes where code page 936 has private-use
// characters (U+FE10, U+9FB4 ...). They have no GB18030 four-byte code, so they take one
// from the range GB18030 leaves unassigned between the BMP and the supplementary planes,
// at this index plus the character's value.
constexpr std::uint32_t kBmpEnd = 39420;
constexpr std::uint32_t kSupplementaryStart = 189000;

bool IsSurrogate(char32_t code_point) { return code_point >= 0xD800 && code_point <= 0xDFFF; }

}  // namespace

std::optional<char32_t> FourByteIndexToCodePoint(std::uint32_t index) {
  if (index < kBmpEnd) {
    auto after = std::ranges::upper_bound(kRunsByIndex, index, {}, &FourByteRun::first_index);
    if (after == kRunsByIndex.begin()) return std::nullopt;
    const FourByteRun& run = *(after - 1);
    if (index - run.first_index >= run.length) return std::nullopt;
    return char32_t{run.first_unit} + (index - run.first_index);
  }
  if (index < kBmpEnd + 0x10000) {
    char32_t code_point = index - kBmpEnd;
    if (code_point < 0x80 || IsSurrogate(code_point)) return std::nullopt;
    return code_point;
  }
  if (index >= kSupplementaryStart && index < kSupplementaryStart + 0x100000) {
    return char32_t{0x10000} + (index - kSupplementaryStart);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> CodePointToFourByteIndex(char32_t code_point) {
  if (code_point < 0x80 || IsSurrogate(code_point) || code_point > 0x10FFFF) return std::nullopt;
  if (code_point >= 0x10000) return kSupplementaryStart + (code_point - 0x10000);
  auto after = std::ranges::upper_bound(kRunsByIndex, code_point, {}, &FourByteRun::first_unit);
  if (after != kRunsByIndex.begin()) {
    const FourByteRun& run = *(after - 1);
    if (code_point - run.first_unit < run.length)
      return run.first_index + (code_point - run.first_unit);
  }
  return kBmpEnd + code_point;
}

}  // namespace pagelink
