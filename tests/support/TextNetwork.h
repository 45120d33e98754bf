// Test networks written in the data compiler's own text format (data/README.md)
// and compiled in-process into a temporary data directory:
//
//   DataDir dir = compileNetwork(R"(
//   line 本線
//   kind 幹線
//     0.0 甲 こう
//     5.0 乙 おつ
//   )");
//
// A source the compiler rejects fails the test with its messages.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TempDir.h"

namespace kiv::test {

// A source file of a network: its path relative to the source directory
// (which fixes the file order) and its UTF-8 text.
using SourceText = std::pair<std::string, std::string>;

// Compiles the sources into `dir`, replacing its data files; false (and a
// test failure naming every message of the compiler) when they are wrong.
bool compileNetworkInto(const TempDir& dir, const std::vector<SourceText>& files);
bool compileNetworkInto(const TempDir& dir, std::string_view source);

// A fresh temporary data directory holding a compiled network.
class DataDir {
 public:
  DataDir() : dir_(std::make_unique<TempDir>()) {}

  const TempDir& temp() const { return *dir_; }
  const std::filesystem::path& path() const { return dir_->path(); }
  std::filesystem::path operator/(const std::string& name) const { return *dir_ / name; }
  std::string readText(const std::string& name) const { return dir_->readText(name); }

 private:
  std::unique_ptr<TempDir> dir_;
};

// A JR trunk line 甲 - 乙 - 丙, 1 km a section, for timetable tests in which
// the distances play no part; the trains follow it in the test's source.
inline constexpr char kLineKoOtsuHei[] = R"(
line 本線
kind 幹線
  0.0 甲 x
  1.0 乙 x
  2.0 丙 x
)";

DataDir compileNetwork(const std::vector<SourceText>& files);
DataDir compileNetwork(std::string_view source);

}  // namespace kiv::test
