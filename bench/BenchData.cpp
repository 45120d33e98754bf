#include "BenchData.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "FareNetworkGenerator.h"
#include "NetworkGenerator.h"
#include "text/Codec.h"

namespace kiv::bench {

namespace {

std::filesystem::path scratchDir(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("kivbench-" + name + "-" + std::to_string(static_cast<long>(::getpid())));
  std::filesystem::create_directories(dir);
  return dir;
}

// The engine over dir; the far station is the JR station with the longest
// shortest distance from the origin.
std::unique_ptr<BenchData> load(const std::string& name, const std::filesystem::path& dir) {
  auto data = std::make_unique<BenchData>();
  data->name = name;
  data->dir = dir;
  data->engine = std::make_unique<Engine>(dir);
  Engine& e = *data->engine;
  data->origin = e.staName.findByName(utf8ToSjis("東京").value_or(""));
  const int n = e.sta.getNetworkSize(0);
  for (int p = 1; p <= n; ++p) data->jrStations.push_back(static_cast<StationNo>(e.sta.getStationAt(0, p)));
  std::vector<JrDistanceBreakdown> d(static_cast<std::size_t>(n) + 1);
  if (e.dist.jrDistances(data->origin, n, d.data()) == 0) {
    int far = 1;
    for (int p = 1; p <= n; ++p)
      if (d[p].total < kUnreachedDistance && d[p].total > d[far].total) far = p;
    data->farStation = static_cast<StationNo>(e.sta.getStationAt(0, far));
  }
  return data;
}

std::unique_ptr<BenchData> sample;
std::unique_ptr<BenchData> generated;
std::unique_ptr<BenchData> generatedTimetable;
bool sampleTried = false;

}  // namespace

BenchData* sampleData() {
  if (sampleTried) return sample.get();
  sampleTried = true;
  const std::filesystem::path source = KIV_SAMPLE_DIR;
  if (!std::filesystem::exists(source / "StaName.kv4")) return nullptr;
  const auto dir = scratchDir("sample");
  std::filesystem::copy(
      source, dir,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  sample = load("sample", dir);
  return sample.get();
}

BenchData* generatedData() {
  if (!generated) {
    const auto dir = scratchDir("gen3000");
    test::writeFareNetwork(dir, {3000, 7, 40, 12});
    generated = load("gen3000", dir);
  }
  return generated.get();
}

BenchData* generatedTimetableData() {
  if (generatedTimetable) return generatedTimetable.get();
  // Stations in a square of 40 km with two or three lines at most of them,
  // walks and change minutes at many: the density of a region's network.
  const auto dir = scratchDir("tt3000");
  test::writeRandomNetwork(dir, {.seed = 3000,
                                 .stations = 3000,
                                 .lines = 700,
                                 .stopsPerLine = 16,
                                 .walks = 400,
                                 .transfers = 2000,
                                 .side = 400});
  auto data = std::make_unique<BenchData>();
  data->name = "tt3000";
  data->dir = dir;
  data->engine = std::make_unique<Engine>(dir);
  // The journey: from station 1 to the station at three quarters of the
  // fastest times from it (a long journey, not the longest).
  RDiaMan& dia = data->engine->dia;
  data->origin = 1;
  dia.setSearchRules(RouteSearchRules::literal());
  TimetableSearchState state(dia.searchStationCount());
  fastestMinutes(dia.network(), state, FastestQuery{data->origin, data->origin, 9, 0, 1});
  std::vector<std::pair<int, StationNo>> reached;
  for (const SearchNode& node : state.table) {
    if (node.station > 1 && node.pred != 0) reached.emplace_back(node.cost, node.station);
  }
  dia.setSearchRules(RouteSearchRules{});
  std::sort(reached.begin(), reached.end());
  data->farStation = reached.empty() ? StationNo{2} : reached[reached.size() * 3 / 4].second;
  generatedTimetable = std::move(data);
  return generatedTimetable.get();
}

void removeBenchData() {
  for (auto* data : {&sample, &generated, &generatedTimetable}) {
    if (!*data) continue;
    const auto dir = (*data)->dir;
    data->reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
}

}  // namespace kiv::bench
