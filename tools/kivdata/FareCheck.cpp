#include "FareCheck.h"

#include <system_error>

#include "Engine.h"
#include "text/Codec.h"

namespace kiv::data {

std::vector<std::string> checkReductions(const DataSet& data, const std::filesystem::path& dataDir) {
  std::vector<std::string> problems;
  if (data.fareR.records.empty()) return problems;
  {
    Engine engine(dataDir);
    const auto name = [&](StationNo s) {
      const auto index = static_cast<std::size_t>(s) - 1;
      return index < data.staName.stations.size() ? sjisToUtf8Lossy(data.staName.stations[index].kanji) : "?";
    };
    for (std::size_t i = 0; i < data.fareR.records.size(); ++i) {
      const FarePairRecord& r = data.fareR.records[i];
      const std::string place = i < data.reductionPlaces.size() ? data.reductionPlaces[i] + ": " : "";
      // A special fare of the pair replaces the fare, reduction and all.
      if (engine.fare.specialFare(r.network, r.a, r.b) != 0) continue;
      const int fare = engine.fare.distanceFare(r.network, r.a, r.b);
      const int reduction = r.amount * 10;
      if (fare < 0 || reduction <= fare) continue;
      problems.push_back(place + "reduce " + std::to_string(r.network) + " " + name(r.a) + " " + name(r.b) +
                         " " + std::to_string(reduction) + ": larger than the fare of " +
                         std::to_string(fare) + " yen it reduces");
    }
  }
  // The engine's settings object wrote its file on leaving; it is no data.
  std::error_code ec;
  std::filesystem::remove(dataDir / "Kiv4.def", ec);
  return problems;
}

}  // namespace kiv::data
