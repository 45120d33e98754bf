// Station operands: a kanji name in UTF-8, resolved with findByName after
// conversion to Shift-JIS, or #N for station number N.
#pragma once

#include <string>

#include "Types.h"

namespace kiv {
class RStaName;
}

namespace kiv::cli {

// Which box of the main window the operand stands for; it chooses the
// message when the operand names no station.
enum class StationRole { kDeparture, kArrival };

struct ResolvedStation {
  StationNo number = -1;
  std::string name;  // Shift-JIS kanji name, the text pushed to the recent lists
};

// Throws CommandFailure with the departure or arrival message when the
// operand names no station.
ResolvedStation resolveStation(const RStaName& names, const std::string& operand, StationRole role);

// Throws CommandFailure with the equal-stations message when both are the
// same station.
void requireDifferentStations(const ResolvedStation& from, const ResolvedStation& to);

}  // namespace kiv::cli
