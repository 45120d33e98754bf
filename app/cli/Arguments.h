// The command line of kiv4cli: a command word, its station operands and the
// options, each checked against the commands it belongs to and against the
// range the search-condition dialog keeps for it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace kiv::cli {

// The route list a route command prints: detection, time or fare order,
// numbered as the route list files and the route list window number them.
enum class RouteOrder { kFound = 1, kTime = 2, kFare = 3 };

// The route mode of a route command (mode_route of Kiv4.def): the routes in
// the order the search finds them, or the best routes by arrival, changes
// and fare.
enum class RouteMode { kClassic = 1, kBest = 2 };

struct Invocation {
  bool help = false;      // --help or the help command: print help, run nothing
  std::string helpTopic;  // help COMMAND: the command whose help is asked for
  bool version = false;   // --version
  std::string command;
  std::vector<std::string> stations;               // operands as typed: UTF-8 names or #N (find: its text)
  std::optional<std::filesystem::path> directory;  // -C
  bool sjis = false;
  bool json = false;  // --json: the result as JSON instead of text
  // --no-wait: fail at once when another command runs in the data directory
  bool noWait = false;

  // route, fastest, timetable
  std::optional<int> hour;  // --time (route, fastest) or --hour (timetable)
  std::optional<int> minute;
  std::optional<int> day;  // 0 Sunday .. 6 Saturday
  bool arriveBy = false;   // route, fastest: --time is the latest arrival

  // route: the search limits of this run only
  std::optional<int> detour;
  std::optional<int> extra;
  std::optional<int> changes;
  std::optional<int> routes;
  RouteOrder order = RouteOrder::kFound;
  std::optional<RouteMode> mode;  // mode_route of Kiv4.def when empty

  bool plain = false;  // fastest

  NetworkCode network = 0;  // fare
  bool tokyoRule = true;
  bool verbose = false;  // fare: the fare in words rather than the bare number

  std::optional<int> part;  // faretable --block, reqtime --table; all when empty
  bool csv = false;
  std::optional<std::filesystem::path> outputFile;  // -o; "-" is standard output

  bool group = false;  // timetable
};

// Parses the arguments after the program name. Throws UsageError naming the
// first problem found. --help and --version anywhere win over every other
// problem; "help [COMMAND]" asks for the help of one command.
Invocation parseArguments(const std::vector<std::string>& args);

// The day of week of a --day value: "0".."6" or one of 日 月 火 水 木 金 土
// (UTF-8); nullopt for anything else.
std::optional<int> parseDay(const std::string& text);
// The one-letter name of a day 0..6 (UTF-8); empty for other numbers.
std::string_view dayLetter(int day);

// An option of the command line as the help shows it.
struct OptionHelp {
  std::string_view name;       // "--time"
  std::string_view valueName;  // "H:MM"; empty for a switch
  std::string_view text;       // what it does, in plain words
};

// The help of an option by name; nullptr for an unknown one.
const OptionHelp* optionHelp(std::string_view name);
// The options of every command (-C ...), blank-separated.
std::string globalOptionNames();

}  // namespace kiv::cli
