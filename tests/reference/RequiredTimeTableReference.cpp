#include "RequiredTimeTableReference.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Engine.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFiles.h"
#include "timetable/Timetable.h"

namespace kiv::reference {

namespace {

// The walk along one train: every path of the train that visits no station
// twice, listing each station the first time it is reached with the minutes
// of that path. A station is entered again only when a station not yet
// listed lies beyond it (off the current path); otherwise the paths of a
// network of walking connections are countless.
class TrainWalk {
 public:
  TrainWalk(const RStaName& names, int stationCount, std::vector<TrainLinkIndex::Link> links, int table,
            std::string& text)
      : names_(names),
        links_(std::move(links)),
        table_(table),
        text_(text),
        minutes_(static_cast<std::size_t>(stationCount) + 1, 0),
        onPath_(static_cast<std::size_t>(stationCount) + 1, false),
        listed_(static_cast<std::size_t>(stationCount) + 1, false) {}

  void walkFrom(StationNo start) {
    depth_ = 0;
    follow(start);
  }

 private:
  static std::size_t at(StationNo s) { return static_cast<std::size_t>(s); }

  void follow(StationNo p) {
    onPath_[at(p)] = true;
    ++depth_;
    if (!listed_[at(p)] && depth_ != 1) {
      char name[kStationNameSize] = {};
      names_.getName(p, name);
      text_ +=
          work_files::formatStationMinutes(static_cast<std::int16_t>(table_), {name, minutes_[at(p)]}) + "\n";
      listed_[at(p)] = true;
    }
    for (const TrainLinkIndex::Link& link : links_) {
      if (link.from != p || onPath_[at(link.to)]) continue;
      minutes_[at(link.to)] = static_cast<std::int16_t>(minutes_[at(p)] + link.rideMinutes);
      if (reachesUnlisted(link.to)) follow(link.to);
    }
    onPath_[at(p)] = false;
    --depth_;
  }

  bool reachesUnlisted(StationNo x) const {
    std::vector<bool> seen(onPath_.size(), false);
    std::vector<StationNo> todo{x};
    seen[at(x)] = true;
    while (!todo.empty()) {
      const StationNo p = todo.back();
      todo.pop_back();
      if (!listed_[at(p)]) return true;
      for (const TrainLinkIndex::Link& link : links_) {
        if (link.from != p || onPath_[at(link.to)] || seen[at(link.to)]) continue;
        seen[at(link.to)] = true;
        todo.push_back(link.to);
      }
    }
    return false;
  }

  const RStaName& names_;
  const std::vector<TrainLinkIndex::Link> links_;
  const int table_;
  std::string& text_;
  int depth_ = 0;
  std::vector<std::int16_t> minutes_;
  std::vector<bool> onPath_;
  std::vector<bool> listed_;
};

}  // namespace

int buildRequiredTimeTable(const Timetable& timetable, const RStaName& names, const RTrainMan& trains,
                           const std::filesystem::path& workDir, StationNo station) {
  const int n = timetable.stationCount();
  const int trainCount = trains.getTrainCount();
  const auto span = timetable.departuresOf(station);
  if (span.empty() || station < 1 || station > n) return -1;

  char name[kStationNameSize] = {};
  names.getName(station, name);
  std::string text = work_files::formatRequiredTimesHead(name) + "\n";
  int table = 0;
  for (int t = 1; t <= trainCount; ++t) {
    const bool leavesHere =
        std::any_of(span.begin(), span.end(), [t](const DiaDepartureRecord& r) { return r.train == t; });
    if (!leavesHere) continue;
    char train[kTrainNameSize] = {};
    trains.getTrainName(static_cast<TrainNo>(t), train);
    text += work_files::formatRequiredTimeTable({static_cast<std::int16_t>(table), train, {}}) + "\n";
    std::vector<TrainLinkIndex::Link> links;
    timetable.forEachTrainLink(trainCount, [&](TrainNo on, const TrainLinkIndex::Link& link) {
      if (on == t) links.push_back(link);
    });
    TrainWalk(names, n, std::move(links), table, text).walkFrom(station);
    ++table;
  }
  return work_files::writeWholeText(workDir / work_files::kRequiredTimes, text,
                                    work_files::WholeFile::kAfresh)
             ? 0
             : -1;
}

int buildRequiredTimeTable(const Engine& engine, StationNo station) {
  return buildRequiredTimeTable(engine.dia.timetable(), engine.staName, engine.trains,
                                engine.dia.workDirectory(), station);
}

}  // namespace kiv::reference
