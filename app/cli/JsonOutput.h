// The building blocks of the JSON results (schemas in docs/json.md):
// stations as number and name, times as minutes after midnight and as
// text, all text UTF-8. The work files' Shift-JIS is converted here.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "Types.h"
#include "report/WorkFiles.h"

namespace kiv {
class RStaName;
}

namespace kiv::cli {

struct Invocation;

using Json = nlohmann::ordered_json;

// Shift-JIS text of the engine as UTF-8 (U+FFFD for what does not convert).
std::string utf8(const std::string& sjis);

// {"number": N, "name": "..."} for a station number.
Json stationJson(const RStaName& names, StationNo station);
// The same for a station named in a work file; number null when the name is
// not in the station directory.
Json stationJson(const RStaName& names, const std::string& sjisName);

// {"minutes": 545, "text": "9:05"}.
Json timeJson(const work_files::ClockTime& time);
Json timeJson(TimeOfDay time);

// Prints the JSON (two-space indents, one line end), or writes it to the -o
// file of the invocation.
void printJson(const Invocation& inv, const Json& json);

}  // namespace kiv::cli
