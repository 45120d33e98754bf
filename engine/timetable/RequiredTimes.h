// The required-time tables of a station as a value: for every train leaving
// it, the stations the train reaches from there with the riding minutes
// summed along its links. RDiaMan writes them to "$RqTmTbl.kv4".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Types.h"
#include "data/Diagram2File.h"
#include "report/WorkFiles.h"
#include "timetable/TrainLinkIndex.h"

namespace kiv {

class RStaName;
class RTrainMan;

// The walk along the links of one train from a station, listing each
// station the first time it is reached, with the minutes of that path. It
// tries every path of the train that visits no station twice; a station is
// entered again only when some station not yet listed lies beyond it (off
// the current path): entering it otherwise would list nothing, and on a
// network of walking connections the paths are countless. The arrays are
// sized for station numbers 1..stationCount and kept from train to train.
class RequiredTimeWalk {
 public:
  // `stopWhenAllListed`: end the walk once every station the train reaches
  // is listed (the rest of it would only change minutes never written).
  RequiredTimeWalk(const RStaName& names, int stationCount, bool stopWhenAllListed);

  // Lists into `out` the stations reached from `start` along `trainLinks`
  // (the links of one train, grouped by their `from` station), and leaves
  // the arrays clean for the next train.
  void list(std::span<const TrainLinkIndex::Link> trainLinks, StationNo start,
            work_files::RequiredTimeTable& out);

 private:
  struct TrainLink {
    StationNo to;
    std::int16_t rideMinutes;
  };
  void setLinks(std::span<const TrainLinkIndex::Link> trainLinks);
  void follow(StationNo p, work_files::RequiredTimeTable& out);
  bool reachesUnlisted(StationNo x);
  int reachableCount(StationNo start);
  static std::size_t at(StationNo s) { return static_cast<std::size_t>(s); }

  const RStaName& names_;
  const bool stopWhenAllListed_;
  int depth_ = 0;                      // stations on the walk's current path
  int unlisted_ = 0;                   // stations the train reaches that are not listed yet
  std::vector<std::int16_t> minutes_;  // riding minutes to each station
  std::vector<std::uint8_t> onPath_;   // 1 while on the walk's current path
  std::vector<std::uint8_t> listed_;   // 1 once listed in the current table
  std::vector<int> seen_;              // the search that last saw each station
  int seenMark_ = 0;
  std::vector<int> linkBegin_;  // the current train's links from each station:
  std::vector<int> linkEnd_;    //   links_[linkBegin_[p]] .. links_[linkEnd_[p] - 1]
  std::vector<TrainLink> links_;
  std::vector<StationNo> linkStations_;  // the stations with links of the current train
  std::vector<StationNo> todo_;
};

// The required-time tables of `station`, one per train leaving it in
// ascending train number, headed by the station's name; `departures` are
// the station's departure records, `stationCount` the size of the station
// directory. nullopt when the station has no departures or lies outside
// 1..stationCount.
std::optional<work_files::RequiredTimes> requiredTimes(StationNo station,
                                                       std::span<const DiaDepartureRecord> departures,
                                                       const TrainLinkIndex& links, const RStaName& names,
                                                       const RTrainMan& trains, int stationCount);

}  // namespace kiv
