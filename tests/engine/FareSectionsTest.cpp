// Where fare sections begin and end: runs of one network, walks that split,
// and the walks marked as a change inside one network's fare.
#include <gtest/gtest.h>

#include <vector>

#include "fare/FareSections.h"

namespace kiv {
namespace {

using Spans = std::vector<FareSectionSpan>;

FareHop ride(NetworkCode network) { return {network, false}; }
FareHop walk(NetworkCode network = kWalkingNetworkCode) { return {network, true}; }

TEST(FareSections, RunsOfOneNetworkAndPlainWalks) {
  EXPECT_EQ(fareSections({}), Spans{});
  const std::vector<FareHop> hops{ride(0), ride(0), ride(80), walk(), ride(80), ride(80)};
  EXPECT_EQ(fareSections(hops), (Spans{{0, 1, 0}, {2, 2, 80}, {3, 3, 900}, {4, 5, 80}}));
  // Walks in a row are one walking section.
  const std::vector<FareHop> walks{ride(80), walk(), walk(), ride(90)};
  EXPECT_EQ(fareSections(walks), (Spans{{0, 0, 80}, {1, 2, 900}, {3, 3, 90}}));
}

TEST(FareSections, MarkedWalkBetweenRidesOfItsNetworkKeepsTheJourney) {
  // 千代田線 – walk 新御茶ノ水–淡路町 – 丸ノ内線 – walk 銀座–日比谷 – 日比谷線: one 営団 journey.
  const std::vector<FareHop> hops{ride(80), ride(80), walk(80), ride(80), walk(80), ride(80)};
  EXPECT_EQ(fareSections(hops), (Spans{{0, 5, 80}}));
}

TEST(FareSections, MarkedWalkSplitsWhereTheRidesAreNotOfItsNetwork) {
  // JR to 有楽町, walk to 日比谷, 日比谷線: the walk is an ordinary walk.
  EXPECT_EQ(fareSections(std::vector{ride(0), walk(80), ride(80)}),
            (Spans{{0, 0, 0}, {1, 1, 900}, {2, 2, 80}}));
  // 営団 to 淡路町, walk to 小川町 marked for 営団 but the 都営 ride follows.
  EXPECT_EQ(fareSections(std::vector{ride(80), walk(80), ride(90)}),
            (Spans{{0, 0, 80}, {1, 1, 900}, {2, 2, 90}}));
  // At either end of the route, or next to another walk.
  EXPECT_EQ(fareSections(std::vector{walk(80), ride(80)}), (Spans{{0, 0, 900}, {1, 1, 80}}));
  EXPECT_EQ(fareSections(std::vector{ride(80), walk(80)}), (Spans{{0, 0, 80}, {1, 1, 900}}));
  EXPECT_EQ(fareSections(std::vector{ride(80), walk(80), walk(), ride(80)}),
            (Spans{{0, 0, 80}, {1, 2, 900}, {3, 3, 80}}));
}

TEST(FareSections, UnknownTrainsMakeNoSection) {
  EXPECT_EQ(fareSections(std::vector{ride(-1), ride(0), ride(-1)}), (Spans{{1, 1, 0}}));
  EXPECT_EQ(fareSections(std::vector{ride(80), walk(-1), ride(80)}), (Spans{{0, 0, 80}, {2, 2, 80}}));
}

}  // namespace
}  // namespace kiv
