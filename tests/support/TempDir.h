// A fresh temporary directory per test, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kiv::test {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ =
        std::filesystem::temp_directory_path() / ("kivtest-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  void writeText(const std::string& name, const std::string& content) const {
    writeTextTo(path_ / name, content);
  }
  static void writeTextTo(const std::filesystem::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary);
    out << content;
  }
  std::string readText(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kiv::test
