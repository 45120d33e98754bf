// The pieces the fast distance searches are built of, against the plain ways
// they stand for: a route carried over an edge all parts at once, and the
// queue of distances with its tie order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "distance/DistanceQueues.h"
#include "distance/RDistManSteps.h"

namespace kiv {
namespace {

TEST(DistSteps, AllPartsAtOnceAddAsTheEdgeByItsKind) {
  const std::int16_t values[] = {-32768, -32767, -200, -1, 0, 1, 199, 31999, 32000, 32766, 32767};
  std::mt19937 random(7);
  auto pick = [&] { return values[random() % std::size(values)]; };
  for (std::int8_t kind : {-1, 0, 1, 2, 3, 4, 9}) {
    for (std::int16_t distance : values) {
      for (int round = 0; round < 300; ++round) {
        const DistJREdge edge{1, 2, distance, pick(), kind};
        const JrDistanceBreakdown route{pick(), pick(), pick(), pick(), pick(), pick()};
        JrDistanceBreakdown plain = route;
        addJrEdge(plain, edge, std::numeric_limits<std::int16_t>::max());
        const JrDistanceBreakdown atOnce = saturatedSum(route, jrEdgeAddend(edge));
        ASSERT_TRUE(atOnce == plain) << "kind " << int{kind} << ", distance " << distance << ", round "
                                     << round << ": total " << atOnce.total << " against " << plain.total;
      }
    }
  }
}

// Takes everything out of the queue, pushing `more(distance, slot)` after each entry.
template <typename More>
std::vector<std::pair<int, int>> drain(BucketQueue& queue, More more) {
  std::vector<std::pair<int, int>> out;
  while (!queue.empty()) {
    const QueueEntry e = queue.pop();
    out.emplace_back(e.distance, e.slot);
    more(e.distance, e.slot);
  }
  return out;
}

TEST(DistSteps, BucketQueueGivesTheSmallestDistanceAndThenTheHighestSlot) {
  BucketQueue queue;
  queue.reset(5);
  for (const auto& [distance, slot] : {std::pair{3, 4}, {0, 1}, {3, 9}, {5, 2}, {0, 7}, {3, 5}})
    queue.push(distance, slot);
  // Entries pushed while the queue is taken out, some at the distance just taken (an edge of no length).
  bool pushed = false;
  const auto order = drain(queue, [&](int distance, int) {
    if (distance == 3 && !pushed) {
      pushed = true;
      queue.push(3, 6);
      queue.push(3, 2);
      queue.push(8, 3);
      queue.push(7, 3);
    }
  });
  const std::vector<std::pair<int, int>> expected{{0, 7}, {0, 1}, {3, 9}, {3, 6}, {3, 5},
                                                  {3, 4}, {3, 2}, {5, 2}, {7, 3}, {8, 3}};
  EXPECT_EQ(order, expected);
}

TEST(DistSteps, BucketQueueStartsEmptyAfterASearchLeftItHalfFull) {
  BucketQueue queue;
  queue.reset(100);
  for (int slot = 1; slot <= 40; ++slot) queue.push(slot * 2, slot);
  for (int i = 0; i < 10; ++i) queue.pop();
  // A shorter longest edge: fewer buckets in use, the old entries gone.
  queue.reset(3);
  EXPECT_TRUE(queue.empty());
  queue.push(0, 5);
  const auto order = drain(queue, [&](int distance, int slot) {
    if (slot > 1) queue.push(distance + slot % 4, slot - 1);
  });
  const std::vector<std::pair<int, int>> expected{{0, 5}, {1, 4}, {1, 3}, {4, 2}, {6, 1}};
  EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace kiv
