// The command line itself: help, usage errors, option values, station
// operands and the data directory.
#include <gtest/gtest.h>

#include <tuple>

#include "CliNetwork.h"
#include "data/StaNameFile.h"

namespace kiv::test {
namespace {

using Args = std::vector<std::string>;

TEST_F(CliTest, HelpListsEveryCommandAndOptionAndRunsNothing) {
  for (const Args& args :
       {Args{"--help"}, Args{"-h"}, Args{"route", "新宿", "--help"}, Args{"--bogus", "-h"}}) {
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_EQ(r.err, "");
    for (const char* word :
         {"route",    "fastest",  "fare",    "faretable", "reqtime",         "timetable", "stations",
          "jrcheap",  "tokyo101", "--time",  "--day",     "--detour",        "--extra",   "--changes",
          "--routes", "--order",  "--plain", "--network", "--no-tokyo-rule", "--block",   "--table",
          "--csv",    "-o FILE",  "--hour",  "--group",   "-C DIR",          "--sjis",    "Exit status"}) {
      EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
  }
  EXPECT_EQ(settingOf(dir, "station_dep1"), "上野");
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL1.kv4"));
}

// Which lines are malformed is tested in-process (ArgumentsTest.cpp); here
// the program's answer to one: the usage on standard error, status 2, and
// nothing run.
TEST_F(CliTest, MalformedCommandLinesPrintTheUsageAndExitWithTwo) {
  const std::string settingsBefore = dir.readText("Kiv4.def");
  for (const Args& args :
       {Args{}, Args{"bogus"}, Args{"route", "東京", "上野", "--bogus"}, Args{"help", "bogus"}}) {
    const CliResult r = run(args);
    const std::string shown = args.empty() ? "(none)" : args[0] + " ... " + args.back();
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.out, "") << shown;
    EXPECT_EQ(r.err.rfind("kiv4cli: ", 0), 0u) << shown << ": " << r.err;
    EXPECT_NE(r.err.find("usage: kiv4cli"), std::string::npos) << shown;
  }
  // Nothing ran: no engine was built, so the settings file was not rewritten.
  EXPECT_EQ(dir.readText("Kiv4.def"), settingsBefore);
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL1.kv4"));
  // Options may also stand before the command, and "--" ends them.
  EXPECT_EQ(runCli({"--sjis", "-C", dir.path().string(), "stations"}).status, 0);
  EXPECT_EQ(runCli({"-C" + dir.path().string(), "--", "stations"}).status, 0);
}

TEST_F(CliTest, HelpOfOneCommandAndTheVersionGoToStandardOutput) {
  CliResult r = run({"help", "route"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("usage: kiv4cli [-C DIR] route FROM TO [OPTIONS]\n", 0), 0u) << r.out;
  for (const char* word : {"--detour KM", "Examples", "kiv4cli route 東京 高崎", "FILES", "$MltRtL1.kv4"}) {
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  }
  // File names stand in the FILES section only.
  EXPECT_EQ(r.out.substr(0, r.out.find("FILES")).find(".kv4"), std::string::npos);
  r = run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("kiv4cli ", 0), 0u);
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, UnknownStationsGiveTheStationBoxMessagesAndChangeNothing) {
  const std::string departure = "出発駅の入力が正しくありません\n";
  const std::string arrival = "到着駅の入力が正しくありません\n";
  const std::vector<std::pair<Args, std::string>> cases = {
      {{"route", "新宿", "上野"}, departure},
      {{"route", "東京", "新宿"}, arrival},
      {{"route", "新宿", "新宿"}, departure},
      {{"route", " 東京", "上野"}, departure},
      {{"route", "東京", "上野 "}, arrival},
      {{"route", "#0", "上野"}, departure},
      {{"route", "#6", "上野"}, departure},
      {{"route", "#", "上野"}, departure},
      {{"route", "#1a", "上野"}, departure},
      {{"route", "#-1", "上野"}, departure},
      {{"route", "#99999999999", "上野"}, departure},
      {{"route", "東京", "#65536"}, arrival},
      {{"route", "\xff\xfe", "上野"}, departure},
      {{"route", "", "上野"}, departure},
      {{"fastest", "東京", "新宿"}, arrival},
      {{"fare", "新宿", "上野"}, departure},
      {{"faretable", "新宿"}, departure},
      {{"reqtime", "#7"}, departure},
      {{"timetable", "新宿"}, departure},
  };
  for (const auto& [args, message] : cases) {
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 1) << args[1] << " " << args.back();
    // The station box's message, then what was wrong with the text.
    EXPECT_EQ(r.err.rfind(message + "kiv4cli: ", 0), 0u) << args[1] << " " << args.back() << ": " << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(settingOf(dir, "station_dep1"), "上野");
  EXPECT_EQ(settingOf(dir, "station_dep2"), "");
  EXPECT_EQ(settingOf(dir, "station_arv1"), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL1.kv4"));
}

TEST_F(CliTest, EqualStationsAreRefusedBeforeAnythingChanges) {
  for (const Args& args :
       {Args{"route", "東京", "#1"}, Args{"fastest", "#4", "上野"}, Args{"fare", "神田", "神田"}}) {
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err, "出発駅と到着駅が同じです\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(settingOf(dir, "station_dep1"), "上野");
  EXPECT_EQ(settingOf(dir, "station_arv1"), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL1.kv4"));
  EXPECT_FALSE(std::filesystem::exists(dir / "$TT$.kv4"));
}

TEST_F(CliTest, StationNumbersStandForTheirNames) {
  const CliResult byName = run({"route", "東京", "上野"});
  const CliResult byNumber = run({"route", "#1", "#04"});
  EXPECT_EQ(byNumber.status, 0);
  EXPECT_EQ(byNumber.out, byName.out);
  // The recent lists hold names, which the windowed program can resolve.
  EXPECT_EQ(settingOf(dir, "station_dep1"), "東京");
  EXPECT_EQ(settingOf(dir, "station_dep2"), "上野");
  EXPECT_EQ(settingOf(dir, "station_arv1"), "上野");
  EXPECT_EQ(settingOf(dir, "station_arv2"), "");
}

// A work file that cannot be created (here a directory of its name) fails
// the command by name: the search is not reported as finding no route, and
// no earlier table is printed as the new one.
TEST_F(CliTest, WorkFilesThatCannotBeWrittenFailTheCommandByName) {
  const std::string where = " in " + std::filesystem::canonical(dir.path()).string() + "\n";
  const std::vector<std::tuple<std::string, Args, std::string>> cases = {
      {"$MltRtL1.kv4", {"route", "東京", "上野"}, "kiv4cli: cannot write $MltRtL1.kv4" + where},
      {"$TT$.kv4", {"fastest", "東京", "上野"}, "kiv4cli: cannot write $TT$.kv4" + where},
      {"$FareTbl.kv4", {"faretable", "東京"}, "kiv4cli: cannot write $FareTbl.kv4\n"},
      {"$stalist.kv4", {"stations"}, "kiv4cli: cannot write $stalist.kv4\n"},
      {"jrregu.dat", {"jrcheap"}, "kiv4cli: cannot write jrregu.dat or $jrregu.csv\n"},
  };
  for (const auto& [file, args, message] : cases) {
    std::filesystem::create_directories(dir / file / "keep");
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_EQ(r.out, "") << file;
    EXPECT_NE(r.err.find(message), std::string::npos) << file << ": " << r.err;
    std::filesystem::remove_all(dir / file);
  }
}

// With standard output closed, the first file the engine opens would get its
// descriptor: the progress of the JR table must not end up in jrregu.dat.
TEST_F(CliTest, AClosedStandardOutputLeavesTheFilesIntact) {
  CliResult r = runCli({"jrcheap"}, dir.path(), true);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("kiv4cli: cannot write to standard output"), std::string::npos) << r.err;
  EXPECT_EQ(dir.readText("jrregu.dat").find("done"), std::string::npos);
  EXPECT_EQ(settingOf(dir, "station_dep1"), "上野");
  EXPECT_EQ(settingOf(dir, "dep_h"), "9");
}

TEST(CliDataDirectory, MissingDataFilesAreNamedAndNothingIsWritten) {
  TempDir empty;
  CliResult r = runCli({"stations"}, empty.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("StaName.kv4"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(std::filesystem::exists(empty / "Kiv4.def"));

  // A station file alone serves the station list, not the searches.
  TempDir stationsOnly;
  StaNameFile names;
  names.stations.push_back({sjis("東京"), "x"});
  writeStaNameFile(stationsOnly / "StaName.kv4", names);
  r = runCli({"stations"}, stationsOnly.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "東京\n");
  r = runCli({"route", "東京", "東京"}, stationsOnly.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.find("StaName.kv4"), std::string::npos) << r.err;
  for (const char* file : {"Train.kv4", "Diagram2.kv4", "DistJR.kv4", "FAREIDX.KV4"}) {
    EXPECT_NE(r.err.find(file), std::string::npos) << file;
  }
  r = runCli({"faretable", "東京"}, stationsOnly.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.find("Diagram2.kv4"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("StaFare.kv4"), std::string::npos) << r.err;

  r = runCli({"-C", (empty / "nowhere").string(), "stations"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("nowhere"), std::string::npos) << r.err;
}

// A data file that is empty, or holds only its header, is named; the
// command does not pass off an empty result as success.
TEST_F(CliTest, EmptyDataFilesAreNamedAndFailTheCommand) {
  const std::vector<std::tuple<std::string, Args, std::string>> cases = {
      {"StaName.kv4", {"stations"}, "kiv4cli: the data file StaName.kv4 in "},
      {"StaFare.kv4", {"faretable", "東京"}, "kiv4cli: the data file StaFare.kv4 in "},
      {"Train.kv4", {"reqtime", "東京"}, "kiv4cli: the data file Train.kv4 in "},
  };
  for (const auto& [file, args, message] : cases) {
    const std::string kept = dir.readText(file);
    dir.writeText(file, "");
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_EQ(r.out, "") << file;
    EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
    EXPECT_NE(r.err.find(" is empty\n"), std::string::npos) << r.err;
    dir.writeText(file, kept);
  }
  writeStaNameFile(dir / "StaName.kv4", StaNameFile{});
  const CliResult r = run({"stations"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kiv4cli: the data file StaName.kv4 holds no station\n");
}

TEST_F(CliTest, OutputToADashIsStandardOutput) {
  for (const Args& args :
       {Args{"faretable", "東京"}, Args{"reqtime", "東京", "--csv"}, Args{"reqtime", "東京", "--json"}}) {
    std::vector<std::string> dashed = args;
    dashed.insert(dashed.end(), {"-o", "-"});
    const CliResult printed = run(args);
    const CliResult r = run(dashed);
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_EQ(r.out, printed.out) << args[0];
    EXPECT_FALSE(std::filesystem::exists(dir / "-")) << args[0];
  }
}

}  // namespace
}  // namespace kiv::test
