// The commands of kiv4cli. Each runs on the engine of the process and the
// parsed command line, prints its result to standard output and throws
// CommandFailure when it cannot do its work.
#pragma once

#include "Arguments.h"

namespace kiv {
class Engine;
}

namespace kiv::cli {

// RouteCommands.cpp
void runRoute(Engine& engine, const Invocation& inv);
void runFastest(Engine& engine, const Invocation& inv);
void runLastTrain(Engine& engine, const Invocation& inv);

// FareCommands.cpp
void runFare(Engine& engine, const Invocation& inv);
void runFareTable(Engine& engine, const Invocation& inv);

// TimetableCommands.cpp
void runRequiredTime(Engine& engine, const Invocation& inv);
void runTimetable(Engine& engine, const Invocation& inv);

// DataCommands.cpp
void runStations(Engine& engine, const Invocation& inv);
void runJrCheapest(Engine& engine, const Invocation& inv);
void runTokyoZone(Engine& engine, const Invocation& inv);

// FindCommand.cpp
void runFind(Engine& engine, const Invocation& inv);

}  // namespace kiv::cli
