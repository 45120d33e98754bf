// The route list in its three orders and its details, from found routes.
#include "timetable/RouteListView.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <variant>

#include "network/RStaName.h"
#include "text/ReportText.h"
#include "text/SjisText.h"
#include "timetable/RouteListSorting.h"

namespace kiv {

namespace {

// A time as the route files hold it: printed from its minutes, without
// the blank that pads an hour below 10.
work_files::ClockTime asWritten(const work_files::ClockTime& time, const char* format) {
  std::string text = report_text::format(format, time.minutes / 60, time.minutes % 60);
  text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
  return {std::move(text), time.minutes};
}

}  // namespace

RouteListView routeListView(const work_files::RouteListHead& head, const std::vector<FoundRoute>& routes) {
  RouteListView view;
  work_files::RouteList& found = view.lists[0];
  std::vector<route_lists::RouteSortKey> keys;
  for (std::size_t k = 0; k < routes.size(); ++k) {
    const int number = static_cast<int>(k);
    work_files::RouteSummary summary = routes[k].summary;
    summary.position = number;
    summary.detection = number;
    summary.arrival = asWritten(summary.arrival, "%2d:%02d");
    found.routes.push_back(summary);
    keys.push_back(route_lists::sortKeyOf(summary));
    struct Numbered {
      work_files::RouteDetail& details;
      int number;
      void operator()(work_files::RouteStop r) const {
        r.detection = number;
        r.arrival = asWritten(r.arrival, "%02d:%02d");
        r.departure = asWritten(r.departure, "%02d:%02d");
        details.stops.push_back(std::move(r));
      }
      void operator()(work_files::RouteRide r) const {
        r.detection = number;
        r.departure = asWritten(r.departure, "%02d:%02d");
        r.arrival = asWritten(r.arrival, "%02d:%02d");
        details.rides.push_back(std::move(r));
      }
      void operator()(work_files::RouteFareSection r) const {
        details.fares.push_back((r.detection = number, r));
      }
    };
    for (const auto& record : routes[k].details) std::visit(Numbered{view.details, number}, record);
  }
  // The sorted lists hold each route's arrival and via as the sorting
  // record keeps them.
  const std::vector<int> orders[] = {route_lists::timeOrder(keys), route_lists::fareOrder(keys)};
  for (int list = 1; list <= 2; ++list) {
    work_files::RouteList& sorted = view.lists[static_cast<std::size_t>(list)];
    for (std::size_t k = 0; k < routes.size(); ++k) {
      work_files::RouteSummary r = found.routes[static_cast<std::size_t>(orders[list - 1][k])];
      r.position = static_cast<int>(k);
      r.arrival.text = fitSjisField(r.arrival.text, route_lists::kArrivalTextSize);
      r.via = fitSjisField(r.via, route_lists::kSortViaSize);
      sorted.routes.push_back(std::move(r));
    }
  }
  for (auto& list : view.lists) {
    list.head = head;
    list.head.departure = asWritten(head.departure, "%2d:%02d");
  }
  return view;
}

RouteListView routeListView(const RStaName& names, const RouteQuery& query, const RouteSearchResult& list) {
  const work_files::RouteListHead head =
      routeListHead(names, query.from, query.to, askedTime(query.hour, query.minute));
  if (query.mode == kBestRoutesMode) return routeListView(head, routesOf(list.journeys));
  return routeListView(head, list.routes);
}

std::vector<FoundRoute> routesOf(const std::vector<Journey>& journeys) {
  std::vector<FoundRoute> routes;
  routes.reserve(journeys.size());
  for (const Journey& j : journeys) routes.push_back(j.route);
  return routes;
}

work_files::ClockTime askedTime(int hour, int minute) {
  return {report_text::format("%2d:%02d", hour, minute), hour * 60 + minute};
}

work_files::RouteListHead routeListHead(const RStaName& names, StationNo from, StationNo to,
                                        const work_files::ClockTime& asked) {
  char fromName[kStationNameSize] = "";
  char toName[kStationNameSize] = "";
  names.getName(from, fromName);
  names.getName(to, toName);
  return {fromName, toName, asked};
}

}  // namespace kiv
