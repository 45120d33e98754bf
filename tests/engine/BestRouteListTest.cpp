// The list of the best-routes mode: order, the refusal of dominated routes
// once the list is full, and when a route can no longer enter it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "timetable/BestRouteList.h"

namespace kiv {
namespace {

FoundRoute route(int detection, int arrival, int changes, int fare) {
  FoundRoute r;
  r.detection = detection;
  r.arrivalMinutes = arrival;
  r.changes = changes;
  r.fare = fare;
  return r;
}

std::vector<int> detections(const BestRouteList& list) {
  std::vector<int> out;
  for (const FoundRoute& r : list.routes()) out.push_back(r.detection);
  return out;
}

TEST(BestRouteListTest, OrdersByArrivalChangesFareAndDetection) {
  BestRouteList list(10);
  list.offer(route(0, 630, 1, 300));
  list.offer(route(1, 620, 2, 300));
  list.offer(route(2, 630, 0, 400));
  list.offer(route(3, 630, 1, 200));
  list.offer(route(4, 630, 1, 200));
  EXPECT_EQ(detections(list), (std::vector<int>{1, 2, 3, 4, 0}));
  EXPECT_FALSE(list.cut());
}

TEST(BestRouteListTest, FullListRefusesDominatedRoutesAndDropsItsLast) {
  BestRouteList list(2);
  list.offer(route(0, 600, 0, 200));
  list.offer(route(1, 610, 1, 150));
  // While there is room even a dominated route is kept; not once it is full.
  list.offer(route(2, 605, 1, 250));
  EXPECT_EQ(detections(list), (std::vector<int>{0, 1}));
  EXPECT_TRUE(list.cut());
  // Earlier and dominated by none: in, and the last route goes.
  list.offer(route(3, 605, 2, 100));
  EXPECT_EQ(detections(list), (std::vector<int>{0, 3}));

  BestRouteList roomy(3);
  roomy.offer(route(0, 600, 0, 200));
  roomy.offer(route(1, 605, 1, 250));
  EXPECT_EQ(detections(roomy), (std::vector<int>{0, 1}));
  EXPECT_FALSE(roomy.cut());
}

TEST(BestRouteListTest, LaterRoutesCannotEnterAFullCutList) {
  BestRouteList list(1);
  EXPECT_TRUE(list.admits(900));
  list.offer(route(0, 620, 1, 200));
  // Full but nothing dropped yet: a later route still tells that more exist.
  EXPECT_FALSE(list.admits(621));
  EXPECT_TRUE(list.couldTake(621));
  list.offer(route(1, 610, 2, 300));
  EXPECT_TRUE(list.cut());
  EXPECT_FALSE(list.couldTake(611));
  EXPECT_TRUE(list.couldTake(610));
}

}  // namespace
}  // namespace kiv
