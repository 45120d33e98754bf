// The commands of kiv4cli in one table: name, operands, options, the data
// files they read, the handler and the help. The parser, the data-file
// check, the dispatch and the help texts all read this table; a new command
// or a new option of a command is one row or one word here.
#pragma once

#include <span>
#include <string_view>

namespace kiv {
class Engine;
}

namespace kiv::cli {

struct Invocation;

// The groups of data files a command reads (bits).
enum DataNeed : unsigned {
  kStationData = 1,    // the station directory
  kTimetableData = 2,  // trains, changes and the timetable
  kFareData = 4,       // station lists, distances and fares
};

using CommandHandler = void (*)(Engine& engine, const Invocation& inv);

struct CommandSpec {
  std::string_view name;
  std::string_view operands;  // as the usage names them ("FROM TO"); empty for none
  int operandCount;
  std::string_view options;  // the command's own options, blank-separated
  unsigned data;             // DataNeed bits
  CommandHandler handler;
  std::string_view summary;      // one line for the list of commands
  std::string_view description;  // plain words for "kiv4cli help COMMAND"
  std::string_view examples;     // command lines that run on the sample network
  std::string_view files;        // the files it writes, for the FILES section
};

// Every command, in the order the help lists them.
std::span<const CommandSpec> commandTable();

// The command of that name; nullptr when there is none.
const CommandSpec* findCommand(std::string_view name);

// True when the option (by name) is one of the command's own options.
bool commandTakesOption(const CommandSpec& command, std::string_view option);

}  // namespace kiv::cli
