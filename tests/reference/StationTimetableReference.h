// The station timetable command done the plain way: the three steps of
// RDiaMan, each through its work file. It defines the files and the result
// RDiaMan::buildStationTimetable must give, byte for byte.
#pragma once

#include "Types.h"

namespace kiv {
class RDiaMan;
}

namespace kiv::reference {

// Deletes "TTSrc.kv4" and "$VTT.kv4", writes the departures, sorts them and
// writes the report, naming the day after its day code. -1 when the station
// has no departures, 0 when the hour has none (no report then), else the
// number of lines; -1 as well when a work file fails.
int buildStationTimetable(RDiaMan& dia, StationNo station, int day, int hour, bool grouping);

}  // namespace kiv::reference
