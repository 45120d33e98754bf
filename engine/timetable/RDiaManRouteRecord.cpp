// Describing one route of the multi-route search: its change stations, train
// segments and fare sections in "$MltRtDt.kv4" and its summary in
// "$MltRtL1.kv4", written at once or, in the best-routes mode, kept until the
// search knows which routes are the best.
#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "fare/FareSections.h"
#include "fare/RFareMan.h"
#include "network/RKivMan.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "text/ReportText.h"
#include "text/SjisText.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteSearchState.h"

namespace kiv {

namespace {

// Room of the via text while a route is recorded, with its NUL.
constexpr std::size_t kViaTextSize = 1024;
// Adds a station to the via text, after a ",". The text keeps to
// kViaTextSize - 1 bytes: the first name that does not fit is cut at a
// character boundary, and nothing is added after it.
void addVia(std::string& via, bool& cut, const char* name) {
  if (cut) return;
  const std::size_t room = kViaTextSize - 1 - via.size();
  const std::size_t separator = via.empty() ? 0 : 1;
  if (separator + std::strlen(name) <= room) {
    if (separator) via += ',';
    via += name;
    return;
  }
  cut = true;
  if (room <= separator) return;
  const std::string part = fitSjisField(name, room - separator + 1);
  if (part.empty()) return;
  if (separator) via += ',';
  via += part;
}

}  // namespace

void RDiaMan::writeFoundRoute(FoundRoute& route, int number) {
  using namespace work_files;
  RouteSummary& summary = route.summary;
  summary.position = number;
  summary.detection = number;
  if (fast()) {
    // Hundreds of routes per search: their records are appended to the
    // bytes of the files without printf.
    struct AppendNumbered {
      std::string& line;
      int number;
      void operator()(RouteStop& r) const { appendRouteStop(line, (r.detection = number, r)); }
      void operator()(RouteRide& r) const { appendRouteRide(line, (r.detection = number, r)); }
      void operator()(RouteFareSection& r) const { appendRouteFareSection(line, (r.detection = number, r)); }
    };
    for (auto& record : route.details) {
      std::visit(AppendNumbered{rs_->detailText, number}, record);
      rs_->detailText += "\r\n";
    }
    appendRouteSummary(rs_->listText, summary, RouteListLayout::kDetectionOrder);
    rs_->listText += "\r\n";
    return;
  }
  struct NumberedRecord {
    int number;
    std::string operator()(RouteStop r) const {
      r.detection = number;
      return formatRouteStop(r);
    }
    std::string operator()(RouteRide r) const {
      r.detection = number;
      return formatRouteRide(r);
    }
    std::string operator()(RouteFareSection r) const {
      r.detection = number;
      return formatRouteFareSection(r);
    }
  };
  for (const auto& record : route.details) rs_->detailFile->line(std::visit(NumberedRecord{number}, record));
  rs_->listFile->line(formatRouteSummary(summary, RouteListLayout::kDetectionOrder));
}

FoundRoute RDiaMan::describeRoute() {
  auto node = [this](int k) -> const SearchNode& {
    return searchTable_[static_cast<std::size_t>(rs_->station[static_cast<std::size_t>(k)])];
  };
  auto stationName = [this](int k, char* buf) {
    buf[0] = '\0';
    staName_.getName(rs_->station[static_cast<std::size_t>(k)], buf);
  };
  // A time of the route files; only its hours and minutes are written.
  auto clock = [](TimeOfDay t) { return work_files::ClockTime{"", t.hour * 60 + t.minute}; };

  FoundRoute route;
  TrainNo currentTrain = -1;
  int segmentStart = 1;
  std::int32_t fareTotal = 0;
  std::int16_t riding = 0;
  std::int16_t walking = 0;
  std::int16_t waiting = 0;
  std::int16_t segments = 0;
  std::string via;
  via.reserve(kViaTextSize);
  bool viaCut = false;
  char name[kStationNameSize];
  char startName[kStationNameSize];
  char trainName[kTrainNameSize];
  char company[kCompanyNameSize];

  const int depth = rs_->depth;
  // Fare sections: hop h runs from station h + 1 to station h + 2 of the route.
  std::vector<FareHop> hops;
  hops.reserve(static_cast<std::size_t>(std::max(depth - 1, 0)));
  for (int k = 1; k < depth; ++k) {
    const TrainNo train = rs_->train[static_cast<std::size_t>(k)];
    FareHop& hop = hops.emplace_back();
    trains_.getNetworkCode(train, hop.network);
    hop.walking = trains_.isWalking(train) == 1;
  }
  const std::vector<FareSectionSpan> sections = fareSections(hops);
  std::size_t nextSection = 0;

  for (int k = 1; k <= depth; ++k) {
    const TrainNo train = rs_->train[static_cast<std::size_t>(k)];
    const SearchNode& pk = node(k);

    // Train segments: a change record where the passenger boards, a segment
    // record when the previous segment ends here.
    if (k == depth || train != currentTrain) {
      stationName(k, name);
      if (k > 1 && k < depth) addVia(via, viaCut, name);
      if (k < depth) {
        route.details.emplace_back(work_files::RouteStop{0, name, pk.walkMinutes, pk.waitMinutes,
                                                         clock(pk.arrival), clock(pk.departure)});
        walking = static_cast<std::int16_t>(walking + pk.walkMinutes);
        waiting = static_cast<std::int16_t>(waiting + pk.waitMinutes);
      }
      if (currentTrain != -1) {
        const SearchNode& ps = node(segmentStart);
        const TrainNo t = rs_->train[static_cast<std::size_t>(segmentStart)];
        const int minutes = pk.arrival.totalMinutes() - ps.departure.totalMinutes();
        const int walkKind = trains_.isWalking(t);  // -1 for a train not in the list
        const bool walks = walkKind == 1;
        const int ride = walks ? 0 : minutes;
        const int walk = walks ? minutes : 0;
        trainName[0] = '\0';
        trains_.getTrainName(t, trainName);
        stationName(segmentStart, startName);
        route.details.emplace_back(work_files::RouteRide{0, trainName, startName, name, clock(ps.departure),
                                                         clock(pk.arrival), ride, walk});
        riding = static_cast<std::int16_t>(riding + ride);
        walking = static_cast<std::int16_t>(walking + walk);
        if (walkKind == 0) ++segments;
      }
      currentTrain = train;
      segmentStart = k;
    }

    // A fare section is recorded where it ends, after the segment records.
    while (nextSection < sections.size() && sections[nextSection].last + 2 == k) {
      const FareSectionSpan& span = sections[nextSection++];
      const int sectionStart = span.first + 1;
      const StationNo first = rs_->station[static_cast<std::size_t>(sectionStart)];
      const StationNo last = rs_->station[static_cast<std::size_t>(k)];
      // Routes share their sections; each is priced once per search.
      const auto section = std::make_tuple(span.network, last, first);
      auto priced = rs_->fares.find(section);
      if (priced == rs_->fares.end()) {
        priced = rs_->fares.emplace(section, fare_.stationFare(span.network, last, first, 1)).first;
      }
      const int fare = priced->second;
      company[0] = '\0';
      kiv_.getCompanyShortName(span.network / 10, company);
      stationName(sectionStart, startName);
      stationName(k, name);
      route.details.emplace_back(
          work_files::RouteFareSection{0, span.network, company, startName, name, fare});
      fareTotal += fare;
    }
  }

  if (via.empty()) via = report_text::kNoVia.c_str();
  if (segments == 0) segments = 1;
  const SearchNode& goal = node(depth);
  route.arrivalMinutes = goal.arrival.totalMinutes();
  route.changes = segments - 1;
  route.fare = fareTotal;
  route.summary.arrival = clock(goal.arrival);
  route.summary.totalMinutes = riding + walking + waiting;
  route.summary.fare = fareTotal;
  route.summary.changes = route.changes;
  route.summary.ridingMinutes = riding;
  route.summary.walkingMinutes = walking;
  route.summary.waitingMinutes = waiting;
  route.summary.via = std::move(via);
  return route;
}

}  // namespace kiv
