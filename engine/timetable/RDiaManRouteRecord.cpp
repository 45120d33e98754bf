// Describing one route of the multi-route search: its change stations, train
// segments and fare sections in "$MltRtDt.kv4" and its summary in
// "$MltRtL1.kv4", written at once or, in the best-routes mode, kept until the
// search knows which routes are the best.
#include <cstring>
#include <string>
#include <tuple>

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
// "なし": the via text of a route without changes.
constexpr char kNoVia[] = "\x82\xc8\x82\xb5";

// The records after their type digit and route number.
constexpr char kListRoute[] = "%2d:%02d %2d %d %d %d %d %d %s\r\n";
constexpr char kDetailChange[] = "%s %d %d %02d:%02d %02d:%02d\r\n";
constexpr char kDetailSegment[] = "%s %s %s %02d:%02d %02d:%02d %d %d\r\n";
constexpr char kDetailFare[] = "%04d %s %s %s %d\r\n";

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

void RDiaMan::writeFoundRoute(const FoundRoute& route, int number) {
  for (const auto& [type, text] : route.details)
    std::fprintf(rs_->detailFile, "%c %d %s", type, number, text.c_str());
  std::fprintf(rs_->listFile, "9 %d %d %s", number, number, route.summary.c_str());
}

FoundRoute RDiaMan::describeRoute() {
  auto node = [this](int k) -> const SearchNode& {
    return searchTable_[static_cast<std::size_t>(rs_->station[static_cast<std::size_t>(k)])];
  };
  auto stationName = [this](int k, char* buf) {
    buf[0] = '\0';
    staName_.getName(rs_->station[static_cast<std::size_t>(k)], buf);
  };
  using report_text::format;

  FoundRoute route;
  TrainNo currentTrain = -1;
  int segmentStart = 1;
  NetworkCode currentCode = -1;
  int sectionStart = 1;
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
  for (int k = 1; k <= depth; ++k) {
    const TrainNo train = rs_->train[static_cast<std::size_t>(k)];
    const SearchNode& pk = node(k);

    // Train segments: a change record where the passenger boards, a segment
    // record when the previous segment ends here.
    if (k == depth || train != currentTrain) {
      stationName(k, name);
      if (k > 1 && k < depth) addVia(via, viaCut, name);
      if (k < depth) {
        route.details.emplace_back(
            '1', format(kDetailChange, name, pk.walkMinutes, pk.waitMinutes, pk.arrival.hour,
                        pk.arrival.minute, pk.departure.hour, pk.departure.minute));
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
        route.details.emplace_back(
            '2', format(kDetailSegment, trainName, startName, name, ps.departure.hour, ps.departure.minute,
                        pk.arrival.hour, pk.arrival.minute, ride, walk));
        riding = static_cast<std::int16_t>(riding + ride);
        walking = static_cast<std::int16_t>(walking + walk);
        if (walkKind == 0) ++segments;
      }
      currentTrain = train;
      segmentStart = k;
    }

    // Fare sections: a run of trains of one network is priced as one journey.
    NetworkCode code = -1;
    trains_.getNetworkCode(train, code);
    if (k == depth || code != currentCode) {
      if (currentCode != -1) {
        const StationNo first = rs_->station[static_cast<std::size_t>(sectionStart)];
        const StationNo last = rs_->station[static_cast<std::size_t>(k)];
        // Routes share their sections; each is priced once per search.
        const auto section = std::make_tuple(currentCode, last, first);
        auto priced = rs_->fares.find(section);
        if (priced == rs_->fares.end()) {
          priced = rs_->fares.emplace(section, fare_.stationFare(currentCode, last, first, 1)).first;
        }
        const int fare = priced->second;
        company[0] = '\0';
        kiv_.getCompanyShortName(currentCode / 10, company);
        stationName(sectionStart, startName);
        stationName(k, name);
        route.details.emplace_back('3', format(kDetailFare, currentCode, company, startName, name, fare));
        fareTotal += fare;
      }
      currentCode = code;
      sectionStart = k;
    }
  }

  if (via.empty()) via = kNoVia;
  if (segments == 0) segments = 1;
  const SearchNode& goal = node(depth);
  route.arrivalMinutes = goal.arrival.totalMinutes();
  route.changes = segments - 1;
  route.fare = fareTotal;
  route.summary = format(kListRoute, goal.arrival.hour, goal.arrival.minute, riding + walking + waiting,
                         fareTotal, route.changes, riding, walking, waiting, via.c_str());
  return route;
}

}  // namespace kiv
