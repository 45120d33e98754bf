// The required-time table of RDiaMan: for every train leaving a station, the
// stations it reaches from there with the riding minutes summed along its
// links ("$RqTmTbl.kv4"), and the export of one or all tables as text or CSV.
#include <algorithm>
#include <cstdlib>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"

namespace kiv {

namespace {

constexpr char kWorkFile[] = "$RqTmTbl.kv4";

// "  %s からの所要時間(分)  ～ %s ～\n\n"
constexpr char kTableTitle[] =
    "  %s \x82\xa9\x82\xe7\x82\xcc\x8f\x8a\x97\x76\x8e\x9e\x8a\xd4(\x95\xaa)  \x81\x60 %s \x81\x60\n\n";
// "From,列車,To,所要(分)\n"
constexpr char kCsvHeader[] = "From,\x97\xf1\x8e\xd4,To,\x8f\x8a\x97\x76(\x95\xaa)\n";

}  // namespace

int RDiaMan::buildRequiredTimeTable(StationNo station) {
  const int n = searchStationCount();
  const int trainCount = trains_.getTrainCount();
  const auto span = departuresOf(station);
  // The working arrays cover the station directory; a station of the
  // timetable files beyond it has no tables.
  if (span.empty() || station < 1 || station > n) return -1;

  const auto size = static_cast<std::size_t>(n) + 1;
  reqMinutes_.assign(size, 0);
  reqOnPath_.assign(size, 0);
  reqListed_.assign(size, 0);
  reqTable_ = 0;
  char name[kStationNameSize] = {};
  staName_.getName(station, name);
  reqText_ = report_text::format("0 %s\n", name);

  for (int t = 1; t <= trainCount; ++t) {
    bool leavesHere = false;
    for (const DiaDepartureRecord& r : span) leavesHere = leavesHere || r.train == t;
    if (!leavesHere) continue;
    char train[kTrainNameSize] = {};
    trains_.getTrainName(static_cast<TrainNo>(t), train);
    reqText_ += report_text::format("1 %d %s\n", reqTable_, train);
    std::fill(reqListed_.begin(), reqListed_.end(), 0);
    std::fill(reqOnPath_.begin(), reqOnPath_.end(), 0);
    std::fill(reqMinutes_.begin(), reqMinutes_.end(), 0);
    reqDepth_ = 0;
    reqTrain_ = static_cast<TrainNo>(t);
    collectTrainLinks();
    followTrain(station);
    ++reqTable_;
  }

  const bool written = report_text::writeText(dataDir_ / kWorkFile, reqText_);
  reqText_.clear();
  reqText_.shrink_to_fit();
  reqMinutes_ = {};
  reqOnPath_ = {};
  reqListed_ = {};
  reqLinks_ = {};
  reqSeen_ = {};
  return written ? 0 : -1;
}

void RDiaMan::collectTrainLinks() {
  const int n = searchStationCount();
  reqLinks_.assign(static_cast<std::size_t>(n) + 1, {});
  reqSeen_.assign(static_cast<std::size_t>(n) + 1, 0);
  reqSeenMark_ = 0;
  for (StationNo p = 1; p <= n; ++p) {
    for (const DiaLinkRecord& link : linksOf(p)) {
      // A neighbour outside the station directory cannot be listed or followed.
      if (link.to < 1 || link.to > n) continue;
      int first = 0;
      int last = 0;
      if (clampSpan(link.firstDeparture, link.lastDeparture, departures_.size(), first, last) < 0) continue;
      for (int k = first; k <= last; ++k) {
        const DiaDepartureRecord& r = departures_[static_cast<std::size_t>(k)];
        if (r.train != reqTrain_) continue;
        reqLinks_[static_cast<std::size_t>(p)].push_back({link.to, r.rideMinutes});
        break;
      }
    }
  }
}

bool RDiaMan::reachesUnlisted(StationNo x) {
  const auto at = [](StationNo s) { return static_cast<std::size_t>(s); };
  ++reqSeenMark_;
  std::vector<StationNo> todo{x};
  reqSeen_[at(x)] = reqSeenMark_;
  while (!todo.empty()) {
    const StationNo p = todo.back();
    todo.pop_back();
    if (reqListed_[at(p)] == 0) return true;
    for (const TrainLink& link : reqLinks_[at(p)]) {
      if (reqOnPath_[at(link.to)] == 1 || reqSeen_[at(link.to)] == reqSeenMark_) continue;
      reqSeen_[at(link.to)] = reqSeenMark_;
      todo.push_back(link.to);
    }
  }
  return false;
}

// The walk tries every path of the train that visits no station twice and
// lists each station at its first visit, with the minutes of that path. A
// station is entered again only when some station not yet listed lies
// beyond it (off the current path): entering it otherwise would list
// nothing, and on a network of walking connections the paths are countless.
void RDiaMan::followTrain(StationNo p) {
  const auto at = [](StationNo s) { return static_cast<std::size_t>(s); };
  reqOnPath_[at(p)] = 1;
  ++reqDepth_;
  if (reqListed_[at(p)] == 0 && reqDepth_ != 1) {
    char name[kStationNameSize] = {};
    staName_.getName(p, name);
    reqText_ += report_text::format("2 %d %s %d\n", reqTable_, name, reqMinutes_[at(p)]);
    reqListed_[at(p)] = 1;
  }
  for (const TrainLink& link : reqLinks_[at(p)]) {
    const StationNo x = link.to;
    if (reqOnPath_[at(x)] == 1) continue;
    reqMinutes_[at(x)] = static_cast<std::int16_t>(reqMinutes_[at(p)] + link.rideMinutes);
    if (reachesUnlisted(x)) followTrain(x);
  }
  reqOnPath_[at(p)] = 0;
  --reqDepth_;
}

int RDiaMan::exportRequiredTimeTable(const std::filesystem::path& file, int table, bool csv) {
  std::vector<std::string> lines;
  // A missing work file exports nothing but the CSV header.
  report_text::readLines(dataDir_ / kWorkFile, lines);
  std::string text;
  if (csv) text += kCsvHeader;
  std::string from;
  std::string train;
  int current = -1;
  for (const std::string& line : lines) {
    const std::vector<std::string> w = report_text::words(line);
    if (w.empty()) continue;
    if (w[0] == "0" && w.size() >= 2) {
      from = w[1];
    } else if (w[0] == "1" && w.size() >= 3) {
      current = std::atoi(w[1].c_str());
      train = w[2];
      if ((table == current || table == -1) && !csv) {
        if (table == -1 && current != 0) text += "\n\n";
        text += report_text::format(kTableTitle, from.c_str(), train.c_str());
      }
    } else if (w[0] == "2" && w.size() >= 4) {
      const int number = std::atoi(w[1].c_str());
      if (number != table && table != -1) continue;
      const int minutes = std::atoi(w[3].c_str());
      if (csv) {
        text += report_text::format("%s,%s,%s,%d\n", from.c_str(), train.c_str(), w[2].c_str(), minutes);
      } else {
        text += report_text::format("    %-24s  %4d\n", w[2].c_str(), minutes);
      }
    }
  }
  return report_text::writeText(file, text) ? 0 : -1;
}

}  // namespace kiv
