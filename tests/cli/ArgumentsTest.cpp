// The command line parsed in-process: which lines are refused and why,
// what the accepted ones mean, and the command table the parser, the help
// and the dispatch share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Arguments.h"
#include "CliErrors.h"
#include "CommandTable.h"
#include "Usage.h"

namespace kiv::cli {
namespace {

using Args = std::vector<std::string>;

// The message of the UsageError the line gives; "(accepted)" when none.
std::string refusal(const Args& args) {
  try {
    parseArguments(args);
  } catch (const UsageError& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(Arguments, MalformedLinesAreRefusedNamingTheProblem) {
  const std::vector<std::pair<Args, std::string>> cases = {
      {{}, "no command given"},
      {{"bogus"}, "unknown command 'bogus'"},
      {{"route", "東京"}, "route takes FROM TO, given 1 argument"},
      {{"route", "東京", "上野", "神田"}, "route takes FROM TO, given 3 arguments"},
      {{"stations", "東京"}, "stations takes no station, given 1 argument"},
      {{"faretable"}, "faretable takes STATION, given 0 arguments"},
      {{"find"}, "find takes TEXT, given 0 arguments"},
      {{"route", "東京", "上野", "--bogus"}, "unknown option '--bogus'"},
      {{"route", "-東京", "上野"}, "unknown option '-東京'"},  // named whole, not cut inside a character
      {{"stations", "--time", "9:00"}, "--time does not apply to stations"},
      {{"fastest", "東京", "上野", "--order", "time"}, "--order does not apply to fastest"},
      {{"fare", "東京", "上野", "--csv"}, "--csv does not apply to fare"},
      {{"timetable", "東京", "--time", "9:00"}, "--time does not apply to timetable"},
      {{"stations", "--json"}, "--json does not apply to stations"},
      {{"route", "東京", "上野", "--time"}, "--time needs a value"},
      {{"faretable", "東京", "-o"}, "-o needs a value"},
      {{"stations", "--sjis=1"}, "--sjis takes no value"},
      {{"faretable", "東京", "--csv=yes"}, "--csv takes no value"},
      {{"faretable", "東京", "--csv", "--json"}, "--json does not go with --csv or --sjis"},
      {{"-C"}, "-C needs a value"},
      {{"help", "bogus"}, "unknown command 'bogus'"},
      {{"help", "route", "fare"}, "help takes at most one command"},
  };
  for (const auto& [args, message] : cases) EXPECT_EQ(refusal(args), message) << message;
}

TEST(Arguments, OptionValuesOutsideTheirRangesAreRefused) {
  const std::vector<Args> cases = {
      {"route", "--time", "24:00"},   {"route", "--time", "9:60"},
      {"route", "--time", "9:5"},     {"route", "--time", "930"},
      {"route", "--time", "-1:00"},   {"route", "--time", ""},
      {"route", "--time", "123:00"},  {"route", "--day", "7"},
      {"route", "--day", "月曜"},     {"route", "--day", "-1"},
      {"route", "--day", "Mon"},      {"route", "--detour", "2"},
      {"route", "--detour", "21"},    {"route", "--detour", "7km"},
      {"route", "--detour", "+7"},    {"route", "--extra", "61"},
      {"route", "--changes", "101"},  {"route", "--routes", "0"},
      {"route", "--routes", "301"},   {"route", "--routes", "99999999999"},
      {"route", "--order", "cheap"},  {"timetable", "--hour", "24"},
      {"timetable", "--day", "8"},    {"fare", "--network", "-1"},
      {"fare", "--network", "x"},     {"fare", "--network", "32768"},
      {"faretable", "--block", "-1"}, {"faretable", "--block", "x"},
      {"reqtime", "--table", "1.5"},
  };
  for (const Args& c : cases) {
    Args args = {c[0], "東京"};
    if (c[0] == "route" || c[0] == "fare") args.push_back("上野");
    args.push_back(c[1]);
    args.push_back(c[2]);
    const std::string message = refusal(args);
    EXPECT_EQ(message.rfind(c[1] + " takes ", 0), 0u) << c[1] << " " << c[2] << ": " << message;
  }
}

TEST(Arguments, AcceptedValuesMeanWhatTheySay) {
  Invocation inv =
      parseArguments({"route", "東京", "上野", "--time", "09:05", "--day", "土", "--detour=20", "--extra",
                      "0", "--changes", "100", "--routes", "300", "--order=fare", "--json"});
  EXPECT_EQ(inv.command, "route");
  EXPECT_EQ(inv.stations, (Args{"東京", "上野"}));
  EXPECT_EQ(*inv.hour, 9);
  EXPECT_EQ(*inv.minute, 5);
  EXPECT_EQ(*inv.day, 6);
  EXPECT_EQ(*inv.detour, 20);
  EXPECT_EQ(*inv.extra, 0);
  EXPECT_EQ(*inv.changes, 100);
  EXPECT_EQ(*inv.routes, 300);
  EXPECT_EQ(inv.order, RouteOrder::kFare);
  EXPECT_TRUE(inv.json);

  // Options may stand before the command; "--" ends them; -CDIR and -oFILE.
  inv = parseArguments({"--sjis", "-C/data", "reqtime", "-o-", "--", "-上野"});
  EXPECT_TRUE(inv.sjis);
  EXPECT_EQ(*inv.directory, "/data");
  EXPECT_EQ(*inv.outputFile, "-");
  EXPECT_EQ(inv.stations, Args{"-上野"});

  inv = parseArguments({"timetable", "#3", "--day", "0", "--hour", "23", "--group"});
  EXPECT_EQ(*inv.day, 0);
  EXPECT_EQ(*inv.hour, 23);
  EXPECT_TRUE(inv.group);
  EXPECT_FALSE(inv.minute);
}

TEST(Arguments, HelpAndVersionWinOverEverythingElse) {
  for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"route", "新宿", "--help"}, Args{"--bogus", "-h"},
                           Args{"help"}, Args{"--version", "--help"}}) {
    const Invocation inv = parseArguments(args);
    EXPECT_TRUE(inv.help) << args[0];
    EXPECT_FALSE(inv.version) << args[0];
    EXPECT_EQ(inv.helpTopic, "");
  }
  EXPECT_EQ(parseArguments({"help", "fare"}).helpTopic, "fare");
  const Invocation version = parseArguments({"stations", "--bogus", "--version"});
  EXPECT_TRUE(version.version);
  EXPECT_FALSE(version.help);
  // After "--" they are operands.
  EXPECT_EQ(refusal({"find", "--", "--help", "x"}), "find takes TEXT, given 2 arguments");
}

// The table is what the parser, the help and the dispatch read: every
// option it names exists, every command can run, and every example parses.
TEST(CommandTable, EveryRowIsCompleteAndItsExamplesParse) {
  for (const CommandSpec& c : commandTable()) {
    const std::string name(c.name);
    EXPECT_NE(c.handler, nullptr) << name;
    EXPECT_FALSE(c.summary.empty()) << name;
    EXPECT_FALSE(c.description.empty()) << name;
    EXPECT_EQ(findCommand(c.name), &c);
    std::string_view options = c.options;
    while (!options.empty()) {
      const auto blank = options.find(' ');
      EXPECT_NE(optionHelp(options.substr(0, blank)), nullptr) << name << ": " << options.substr(0, blank);
      options.remove_prefix(blank == std::string_view::npos ? options.size() : blank + 1);
    }
    std::string_view examples = c.examples;
    ASSERT_FALSE(examples.empty()) << name;
    while (!examples.empty()) {
      const auto end = examples.find('\n');
      const std::string line(examples.substr(0, end));
      examples.remove_prefix(end == std::string_view::npos ? examples.size() : end + 1);
      ASSERT_EQ(line.rfind("kiv4cli ", 0), 0u) << line;
      Args args;
      for (std::size_t at = 8; at < line.size();) {
        const auto blank = line.find(' ', at);
        args.push_back(line.substr(at, blank - at));
        at = blank == std::string::npos ? line.size() : blank + 1;
      }
      EXPECT_EQ(refusal(args), "(accepted)") << line;
      EXPECT_EQ(parseArguments(args).command, name) << line;
    }
  }
}

TEST(CommandTable, TheHelpShowsEveryCommandWithItsOptions) {
  const std::string help(helpText());
  for (const CommandSpec& c : commandTable()) {
    const auto at =
        help.find("\n  " + std::string(c.name) + (c.operands.empty() ? "" : " " + std::string(c.operands)));
    ASSERT_NE(at, std::string::npos) << c.name;
    const std::string one = commandHelpText(c.name);
    std::string_view options = c.options;
    while (!options.empty()) {
      const auto blank = options.find(' ');
      const std::string option(options.substr(0, blank));
      EXPECT_NE(help.find("      " + option, at), std::string::npos) << c.name << " " << option;
      EXPECT_NE(one.find("  " + option), std::string::npos) << c.name << " " << option;
      options.remove_prefix(blank == std::string_view::npos ? options.size() : blank + 1);
    }
  }
  // No line of the help is wider than a terminal.
  for (std::size_t start = 0, end; start < help.size(); start = end + 1) {
    end = help.find('\n', start);
    const std::string line = help.substr(start, end - start);
    std::size_t columns = 0;  // a character of three bytes takes two columns
    for (unsigned char c : line) columns += (c & 0xC0) == 0x80 ? 0 : c >= 0xE0 ? 2 : 1;
    EXPECT_LE(columns, 80u) << line;
  }
}

}  // namespace
}  // namespace kiv::cli
