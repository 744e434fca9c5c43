#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
  int status;
  std::string output;
};

Outcome RunCli(const std::string& arguments) {
  const std::string command = std::string("'") + PAGELINK_CLI + "' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class CliTest : public testing::Test {
 protected:
  void SetUp() override {
    // A folder name with Chinese in it, as site folders often have; one per test, since the
    // tests may run at the same time.
    site_ = fs::temp_directory_path() /
            fs::u8path(std::string("pagelink-站点-") +
                       testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(site_);
    fs::copy(fs::path(PAGELINK_FIXTURES) / "site", site_);
  }
  void TearDown() override { fs::remove_all(site_); }

  fs::path site_;
};

TEST_F(CliTest, LinksTheSiteInTheGivenFolder) {
  const Outcome outcome = RunCli("'" + site_.string() + "'");

  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.output, "已经循环完毕\n");
  for (const char* page : {"2.html", "3.html", "4.html"}) {
    EXPECT_EQ(ReadAll(site_ / page), ReadAll(fs::path(PAGELINK_FIXTURES) / "linked" / page));
  }
}

TEST_F(CliTest, StartsFromTheGivenPageAndNamesPagesLeftAlone) {
  std::ofstream(site_ / "3.html", std::ios::binary) << "<title>\xC8\xFD</title>";  // GBK, not UTF-8

  const Outcome outcome = RunCli("--from 3 '" + site_.string() + "'");

  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.output, "已经循环完毕\n3.html：不是有效的 UTF-8 文本，未改动\n");
  EXPECT_EQ(ReadAll(site_ / "2.html"), ReadAll(fs::path(PAGELINK_FIXTURES) / "site" / "2.html"));
  EXPECT_EQ(ReadAll(site_ / "3.html"), "<title>\xC8\xFD</title>");
}

TEST_F(CliTest, RefusesWhatItCannotUse) {
  for (const std::string& arguments :
       {"'" + (site_ / "missing").string() + "'", std::string("--from"), std::string("--bogus")}) {
    const Outcome outcome = RunCli(arguments);
    EXPECT_EQ(outcome.status, 2) << arguments;
    EXPECT_NE(outcome.output.find("usage: pagelink-cli"), std::string::npos) << arguments;
  }
  EXPECT_EQ(ReadAll(site_ / "2.html"), ReadAll(fs::path(PAGELINK_FIXTURES) / "site" / "2.html"));
}

}  // namespace
