#include "linking/replace_pairs.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace pagelink {
namespace {

std::string Repeated(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
}

struct PairsCase {
  const char* name;
  std::string text;
  std::optional<std::int32_t> maximum_count, start_position;
  std::optional<bool> case_sensitive;
  std::string find1, with1, find2, with2, find3, with3;
  std::string expected;
};

TEST(ReplacePairsTest, AppliesThePairsInTurn) {
  const PairsCase cases[] = {
      {"three placeholders",
       "prev:{P} next:{N} title:{T}",
       {},
       {},
       {},
       "{p}",
       "1.html",
       "{n}",
       "3.html",
       "{t}",
       "Two",
       "prev:1.html next:3.html title:Two"},
      {"every occurrence when the count is left out",
       "aXbXc",
       {},
       {},
       {},
       "X",
       "-",
       "",
       "",
       "",
       "",
       "a-b-c"},
      {"count 0 changes nothing", "aXbXc", 0, {}, {}, "X", "-", "", "", "", "", "aXbXc"},
      {"negative count is every occurrence",
       "aXbXc",
       INT_MIN,
       {},
       {},
       "X",
       "-",
       "",
       "",
       "",
       "",
       "a-b-c"},
      {"count is per pair", "aXbXcYdY", 1, {}, {}, "X", "-", "Y", "+", "", "", "a-bXc+dY"},
      {"folds case by default", "aXbxc", {}, {}, {}, "x", "-", "", "", "", "", "a-b-c"},
      {"folds case when told false", "aXbxc", {}, {}, false, "x", "-", "", "", "", "", "a-b-c"},
      {"case-sensitive", "aXbxc", {}, {}, true, "x", "-", "", "", "", "", "aXb-c"},
      {"start 0 is 1", "XaX", {}, 0, {}, "X", "-", "", "", "", "", "-a-"},
      {"bytes before the start stay", "XaX", {}, 2, {}, "X", "-", "", "", "", "", "Xa-"},
      {"negative start is the beginning", "XaX", {}, INT_MIN, {}, "X", "-", "", "", "", "", "-a-"},
      {"later pairs see earlier insertions", "A", {}, {}, {}, "A", "B", "B", "C", "", "", "C"},
      {"a replacement holding its find text is inserted once",
       "ab",
       {},
       {},
       {},
       "a",
       "aa",
       "",
       "",
       "",
       "",
       "aab"},
      {"empty text", "", {}, {}, {}, "a", "b", "", "", "", "", ""},
      {"whole text replaced by nothing", "abc", {}, {}, {}, "abc", "", "", "", "", "", ""},
      {"a find text behind a lead byte stays",
       "\x81xin xin",
       {},
       {},
       {},
       "xin",
       "-",
       "",
       "",
       "",
       "",
       "\x81xin -"},
  };
  for (const PairsCase& c : cases) {
    EXPECT_EQ(ReplacePairs(c.text, c.maximum_count, c.start_position, c.case_sensitive, c.find1,
                           c.with1, c.find2, c.with2, c.find3, c.with3),
              c.expected)
        << c.name;
  }
}

TEST(ReplacePairsTest, CountRestartsForEachPair) {
  const std::string text = Repeated("x", 101) + Repeated("y", 101);
  const std::string expected = Repeated("-", 100) + "x" + Repeated("+", 100) + "y";
  EXPECT_EQ(ReplacePairs(text, 100, {}, {}, "x", "-", "y", "+"), expected);
}

TEST(ReplacePairsTest, UsesAllFivePairs) {
  EXPECT_EQ(ReplacePairs("12345", {}, {}, {}, "1", "a", "2", "b", "3", "c", "4", "d", "5", "e"),
            "abcde");
}

}  // namespace
}  // namespace pagelink
