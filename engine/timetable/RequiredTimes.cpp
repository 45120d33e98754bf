#include "timetable/RequiredTimes.h"

#include <algorithm>

#include "network/RStaName.h"
#include "network/RTrainMan.h"

namespace kiv {

RequiredTimeWalk::RequiredTimeWalk(const RStaName& names, int stationCount, bool stopWhenAllListed)
    : names_(names),
      stopWhenAllListed_(stopWhenAllListed),
      minutes_(static_cast<std::size_t>(stationCount) + 1, 0),
      onPath_(static_cast<std::size_t>(stationCount) + 1, 0),
      listed_(static_cast<std::size_t>(stationCount) + 1, 0),
      seen_(static_cast<std::size_t>(stationCount) + 1, 0),
      linkBegin_(static_cast<std::size_t>(stationCount) + 1, 0),
      linkEnd_(static_cast<std::size_t>(stationCount) + 1, 0) {}

void RequiredTimeWalk::list(std::span<const TrainLinkIndex::Link> trainLinks, StationNo start,
                            work_files::RequiredTimeTable& out) {
  setLinks(trainLinks);
  depth_ = 0;
  if (stopWhenAllListed_) unlisted_ = reachableCount(start);
  follow(start, out);
  // Only the stations the links lead to were listed or given minutes.
  for (const TrainLinkIndex::Link& link : trainLinks) {
    listed_[at(link.to)] = 0;
    minutes_[at(link.to)] = 0;
  }
}

// Takes the links of the next train, grouped by their `from` station.
void RequiredTimeWalk::setLinks(std::span<const TrainLinkIndex::Link> trainLinks) {
  for (const StationNo p : linkStations_) linkBegin_[at(p)] = linkEnd_[at(p)] = 0;
  linkStations_.clear();
  links_.clear();
  for (const TrainLinkIndex::Link& link : trainLinks) {
    if (linkStations_.empty() || linkStations_.back() != link.from) {
      linkStations_.push_back(link.from);
      linkBegin_[at(link.from)] = static_cast<int>(links_.size());
    }
    links_.push_back({link.to, link.rideMinutes});
    linkEnd_[at(link.from)] = static_cast<int>(links_.size());
  }
}

// Follows the current train on from station p.
void RequiredTimeWalk::follow(StationNo p, work_files::RequiredTimeTable& out) {
  onPath_[at(p)] = 1;
  ++depth_;
  if (listed_[at(p)] == 0 && depth_ != 1) {
    char name[kStationNameSize] = {};
    names_.getName(p, name);
    out.stations.push_back({name, minutes_[at(p)]});
    listed_[at(p)] = 1;
    --unlisted_;
  }
  for (int k = linkBegin_[at(p)]; k < linkEnd_[at(p)]; ++k) {
    if (stopWhenAllListed_ && unlisted_ == 0) break;
    const TrainLink& link = links_[static_cast<std::size_t>(k)];
    const StationNo x = link.to;
    if (onPath_[at(x)] == 1) continue;
    minutes_[at(x)] = static_cast<std::int16_t>(minutes_[at(p)] + link.rideMinutes);
    if (reachesUnlisted(x)) follow(x, out);
  }
  onPath_[at(p)] = 0;
  --depth_;
}

// True when a station not yet listed can be reached from x by the current
// train without passing the stations on the walk's current path.
bool RequiredTimeWalk::reachesUnlisted(StationNo x) {
  ++seenMark_;
  todo_.assign(1, x);
  seen_[at(x)] = seenMark_;
  while (!todo_.empty()) {
    const StationNo p = todo_.back();
    todo_.pop_back();
    if (listed_[at(p)] == 0) return true;
    for (int k = linkBegin_[at(p)]; k < linkEnd_[at(p)]; ++k) {
      const StationNo to = links_[static_cast<std::size_t>(k)].to;
      if (onPath_[at(to)] == 1 || seen_[at(to)] == seenMark_) continue;
      seen_[at(to)] = seenMark_;
      todo_.push_back(to);
    }
  }
  return false;
}

// The number of stations other than `start` the current train reaches.
int RequiredTimeWalk::reachableCount(StationNo start) {
  ++seenMark_;
  todo_.assign(1, start);
  seen_[at(start)] = seenMark_;
  int count = 0;
  while (!todo_.empty()) {
    const StationNo p = todo_.back();
    todo_.pop_back();
    for (int k = linkBegin_[at(p)]; k < linkEnd_[at(p)]; ++k) {
      const StationNo to = links_[static_cast<std::size_t>(k)].to;
      if (seen_[at(to)] == seenMark_) continue;
      seen_[at(to)] = seenMark_;
      todo_.push_back(to);
      if (to != start) ++count;
    }
  }
  return count;
}

std::optional<work_files::RequiredTimes> requiredTimes(StationNo station,
                                                       std::span<const DiaDepartureRecord> departures,
                                                       const TrainLinkIndex& links, const RStaName& names,
                                                       const RTrainMan& trains, int stationCount) {
  // The working arrays cover the station directory; a station of the
  // timetable files beyond it has no tables.
  if (departures.empty() || station < 1 || station > stationCount) return std::nullopt;

  const int trainCount = trains.getTrainCount();
  std::vector<TrainNo> leaving;
  for (const DiaDepartureRecord& r : departures)
    if (r.train >= 1 && r.train <= trainCount) leaving.push_back(r.train);
  std::sort(leaving.begin(), leaving.end());
  leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());

  work_files::RequiredTimes times;
  char name[kStationNameSize] = {};
  names.getName(station, name);
  times.origin = name;
  RequiredTimeWalk walk(names, stationCount, true);
  for (const TrainNo t : leaving) {
    char train[kTrainNameSize] = {};
    trains.getTrainName(t, train);
    auto& table = times.tables.emplace_back(
        work_files::RequiredTimeTable{static_cast<int>(times.tables.size()), train, {}});
    walk.list(links.linksOf(t), station, table);
  }
  return times;
}

}  // namespace kiv
