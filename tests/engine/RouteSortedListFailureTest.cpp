// A route search whose time- or fare-ordered list cannot be written has no
// result: it fails naming that list, and is never taken for "no route".

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Engine.h"
#include "TextNetwork.h"

namespace kiv {
namespace {

// Two trains from 甲 to 乙, at 10:00 and 10:20, and none on to 丙: two
// routes to sort.
test::DataDir compileTwoTrains() {
  return test::compileNetwork(std::string(test::kLineKoOtsuHei) + R"(
train 赤線
terminal 乙
at 0 hours 10-11
甲
乙 5
train 青線
terminal 乙
at 20 hours 10-11
甲
乙 4
)");
}

TEST(RouteSortedListFailureTest, AnUnwritableSortedListFailsTheSearchAndIsNamed) {
  const test::DataDir dir = compileTwoTrains();
  Engine engine(dir.path());
  for (const char* file : {"$MltRtL2.kv4", "$MltRtL3.kv4"}) {
    SCOPED_TRACE(file);
    std::filesystem::create_directory(dir.path() / file);
    EXPECT_EQ(engine.dia.searchRoutes(1, 2, 10, 0, 1, 10, 30), -1);
    EXPECT_EQ(engine.dia.workFileProblem(), file);
    // The other sorted list is still written.
    const char* other = std::string(file) == "$MltRtL2.kv4" ? "$MltRtL3.kv4" : "$MltRtL2.kv4";
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() / other));
    std::filesystem::remove(dir.path() / file);
    std::filesystem::remove(dir.path() / other);
  }
  EXPECT_EQ(engine.dia.searchRoutes(1, 2, 10, 0, 1, 10, 30), 2);
  EXPECT_EQ(engine.dia.workFileProblem(), "");
}

TEST(RouteSortedListFailureTest, NoRouteStaysNoRouteWhateverTheSortedLists) {
  const test::DataDir dir = compileTwoTrains();
  Engine engine(dir.path());
  std::filesystem::create_directory(dir.path() / "$MltRtL2.kv4");
  // Nothing runs from 甲 to 丙: no route, and no work file named.
  EXPECT_EQ(engine.dia.searchRoutes(1, 3, 10, 0, 1, 10, 30), -1);
  EXPECT_EQ(engine.dia.workFileProblem(), "");
}

}  // namespace
}  // namespace kiv
