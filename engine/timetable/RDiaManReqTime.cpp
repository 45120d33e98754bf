// The required-time table of RDiaMan: for every train leaving a station, the
// stations it reaches from there with the riding minutes summed along its
// links ("$RqTmTbl.kv4"), and the export of one or all tables as text or CSV.
#include <algorithm>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"

namespace kiv {

// One build of the required-time table: the walk along one train at a time
// and the text of the work file. The links of the current train are held per
// station as a range of `links`.
struct RDiaMan::RequiredTimeWalk {
  struct TrainLink {
    StationNo to;
    std::int16_t rideMinutes;
  };

  RequiredTimeWalk(const RStaName& names, int stationCount, bool stopWhenAllListed)
      : names(names),
        stopWhenAllListed(stopWhenAllListed),
        minutes(static_cast<std::size_t>(stationCount) + 1, 0),
        onPath(static_cast<std::size_t>(stationCount) + 1, 0),
        listed(static_cast<std::size_t>(stationCount) + 1, 0),
        seen(static_cast<std::size_t>(stationCount) + 1, 0),
        linkBegin(static_cast<std::size_t>(stationCount) + 1, 0),
        linkEnd(static_cast<std::size_t>(stationCount) + 1, 0) {}

  // Takes the links of the next train, grouped by their `from` station.
  void setLinks(std::span<const TrainLinkIndex::Link> trainLinks) {
    for (const StationNo p : linkStations) linkBegin[at(p)] = linkEnd[at(p)] = 0;
    linkStations.clear();
    links.clear();
    for (const TrainLinkIndex::Link& link : trainLinks) {
      if (linkStations.empty() || linkStations.back() != link.from) {
        linkStations.push_back(link.from);
        linkBegin[at(link.from)] = static_cast<int>(links.size());
      }
      links.push_back({link.to, link.rideMinutes});
      linkEnd[at(link.from)] = static_cast<int>(links.size());
    }
  }

  // Clears what the walk of the last train left, for the stations it reached.
  void clearReached(std::span<const TrainLinkIndex::Link> trainLinks) {
    for (const TrainLinkIndex::Link& link : trainLinks) {
      listed[at(link.to)] = 0;
      minutes[at(link.to)] = 0;
    }
  }

  // Lists the stations the current train reaches from `start`.
  void walkFrom(StationNo start) {
    depth = 0;
    if (stopWhenAllListed) unlisted = reachableCount(start);
    follow(start);
  }

  // Follows the current train on from station p, listing each station the
  // first time it is reached. The walk tries every path of the train that
  // visits no station twice and lists each station at its first visit, with
  // the minutes of that path. A station is entered again only when some
  // station not yet listed lies beyond it (off the current path): entering
  // it otherwise would list nothing, and on a network of walking connections
  // the paths are countless.
  void follow(StationNo p) {
    onPath[at(p)] = 1;
    ++depth;
    if (listed[at(p)] == 0 && depth != 1) {
      char name[kStationNameSize] = {};
      names.getName(p, name);
      text += work_files::formatStationMinutes(table, {name, minutes[at(p)]}) + "\n";
      listed[at(p)] = 1;
      --unlisted;
    }
    for (int k = linkBegin[at(p)]; k < linkEnd[at(p)]; ++k) {
      // Once every station the train reaches is listed, the rest of the
      // walk would only change minutes that are never written.
      if (stopWhenAllListed && unlisted == 0) break;
      const TrainLink& link = links[static_cast<std::size_t>(k)];
      const StationNo x = link.to;
      if (onPath[at(x)] == 1) continue;
      minutes[at(x)] = static_cast<std::int16_t>(minutes[at(p)] + link.rideMinutes);
      if (reachesUnlisted(x)) follow(x);
    }
    onPath[at(p)] = 0;
    --depth;
  }

  // True when a station not yet listed can be reached from x by the current
  // train without passing the stations on the walk's current path.
  bool reachesUnlisted(StationNo x) {
    ++seenMark;
    todo.assign(1, x);
    seen[at(x)] = seenMark;
    while (!todo.empty()) {
      const StationNo p = todo.back();
      todo.pop_back();
      if (listed[at(p)] == 0) return true;
      for (int k = linkBegin[at(p)]; k < linkEnd[at(p)]; ++k) {
        const StationNo to = links[static_cast<std::size_t>(k)].to;
        if (onPath[at(to)] == 1 || seen[at(to)] == seenMark) continue;
        seen[at(to)] = seenMark;
        todo.push_back(to);
      }
    }
    return false;
  }

  // The number of stations other than `start` the current train reaches.
  int reachableCount(StationNo start) {
    ++seenMark;
    todo.assign(1, start);
    seen[at(start)] = seenMark;
    int count = 0;
    while (!todo.empty()) {
      const StationNo p = todo.back();
      todo.pop_back();
      for (int k = linkBegin[at(p)]; k < linkEnd[at(p)]; ++k) {
        const StationNo to = links[static_cast<std::size_t>(k)].to;
        if (seen[at(to)] == seenMark) continue;
        seen[at(to)] = seenMark;
        todo.push_back(to);
        if (to != start) ++count;
      }
    }
    return count;
  }

  static std::size_t at(StationNo s) { return static_cast<std::size_t>(s); }

  const RStaName& names;
  const bool stopWhenAllListed;
  std::string text;  // the work file's text until it is written
  std::int16_t table = 0;
  int depth = 0;                      // stations on the walk's current path
  int unlisted = 0;                   // stations the train reaches that are not listed yet
  std::vector<std::int16_t> minutes;  // riding minutes to each station
  std::vector<std::uint8_t> onPath;   // 1 while on the walk's current path
  std::vector<std::uint8_t> listed;   // 1 once written in the current table
  std::vector<int> seen;              // the search that last saw each station
  int seenMark = 0;
  std::vector<int> linkBegin;  // the current train's links from each station:
  std::vector<int> linkEnd;    //   links[linkBegin[p]] .. links[linkEnd[p] - 1]
  std::vector<TrainLink> links;
  std::vector<StationNo> linkStations;  // the stations with links of the current train
  std::vector<StationNo> todo;
};

int RDiaMan::buildRequiredTimeTable(StationNo station) { return writeRequiredTimeTable(station, true); }

int RDiaMan::writeRequiredTimeTable(StationNo station, bool fast) {
  const int n = searchStationCount();
  const int trainCount = trains_.getTrainCount();
  const auto span = departuresOf(station);
  // The working arrays cover the station directory; a station of the
  // timetable files beyond it has no tables.
  if (span.empty() || station < 1 || station > n) return -1;

  RequiredTimeWalk walk(staName_, n, fast);
  char name[kStationNameSize] = {};
  staName_.getName(station, name);
  walk.text = work_files::formatRequiredTimesHead(name) + "\n";

  // The trains leaving the station, ascending.
  std::vector<TrainNo> leaving;
  if (fast) {
    for (const DiaDepartureRecord& r : span)
      if (r.train >= 1 && r.train <= trainCount) leaving.push_back(r.train);
    std::sort(leaving.begin(), leaving.end());
    leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());
  } else {
    for (int t = 1; t <= trainCount; ++t) {
      bool leavesHere = false;
      for (const DiaDepartureRecord& r : span) leavesHere = leavesHere || r.train == t;
      if (leavesHere) leaving.push_back(static_cast<TrainNo>(t));
    }
  }

  for (const TrainNo t : leaving) {
    char train[kTrainNameSize] = {};
    trains_.getTrainName(t, train);
    walk.text += work_files::formatRequiredTimeTable({walk.table, train, {}}) + "\n";
    if (fast) {
      const auto trainLinks = trainLinkIndex().linksOf(t);
      walk.setLinks(trainLinks);
      walk.walkFrom(station);
      walk.clearReached(trainLinks);
    } else {
      // Every table starts from cleared arrays and a scan of the whole timetable.
      std::fill(walk.listed.begin(), walk.listed.end(), 0);
      std::fill(walk.onPath.begin(), walk.onPath.end(), 0);
      std::fill(walk.minutes.begin(), walk.minutes.end(), 0);
      std::vector<TrainLinkIndex::Link> trainLinks;
      forEachTrainLink([&](TrainNo train, const TrainLinkIndex::Link& link) {
        if (train == t) trainLinks.push_back(link);
      });
      walk.setLinks(trainLinks);
      walk.walkFrom(station);
    }
    ++walk.table;
  }
  const bool written = work_files::writeWholeText(
      dataDir_ / work_files::kRequiredTimes, walk.text,
      fast ? work_files::WholeFile::kOverOldBytes : work_files::WholeFile::kAfresh);
  return written ? 0 : -1;
}

int RDiaMan::exportRequiredTimeTable(const std::filesystem::path& file, int table, bool csv) {
  // A missing work file exports nothing but the CSV header.
  const auto times = work_files::readRequiredTimes(dataDir_ / work_files::kRequiredTimes);
  const work_files::TableExport texts{report_text::kRequiredTimeExportHeading.c_str(),
                                      report_text::kRequiredTimeCsvHeader.c_str()};
  return work_files::writeTableExport(file, times.value_or(work_files::RequiredTimes{}), table, csv, texts)
             ? 0
             : -1;
}

}  // namespace kiv
