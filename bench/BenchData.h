// The data sets the benchmarks run on, each loaded once into an engine of
// its own in a scratch directory (work files are written there): the sample
// network and a generated network of 3,000 stations.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Engine.h"

namespace kiv::bench {

struct BenchData {
  std::string name;           // "sample" or "gen3000"
  std::filesystem::path dir;  // a scratch copy of the data files
  std::unique_ptr<Engine> engine;
  StationNo origin = -1;              // 東京
  StationNo farStation = -1;          // a JR station far from the origin
  std::vector<StationNo> jrStations;  // in position order
  std::size_t nextJrStation = 0;      // where the next benchmark of one journey starts
};

// nullptr when the data set is not available (the sample is not compiled).
BenchData* sampleData();
BenchData* generatedData();
// A generated timetable network of 3,000 stations ("tt3000": lines, trains,
// walks and change minutes); origin and farStation are a journey of it with
// a route. The route searches and the timetable tables all run on it.
BenchData* generatedTimetableData();

// Removes the scratch directories.
void removeBenchData();

}  // namespace kiv::bench
