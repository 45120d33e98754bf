// The sample network as shipped in data/, compiled once per test program and
// loaded in the engine, with the shortest JR distances from 東京.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Engine.h"
#include "KivdataTestSupport.h"
#include "text/Codec.h"

namespace kiv::test {

class SampleNetworkTest : public ::testing::Test {
 protected:
  // data/ of the source tree this test was built from.
  static std::filesystem::path shippedDataDir() { return std::filesystem::path(KIV_SOURCE_DIR) / "data"; }

  static void SetUpTestSuite() {
    if (engine_) return;
    tmp_ = std::make_unique<TempDir>();
    KivdataRun run = runKivdataCommand({"build", shippedDataDir().string(), (tmp_->path() / "out").string()});
    ASSERT_EQ(run.rc, 0) << run.err;
    engine_ = std::make_unique<Engine>(tmp_->path() / "out");
    const int n = engine_->sta.getNetworkSize(0);
    fromTokyo_.assign(n + 1, JrDistanceBreakdown{});
    ASSERT_EQ(engine_->dist.jrDistances(station("東京"), n, fromTokyo_.data()), 0);
  }

  static Engine& engine() { return *engine_; }
  static StationNo station(const char* utf8) { return engine_->staName.findByName(*utf8ToSjis(utf8)); }

  // The shortest JR distance from 東京, split by line kind.
  static JrDistanceBreakdown fromTokyo(const char* utf8) {
    StationNo s = station(utf8);
    EXPECT_GT(s, 0) << utf8;
    int pos = engine_->sta.findPosition(0, s);
    EXPECT_GT(pos, 0) << utf8;
    return pos > 0 ? fromTokyo_[pos] : JrDistanceBreakdown{};
  }
  static const JrDistanceBreakdown& fromTokyoAt(int position) { return fromTokyo_[position]; }

  // Kilometres (100 m) from 東京 as the timetable prints them and how they fall
  // on the line kinds.
  struct SplitFromTokyo {
    const char* name;
    int total, yamanote, trainZone, trunk, localBusiness = 0;
  };
  static void expectSplitFromTokyo(const SplitFromTokyo& c) {
    SCOPED_TRACE(c.name);
    const JrDistanceBreakdown b = fromTokyo(c.name);
    EXPECT_EQ(b.total, c.total);
    EXPECT_EQ(b.yamanote, c.yamanote);
    EXPECT_EQ(b.trainZone, c.trainZone);
    EXPECT_EQ(b.trunk, c.trunk);
    EXPECT_EQ(b.localBusiness, c.localBusiness);
  }
  static int fareYen(const char* utf8) { return engine_->kiv.jrFare(fromTokyo(utf8)) * 10; }

  // The fare in yen of a journey on one network, as the route list prices it.
  static int stationFareYen(NetworkCode network, const char* from, const char* to) {
    return engine_->fare.stationFare(network, station(from), station(to), 1);
  }

  // The shortest distance (100 m) from `from` to `to` inside one private
  // network, split by surcharge zone.
  static PrDistanceBreakdown privateDistance(NetworkCode network, const char* from, const char* to) {
    const int n = engine_->sta.getNetworkSize(network);
    std::vector<PrDistanceBreakdown> out(n + 1);
    EXPECT_EQ(engine_->dist.privateDistances(station(from), n, network, out.data()), 0) << from;
    const int pos = engine_->sta.findPosition(network, station(to));
    EXPECT_GT(pos, 0) << to;
    return pos > 0 ? out[pos] : PrDistanceBreakdown{};
  }

  // Kilometres (100 m) between two stations inside one private network, and
  // the part of them in surcharge zones 1 and 2.
  struct PrivateKm {
    NetworkCode network;
    const char* from;
    const char* to;
    int total, zone1 = 0, zone2 = 0;
  };
  // With `zones`, also the zones: the two given, none in the others.
  static void expectPrivateKm(const std::vector<PrivateKm>& cases, bool zones) {
    for (const PrivateKm& c : cases) {
      SCOPED_TRACE(std::string(c.from) + " - " + c.to);
      const PrDistanceBreakdown b = privateDistance(c.network, c.from, c.to);
      EXPECT_EQ(b.total, c.total);
      for (std::size_t z = 0; zones && z < std::size(b.zone); ++z)
        EXPECT_EQ(b.zone[z], z == 0 ? c.zone1 : z == 1 ? c.zone2 : 0) << "zone " << z + 1;
    }
  }

  // A fare in yen on one network, between two stations.
  struct Fare {
    NetworkCode network;
    const char* from;
    const char* to;
    int yen;
  };
  // The fares as the route list prices them.
  static void expectStationFares(const std::vector<Fare>& cases) {
    for (const Fare& c : cases)
      EXPECT_EQ(stationFareYen(c.network, c.from, c.to), c.yen) << c.from << " - " << c.to;
  }

  // A journey that takes from `least` to `most` minutes.
  struct Journey {
    const char* from;
    const char* to;
    int least, most;
  };
  // The fastest times leaving at hour:minute on `day`.
  static void expectJourneyTimes(int hour, int minute, int day, const std::vector<Journey>& cases) {
    for (const Journey& c : cases) {
      SCOPED_TRACE(std::string(c.from) + " - " + c.to);
      const int minutes = engine_->dia.fastestTime(station(c.from), station(c.to), hour, minute, day);
      EXPECT_GE(minutes, c.least);
      EXPECT_LE(minutes, c.most);
    }
  }

 private:
  // Kept for the whole test program: the engine's settings file is written
  // into the temporary directory when the program ends.
  inline static std::unique_ptr<TempDir> tmp_;
  inline static std::unique_ptr<Engine> engine_;
  inline static std::vector<JrDistanceBreakdown> fromTokyo_;
};

}  // namespace kiv::test
