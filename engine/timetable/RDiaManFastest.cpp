// The time-priority route search of RDiaMan: a label-setting search over
// stations in which a hop costs the change minutes at the station, the wait
// for the train's next departure and the riding minutes, and the report of
// the fastest route in "$TT$.kv4".
#include <algorithm>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "settings/RDefMan.h"
#include "text/ReportText.h"
#include "timetable/FastDepartures.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

void RDiaMan::resetSearchTable(StationNo from, StationNo to, TimeOfDay start) {
  const int n = searchStationCount();
  for (int s = 1; s <= n; ++s) {
    SearchNode& node = searchTable_[static_cast<std::size_t>(s)];
    node.pred = 0;
    node.settled = 0;
    node.cost = kUnreachedCost;
    node.arrival = TimeOfDay{};
    node.departure = TimeOfDay{};
  }
  SearchNode& first = searchTable_[static_cast<std::size_t>(from)];
  first.pred = -1;
  first.trainIn = -1;
  first.cost = 0;
  first.arrival = start;
  SearchNode& goal = searchTable_[static_cast<std::size_t>(to)];
  goal.succ = -1;
  goal.trainOut = -1;
}

bool RDiaMan::relaxStation(SearchNode& here, StationNo sel, StationNo x, const DiaDepartureRecord& r,
                           TimeOfDay dep, std::int16_t cost) {
  SearchNode& next = searchTable_[static_cast<std::size_t>(x)];
  // A settled station keeps its label: with sound data it cannot be
  // improved anyway, and a negative riding time in the data must not
  // rewrite the path behind the search.
  if (next.settled != 0 || cost >= next.cost) return false;
  next.cost = cost;
  next.pred = sel;
  next.trainIn = r.train;
  next.boardHour = dep.hour;
  next.boardMinute = dep.minute;
  next.arrival = addMinutes(dep, r.rideMinutes);
  here.succ = x;
  here.trainOut = r.train;
  here.departure = dep;
  return true;
}

int RDiaMan::runFastestSearch(StationNo from, StationNo to, TimeOfDay start, int day) {
  const int n = searchStationCount();
  resetSearchTable(from, to, start);
  const SearchNode& goal = searchTable_[static_cast<std::size_t>(to)];

  for (int round = 0; round < n; ++round) {
    // Ties go to the highest station number; an unreached station can be
    // selected (and is then only marked).
    int smallest = kUnreachedCost;
    StationNo sel = 0;
    for (int s = 1; s <= n; ++s) {
      const SearchNode& node = searchTable_[static_cast<std::size_t>(s)];
      if (node.settled == 0 && node.cost <= smallest) {
        smallest = node.cost;
        sel = static_cast<StationNo>(s);
      }
    }
    if (sel == 0) break;
    SearchNode& here = searchTable_[static_cast<std::size_t>(sel)];
    here.settled = 1;
    if (smallest == kUnreachedCost) continue;

    for (const DiaDepartureRecord& r : departuresOf(sel)) {
      if (trains_.getTrainUse(r.train) == 0) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      const TimeOfDay arr = here.arrival;
      TimeOfDay ready = arr;
      if (sel != from) cnct_.getBoardingTime(sel, here.trainIn, r.train, arr, ready);
      TimeOfDay dep = ready;
      // Staying on board a frequent service costs no wait; a timed train is
      // taken at its next departure from here like any other.
      const bool staysOnBoard = here.trainIn == r.train && r.interval != 0;
      if (!staysOnBoard && nextDepartureOn(sel, x, r.train, ready, day, dep) != 0) continue;
      const int walk = minutesBetween(arr, ready);
      const int wait = minutesBetween(ready, dep);
      const auto c = static_cast<std::int16_t>(here.cost + walk + wait + r.rideMinutes);

      relaxStation(here, sel, x, r, dep, c);
    }
  }
  return goal.pred != 0 ? 0 : -1;
}

int RDiaMan::runFastestSearchQueued(StationNo from, StationNo to, TimeOfDay start, int day) {
  const int n = searchStationCount();
  resetSearchTable(from, to, start);
  const SearchNode& goal = searchTable_[static_cast<std::size_t>(to)];
  std::vector<std::uint8_t> use(static_cast<std::size_t>(std::max(trains_.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < use.size(); ++t) use[t] = trains_.getTrainUse(static_cast<TrainNo>(t)) != 0;
  const auto used = [&](TrainNo t) {
    return t >= 1 && static_cast<std::size_t>(t) < use.size() ? use[static_cast<std::size_t>(t)] != 0
                                                              : trains_.getTrainUse(t) != 0;
  };

  // The linear selection takes the least cost and, of equal costs, the
  // highest station number: the queue orders by cost, then station
  // descending. Entries whose station has since been settled or lowered are
  // stale. Once only unreached stations are left, nothing changes any more.
  using Entry = std::pair<int, int>;  // cost, -station
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  queue.emplace(0, -from);
  while (!queue.empty()) {
    const auto [cost, minusStation] = queue.top();
    queue.pop();
    const auto sel = static_cast<StationNo>(-minusStation);
    SearchNode& here = searchTable_[static_cast<std::size_t>(sel)];
    if (here.settled != 0 || here.cost != cost) continue;
    here.settled = 1;
    const std::span<const DiaDepartureRecord> leaving = departuresFrom(sel);
    for (const DiaDepartureRecord& r : leaving) {
      if (!used(r.train)) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      const TimeOfDay arr = here.arrival;
      const TimeOfDay ready = sel != from ? fast_departures::addMinutes(
                                                arr, cnct_.transferMinutesIndexed(sel, here.trainIn, r.train))
                                          : arr;
      TimeOfDay dep = ready;
      const bool staysOnBoard = here.trainIn == r.train && r.interval != 0;
      if (!staysOnBoard) {
        // nextDepartureOn over the station's records: the earliest, ties
        // to the first in the file.
        bool found = false;
        for (const DiaDepartureRecord& other : leaving) {
          TimeOfDay d{};
          if (other.train != r.train || other.nextStation != x) continue;
          if (!fast_departures::recordDeparture(other, ready, day, d)) continue;
          if (!found || d.totalMinutes() < dep.totalMinutes()) dep = d;
          found = true;
        }
        if (!found) continue;
      }
      const int walk = minutesBetween(arr, ready);
      const int wait = minutesBetween(ready, dep);
      const auto c = static_cast<std::int16_t>(here.cost + walk + wait + r.rideMinutes);
      if (relaxStation(here, sel, x, r, dep, c)) queue.emplace(c, -x);
    }
  }
  return goal.pred != 0 ? 0 : -1;
}

std::vector<RDiaMan::PathStop> RDiaMan::stationLabelPath(StationNo from, StationNo to) {
  const int n = searchStationCount();
  auto node = [this](StationNo s) -> SearchNode& { return searchTable_[static_cast<std::size_t>(s)]; };

  // Path pass: fix succ, trainOut and departure along the chosen path, from
  // the destination back to the start. Every pred was settled before the
  // station it leads to, so the walk ends at the start within n steps.
  StationNo i = to;
  for (int steps = 0; node(i).pred != -1 && steps < n; ++steps) {
    const StationNo p = node(i).pred;
    node(p).departure = {static_cast<std::int8_t>(node(i).boardHour),
                         static_cast<std::int8_t>(node(i).boardMinute)};
    node(p).succ = i;
    node(p).trainOut = node(i).trainIn;
    i = p;
  }
  node(to).succ = -1;
  node(to).trainOut = -1;

  std::vector<PathStop> path;
  i = from;
  for (int steps = 0; node(i).succ != -1 && steps < n; ++steps) {
    const SearchNode& here = node(i);
    path.push_back({i, i == from ? TrainNo{-1} : here.trainIn, here.trainOut, here.arrival, here.departure});
    i = here.succ;
  }
  path.push_back({to, node(to).trainIn, -1, node(to).arrival, node(to).arrival});
  return path;
}

int RDiaMan::fastestSearch(StationNo from, StationNo to, TimeOfDay start, int day,
                           std::vector<PathStop>* path) {
  const int n = searchStationCount();
  if (from < 1 || from > n || to < 1 || to > n) return -1;
  const int serviceDay = rules_.serviceDays ? day : -1;
  if (rules_.exactFastest) {
    std::vector<PathStop> stops;
    const int minutes = runExactFastestSearch(from, to, start, serviceDay, stops);
    if (path) *path = std::move(stops);
    return minutes;
  }
  const int found = fast() ? runFastestSearchQueued(from, to, start, serviceDay)
                           : runFastestSearch(from, to, start, serviceDay);
  if (found != 0) return -1;
  if (path) *path = stationLabelPath(from, to);
  return searchTable_[static_cast<std::size_t>(to)].cost;
}

int RDiaMan::fastestTime(StationNo from, StationNo to, int hour, int minute, int day) {
  const TimeOfDay start{static_cast<std::int8_t>(hour), static_cast<std::int8_t>(minute)};
  return fastestSearch(from, to, start, day, nullptr);
}

int RDiaMan::fastestRoute(StationNo from, StationNo to, int hour, int minute, int day) {
  const TimeOfDay start{static_cast<std::int8_t>(hour), static_cast<std::int8_t>(minute)};
  std::vector<PathStop> path;
  workFileProblem_.clear();
  if (fastestSearch(from, to, start, day, &path) < 0) return -1;
  if (writeFastestReport(path, start) == 0) return 0;
  workFileProblem_ = work_files::kFastestReport;
  return -1;
}

int RDiaMan::writeFastestReport(const std::vector<PathStop>& path, TimeOfDay start) {
  auto stationName = [this](StationNo s) {
    char buf[kStationNameSize] = {};
    staName_.getName(s, buf);
    return std::string(buf);
  };
  auto trainName = [this](TrainNo t) {
    char buf[kTrainNameSize] = {};
    trains_.getTrainName(t, buf);
    return std::string(buf);
  };
  using namespace report_text;

  const PathStop& goal = path.back();
  std::string text = format(kFastestTitle.c_str(), stationName(path.front().station).c_str(),
                            stationName(goal.station).c_str());
  text += format(kFastestStart.c_str(), start.hour, start.minute);
  const bool detailed = def_.getOutputMode() == 1;
  for (std::size_t k = 0; k + 1 < path.size(); ++k) {
    const PathStop& here = path[k];
    const std::string name = stationName(here.station);
    const bool isStart = k == 0;
    const bool isChange = !isStart && here.trainIn != here.trainOut;
    if (isChange)
      text += format(kFastestArrives.c_str(), here.arrival.hour, here.arrival.minute, name.c_str());
    if (isStart || isChange) {
      text += format(kFastestLeaves.c_str(), here.departure.hour, here.departure.minute, name.c_str());
      text += format(kFastestRide.c_str(), trainName(here.trainOut).c_str());
    } else if (detailed) {
      if (here.arrival == here.departure) {
        text += format(kFastestPassAt.c_str(), name.c_str(), here.arrival.hour, here.arrival.minute);
      } else {
        text += format(kFastestPassFromTo.c_str(), name.c_str(), here.arrival.hour, here.arrival.minute,
                       here.departure.hour, here.departure.minute);
      }
    }
  }
  text += format(kFastestArrives.c_str(), goal.arrival.hour, goal.arrival.minute,
                 stationName(goal.station).c_str());
  const int d = minutesBetween(start, goal.arrival);
  text += d < 60 ? format(kFastestMinutes.c_str(), d) : format(kFastestHours.c_str(), d / 60, d % 60);
  text += report_text::kTimetableNote;
  // Written over the old report's bytes, which spares the flush to disk
  // that a file cut to nothing and written again costs.
  return work_files::writeWholeText(
             dataDir_ / work_files::kFastestReport, text,
             fast() ? work_files::WholeFile::kOverOldBytes : work_files::WholeFile::kAfresh)
             ? 0
             : -1;
}

}  // namespace kiv
