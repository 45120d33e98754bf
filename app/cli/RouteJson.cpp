#include "RouteJson.h"

#include "CliErrors.h"
#include "Engine.h"
#include "JourneyText.h"
#include "fare/UnknownFare.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::cli {
namespace {

const char* orderName(RouteOrder order) {
  switch (order) {
    case RouteOrder::kTime:
      return "time";
    case RouteOrder::kFare:
      return "fare";
    case RouteOrder::kFound:
      break;
  }
  return "found";
}

Json requestJson(const Engine& engine, const char* command, const RouteRequest& j) {
  return {{"command", command},
          {"from", stationJson(engine.staName, j.from.number)},
          {"to", stationJson(engine.staName, j.to.number)},
          {"departure", timeJson(TimeOfDay{static_cast<std::int8_t>(j.time.hour),
                                           static_cast<std::int8_t>(j.time.minute)})},
          {"day", j.time.day}};
}

// A walking connection is a train whose name begins with 徒歩.
bool isWalk(const std::string& sjisTrain) { return sjisTrain.starts_with(report_text::kWalking.view()); }

// The change stations of a via text ("a,b" or "なし").
Json viaJson(const RStaName& names, const std::string& via) {
  Json stations = Json::array();
  if (via == report_text::kNoVia.view()) return stations;
  std::size_t start = 0;
  while (start <= via.size()) {
    const std::size_t comma = via.find(',', start);
    const std::string name =
        via.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!name.empty()) stations.push_back(stationJson(names, name));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return stations;
}

// Why a fare is null: of a section the data do not price, and of a total
// over such a section.
constexpr const char* kSectionFareUnknown = "the fare data give no fare for this section";
constexpr const char* kTotalFareUnknown = "the fare of a section is unknown";

// Sets `fare` of the object to the yen, or, when the fare is unknown, to
// null with `fare_note` saying why.
void putFare(Json& object, int fare, bool unknown, const char* why) {
  if (!unknown) {
    object["fare"] = fare;
    return;
  }
  object["fare"] = nullptr;
  object["fare_note"] = why;
}

// A fare section; the company's short name in Shift-JIS.
Json fareJson(NetworkCode network, const std::string& company, Json from, Json to, int fare, bool unknown) {
  Json section = {
      {"network", network}, {"company", utf8(company)}, {"from", std::move(from)}, {"to", std::move(to)}};
  putFare(section, fare, unknown, kSectionFareUnknown);
  return section;
}

Json routeJson(const RStaName& names, int rank, const work_files::RouteSummary& r,
               const work_files::RouteDetail& d) {
  Json rides = Json::array();
  for (const auto& ride : d.rides) {
    rides.push_back({{"train", utf8(ride.train)},
                     {"walking", isWalk(ride.train)},
                     {"from", stationJson(names, ride.from)},
                     {"to", stationJson(names, ride.to)},
                     {"departure", timeJson(ride.departure)},
                     {"arrival", timeJson(ride.arrival)},
                     {"minutes", ride.ridingMinutes + ride.walkingMinutes}});
  }
  Json boardings = Json::array();
  for (const auto& stop : d.stops) {
    boardings.push_back({{"station", stationJson(names, stop.station)},
                         {"walking_minutes", stop.walkingMinutes},
                         {"waiting_minutes", stop.waitingMinutes},
                         {"arrival", timeJson(stop.arrival)},
                         {"departure", timeJson(stop.departure)}});
  }
  Json fares = Json::array();
  bool totalUnknown = false;
  for (const auto& f : d.fares) {
    totalUnknown = totalUnknown || fareUnknown(f);
    fares.push_back(fareJson(f.network, f.company, stationJson(names, f.from), stationJson(names, f.to),
                             f.fare, fareUnknown(f)));
  }
  Json route = {{"rank", rank},
                {"detection", r.detection},
                {"arrival", timeJson(r.arrival)},
                {"total_minutes", r.totalMinutes},
                {"riding_minutes", r.ridingMinutes},
                {"walking_minutes", r.walkingMinutes},
                {"waiting_minutes", r.waitingMinutes},
                {"changes", r.changes}};
  putFare(route, r.fare, totalUnknown, kTotalFareUnknown);
  route["via"] = viaJson(names, r.via);
  route["rides"] = rides;
  route["boardings"] = boardings;
  route["fares"] = fares;
  return route;
}

// The day and time of a journey's moment, counted from the search's day.
Json dayTimeJson(int minutes, int day) {
  Json time =
      timeJson(TimeOfDay{static_cast<std::int8_t>(minutes / 60), static_cast<std::int8_t>(minutes % 60)});
  time["day"] = dayOf(minutes, day);
  time["next_day"] = minutes >= 1440;
  return time;
}

}  // namespace

const work_files::RouteList& listOf(const RouteListView& view, RouteOrder order) {
  switch (order) {
    case RouteOrder::kTime:
      return view.lists[1];
    case RouteOrder::kFare:
      return view.lists[2];
    case RouteOrder::kFound:
      break;
  }
  return view.lists[0];
}

Json routesJson(const Engine& engine, const Invocation& inv, const RouteRequest& journey, bool limitReached,
                const RouteListView& view, const BestRoutesShown& best) {
  const work_files::RouteList& list = listOf(view, inv.order);
  const work_files::RouteDetail& details = view.details;
  Json routes = Json::array();
  int rank = 0;
  for (const auto& summary : list.routes) {
    Json route = routeJson(engine.staName, ++rank, summary, detailOf(details, summary.detection));
    const auto k = static_cast<std::size_t>(summary.detection);
    if (best.journeys && summary.detection >= 0 && k < best.journeys->size()) {
      const kiv::Journey& j = (*best.journeys)[k];
      route["departure"] = dayTimeJson(j.departure, best.day);
      route["arrival"] = dayTimeJson(j.arrival, best.day);
      route["marks"] = {
          {"earliest", j.earliest}, {"fewest_changes", j.fewestChanges}, {"cheapest", j.cheapest}};
    }
    routes.push_back(std::move(route));
  }
  Json result = requestJson(engine, "route", journey);
  if (best.journeys) {
    result["search_day"] = best.day;
    result["arrive_by"] = best.arriveBy;
  }
  result["order"] = orderName(inv.order);
  result["route_limit_reached"] = limitReached;
  result["routes"] = routes;
  return result;
}

Json fastestJson(Engine& engine, const RouteRequest& journey, const FastestPath& path) {
  auto node = [&](std::size_t k) -> const PathStop& { return path.stops[k]; };
  Json legs = Json::array();
  for (std::size_t k = 0; k + 1 < path.stations.size(); ++k) {
    const TrainNo train = path.trains[k];
    if (k == 0 || train != path.trains[k - 1]) {
      char name[kTrainNameSize] = {};
      engine.trains.getTrainName(train, name);
      legs.push_back({{"train", utf8(name)},
                      {"walking", engine.trains.isWalking(train) == 1},
                      {"from", stationJson(engine.staName, path.stations[k])},
                      {"departure", timeJson(node(k).departure)},
                      {"to", nullptr},
                      {"arrival", nullptr},
                      {"stops", Json::array()}});
    }
    Json& leg = legs.back();
    const PathStop& next = node(k + 1);
    leg["to"] = stationJson(engine.staName, path.stations[k + 1]);
    leg["arrival"] = timeJson(next.arrival);
    const bool passesThrough = k + 2 < path.stations.size() && path.trains[k + 1] == train;
    if (passesThrough) {
      leg["stops"].push_back({{"station", stationJson(engine.staName, path.stations[k + 1])},
                              {"arrival", timeJson(next.arrival)},
                              {"departure", timeJson(next.departure)}});
    }
  }
  Json fares = Json::array();
  int total = 0;
  bool totalUnknown = false;
  for (const FareSection& s : fareSections(engine, path)) {
    total += s.fare;
    totalUnknown = totalUnknown || s.fareUnknown();
    fares.push_back(fareJson(s.network, s.company, stationJson(engine.staName, s.from),
                             stationJson(engine.staName, s.to), s.fare, s.fareUnknown()));
  }
  Json result = requestJson(engine, "fastest", journey);
  const TimeOfDay arrival = path.stations.empty() ? TimeOfDay{} : node(path.stations.size() - 1).arrival;
  int minutes = arrival.totalMinutes() - (journey.time.hour * 60 + journey.time.minute);
  if (minutes < 0) minutes += 1440;
  result["arrival"] = timeJson(arrival);
  result["total_minutes"] = minutes;
  putFare(result, total, totalUnknown, kTotalFareUnknown);
  result["legs"] = legs;
  result["fares"] = fares;
  return result;
}

}  // namespace kiv::cli
