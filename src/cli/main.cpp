// pagelink-cli: the linking run without a window, for scripts and scheduled jobs.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/headless_window.h"
#include "linking/codepage.h"
#include "linking/link_page.h"
#include "primitives/files.h"

namespace {

constexpr const char* kUsage =
    "usage: pagelink-cli [--from N] [FOLDER]\n"
    "Links the numbered pages N.html, N+1.html, ... in FOLDER (default: the current folder),\n"
    "starting from page N (default: 2), as the window's button does.\n"
    "Exit status: 0 when every page was linked, 1 when some page was left as it was (the\n"
    "message says which and why), 2 on a usage error.\n";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "pagelink-cli: %s\n%s", problem.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pagelink;
  const std::vector<std::string> args = CommandLineUtf8(argc, argv);
  std::string first_page = "2";
  std::string folder = ".";
  bool folder_given = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (args[i] == "--from") {
      if (++i == args.size()) return UsageError("--from needs a page number");
      first_page = args[i];
    } else if (!folder_given && !args[i].starts_with("-")) {
      folder = args[i];
      folder_given = true;
    } else {
      return UsageError("unexpected argument: " + args[i]);
    }
  }
  std::error_code error;
  if (!std::filesystem::is_directory(std::filesystem::u8path(folder), error)) {
    return UsageError("not a folder: " + folder);
  }

  UseUtf8Console();
  FixRunDirectory(Utf8ToGbk(folder));
  HeadlessWindow window;
  window.SetControlText(Box::编辑框2, Utf8ToGbk(first_page));
  window.BindClick([&window] { LinkPage(window); });
  window.Click();

  bool all_linked = true;
  for (const auto& message : window.messages()) {
    const std::string text = GbkToUtf8(message.text);
    std::fprintf(stdout, "%s\n", text.c_str());
    all_linked = all_linked && text.find('\n') == std::string::npos;
  }
  return all_linked ? 0 : 1;
}
