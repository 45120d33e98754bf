// The JSON of every command against golden files (tests/cli/golden), on the
// test network. Set KIV_UPDATE_GOLDEN=1 to rewrite the goldens after a
// deliberate change of a schema, and review the difference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "CliNetwork.h"

namespace kiv::test {
namespace {

std::string golden(const std::string& name) {
  std::ifstream in(std::filesystem::path(KIV_CLI_GOLDEN_DIR) / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void expectGolden(const std::string& name, const CliResult& r) {
  ASSERT_EQ(r.status, 0) << name << ": " << r.err;
  if (std::getenv("KIV_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(std::filesystem::path(KIV_CLI_GOLDEN_DIR) / name, std::ios::binary) << r.out;
  }
  EXPECT_EQ(r.out, golden(name)) << name;
}

TEST_F(CliTest, EveryCommandGivesItsDocumentedJson) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"route.json", {"route", "東京", "上野", "--order", "time", "--json"}},
      {"fastest.json", {"fastest", "東京", "上野", "--json"}},
      {"fare.json", {"fare", "神田", "高崎", "--json"}},
      {"faretable.json", {"faretable", "東京", "--json"}},
      {"reqtime.json", {"reqtime", "東京", "--json"}},
      {"timetable.json", {"timetable", "東京", "--hour", "9", "--json"}},
      {"find.json", {"find", "上", "--json"}},
  };
  for (const auto& [name, args] : cases) expectGolden(name, run(args));
}

TEST_F(CliTest, JsonFollowsTheTableOptionsAndGoesToTheOutputFile) {
  CliResult r = run({"faretable", "東京", "--block", "1", "--json"});
  EXPECT_EQ(r.out.find("ＪＲ東日本"), std::string::npos);
  EXPECT_NE(r.out.find("\"block\": 1"), std::string::npos);

  r = run({"reqtime", "東京", "--json", "-o", "times.json"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(dir.readText("times.json"), golden("reqtime.json"));
}

}  // namespace
}  // namespace kiv::test
