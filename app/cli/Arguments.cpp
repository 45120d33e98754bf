#include "Arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "CliErrors.h"
#include "CommandTable.h"

namespace kiv::cli {
namespace {

enum class Opt {
  kDir,
  kSjis,
  kNoWait,
  kTime,
  kDay,
  kDetour,
  kExtra,
  kChanges,
  kRoutes,
  kOrder,
  kMode,
  kPlain,
  kNetwork,
  kNoTokyoRule,
  kBlock,
  kTable,
  kCsv,
  kOutput,
  kHour,
  kGroup,
  kJson,
  kVerbose
};

struct OptionInfo {
  Opt id;
  bool takesValue;
  bool global;  // an option of every command; else listed in the command's row
  OptionHelp help;
};

constexpr std::array<OptionInfo, 22> kOptions = {{
    {Opt::kDir,
     true,
     true,
     {"-C", "DIR", "change into the data directory DIR first; every other path is then taken there"}},
    {Opt::kSjis,
     false,
     true,
     {"--sjis", "", "print the result as the bytes of its work file (Shift-JIS, CR LF) instead of UTF-8"}},
    {Opt::kNoWait,
     false,
     true,
     {"--no-wait", "", "fail at once when another command works in the data directory, instead of waiting"}},
    {Opt::kTime, true, false, {"--time", "H:MM", "departure time, 0:00 to 23:59"}},
    {Opt::kDay, true, false, {"--day", "D", "日 月 火 水 木 金 土 or 0 to 6 (0 = Sunday)"}},
    {Opt::kDetour, true, false, {"--detour", "KM", "detour allowed beyond the shortest way, 3 to 20 km"}},
    {Opt::kExtra, true, false, {"--extra", "MIN", "minutes allowed beyond the fastest route, 0 to 60"}},
    {Opt::kChanges, true, false, {"--changes", "N", "most changes of a route, 0 to 100"}},
    {Opt::kRoutes, true, false, {"--routes", "N", "most routes to look for, 1 to 300"}},
    {Opt::kOrder,
     true,
     false,
     {"--order", "ORDER", "found (as found, the default), time (fastest first) or fare (cheapest first)"}},
    {Opt::kMode,
     true,
     false,
     {"--mode", "MODE",
      "classic (routes as found) or best (the best routes by arrival, changes, fare); default: the "
      "settings"}},
    {Opt::kPlain, false, false, {"--plain", "", "only departures, changes and the arrival, not every stop"}},
    {Opt::kNetwork,
     true,
     false,
     {"--network", "CODE",
      "network code: 0 = JR (the default), a private railway its company number x 10 + 0..9"}},
    {Opt::kNoTokyoRule,
     false,
     false,
     {"--no-tokyo-rule", "",
      "price a journey between the Yamanote zone and a station 101-200 km away as it runs, not from 東京"}},
    {Opt::kBlock,
     true,
     false,
     {"--block", "N", "only the block of one company, counted from 0 (default: all)"}},
    {Opt::kTable,
     true,
     false,
     {"--table", "N", "only the table of one train, counted from 0 (default: all)"}},
    {Opt::kCsv, false, false, {"--csv", "", "as CSV"}},
    {Opt::kOutput,
     true,
     false,
     {"-o", "FILE", "write FILE (Shift-JIS, CR LF; with --json UTF-8) instead of printing; -o - prints"}},
    {Opt::kHour, true, false, {"--hour", "H", "clock hour, 0 to 23"}},
    {Opt::kGroup, false, false, {"--group", "", "the departures of each train together"}},
    {Opt::kJson, false, false, {"--json", "", "the result as JSON (UTF-8; see docs/json.md)"}},
    {Opt::kVerbose, false, false, {"--verbose", "", "the fare in words, with the stations and the company"}},
}};

struct GivenOption {
  const OptionInfo* info;
  std::string value;
};

const OptionInfo* findOption(std::string_view name) {
  for (const auto& o : kOptions)
    if (o.help.name == name) return &o;
  return nullptr;
}

// A plain decimal number (digits only, no sign, no blanks) that fits an int.
std::optional<int> parseNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

int numberInRange(const GivenOption& given, int min, int max, std::string_view what) {
  const auto value = parseNumber(given.value);
  if (!value || *value < min || *value > max) {
    throw UsageError(std::string(given.info->help.name) + " takes " + std::string(what) + " from " +
                     std::to_string(min) + " to " + std::to_string(max) + ", not '" + given.value + "'");
  }
  return *value;
}

void applyTime(Invocation& inv, const GivenOption& given) {
  const std::string_view text = given.value;
  const auto colon = text.find(':');
  const bool shaped = colon != std::string_view::npos && colon >= 1 && colon <= 2 && text.size() == colon + 3;
  const auto hour = shaped ? parseNumber(text.substr(0, colon)) : std::nullopt;
  const auto minute = shaped ? parseNumber(text.substr(colon + 1)) : std::nullopt;
  if (!hour || !minute || *hour > 23 || *minute > 59) {
    throw UsageError("--time takes a time H:MM from 0:00 to 23:59, not '" + given.value + "'");
  }
  inv.hour = *hour;
  inv.minute = *minute;
}

void applyOption(Invocation& inv, const GivenOption& given) {
  switch (given.info->id) {
    case Opt::kDir:
      if (given.value.empty()) throw UsageError("-C takes a directory");
      inv.directory = given.value;
      break;
    case Opt::kSjis:
      inv.sjis = true;
      break;
    case Opt::kNoWait:
      inv.noWait = true;
      break;
    case Opt::kTime:
      applyTime(inv, given);
      break;
    case Opt::kDay:
      inv.day = parseDay(given.value);
      if (!inv.day) {
        throw UsageError("--day takes 0..6 (0 = Sunday) or one of 日 月 火 水 木 金 土, not '" + given.value +
                         "'");
      }
      break;
    case Opt::kDetour:
      inv.detour = numberInRange(given, 3, 20, "a detour in km");
      break;
    case Opt::kExtra:
      inv.extra = numberInRange(given, 0, 60, "minutes");
      break;
    case Opt::kChanges:
      inv.changes = numberInRange(given, 0, 100, "a number of changes");
      break;
    case Opt::kRoutes:
      inv.routes = numberInRange(given, 1, 300, "a number of routes");
      break;
    case Opt::kOrder:
      if (given.value == "found") {
        inv.order = RouteOrder::kFound;
      } else if (given.value == "time") {
        inv.order = RouteOrder::kTime;
      } else if (given.value == "fare") {
        inv.order = RouteOrder::kFare;
      } else {
        throw UsageError("--order takes found, time or fare, not '" + given.value + "'");
      }
      break;
    case Opt::kMode:
      if (given.value == "classic") {
        inv.mode = RouteMode::kClassic;
      } else if (given.value == "best") {
        inv.mode = RouteMode::kBest;
      } else {
        throw UsageError("--mode takes classic or best, not '" + given.value + "'");
      }
      break;
    case Opt::kPlain:
      inv.plain = true;
      break;
    case Opt::kNetwork:
      inv.network = static_cast<NetworkCode>(numberInRange(given, 0, 32767, "a network code"));
      break;
    case Opt::kNoTokyoRule:
      inv.tokyoRule = false;
      break;
    case Opt::kBlock:
      inv.part = numberInRange(given, 0, 32767, "a block number");
      break;
    case Opt::kTable:
      inv.part = numberInRange(given, 0, 32767, "a table number");
      break;
    case Opt::kCsv:
      inv.csv = true;
      break;
    case Opt::kOutput:
      if (given.value.empty()) throw UsageError("-o takes a file name");
      inv.outputFile = given.value;
      break;
    case Opt::kHour:
      inv.hour = numberInRange(given, 0, 23, "an hour");
      break;
    case Opt::kGroup:
      inv.group = true;
      break;
    case Opt::kJson:
      inv.json = true;
      break;
    case Opt::kVerbose:
      inv.verbose = true;
      break;
  }
}

}  // namespace

constexpr std::array<std::string_view, 7> kDayLetters = {"日", "月", "火", "水", "木", "金", "土"};

std::string_view dayLetter(int day) {
  return day >= 0 && day <= 6 ? kDayLetters[static_cast<std::size_t>(day)] : "";
}

std::optional<int> parseDay(const std::string& text) {
  for (int d = 0; d < 7; ++d) {
    if (text == dayLetter(d)) return d;
  }
  const auto number = parseNumber(text);
  if (number && *number <= 6) return number;
  return std::nullopt;
}

std::string globalOptionNames() {
  std::string names;
  for (const auto& o : kOptions) {
    if (o.global) names.append(names.empty() ? "" : " ").append(o.help.name);
  }
  return names;
}

const OptionHelp* optionHelp(std::string_view name) {
  const OptionInfo* option = findOption(name);
  return option ? &option->help : nullptr;
}

Invocation parseArguments(const std::vector<std::string>& args) {
  Invocation inv;
  // --help and --version win over every problem of the rest of the line.
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") inv.help = true;
    if (arg == "--version") inv.version = true;
  }
  if (inv.help || inv.version) {
    inv.version = inv.version && !inv.help;
    return inv;
  }
  std::vector<std::string> words;
  std::vector<GivenOption> given;
  bool optionsEnded = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      words.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (arg[1] == '-') {
      const auto eq = arg.find('=');
      if (eq != std::string::npos) {
        name = arg.substr(0, eq);
        inlineValue = arg.substr(eq + 1);
      }
    } else if (arg.size() > 2) {
      name = arg.substr(0, 2);  // -CDIR, -oFILE
      inlineValue = arg.substr(2);
    }
    const OptionInfo* option = findOption(name);
    // A short option is named whole: its first two bytes may be half a character.
    if (option == nullptr) throw UsageError("unknown option '" + (arg[1] == '-' ? name : arg) + "'");
    if (!option->takesValue && inlineValue) throw UsageError(name + " takes no value");
    if (option->takesValue && !inlineValue) {
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      inlineValue = args[++i];
    }
    given.push_back({option, inlineValue.value_or("")});
  }

  if (words.empty()) throw UsageError("no command given");
  if (words[0] == "help") {
    if (words.size() > 2) throw UsageError("help takes at most one command");
    inv.help = true;
    if (words.size() == 2) {
      if (findCommand(words[1]) == nullptr) throw UsageError("unknown command '" + words[1] + "'");
      inv.helpTopic = words[1];
    }
    return inv;
  }
  const CommandSpec* command = findCommand(words[0]);
  if (command == nullptr) throw UsageError("unknown command '" + words[0] + "'");
  inv.command = words[0];
  inv.stations.assign(words.begin() + 1, words.end());
  if (static_cast<int>(inv.stations.size()) != command->operandCount) {
    std::string expected = command->operandCount == 0 ? "no station" : std::string(command->operands);
    throw UsageError(inv.command + " takes " + expected + ", given " + std::to_string(inv.stations.size()) +
                     " argument" + (inv.stations.size() == 1 ? "" : "s"));
  }
  for (const GivenOption& option : given) {
    if (!option.info->global && !commandTakesOption(*command, option.info->help.name)) {
      throw UsageError(std::string(option.info->help.name) + " does not apply to " + inv.command);
    }
    applyOption(inv, option);
  }
  if (inv.json && (inv.csv || inv.sjis)) throw UsageError("--json does not go with --csv or --sjis");
  return inv;
}

}  // namespace kiv::cli
