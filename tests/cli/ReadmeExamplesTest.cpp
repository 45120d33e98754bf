// The README's examples run as printed: each "$ build/app/kiv4cli ..." line
// of its Examples section runs on a copy of the sample network, succeeds,
// and prints the lines shown under it ("..." stands for lines left out).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CliRunner.h"
#include "TempDir.h"

namespace kiv::test {
namespace {

struct Example {
  std::string command;
  std::vector<std::string> shown;  // the output lines; "..." where lines are left out
};

std::vector<Example> readmeExamples() {
  std::ifstream in(std::filesystem::path(KIV_SOURCE_DIR) / "README.md");
  std::string line;
  bool inSection = false;
  std::vector<Example> examples;
  bool inOutput = false;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## Examples";
    if (!inSection) continue;
    if (line.rfind("    $ ", 0) == 0) {
      examples.push_back({line.substr(6), {}});
      inOutput = true;
    } else if (inOutput && (line.empty() || line.rfind("    ", 0) == 0)) {
      examples.back().shown.push_back(line.empty() ? line : line.substr(4));
    } else {
      inOutput = false;
    }
  }
  for (Example& e : examples) {
    while (!e.shown.empty() && e.shown.back().empty()) e.shown.pop_back();
  }
  return examples;
}

std::vector<std::string> words(const std::string& command) {
  std::vector<std::string> w;
  std::istringstream in(command);
  for (std::string word; in >> word;) w.push_back(word);
  return w;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> l;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) l.push_back(line);
  return l;
}

// True when the shown lines are the output's, in order: the first run at
// the start, runs after "..." anywhere later, the last at the end unless
// "..." closes the example.
bool showsOutput(const std::vector<std::string>& shown, const std::vector<std::string>& out) {
  std::size_t at = 0;
  bool anywhere = false;
  for (std::size_t i = 0; i < shown.size();) {
    if (shown[i] == "...") {
      anywhere = true;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < shown.size() && shown[end] != "...") ++end;
    const std::vector<std::string> run(shown.begin() + static_cast<std::ptrdiff_t>(i),
                                       shown.begin() + static_cast<std::ptrdiff_t>(end));
    const bool last = end == shown.size();
    bool found = false;
    for (std::size_t from = at; from + run.size() <= out.size() && !found; ++from) {
      if (!anywhere && from != at) break;
      if (last && from + run.size() != out.size()) continue;
      found = std::equal(run.begin(), run.end(), out.begin() + static_cast<std::ptrdiff_t>(from));
      if (found) at = from + run.size();
    }
    if (!found) return false;
    i = end;
  }
  return true;
}

TEST(ReadmeExamples, RunAsPrinted) {
  const std::vector<Example> examples = readmeExamples();
  ASSERT_GE(examples.size(), 5u);
  TempDir sample;
  std::filesystem::copy(KIV_SAMPLE_DIR, sample.path(), std::filesystem::copy_options::recursive);
  std::filesystem::remove(sample / "Kiv4.def");
  for (const Example& e : examples) {
    std::vector<std::string> args = words(e.command);
    ASSERT_EQ(args.at(0), "build/app/kiv4cli") << e.command;
    args.erase(args.begin());
    for (std::string& a : args) {
      if (a == "build/sample") a = sample.path().string();
    }
    const CliResult r = runCli(args);
    EXPECT_EQ(r.status, 0) << e.command << ": " << r.err;
    EXPECT_TRUE(showsOutput(e.shown, lines(r.out))) << e.command << "\n" << r.out;
  }
}

}  // namespace
}  // namespace kiv::test
