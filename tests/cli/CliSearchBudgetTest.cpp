// Route searches on the sample network at the widest limits the search
// conditions allow: the classic search ends after its work budget within a
// few seconds, lists the routes found so far and says that it was cut
// (its own line on standard error, exit status 3, "search_cut" in JSON;
// the engine's own test covers a cut list that holds routes).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

#ifdef KIV_SAMPLE_DIR

namespace kiv::test {
namespace {

class CliSearchBudgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& file : std::filesystem::directory_iterator(KIV_SAMPLE_DIR)) {
      if (file.path().filename().string()[0] != '$')
        std::filesystem::copy(file.path(), dir / file.path().filename().string());
    }
    dir.writeText("Kiv4.def", "dep_h = 12\ndep_m = 0\ndep_day = 1\ndep_systime = 0\n");
  }
  // Runs the command and checks that it ended within the time a user waits.
  CliResult runTimed(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    CliResult r = runCli(args, dir.path());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(kSecondsAtMost)) << args[1];
    return r;
  }

  // The budget holds a search to a few seconds in a plain build; under the
  // sanitizers on a loaded machine it takes about twenty. The bound only
  // catches a search without a budget, which runs for many minutes.
  static constexpr int kSecondsAtMost = 120;
  TempDir dir;
};

const std::string kCutLine = "kiv4cli: the search was cut short";
const std::string kRouteLimitLine = "検出経路数が設定値に達したため";

TEST_F(CliSearchBudgetTest, WidestLimitsEndWithinTheBudgetAndSaySo) {
  for (const auto& [from, to] : {std::pair{"日光", "久里浜"}, std::pair{"下仁田", "安房鴨川"}}) {
    const CliResult r = runTimed({"route", from, to, "--time", "20:00", "--day", "1", "--detour", "20",
                                  "--changes", "100", "--extra", "60", "--routes", "300"});
    EXPECT_EQ(r.status, 3) << from << ": " << r.err;
    EXPECT_NE(r.err.find(kCutLine), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(kRouteLimitLine), std::string::npos) << r.err;
    // Never "no route": the search did not finish.
    EXPECT_EQ(r.err.find("経路が見当たりません"), std::string::npos) << r.err;
  }
  // Cut before any route was found: nothing is listed, and the search does
  // not pass for one that found no route.
  const CliResult json = runTimed({"route", "日光", "久里浜", "--time", "20:00", "--day", "1", "--detour",
                                   "20", "--changes", "100", "--json"});
  EXPECT_EQ(json.status, 3) << json.err;
  EXPECT_NE(json.err.find(kCutLine), std::string::npos) << json.err;
}

TEST_F(CliSearchBudgetTest, SearchesWithinTheBudgetAreNotCut) {
  const CliResult r = runTimed({"route", "東京", "高崎", "--time", "9:00", "--day", "1", "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"search_cut\": false"), std::string::npos) << r.out;
  EXPECT_EQ(r.err.find(kCutLine), std::string::npos) << r.err;
  // At the route limit: its own message, exit status 0.
  const CliResult limited =
      runTimed({"route", "東京", "高崎", "--time", "9:00", "--day", "1", "--routes", "1"});
  EXPECT_EQ(limited.status, 0) << limited.err;
  EXPECT_NE(limited.err.find(kRouteLimitLine), std::string::npos) << limited.err;
}

}  // namespace
}  // namespace kiv::test

#endif
