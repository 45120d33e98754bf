#include "Arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "CliErrors.h"

namespace kiv::cli {
namespace {

struct CommandInfo {
  std::string_view name;
  int stations;               // number of station operands
  std::string_view operands;  // how the usage names them
};

constexpr std::array<CommandInfo, 9> kCommands = {{
    {"route", 2, "FROM TO"},
    {"fastest", 2, "FROM TO"},
    {"fare", 2, "FROM TO"},
    {"faretable", 1, "STATION"},
    {"reqtime", 1, "STATION"},
    {"timetable", 1, "STATION"},
    {"stations", 0, ""},
    {"jrcheap", 0, ""},
    {"tokyo101", 0, ""},
}};

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
  kPlain,
  kNetwork,
  kNoTokyoRule,
  kBlock,
  kTable,
  kCsv,
  kOutput,
  kHour,
  kGroup
};

struct OptionInfo {
  std::string_view name;
  Opt id;
  bool takesValue;
  std::string_view commands;  // the commands it belongs to, blank-separated; empty = every command
};

constexpr std::array<OptionInfo, 19> kOptions = {{
    {"-C", Opt::kDir, true, ""},
    {"--sjis", Opt::kSjis, false, ""},
    {"--no-wait", Opt::kNoWait, false, ""},
    {"--time", Opt::kTime, true, "route fastest"},
    {"--day", Opt::kDay, true, "route fastest timetable"},
    {"--detour", Opt::kDetour, true, "route"},
    {"--extra", Opt::kExtra, true, "route"},
    {"--changes", Opt::kChanges, true, "route"},
    {"--routes", Opt::kRoutes, true, "route"},
    {"--order", Opt::kOrder, true, "route"},
    {"--plain", Opt::kPlain, false, "fastest"},
    {"--network", Opt::kNetwork, true, "fare"},
    {"--no-tokyo-rule", Opt::kNoTokyoRule, false, "fare"},
    {"--block", Opt::kBlock, true, "faretable"},
    {"--table", Opt::kTable, true, "reqtime"},
    {"--csv", Opt::kCsv, false, "faretable reqtime"},
    {"-o", Opt::kOutput, true, "faretable reqtime"},
    {"--hour", Opt::kHour, true, "timetable"},
    {"--group", Opt::kGroup, false, "timetable"},
}};

struct GivenOption {
  const OptionInfo* info;
  std::string value;
};

const OptionInfo* findOption(std::string_view name) {
  for (const auto& o : kOptions)
    if (o.name == name) return &o;
  return nullptr;
}

const CommandInfo* findCommand(std::string_view name) {
  for (const auto& c : kCommands)
    if (c.name == name) return &c;
  return nullptr;
}

bool belongsTo(const OptionInfo& option, std::string_view command) {
  if (option.commands.empty()) return true;
  std::string_view rest = option.commands;
  while (!rest.empty()) {
    const auto blank = rest.find(' ');
    if (rest.substr(0, blank) == command) return true;
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  return false;
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
    throw UsageError(std::string(given.info->name) + " takes " + std::string(what) + " from " +
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
  }
}

}  // namespace

std::optional<int> parseDay(const std::string& text) {
  static constexpr std::array<std::string_view, 7> kLetters = {"日", "月", "火", "水", "木", "金", "土"};
  for (int d = 0; d < 7; ++d) {
    if (text == kLetters[static_cast<std::size_t>(d)]) return d;
  }
  const auto number = parseNumber(text);
  if (number && *number <= 6) return number;
  return std::nullopt;
}

Invocation parseArguments(const std::vector<std::string>& args) {
  Invocation inv;
  // --help wins over every problem of the rest of the line.
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      inv.help = true;
      return inv;
    }
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
  const CommandInfo* command = findCommand(words[0]);
  if (command == nullptr) throw UsageError("unknown command '" + words[0] + "'");
  inv.command = words[0];
  inv.stations.assign(words.begin() + 1, words.end());
  if (static_cast<int>(inv.stations.size()) != command->stations) {
    std::string expected = command->stations == 0 ? "no station" : std::string(command->operands);
    throw UsageError(inv.command + " takes " + expected + ", given " + std::to_string(inv.stations.size()) +
                     " argument" + (inv.stations.size() == 1 ? "" : "s"));
  }
  for (const GivenOption& option : given) {
    if (!belongsTo(*option.info, inv.command)) {
      throw UsageError(std::string(option.info->name) + " does not apply to " + inv.command);
    }
    applyOption(inv, option);
  }
  return inv;
}

}  // namespace kiv::cli
