// The operations the benchmark times, each done the plain (reference) way and
// the fast way on every data set. A group of operations registers itself
// with addOperations; kiv_bench names each run "<data set>/<operation>/<way>",
// which run.sh pairs into one line of its table.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "BenchData.h"

namespace kiv::bench {

struct Operation {
  std::string name;
  // Runs the operation once; `reference` selects the plain way.
  std::function<void(BenchData&, bool reference)> run;
  // A plain run that takes seconds is timed once.
  bool slowReference = false;
};

// The distance and fare operations.
std::vector<Operation> fareOperations();
// The fastest route and the multi-route search.
std::vector<Operation> routeOperations();

// The required-time table and the station timetable (on the sample and on
// generatedTimetableData), and the start-up of the timetable network.
std::vector<Operation> timetableTableOperations();
std::vector<Operation> timetableStartUpOperations();

}  // namespace kiv::bench
