// The required-time table done the plain way: the trains leaving the
// station found by a scan of its departures per train, the links of each
// train gathered by a scan of the whole timetable per table, and the walk
// run to its end from cleared arrays. Slow on a large network; it defines
// the file RDiaMan::buildRequiredTimeTable must give.
#pragma once

#include <filesystem>

#include "Types.h"

namespace kiv {
class Engine;
class RStaName;
class RTrainMan;
class Timetable;
}  // namespace kiv

namespace kiv::reference {

// "$RqTmTbl.kv4" in workDir for the station: 0, or -1 when the station has
// no departures or is not in the station directory (the work file is left
// as it was) or the file cannot be created.
int buildRequiredTimeTable(const Timetable& timetable, const RStaName& names, const RTrainMan& trains,
                           const std::filesystem::path& workDir, StationNo station);
// The same over the engine's timetable, in its data directory.
int buildRequiredTimeTable(const Engine& engine, StationNo station);

}  // namespace kiv::reference
