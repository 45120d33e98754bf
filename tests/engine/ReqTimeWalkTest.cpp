// The required-time table on networks with many paths: every path of a
// train that visits no station twice is a candidate, so a grid of walking
// connections has countless paths. The table must come in time and be the
// one the plain walk over every path gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

#include "Engine.h"
#include "TempDir.h"
#include "TimetableFixture.h"

namespace kiv {
namespace {

using test::TimetableWorld;

// The table as the plain walk over every path gives it, straight from the
// departure records in file order (the reference for small networks).
std::string plainWalkTables(const std::vector<DiaDepartureRecord>& records, int stations,
                            const std::vector<std::string>& names, const std::vector<std::string>& trains,
                            StationNo start) {
  std::string text = "0 " + names[start - 1] + "\n";
  int table = 0;
  for (TrainNo t = 1; t <= static_cast<TrainNo>(trains.size()); ++t) {
    bool leaves = false;
    for (const auto& r : records) leaves = leaves || (r.station == start && r.train == t);
    if (!leaves) continue;
    text += "1 " + std::to_string(table) + " " + trains[t - 1] + "\n";
    std::vector<int> minutes(stations + 1, 0);
    std::vector<bool> onPath(stations + 1, false);
    std::vector<bool> listed(stations + 1, false);
    std::function<void(StationNo, int)> follow = [&](StationNo p, int depth) {
      onPath[p] = true;
      if (!listed[p] && depth != 1) {
        text += "2 " + std::to_string(table) + " " + names[p - 1] + " " + std::to_string(minutes[p]) + "\n";
        listed[p] = true;
      }
      std::vector<StationNo> nexts;
      for (const auto& r : records) {
        if (r.station == p && std::find(nexts.begin(), nexts.end(), r.nextStation) == nexts.end())
          nexts.push_back(r.nextStation);
      }
      for (StationNo x : nexts) {
        if (onPath[x]) continue;
        for (const auto& r : records) {
          if (r.station != p || r.nextStation != x || r.train != t) continue;
          minutes[x] = minutes[p] + r.rideMinutes;
          follow(x, depth + 1);
          break;
        }
      }
      onPath[p] = false;
    };
    follow(start, 1);
    ++table;
  }
  return test::workText(text);
}

TEST(ReqTimeWalk, SameTablesAsThePlainWalkOnRandomNetworks) {
  std::mt19937 random(12);
  const std::vector<std::string> names = {"A", "B", "C", "D", "E", "F", "G", "H"};
  const std::vector<std::string> trains = {"X", "Y"};
  for (int round = 0; round < 40; ++round) {
    test::TempDir dir;
    TimetableWorld w(names);
    for (const std::string& t : trains) w.train(t.c_str(), 0);
    std::vector<DiaDepartureRecord> records;
    for (StationNo p = 1; p <= 8; ++p) {
      std::vector<StationNo> nexts;
      for (StationNo x = 1; x <= 8; ++x) {
        if (x != p && random() % 3 == 0) nexts.push_back(x);
      }
      std::shuffle(nexts.begin(), nexts.end(), random);
      for (StationNo x : nexts) {
        const int count = 1 + static_cast<int>(random() % 2);
        for (int k = 0; k < count; ++k) {
          const auto t = static_cast<TrainNo>(1 + random() % 2);
          const int ride = 1 + static_cast<int>(random() % 9);
          w.timed(t, p, x, 0, ride, 0);
          records.push_back(test::departureRecord(t, p, x, 0, 0, ride, 0));
        }
      }
    }
    w.write(dir.path());
    Engine engine(dir.path());
    for (StationNo start = 1; start <= 8; ++start) {
      if (engine.dia.buildRequiredTimeTable(start) != 0) continue;
      EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), plainWalkTables(records, 8, names, trains, start))
          << "round " << round << ", from " << names[start - 1];
    }
  }
}

// 49 stations in a 7 x 7 grid, joined both ways by 84 walks: the plain walk
// over every path would run for hours.
TEST(ReqTimeWalk, WalkingGridIsListedInTime) {
  test::TempDir dir;
  constexpr int kSide = 7;
  std::vector<std::string> names;
  for (int i = 1; i <= kSide * kSide; ++i) names.push_back("S" + std::to_string(i));
  TimetableWorld world(names);
  const TrainNo walk = world.train("徒歩", 0);
  const auto station = [](int row, int col) { return static_cast<StationNo>(row * kSide + col + 1); };
  for (int row = 0; row < kSide; ++row) {
    for (int col = 0; col < kSide; ++col) {
      const StationNo p = station(row, col);
      if (row > 0) world.timed(walk, p, station(row - 1, col), 0, 3, 0);
      if (col > 0) world.timed(walk, p, station(row, col - 1), 0, 2, 0);
      if (col + 1 < kSide) world.timed(walk, p, station(row, col + 1), 0, 2, 0);
      if (row + 1 < kSide) world.timed(walk, p, station(row + 1, col), 0, 3, 0);
    }
  }
  world.write(dir.path());
  Engine engine(dir.path());
  const auto begin = std::chrono::steady_clock::now();
  ASSERT_EQ(engine.dia.buildRequiredTimeTable(station(3, 3)), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
  const std::string table = dir.readText("$RqTmTbl.kv4");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 2 + kSide * kSide - 1) << table;
}

}  // namespace
}  // namespace kiv
