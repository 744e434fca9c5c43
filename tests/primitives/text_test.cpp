#include "primitives/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace pagelink {
namespace {

// Byte strings are written with \x escapes; a literal is split ("\xB0" "a") wherever a hex
// escape would otherwise swallow the next character.

TEST(TextLengthTest, CountsBytesUpToTheFirstZero) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("\xD6\xD0\xCE\xC4"), 4);  // 中文
  EXPECT_EQ(TextLength(std::string("ab\0cd", 5)), 2);
}

TEST(JoinTextTest, JoinsInOrderTreatingEmptyAsAbsent) {
  EXPECT_EQ(JoinText({"", "a", ""}), "a");
  EXPECT_EQ(JoinText({"", ""}), "");
  EXPECT_EQ(JoinText({"C:\\site", "\\", "12", ".html"}), "C:\\site\\12.html");
}

TEST(CompareTextTest, OrdersUnsignedBytesAndPrefixes) {
  struct Case {
    std::string left, right;
    int expected;
  };
  const Case cases[] = {
      {"", "", 0},       {"a", "", 1},     {"", "a", -1},    {"a", "b", -1},
      {"ab", "abc", -1}, {"abc", "ab", 1}, {"\x80", "a", 1}, {"\xD6\xD0", "\xD6\xD0", 0},
      {"a", "\xFF", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareText(c.left, c.right), c.expected) << c.left << " vs " << c.right;
  }
}

TEST(TruncateToIntTest, DropsTheFractionTowardZeroAndKeepsLow32Bits) {
  struct Case {
    double value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {4.0, 4},
      {-0.5, 0},
      {2147483648.0, INT_MIN},   // low 32 bits of 2^31
      {4294967298.7, 2},         // 2^32 + 2
      {-2147483649.0, INT_MAX},  // -2^31 - 1 wraps
      {1e300, 0},                // beyond 64 bits: no value to take bits from
      {-1e300, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {std::numeric_limits<double>::infinity(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TruncateToInt(c.value), c.expected) << c.value;
}

TEST(MidTextTest, CutsBytesAndClipsOutOfRange) {
  struct Case {
    std::string text;
    std::int32_t start, length;
    std::string expected;
  };
  const Case cases[] = {
      {"abcdef", 2, 3, "bcd"},
      {"abc", 2, 10, "bc"},
      {"abc", 1, 3, "abc"},
      {"abc", 3, 1, "c"},
      {"abc", 0, 2, ""},
      {"abc", 4, 1, ""},
      {"abc", 2, 0, ""},
      {"abc", 2, -1, ""},
      {"abc", INT_MIN, INT_MAX, ""},
      {"abc", INT_MAX, INT_MAX, ""},
      {"abc", 1, INT_MAX, "abc"},
      {"", 1, 1, ""},
      {"\xB0\xA1\xB0\xA1", 2, 2, "\xA1\xB0"},  // may split a double-byte character
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MidText(c.text, c.start, c.length), c.expected)
        << c.text << " from " << c.start << " for " << c.length;
  }
}

struct FindCase {
  const char* name;
  std::string text, sub;
  std::int32_t start;
  bool ignore_case;
  std::int32_t expected;
};

TEST(FindTextTest, FindsOnCharacterBoundariesFromTheStart) {
  const FindCase cases[] = {
      {"plain", "abc", "b", 1, false, 2},
      {"counted from the whole text", "abcabc", "c", 4, false, 6},
      {"start 0 is the beginning", "abcabc", "c", 0, false, 3},
      {"negative start is the beginning", "abcabc", "c", -5, false, 3},
      {"INT_MIN start is the beginning", "abcabc", "c", INT_MIN, false, 3},
      {"start past the end", "abc", "b", 4, false, -1},
      {"INT_MAX start", "abc", "b", INT_MAX, false, -1},
      {"not present", "abc", "d", 1, false, -1},
      {"longer than the text", "ab", "abc", 1, false, -1},
      {"at the very end", "abc", "bc", 1, false, 2},
      {"empty sub is found at 1", "abc", "", 1, false, 1},
      {"empty sub from 3 is still 1", "abc", "", 3, false, 1},
      {"empty sub past the end", "abc", "", 4, false, -1},
      {"empty text", "", "", 1, false, -1},
      {"empty text, some sub", "", "a", 1, false, -1},
      {"case respected", "ABC", "b", 1, false, -1},
      {"case ignored", "ABC", "b", 1, true, 2},
      {"only ASCII letters fold", "[\\]", "{|}", 1, true, -1},
      {"second byte of a character is skipped", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 1, false, -1},
      {"0x80 takes the next byte",
       "\x80"
       "aa",
       "a", 1, false, 3},
      {"0xFF takes the next byte",
       "\xFF"
       "aa",
       "a", 1, false, 3},
      {"from 1 the pair is split", "\xB0\xA1\xB0\xA1", "\xA1\xB0", 1, false, -1},
      {"from 2 the walk starts on a second byte", "\xB0\xA1\xB0\xA1", "\xA1\xB0", 2, false, 2},
      {"fold reaches second bytes", "\x81\x41", "\x81\x61", 1, true, 1},
      {"exact when not folding", "\x81\x41", "\x81\x61", 1, false, -1},
      {"lone lead byte at the end", "ab\xB0", "\xB0", 1, false, 3},
      {"a placeholder hidden behind a lead byte",
       "\x81\x78"
       "inwenzhongxin/lingdaohuodong/2022/1020/475.html",
       "xinwenzhongxin/lingdaohuodong/2022/1020/475.html", 1, false, -1},
      {"the same placeholder behind ASCII",
       "\x21\x78"
       "inwenzhongxin/lingdaohuodong/2022/1020/475.html",
       "xinwenzhongxin/lingdaohuodong/2022/1020/475.html", 1, false, 2},
      {"stops at a zero byte", std::string("ab\0c", 4), "c", 1, false, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sub, c.start, c.ignore_case), c.expected) << c.name;
  }
}

struct ReplaceCase {
  const char* name;
  std::string text, sub, replacement;
  std::int32_t start, count;
  bool case_sensitive;
  std::string expected;
};

TEST(ReplaceTextTest, ReplacesLeftToRightWithinStartAndCount) {
  const ReplaceCase cases[] = {
      {"every occurrence", "aXbXc", "X", "-", 1, kNoLimit, true, "a-b-c"},
      {"count 1", "aXbXc", "X", "-", 1, 1, true, "a-bXc"},
      {"from 3", "aXbXc", "X", "-", 3, kNoLimit, true, "aXb-c"},
      {"from 3, count 1", "aXbXc", "X", "-", 3, 1, true, "aXb-c"},
      {"start 0 is the beginning", "aXbXc", "X", "-", 0, kNoLimit, true, "a-b-c"},
      {"INT_MIN start is the beginning", "aXbXc", "X", "-", INT_MIN, kNoLimit, true, "a-b-c"},
      {"negative count has no limit", "aXbXc", "X", "-", 1, -3, true, "a-b-c"},
      {"INT_MIN count has no limit", "aXbXc", "X", "-", 1, INT_MIN, true, "a-b-c"},
      {"start past the end", "aXbXc", "X", "-", 6, kNoLimit, true, "aXbXc"},
      {"INT_MAX start", "aXbXc", "X", "-", INT_MAX, kNoLimit, true, "aXbXc"},
      {"count 0", "aXbXc", "X", "-", 1, 0, true, "aXbXc"},
      {"count larger than occurrences", "aXbXc", "X", "-", 1, INT_MAX, true, "a-b-c"},
      {"folding", "aXbxc", "x", "-", 1, 100, false, "a-b-c"},
      {"case-sensitive", "aXbxc", "x", "-", 1, 100, true, "aXb-c"},
      {"empty sub", "aXbXc", "", "-", 1, kNoLimit, false, "aXbXc"},
      {"empty replacement deletes", "aXbXc", "X", "", 1, kNoLimit, false, "abc"},
      {"no overlap", "aaa", "aa", "b", 1, kNoLimit, false, "ba"},
      {"inserted text is not searched again", "ab", "a", "aa", 1, kNoLimit, false, "aab"},
      {"second-byte occurrence stays", "\xB0\xA1\xA1\xB0", "\xA1\xA1", "x", 1, kNoLimit, false,
       "\xB0\xA1\xA1\xB0"},
      {"whole text replaced by nothing", "abc", "abc", "", 1, kNoLimit, false, ""},
      {"empty text", "", "a", "b", 1, kNoLimit, false, ""},
      {"Chinese by Chinese", "\xD6\xD0\xCE\xC4\xD6\xD0", "\xD6\xD0", "\xD0\xC2", 1, kNoLimit, false,
       "\xD0\xC2\xCE\xC4\xD0\xC2"},
      {"fold reaches second bytes",
       "\x81\x41"
       "A",
       "\x81\x61", "-", 1, kNoLimit, false, "-A"},
      {"lone lead byte at the end is kept", "aX\xB0", "X", "-", 1, kNoLimit, false, "a-\xB0"},
      {"lone lead byte, sub not found", "ab\xB0", "c", "-", 1, kNoLimit, false, "ab\xB0"},
      {"lone lead byte itself replaced", "ab\xB0", "\xB0", "-", 1, kNoLimit, false, "ab-"},
      {"bytes before the start are never searched", "XXXX", "XX", "-", 2, kNoLimit, false, "X-X"},
      {"text ends at a zero byte", std::string("aX\0X", 4), "X", "-", 1, kNoLimit, false, "a-"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.sub, c.replacement, c.start, c.count, c.case_sensitive),
              c.expected)
        << c.name;
  }
}

TEST(ReplaceTextTest, DefaultsReplaceEveryOccurrenceFoldingCase) {
  EXPECT_EQ(ReplaceText("aXbxc", "x"), "abc");
  EXPECT_EQ(ReplaceText("aXbxc", "x", "-"), "a-b-c");
}

// The walk written as plainly as possible, one character at a time, to check the searching
// operations against on many generated texts where lead bytes, second bytes and letters of
// either case meet in every arrangement.
bool SameAt(const std::string& text, std::size_t p, const std::string& sub, bool fold) {
  for (std::size_t i = 0; i < sub.size(); ++i) {
    char a = text[p + i], b = sub[i];
    if (fold) {
      if (a >= 'A' && a <= 'Z') a += 0x20;
      if (b >= 'A' && b <= 'Z') b += 0x20;
    }
    if (a != b) return false;
  }
  return true;
}

std::string WalkReplace(const std::string& text, const std::string& sub, const std::string& with,
                        std::int32_t start, std::int32_t count, bool fold, std::int32_t* first) {
  *first = -1;
  const long long offset = start < 1 ? 0 : start - 1LL;
  if (text.empty() || sub.empty() || offset >= static_cast<long long>(text.size()) || count == 0) {
    return text;
  }
  std::string result = text.substr(0, offset);
  long long p = offset, remaining = static_cast<long long>(text.size()) - offset;
  const long long s = static_cast<long long>(sub.size());
  while (remaining >= s) {
    if (SameAt(text, p, sub, fold)) {
      if (*first == -1) *first = static_cast<std::int32_t>(p + 1);
      result += with;
      p += s;
      remaining -= s;
      if (count > 0 && --count == 0) break;
    } else {
      const long long step = static_cast<unsigned char>(text[p]) >= 0x80 ? 2 : 1;
      result += text.substr(p, step);
      p += step;
      remaining -= step;
    }
  }
  if (p < static_cast<long long>(text.size())) result += text.substr(p);
  return result;
}

TEST(SearchTest, AgreesWithTheCharacterWalkOnGeneratedTexts) {
  const char alphabet[] = {'a', 'A', 'x', 'X', '>', '\x81', '\xB0', '\xA1', '\xFF'};
  std::mt19937 random(20221020);
  auto pick = [&](int from, int to) { return std::uniform_int_distribution(from, to)(random); };
  auto make = [&](int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text += alphabet[pick(0, sizeof alphabet - 1)];
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string text = make(pick(0, 24));
    const std::string sub = make(pick(1, 3));
    const std::int32_t start = pick(-1, 26);
    const std::int32_t count = pick(-1, 3);
    const bool fold = pick(0, 1) == 1;
    std::int32_t first = 0;
    const std::string expected = WalkReplace(text, sub, "<>", start, count, fold, &first);
    ASSERT_EQ(ReplaceText(text, sub, "<>", start, count, !fold), expected) << "round " << round;
    const std::int32_t found = FindText(text, sub, start, fold);
    ASSERT_EQ(found, count == 0 ? found : first) << "round " << round;
  }
}

TEST(TextToIntTest, ParsesLeadingDecimalAfterFoldingFullWidth) {
  struct Case {
    std::string text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {" 42", 42},
      {"+7", 7},
      {"007", 7},
      {"-7x", -7},
      {"\t\n12", 12},
      {"\v\f\r 9", 9},
      {"3.9", 3},
      {"1e3", 1},
      {"0x1F", 0},
      {"abc", 0},
      {"- 5", 0},
      {"+-5", 0},
      {"", 0},
      {"\xA3\xB1\xA3\xB2", 12},  // full-width digits
      {"\xA3\xAD\xA3\xB5", -5},  // full-width minus
      {"\xA3\xAB\xA3\xB5", 5},   // full-width plus
      {"\xA1\xA1"
       "5",
       5},  // ideographic space
      {"1\xA3\xB0"
       "0",
       100},  // ASCII and full-width digits mix
      {"\xB0\xA1"
       "5",
       0},               // a Chinese character is not a blank
      {"5\x81\x35", 5},  // the second byte of a pair is no digit
      {"7\xB0", 7},      // lone lead byte at the end
      {"2147483647", INT_MAX},
      {"2147483648", INT_MIN},
      {"4294967298", 2},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MAX},
      {"99999999999999999999", 1661992959},  // keeps wrapping digit after digit
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.expected) << c.text;
}

TEST(NumberToTextTest, WritesThirteenSignificantDigitsWithThreeDigitExponent) {
  struct Case {
    double value;
    std::string expected;
  };
  const Case cases[] = {
      {3.0, "3"},
      {0.0, "0"},
      {-0.0, "0"},
      {-1.0, "-1"},
      {2147483648.0, "2147483648"},
      {-2147483649.0, "-2147483649"},
      {0.5, "0.5"},
      {1.0 / 3.0, "0.3333333333333"},
      {2.0 / 3.0, "0.6666666666667"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00001, "1e-005"},
      {0.000015, "1.5e-005"},
      {123456.5, "123456.5"},
      {1234567890123.0, "1234567890123"},
      {1e13, "1e+013"},
      {12345678901234.0, "1.234567890123e+013"},
      {9999999999999.5, "1e+013"},  // rounds up into the next decade
      {-1.5e100, "-1.5e+100"},
      {1e-300, "1e-300"},
      {1.7976931348623157e308, "1.797693134862e+308"},
      {5e-324, "4.940656458412e-324"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToText(c.value), c.expected) << c.expected;
}

TEST(NumberToTextTest, WritesIntegersInPlainDecimal) {
  EXPECT_EQ(NumberToText(std::int32_t{-12}), "-12");
  EXPECT_EQ(NumberToText(std::int32_t{0}), "0");
  EXPECT_EQ(NumberToText(std::int32_t{INT_MIN}), "-2147483648");
  EXPECT_EQ(NumberToText(std::int32_t{INT_MAX}), "2147483647");
}

TEST(BlankTextTest, MakesCountSpaces) {
  EXPECT_EQ(BlankText(3), "   ");
  EXPECT_EQ(BlankText(0), "");
  EXPECT_EQ(BlankText(-1), "");
  EXPECT_EQ(BlankText(INT_MIN), "");
}

}  // namespace
}  // namespace pagelink
