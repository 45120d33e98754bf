// Checks that a route list view holds what the route files of its search
// hold: every order, every route's numbers, times and via, and every detail
// record.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "report/WorkFiles.h"
#include "timetable/RouteListView.h"

namespace kiv::test {

inline constexpr const char* kRouteListFiles[] = {"$MltRtL1.kv4", "$MltRtL2.kv4", "$MltRtL3.kv4"};

// Every field the window reads, as text: the record as the files lay it out,
// then each time's text and the minutes the window counts from.
inline std::vector<std::string> lines(const work_files::RouteList& list, work_files::RouteListLayout layout) {
  std::vector<std::string> out{list.head.from + "|" + list.head.to + "|" + list.head.departure.text + "|" +
                               std::to_string(list.head.departure.minutes)};
  for (const work_files::RouteSummary& r : list.routes)
    out.push_back(work_files::formatRouteSummary(r, layout) + "|" + r.arrival.text + "|" +
                  std::to_string(r.arrival.minutes));
  return out;
}

inline std::vector<std::string> lines(const work_files::RouteDetail& details) {
  std::vector<std::string> out;
  for (const auto& s : details.stops)
    out.push_back(work_files::formatRouteStop(s) + "|" + s.arrival.text + "," + s.departure.text + "|" +
                  std::to_string(s.arrival.minutes) + "," + std::to_string(s.departure.minutes));
  for (const auto& r : details.rides)
    out.push_back(work_files::formatRouteRide(r) + "|" + r.arrival.text + "," + r.departure.text + "|" +
                  std::to_string(r.arrival.minutes) + "," + std::to_string(r.departure.minutes));
  for (const auto& f : details.fares) out.push_back(work_files::formatRouteFareSection(f));
  return out;
}

inline void expectViewIsTheFiles(const RouteListView& view, const std::filesystem::path& dir) {
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(kRouteListFiles[k]);
    const auto read = work_files::readRouteList(dir / kRouteListFiles[k]);
    ASSERT_TRUE(read);
    const auto layout =
        k == 0 ? work_files::RouteListLayout::kDetectionOrder : work_files::RouteListLayout::kSorted;
    EXPECT_EQ(lines(view.lists[static_cast<std::size_t>(k)], layout), lines(*read, layout));
  }
  const auto details = work_files::readRouteDetails(dir / "$MltRtDt.kv4");
  ASSERT_TRUE(details);
  EXPECT_EQ(lines(view.details), lines(*details));
}

}  // namespace kiv::test
