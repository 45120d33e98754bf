// On the sample network, the route list a window shows from a search's
// value is the list the route files hold, for journeys whose routes change
// between companies, walk and pass midnight.

#include <gtest/gtest.h>

#include "RouteListViewCheck.h"
#include "SampleNetwork.h"
#include "timetable/RouteListView.h"

namespace kiv::test {
namespace {

class SampleRouteListViewTest : public SampleNetworkTest {};

TEST_F(SampleRouteListViewTest, EveryOrderAndDetailIsWhatTheFilesHold) {
  struct Case {
    const char* from;
    const char* to;
    int hour, minute, day, mode;
  };
  const Case cases[] = {{"東京", "高崎", 9, 0, 1, kBestRoutesMode},
                        {"所沢", "新宿", 8, 0, 1, kClassicRoutesMode},
                        {"北千住", "中目黒", 8, 0, 2, kBestRoutesMode},
                        {"町田", "新宿", 23, 30, 5, kBestRoutesMode},
                        {"練馬", "豊洲", 8, 0, 3, kClassicRoutesMode}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " " + c.to);
    const RouteQuery query{station(c.from), station(c.to), c.hour, c.minute, c.day, 20, 30, 4, 20, c.mode};
    const RouteSearchResult list = engine().dia.searchRouteList(query);
    ASSERT_GT(list.found, 0);
    expectViewIsTheFiles(routeListView(engine().staName, query, list), engine().dia.workDirectory());
  }
}

}  // namespace
}  // namespace kiv::test
