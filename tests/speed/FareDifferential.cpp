#include "FareDifferential.h"

#include <gtest/gtest.h>

#include <string>

#include "DistanceReference.h"
#include "FareReference.h"
#include "data/BinaryIO.h"
#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"

namespace kiv::test {

reference::FareSources sourcesOf(const FareSide& side) {
  return {side.names, side.sta, side.staFare, side.kiv, side.dist, side.fare, side.dir};
}

namespace {

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& file) {
  return readWholeFile(file).value_or(std::vector<std::uint8_t>{});
}

// Runs `build` the fast way and the plain way and compares the named work files.
template <typename Build>
void expectSameFiles(const FareSide& side, const std::vector<std::string>& files, Build build,
                     const std::string& what) {
  const int fast = build(false);
  std::vector<std::vector<std::uint8_t>> fastBytes;
  for (const auto& f : files) fastBytes.push_back(bytesOf(side.dir / f));
  const int plain = build(true);
  EXPECT_EQ(fast, plain) << what;
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_TRUE(std::filesystem::exists(side.dir / files[i])) << what << ": " << files[i] << " not written";
    const auto plainBytes = bytesOf(side.dir / files[i]);
    EXPECT_TRUE(fastBytes[i] == plainBytes) << what << ": " << files[i] << " differs";
  }
}

template <typename Breakdown, typename Search>
void expectSameNetworkSearches(const FareSide& side, NetworkCode network, int step, Search search) {
  const int n = side.sta.getNetworkSize(network);
  std::vector<Breakdown> fast(static_cast<std::size_t>(n) + 1);
  std::vector<Breakdown> plain(static_cast<std::size_t>(n) + 1);
  for (int p = 1; p <= n; p += step) {
    const auto origin = static_cast<StationNo>(side.sta.getStationAt(network, p));
    const int fastResult = search(origin, n, fast.data(), false);
    const int plainResult = search(origin, n, plain.data(), true);
    ASSERT_EQ(fastResult, plainResult) << "network " << network << " from " << origin;
    // Element 0 is the caller's and stays as it was.
    for (std::size_t i = 0; i < fast.size(); ++i)
      ASSERT_TRUE(fast[i] == plain[i])
          << "network " << network << " from " << origin << " (position " << p << "), position " << i
          << ": total " << fast[i].total << " against " << plain[i].total;
  }
}

}  // namespace

void expectSameJrSearches(const FareSide& side, int step) {
  const reference::DistMan plainDist(sourcesOf(side));
  expectSameNetworkSearches<JrDistanceBreakdown>(
      side, 0, step, [&](StationNo origin, int n, JrDistanceBreakdown* out, bool plain) {
        return plain ? plainDist.jrDistances(origin, n, out) : side.dist.jrDistances(origin, n, out);
      });
}

void expectSamePrivateSearches(const FareSide& side, NetworkCode network, int step) {
  const reference::DistMan plainDist(sourcesOf(side));
  expectSameNetworkSearches<PrDistanceBreakdown>(
      side, network, step, [&](StationNo origin, int n, PrDistanceBreakdown* out, bool plain) {
        return plain ? plainDist.privateDistances(origin, n, network, out)
                     : side.dist.privateDistances(origin, n, network, out);
      });
}

void expectSameAllNetworkSearches(const FareSide& side, int step) {
  const reference::DistMan plainDist(sourcesOf(side));
  const int n = side.names.getCount();
  std::vector<Distance> fast(static_cast<std::size_t>(n) + 1);
  std::vector<Distance> plain(static_cast<std::size_t>(n) + 1);
  for (int s = 1; s <= n; s += step) {
    ASSERT_EQ(side.dist.allDistances(static_cast<StationNo>(s), n, fast.data()),
              plainDist.allDistances(static_cast<StationNo>(s), n, plain.data()));
    ASSERT_TRUE(fast == plain) << "from " << s;
  }
}

void expectSameStationFares(const FareSide& side, NetworkCode network, int step) {
  const reference::FareMan plainFare(sourcesOf(side));
  const int n = side.sta.getNetworkSize(network);
  for (int i = 1; i <= n; i += step) {
    const auto from = static_cast<StationNo>(side.sta.getStationAt(network, i));
    for (int j = 1 + i % step; j <= n; j += step) {
      const auto to = static_cast<StationNo>(side.sta.getStationAt(network, j));
      for (int mode : {0, 1}) {
        ASSERT_EQ(side.fare.stationFare(network, from, to, mode),
                  plainFare.stationFare(network, from, to, mode))
            << "network " << network << ", " << from << " to " << to << ", mode " << mode;
      }
    }
  }
}

void expectSameFareTables(const FareSide& side, const std::vector<StationNo>& origins) {
  const reference::FareMan plainFare(sourcesOf(side));
  for (StationNo origin : origins) {
    expectSameFiles(
        side, {"$FareTbl.kv4"},
        [&](bool plain) {
          return plain ? plainFare.buildFareTable(origin) : side.fare.buildFareTable(origin);
        },
        "fare table of " + std::to_string(origin));
  }
}

void expectSameTokyoZoneList(const FareSide& side) {
  const reference::FareMan plainFare(sourcesOf(side));
  expectSameFiles(
      side, {"$TKY101.KV4"},
      [&](bool plain) { return plain ? plainFare.buildTokyoZoneList() : side.fare.buildTokyoZoneList(); },
      "Tokyo-zone list");
}

void expectSameJrCheapestTable(const FareSide& side) {
  reference::DistMan plainDist(sourcesOf(side));
  expectSameFiles(
      side, {"jrregu.dat", "$jrregu.csv"},
      [&](bool plain) {
        testing::internal::CaptureStdout();
        const int found = plain ? plainDist.buildJrCheapestTable() : side.dist.buildJrCheapestTable();
        testing::internal::GetCapturedStdout();
        return found;
      },
      "JR cheapest-route table");
}

}  // namespace kiv::test
