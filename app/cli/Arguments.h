// The command line of kiv4cli: a command word, its station operands and the
// options, each checked against the commands it belongs to and against the
// range the search-condition dialog keeps for it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Types.h"

namespace kiv::cli {

// The route list a route command prints: detection, time or fare order,
// numbered as the route list files and the route list window number them.
enum class RouteOrder { kFound = 1, kTime = 2, kFare = 3 };

struct Invocation {
  bool help = false;  // --help: print the help text, run nothing
  std::string command;
  std::vector<std::string> stations;               // UTF-8 names or #N, as typed
  std::optional<std::filesystem::path> directory;  // -C
  bool sjis = false;
  // --no-wait: fail at once when another command runs in the data directory
  bool noWait = false;

  // route, fastest, timetable
  std::optional<int> hour;  // --time (route, fastest) or --hour (timetable)
  std::optional<int> minute;
  std::optional<int> day;  // 0 Sunday .. 6 Saturday

  // route: the search limits of this run only
  std::optional<int> detour;
  std::optional<int> extra;
  std::optional<int> changes;
  std::optional<int> routes;
  RouteOrder order = RouteOrder::kFound;

  bool plain = false;  // fastest

  NetworkCode network = 0;  // fare
  bool tokyoRule = true;

  std::optional<int> part;  // faretable --block, reqtime --table; all when empty
  bool csv = false;
  std::optional<std::filesystem::path> outputFile;  // -o

  bool group = false;  // timetable
};

// Parses the arguments after the program name. Throws UsageError naming the
// first problem found. --help anywhere wins over every other problem.
Invocation parseArguments(const std::vector<std::string>& args);

// The day of week of a --day value: "0".."6" or one of 日 月 火 水 木 金 土
// (UTF-8); nullopt for anything else.
std::optional<int> parseDay(const std::string& text);

}  // namespace kiv::cli
