// The route list a window shows from a search's value must be the list the
// route files hold: every order, every route's numbers, times and via, and
// every detail record.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "RouteListViewCheck.h"
#include "TempDir.h"
#include "journey/ArrivingBy.h"
#include "timetable/RouteListView.h"

namespace kiv::test {
namespace {

TEST(RouteListView, IsWhatTheRouteFilesHoldInBothModesAndArrivingBy) {
  int lists = 0;
  for (unsigned seed : {3u, 11u, 29u}) {
    const NetworkShape shape{
        .seed = seed, .stations = 18, .lines = 6, .stopsPerLine = 7, .walks = 3, .transfers = 6};
    TempDir dir;
    writeRandomNetwork(dir.path(), shape);
    Engine engine(dir.path());
    for (StationNo to = 2; to <= shape.stations; to += 3) {
      for (int mode : {kClassicRoutesMode, kBestRoutesMode}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " to " + std::to_string(to) + " mode " +
                     std::to_string(mode));
        const RouteQuery query{1, to, 8, 30, 2, 30, 60, 4, 20, mode};
        const RouteSearchResult list = engine.dia.searchRouteList(query);
        if (list.found <= 0) continue;
        expectViewIsTheFiles(routeListView(engine.staName, query, list), dir.path());
        ++lists;
      }
      ArriveByRequest request;
      request.from = 1;
      request.to = to;
      request.arrival = 11 * 60;
      request.day = 2;
      request.maxChanges = 4;
      request.maxRoutes = 10;
      const ArrivingBy found = searchArrivingBy(engine.dia, request);
      if (found.written <= 0) continue;
      SCOPED_TRACE("arriving by, seed " + std::to_string(seed) + " to " + std::to_string(to));
      expectViewIsTheFiles(routeListView(engine.staName, 1, to, found), dir.path());
      ++lists;
    }
  }
  // The networks give lists of every kind to compare.
  EXPECT_GE(lists, 12);
}

}  // namespace
}  // namespace kiv::test
