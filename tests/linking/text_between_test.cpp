#include "linking/text_between.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace pagelink {
namespace {

struct BetweenCase {
  const char* name;
  std::string text, start_marker, end_marker;
  std::optional<std::int32_t> start_position;
  std::optional<bool> ignore_case;
  std::string expected;
};

TEST(TextBetweenTest, CutsWhatStandsBetweenTheMarkers) {
  const std::string page =
      "<html><head><title> \xD0\xC2\xCE\xC5 News </title></head><body>x</body></html>";
  const BetweenCase cases[] = {
      {"title with its spaces", page, "<title>", "</title>", {}, {}, " \xD0\xC2\xCE\xC5 News "},
      {"empty title", "<title></title>", "<title>", "</title>", {}, {}, ""},
      {"first start marker counts",
       "<title>A</title><title>B</title>",
       "<title>",
       "</title>",
       {},
       {},
       "A"},
      {"start position skips earlier markers",
       "<title>A</title><title>B</title>",
       "<title>",
       "</title>",
       2,
       {},
       "B"},
      {"start position below 1 is the beginning",
       "<title>A</title>",
       "<title>",
       "</title>",
       INT_MIN,
       {},
       "A"},
      {"start position past the end", "<title>A</title>", "<title>", "</title>", INT_MAX, {}, ""},
      {"ends at the first end marker behind",
       "<title>A</title>B</title>",
       "<title>",
       "</title>",
       {},
       {},
       "A"},
      {"end marker only in front", "</title>x<title>A", "<title>", "</title>", {}, {}, ""},
      {"no end marker", "<title>A", "<title>", "</title>", {}, {}, ""},
      {"no start marker", "A</title>", "<title>", "</title>", {}, {}, ""},
      {"end marker never overlaps the start marker", "<a>b", "<a>", "a>", {}, {}, ""},
      {"empty text", "", "<title>", "</title>", {}, {}, ""},
      {"capitals are not found by default", "<TITLE>A</TITLE>", "<title>", "</title>", {}, {}, ""},
      {"capitals are not found with false",
       "<TITLE>A</TITLE>",
       "<title>",
       "</title>",
       {},
       false,
       ""},
      {"capitals are found ignoring case",
       "<TITLE>A</TITLE>",
       "<title>",
       "</title>",
       {},
       true,
       "A"},
      {"#引号 stands for a double quote",
       "<a href=\"u.html\">",
       "href=#\xD2\xFD\xBA\xC5",
       "#\xD2\xFD\xBA\xC5",
       {},
       {},
       "u.html"},
      {"a real double quote is used unchanged",
       "<a href=\"u.html\">",
       "href=\"",
       "\"",
       {},
       {},
       "u.html"},
      {"a marker hidden behind a lead byte is not found",
       "\x81<title>A</title><title>B</title>",
       "<title>",
       "</title>",
       {},
       {},
       "B"},
  };
  for (const BetweenCase& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.start_marker, c.end_marker, c.start_position, c.ignore_case),
              c.expected)
        << c.name;
  }
}

TEST(TextBetweenTest, LeavesTheCallersMarkersAlone) {
  const Text start = "id=#\xD2\xFD\xBA\xC5";
  const Text end = "#\xD2\xFD\xBA\xC5";
  EXPECT_EQ(TextBetween("<p id=\"7\">", start, end), "7");
  EXPECT_EQ(start, "id=#\xD2\xFD\xBA\xC5");
  EXPECT_EQ(end, "#\xD2\xFD\xBA\xC5");
}

}  // namespace
}  // namespace pagelink
