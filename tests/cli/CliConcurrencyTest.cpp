// Commands started together in one data directory run one after the other:
// each prints what it prints alone, none sees another's work files.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "CliNetwork.h"
#include "data/DataDirLock.h"

namespace kiv::test {
namespace {

using Args = std::vector<std::string>;

TEST_F(CliTest, CommandsStartedTogetherGiveTheirSerialOutput) {
  const std::vector<Args> commands = {
      {"route", "東京", "上野", "--order", "time"},
      {"route", "東京", "秋葉原", "--order", "fare"},
      {"route", "神田", "上野"},
      {"faretable", "東京"},
      {"reqtime", "東京"},
      {"fastest", "東京", "上野"},
      {"timetable", "東京", "--hour", "9"},
  };
  std::vector<CliResult> serial;
  for (const Args& args : commands) {
    serial.push_back(run(args));
    ASSERT_EQ(serial.back().status, 0) << args[0] << ": " << serial.back().err;
  }
  constexpr int kRounds = 3;
  std::vector<std::future<CliResult>> runs;
  for (int round = 0; round < kRounds; ++round) {
    for (const Args& args : commands) {
      runs.push_back(std::async(std::launch::async, [this, args] { return run(args); }));
    }
  }
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const CliResult r = runs[i].get();
    const CliResult& alone = serial[i % commands.size()];
    EXPECT_EQ(r.status, 0) << commands[i % commands.size()][0] << ": " << r.err;
    EXPECT_EQ(r.out, alone.out) << commands[i % commands.size()][0];
  }
  // The settings file is whole: the last command's stations are on top.
  EXPECT_NE(settingOf(dir, "dep_h"), "(missing)");
  EXPECT_NE(settingOf(dir, "station_arv10"), "(missing)");
}

TEST_F(CliTest, ASecondCommandWaitsOrWithNoWaitFailsAtOnce) {
  DataDirLock held;
  ASSERT_EQ(held.acquire(dir.path(), false), DataDirLock::Result::kLocked);

  CliResult r = run({"--no-wait", "fare", "東京", "上野"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("another command is running in "), std::string::npos) << r.err;
  EXPECT_EQ(settingOf(dir, "station_dep1"), "上野");

  auto waiting = std::async(std::launch::async, [this] { return run({"fare", "東京", "上野"}); });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(700)), std::future_status::timeout);
  held.release();
  r = waiting.get();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("kiv4cli: waiting for another command in "), std::string::npos) << r.err;
  EXPECT_NE(r.out, "");

  // Usage errors and the help run no command and take no lock.
  ASSERT_EQ(held.acquire(dir.path(), false), DataDirLock::Result::kLocked);
  EXPECT_EQ(run({"--no-wait", "--help"}).status, 0);
  EXPECT_EQ(run({"--no-wait", "route"}).status, 2);
}

}  // namespace
}  // namespace kiv::test
