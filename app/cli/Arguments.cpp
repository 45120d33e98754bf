#include "Arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <utility>

#include "CliErrors.h"
#include "CommandTable.h"

namespace kiv::cli {
namespace {

struct OptionInfo;

struct GivenOption {
  const OptionInfo* info;
  std::string value;
};

struct OptionInfo {
  OptionHelp help;  // an option with a value name takes a value; a switch takes none
  void (*apply)(Invocation& inv, const GivenOption& given);
  bool global = false;  // an option of every command; else listed in the command's row
  bool takesValue() const { return !help.valueName.empty(); }
};

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

// The value of an option that takes one of a few words, named in `list`.
template <class T>
T oneOf(const GivenOption& given, std::initializer_list<std::pair<std::string_view, T>> words,
        std::string_view list) {
  for (const auto& [word, value] : words)
    if (given.value == word) return value;
  throw UsageError(std::string(given.info->help.name) + " takes " + std::string(list) + ", not '" +
                   given.value + "'");
}

// A value the option cannot do without: -C DIR, -o FILE.
std::string nonEmpty(const GivenOption& given, std::string_view what) {
  if (given.value.empty())
    throw UsageError(std::string(given.info->help.name) + " takes " + std::string(what));
  return given.value;
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

void applyDay(Invocation& inv, const GivenOption& given) {
  inv.day = parseDay(given.value);
  if (!inv.day) {
    throw UsageError("--day takes 0..6 (0 = Sunday) or one of 日 月 火 水 木 金 土, not '" + given.value +
                     "'");
  }
}

using Given = const GivenOption&;
constexpr bool kEveryCommand = true;  // OptionInfo::global

// Every option: what it takes, which commands know it, its help and what it
// sets in the invocation.
constexpr std::array<OptionInfo, 23> kOptions = {{
    {{"-C", "DIR", "change into the data directory DIR first; every other path is then taken there"},
     [](Invocation& inv, Given g) { inv.directory = nonEmpty(g, "a directory"); },
     kEveryCommand},
    {{"--sjis", "", "print the result as the bytes of its work file (Shift-JIS, CR LF) instead of UTF-8"},
     [](Invocation& inv, Given) { inv.sjis = true; },
     kEveryCommand},
    {{"--no-wait", "", "fail at once when another command works in the data directory, instead of waiting"},
     [](Invocation& inv, Given) { inv.noWait = true; },
     kEveryCommand},
    {{"--time", "H:MM", "departure time, 0:00 to 23:59"}, applyTime},
    {{"--day", "D", "日 月 火 水 木 金 土 or 0 to 6 (0 = Sunday)"}, applyDay},
    {{"--arrive-by", "", "--time is the latest arrival: the journeys that arrive by then, latest departure first"},
     [](Invocation& inv, Given) { inv.arriveBy = true; }},
    {{"--detour", "KM", "classic mode only: detour allowed beyond the shortest way, 3 to 20 km"},
     [](Invocation& inv, Given g) { inv.detour = numberInRange(g, 3, 20, "a detour in km"); }},
    {{"--extra", "MIN", "minutes allowed beyond the fastest route, 0 to 60"},
     [](Invocation& inv, Given g) { inv.extra = numberInRange(g, 0, 60, "minutes"); }},
    {{"--changes", "N", "most changes of a route, 0 to 100"},
     [](Invocation& inv, Given g) { inv.changes = numberInRange(g, 0, 100, "a number of changes"); }},
    {{"--routes", "N", "most routes to look for, 1 to 300"},
     [](Invocation& inv, Given g) { inv.routes = numberInRange(g, 1, 300, "a number of routes"); }},
    {{"--order", "ORDER", "found (as found, the default), time (fastest first) or fare (cheapest first)"},
     [](Invocation& inv, Given g) {
       inv.order = oneOf<RouteOrder>(
           g, {{"found", RouteOrder::kFound}, {"time", RouteOrder::kTime}, {"fare", RouteOrder::kFare}},
           "found, time or fare");
     }},
    {{"--mode", "MODE",
      "classic (routes as found) or best (the best routes by arrival, changes, fare); default: the "
      "settings"},
     [](Invocation& inv, Given g) {
       inv.mode = oneOf<RouteMode>(g, {{"classic", RouteMode::kClassic}, {"best", RouteMode::kBest}},
                                   "classic or best");
     }},
    {{"--plain", "", "only departures, changes and the arrival, not every stop"},
     [](Invocation& inv, Given) { inv.plain = true; }},
    {{"--network", "CODE",
      "network code: 0 = JR (the default), a private railway its company number x 10 + 0..9"},
     [](Invocation& inv, Given g) {
       inv.network = static_cast<NetworkCode>(numberInRange(g, 0, 32767, "a network code"));
     }},
    {{"--no-tokyo-rule", "",
      "price a journey between the Yamanote zone and a station 101-200 km away as it runs, not from 東京"},
     [](Invocation& inv, Given) { inv.tokyoRule = false; }},
    {{"--block", "N", "only the block of one company, counted from 0 (default: all)"},
     [](Invocation& inv, Given g) { inv.part = numberInRange(g, 0, 32767, "a block number"); }},
    {{"--table", "N", "only the table of one train, counted from 0 (default: all)"},
     [](Invocation& inv, Given g) { inv.part = numberInRange(g, 0, 32767, "a table number"); }},
    {{"--csv", "", "as CSV"}, [](Invocation& inv, Given) { inv.csv = true; }},
    {{"-o", "FILE", "write FILE (Shift-JIS, CR LF; with --json UTF-8) instead of printing; -o - prints"},
     [](Invocation& inv, Given g) { inv.outputFile = nonEmpty(g, "a file name"); }},
    {{"--hour", "H", "clock hour, 0 to 23"},
     [](Invocation& inv, Given g) { inv.hour = numberInRange(g, 0, 23, "an hour"); }},
    {{"--group", "", "the departures of each train together"},
     [](Invocation& inv, Given) { inv.group = true; }},
    {{"--json", "", "the result as JSON (UTF-8; see docs/json.md)"},
     [](Invocation& inv, Given) { inv.json = true; }},
    {{"--verbose", "", "the fare in words, with the stations and the company"},
     [](Invocation& inv, Given) { inv.verbose = true; }},
}};

const OptionInfo* findOption(std::string_view name) {
  for (const auto& o : kOptions)
    if (o.help.name == name) return &o;
  return nullptr;
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
    if (!option->takesValue() && inlineValue) throw UsageError(name + " takes no value");
    if (option->takesValue() && !inlineValue) {
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
    option.info->apply(inv, option);
  }
  if (inv.json && (inv.csv || inv.sjis)) throw UsageError("--json does not go with --csv or --sjis");
  return inv;
}

}  // namespace kiv::cli
