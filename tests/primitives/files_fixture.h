#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "primitives/gbk.h"
#include "primitives/values.h"

namespace pagelink {

// A fresh folder for each test, removed afterwards, and the means to set pages up in it
// without the functions under test.
class FilesFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("pagelink-files-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder_, ignored);
  }

  // The path as the program names it: code page 936 text.
  static Text PathText(const std::filesystem::path& path) { return Utf16ToGbk(path.u16string()); }

  static void Put(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  static std::string Get(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  static Bytes AsBytes(const std::string& content) { return Bytes(content.begin(), content.end()); }

  // The names in a folder: a write must leave no temporary file behind.
  static std::vector<std::u16string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::u16string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().u16string());
    }
    return names;
  }

  std::filesystem::path folder_;
};

}  // namespace pagelink
