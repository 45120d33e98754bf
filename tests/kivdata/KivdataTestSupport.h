// A source tree for the data compiler in a temporary directory, and a way to
// run the kivdata command on it.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Kivdata.h"
#include "TempDir.h"

namespace kiv::test {

struct KivdataRun {
  int rc = 0;
  std::string out;
  std::string err;
};

inline KivdataRun runKivdataCommand(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  KivdataRun run;
  run.rc = kiv::data::runKivdata(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

class SourceTree {
 public:
  std::filesystem::path src() const { return tmp_.path() / "src"; }
  std::filesystem::path root() const { return tmp_.path(); }

  void write(const std::string& rel, const std::string& text) const {
    std::filesystem::path p = src() / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }

  KivdataRun build(const std::filesystem::path& out) const {
    return runKivdataCommand({"build", src().string(), out.string()});
  }

  // The names of the entries directly in the temporary root.
  std::vector<std::string> rootEntries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(root()))
      names.push_back(e.path().filename().string());
    return names;
  }

 private:
  TempDir tmp_;
};

inline std::string readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A small network: a JR line over three line kinds, a private line sharing a
// station with it, trains in both directions, a walk, a change time, fares.
// Stations: 甲 1, 乙 2, 丙 3, 丁 4 (JR), 戊 5, 己 6 (network 10).
inline void writeFixture(const SourceTree& tree) {
  tree.write("jr/01-main.txt",
             "# the JR line\n"
             "line 本線\n"
             "title 本線（甲～丁）\n"
             "kind 山手線内\n"
             "   0.0 甲 こう\n"
             "   2.0 乙 おつ\n"
             "kind 幹線\n"
             "  12.5 丙 へい\n"
             "kind 地方交通線\n"
             "  20.0 丁 てい fare=22.0\n"
             "\n"
             "train 本線(下り)\n"
             "terminal 丁\n"
             "order 2\n"
             "speed 60\n"
             "at 10 50 hours 6-22   # the :50 train passes 丙 in the next hour\n"
             "甲\n"
             "乙 3\n"
             "丙\n"
             "丁 8\n"
             "\n"
             "train 本線(上り)\n"
             "terminal 甲\n"
             "every 15 hours 6-22 days 平日\n"
             "reverse 本線(下り)\n"
             "\n"
             "change 乙 本線(下り) 本線(上り) 4\n"
             "fare 0 甲 丁 500\n"
             "reduce 0 丙 甲 20\n");
  tree.write("pr/01-private.txt",
             "line 私鉄線\n"
             "network 10\n"
             "zone 1\n"
             "   0.0 戊 ぼ\n"
             "   3.0 丙\n"
             "zone 0\n"
             "   5.5 己 き\n"
             "\n"
             "train 私鉄線(上り)\n"
             "network 10\n"
             "terminal 己\n"
             "every 10 hours 0-23\n"
             "along 私鉄線 戊 己\n"
             "speed 30\n"
             "\n"
             "walk 丁 戊 6\n");
}

}  // namespace kiv::test
