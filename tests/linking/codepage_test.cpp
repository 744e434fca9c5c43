#include "linking/codepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "primitives/gbk.h"
#include "primitives/utf8.h"

// These cases run natively and under Wine with system code page 936: both conversions must
// give the same bytes.
namespace pagelink {
namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char byte : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

std::string Hex(const Bytes& bytes) { return Hex(std::string(bytes.begin(), bytes.end())); }

struct Case {
  const char* name;
  std::string utf8;
  std::string gbk;
};

// Characters 936 holds take its own bytes; every other one its GB18030 four-byte code.
const Case kExactCases[] = {
    {"empty", "", ""},
    {"ascii", "<p>a = b;</p>\r\n", "<p>a = b;</p>\r\n"},
    {"chinese", "中文", "\xD6\xD0\xCE\xC4"},
    {"euro is the single byte 80", "€", "\x80"},
    {"private use character of byte FF", "\xEF\xA3\xB5", "\xFF"},
    {"middle dot as 936 has it", "·", "\xA1\xA4"},
    {"em dash as 936 has it", "—", "\xA1\xAA"},
    {"horizontal bar", "―", "\xA8\x44"},
    {"pinyin a with grave", "à", "\xA8\xA4"},
    {"private use character of A8BC", "\xEE\x9F\x87", "\xA8\xBC"},
    {"copyright sign", "©", "\x81\x30\x84\x38"},
    {"no-break space", "\xC2\xA0", "\x81\x30\x84\x32"},
    {"katakana middle dot", "・", "\x81\x39\xA7\x39"},
    {"byte-order mark at the start", "\xEF\xBB\xBF<html>", "\x84\x31\x95\x33<html>"},
    {"m with acute", "ḿ", "\x81\x35\xF4\x37"},
    {"vertical comma, outside 936 and GB18030's four-byte codes", "︐", "\x89\x32\xF3\x30"},
    {"emoji", "😀", "\x94\x39\xFC\x36"},
    {"rare CJK outside GBK", "𠀀𪚥", "\x95\x32\x82\x36\x98\x35\xEE\x37"},
    {"mixed", "标题 © 2024 — 😀!",
     "\xB1\xEA\xCC\xE2 \x81\x30\x84\x38 2024 \xA1\xAA \x94\x39\xFC\x36!"},
};

TEST(CodePageTest, ConvertsExactlyAndBackUnchanged) {
  for (const Case& c : kExactCases) {
    SCOPED_TRACE(c.name);
    bool exact = false;
    EXPECT_EQ(Hex(Utf8ToGbk(c.utf8, &exact)), Hex(c.gbk));
    EXPECT_TRUE(exact);
    EXPECT_EQ(Hex(GbkToUtf8(c.gbk)), Hex(c.utf8));
  }
}

// Not UTF-8: each ill-formed sequence becomes U+FFFD (84 31 A4 37), and the caller is told.
const Case kInvalidCases[] = {
    {"lone continuation byte", "a\x80z", "a\x84\x31\xA4\x37z"},
    {"truncated sequence before ASCII", "\xE4\xB8<", "\x84\x31\xA4\x37<"},
    {"truncated sequence at the end", "ab\xF0\x9F\x98", "ab\x84\x31\xA4\x37"},
    {"byte FF", "\xFF", "\x84\x31\xA4\x37"},
    {"a page stored in GBK", "\xD6\xD0\xCE\xC4",
     "\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37\x84\x31\xA4\x37"},
    {"a zero byte ends the text", std::string("ab\0cd", 5), "ab"},
};

TEST(CodePageTest, InvalidUtf8IsReplacedAndReported) {
  for (const Case& c : kInvalidCases) {
    SCOPED_TRACE(c.name);
    bool exact = true;
    EXPECT_EQ(Hex(Utf8ToGbk(c.utf8, &exact)), Hex(c.gbk));
    EXPECT_FALSE(exact);
  }
}

TEST(CodePageTest, Utf16BuffersAreSizedInTheSystemCodePage) {
  // Read as 936, the six UTF-8 bytes of 中文 make three characters: room for four units.
  EXPECT_EQ(Hex(MultiByteToUtf16("中文")), "2D 4E 87 65 00 00 00 00");
  EXPECT_EQ(Hex(MultiByteToUtf16("\xD6\xD0\xCE\xC4", kCodePage936)), "2D 4E 87 65 00 00");
  EXPECT_EQ(Hex(MultiByteToUtf16("")), "00 00");
  EXPECT_EQ(MultiByteToUtf16("abc").size(), 8u);
  EXPECT_EQ(Hex(Utf16ToMultiByte(MultiByteToUtf16("中文"), kCodePage936)), "D6 D0 CE C4");
  EXPECT_EQ(Hex(Utf16ToMultiByte(MultiByteToUtf16("中文"))), "D6 D0 CE C4");
  EXPECT_EQ(Utf16ToMultiByte(MultiByteToUtf16("\xD6\xD0", kCodePage936), kCodePageUtf8), "中");
  EXPECT_EQ(Utf16ToMultiByte(MultiByteToUtf16(""), kCodePage936), "");
  EXPECT_EQ(Utf16ToMultiByte(Bytes{}, kCodePage936), "");
}

TEST(CodePageTest, BuffersNeverFallShort) {
  // UTF-8 that needs more units than its 936 reading counts: four-byte sequences of 936
  // read as one unit each, as UTF-8 as two.
  std::string emoji;
  for (int i = 0; i < 100; ++i) emoji += "😀";
  Bytes utf16 = MultiByteToUtf16(emoji);
  EXPECT_GE(utf16.size(), 2u * 201);
  EXPECT_EQ(Utf16ToMultiByte(utf16, kCodePageUtf8), emoji);
}

TEST(CodePageTest, ReadingUtf16StopsAtTheEndOfTheBuffer) {
  // No zero unit, and an odd byte at the end: only the whole units are read.
  EXPECT_EQ(Utf16ToMultiByte(Bytes{0x41, 0x00, 0x42, 0x00, 0x43}, kCodePage936), "AB");
  // A lone surrogate cannot be written: "?" in 936 and U+FFFD in UTF-8, as Windows does.
  EXPECT_EQ(Utf16ToMultiByte(Bytes{0x00, 0xD8, 0x41, 0x00}, kCodePage936), "?A");
  EXPECT_EQ(Hex(Utf16ToMultiByte(Bytes{0x00, 0xD8, 0x41, 0x00}, kCodePageUtf8)), "EF BF BD 41");
}

TEST(CodePageTest, InvalidGbkBecomesQuestionMarks) {
  const Case cases[] = {
      {"lead byte at the end", "中?", "\xD6\xD0\xCE"},
      {"lead byte before ASCII keeps the ASCII", "?<", "\x81<"},
      {"unassigned four-byte code", "?", "\xFE\x39\xFE\x39"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
  }
}

// FNV-1a over the UTF-16 of every byte pair of 936 and the single bytes 80 and FF: the same
// value natively (glibc with its differences put right) and under Wine (Windows code page 936).
TEST(CodePageTest, EveryCharacterOf936IsTheOneWindowsGives) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
    }
  }
  all += "\x80\xFF";
  std::u16string utf16 = GbkToUtf16(all);
  ASSERT_EQ(utf16.size(), all.size() / 2 + 1);
  std::uint32_t hash = 2166136261u;
  for (char16_t unit : utf16) {
    hash = (hash ^ (unit & 0xFF)) * 16777619u;
    hash = (hash ^ (unit >> 8)) * 16777619u;
  }
  EXPECT_EQ(hash, 2652629328u);
  // And every one of them comes back as the same bytes.
  EXPECT_EQ(Utf16ToGbk(utf16), all);
}

TEST(CodePageTest, EveryCharacterComesBack) {
  std::u16string all;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) all += static_cast<char16_t>(c);
  }
  for (char32_t c = 0x10000; c <= 0x10FFFF; c += 0x3FF) {
    all += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    all += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
  std::string utf8 = Utf16ToUtf8(all);
  bool exact = false;
  Text gbk = Utf8ToGbk(utf8, &exact);
  EXPECT_TRUE(exact);
  EXPECT_TRUE(GbkToUtf8(gbk) == utf8);
}

TEST(CodePageTest, LargePageComesBackWhole) {
  const std::string piece = "<p>标题 © 2024 — 😀 abc</p>\n";
  std::string page;
  while (page.size() < (1u << 20)) page += piece;
  bool exact = false;
  Text gbk = Utf8ToGbk(page, &exact);
  EXPECT_TRUE(exact);
  Text expected;
  for (std::size_t n = page.size() / piece.size(); n > 0; --n) expected += Utf8ToGbk(piece);
  EXPECT_TRUE(gbk == expected);
  EXPECT_TRUE(GbkToUtf8(gbk) == page);
}

}  // namespace
}  // namespace pagelink
