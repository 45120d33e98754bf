#include "BenchData.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "FareNetworkGenerator.h"
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

void removeBenchData() {
  for (auto* data : {&sample, &generated}) {
    if (!*data) continue;
    const auto dir = (*data)->dir;
    data->reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
}

}  // namespace kiv::bench
