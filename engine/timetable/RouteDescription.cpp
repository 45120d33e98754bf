// The records of one route of the route list files: its change stations,
// train segments and fare sections in "$MltRtDt.kv4" and its summary in
// "$MltRtL1.kv4".
#include "timetable/RouteDescription.h"

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

FoundRoute describeRoute(const RouteDescriber& describer, std::span<const RouteStopTimes> stops) {
  // Positions are 1-based along the route, as the search counts them.
  auto node = [&stops](int k) -> const RouteStopTimes& { return stops[static_cast<std::size_t>(k - 1)]; };
  auto stationName = [&](int k, char* buf) {
    buf[0] = '\0';
    describer.names.getName(node(k).station, buf);
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

  const int depth = static_cast<int>(stops.size());
  // Fare sections: hop h runs from station h + 1 to station h + 2 of the route.
  std::vector<FareHop> hops;
  hops.reserve(static_cast<std::size_t>(std::max(depth - 1, 0)));
  for (int k = 1; k < depth; ++k) {
    const TrainNo train = node(k).train;
    FareHop& hop = hops.emplace_back();
    describer.trains.getNetworkCode(train, hop.network);
    hop.walking = describer.trains.isWalking(train) == 1;
  }
  const std::vector<FareSectionSpan> sections = fareSections(hops);
  std::size_t nextSection = 0;
  for (int k = 1; k <= depth; ++k) {
    const TrainNo train = node(k).train;
    const RouteStopTimes& pk = node(k);

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
        const RouteStopTimes& ps = node(segmentStart);
        const TrainNo t = ps.train;
        const int minutes = pk.arrival.totalMinutes() - ps.departure.totalMinutes();
        const int walkKind = describer.trains.isWalking(t);  // -1 for a train not in the list
        const bool walks = walkKind == 1;
        const int ride = walks ? 0 : minutes;
        const int walk = walks ? minutes : 0;
        trainName[0] = '\0';
        describer.trains.getTrainName(t, trainName);
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
      const StationNo first = node(sectionStart).station;
      const StationNo last = node(k).station;
      // Routes share their sections; each is priced once per search.
      const auto section = std::make_tuple(span.network, last, first);
      SectionFares& fares = describer.fares;
      auto priced = fares.bySection.find(section);
      if (priced == fares.bySection.end()) {
        priced =
            fares.bySection
                .emplace(section, describer.fare.stationFare(fares.pricing, span.network, last, first, 1))
                .first;
      }
      const int fare = priced->second;
      company[0] = '\0';
      describer.kiv.getCompanyShortName(span.network / 10, company);
      stationName(sectionStart, startName);
      stationName(k, name);
      route.details.emplace_back(
          work_files::RouteFareSection{0, span.network, company, startName, name, fare});
      fareTotal += fare;
    }
  }

  if (via.empty()) via = report_text::kNoVia.c_str();
  if (segments == 0) segments = 1;
  const RouteStopTimes& goal = node(depth);
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
