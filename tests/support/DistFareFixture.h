// The byte-level way to build the distance and fare files of a test network,
// beside TimetableFixture.h, for the shapes the data compiler never writes
// (tests of real shapes use the text format, TextNetwork.h): stations,
// networks with their positions, JR and private edges, station-pair fares and
// links, written through the format modules into a temporary directory, and
// the engine objects that read it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "SjisText.h"
#include "data/DistIdxFile.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "data/FareFFile.h"
#include "data/FareIdxFile.h"
#include "data/FareRFile.h"
#include "data/FareWFile.h"
#include "data/StaAttrFile.h"
#include "data/StaFareFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"

namespace kiv::test {

class DistFareWorld {
 public:
  // Stations 1..count named "S1", "S2", ...
  explicit DistFareWorld(int count) : codes_(static_cast<std::size_t>(count)) {
    for (int s = 1; s <= count; ++s)
      names_.stations.push_back({"S" + std::to_string(s), "s" + std::to_string(s)});
  }
  // Stations 1, 2, ... with the given UTF-8 names, for the rules keyed on
  // station names (the Tokyo-zone lists).
  explicit DistFareWorld(const std::vector<std::string>& utf8Names) : codes_(utf8Names.size()) {
    for (const std::string& name : utf8Names) names_.stations.push_back({sjis(name), ""});
  }

  // A network whose positions 1, 2, ... are the given stations; the code is
  // added to each station's network list.
  void network(NetworkCode code, const std::vector<StationNo>& stations) {
    const auto first = static_cast<std::int16_t>(attr_.entries.size() + 1);
    for (StationNo s : stations) {
      attr_.entries.push_back({0, s, 0});
      codes_[static_cast<std::size_t>(s - 1)].push_back(code);
    }
    idx_.networks.push_back({code, first, static_cast<std::int16_t>(attr_.entries.size())});
  }

  void setNetworks(StationNo s, std::vector<NetworkCode> codes) {
    codes_[static_cast<std::size_t>(s - 1)] = codes;
  }

  // One directed edge; the edges leaving one station keep the order of these calls.
  void jr(StationNo from, StationNo to, Distance d, std::int8_t kind, Distance fareDistance = 0) {
    jrEdges_.push_back({from, to, d, fareDistance, kind});
  }
  void jrBoth(StationNo a, StationNo b, Distance d, std::int8_t kind, Distance fareDistance = 0) {
    jr(a, b, d, kind, fareDistance);
    jr(b, a, d, kind, fareDistance);
  }
  void pr(NetworkCode network, StationNo from, StationNo to, Distance d, std::int8_t zone) {
    prEdges_.push_back({network, {0, from, to, d, zone}});
  }
  void prBoth(NetworkCode network, StationNo a, StationNo b, Distance d, std::int8_t zone) {
    pr(network, a, b, d, zone);
    pr(network, b, a, d, zone);
  }

  void link(StationNo a, StationNo b) { links_.records.push_back({0, a, b, 0}); }
  void special(NetworkCode network, StationNo a, StationNo b, std::int16_t amount) {
    special_.records.push_back({network, a, b, amount});
  }
  void reduction(NetworkCode network, StationNo a, StationNo b, std::int16_t amount) {
    reductions_.records.push_back({network, a, b, amount});
  }

  // Writes every file; the distance index lists, per network and start
  // station, the edges in the order they were added.
  void write(const std::filesystem::path& dir) const {
    writeStaNameFile(dir / "StaName.kv4", names_);
    writeStaAttrFile(dir / "StaAttr.kv4", attr_);
    writeStaIdxFile(dir / "StaIdx.kv4", idx_);
    writeStaFareFile(dir / "StaFare.kv4", StaFareFile{codes_});

    DistJRFile jrFile;
    DistPRFile prFile;
    DistIdxFile index;
    std::vector<std::pair<NetworkCode, StationNo>> starts;
    for (const auto& e : jrEdges_) addStart(starts, 0, e.from);
    for (const auto& [network, e] : prEdges_) addStart(starts, network, e.from);
    for (const auto& [network, station] : starts) {
      const std::size_t before = network == 0 ? jrFile.edges.size() : prFile.edges.size();
      if (network == 0) {
        for (const auto& e : jrEdges_)
          if (e.from == station) jrFile.edges.push_back(e);
      } else {
        for (const auto& [n, e] : prEdges_)
          if (n == network && e.from == station) prFile.edges.push_back(e);
      }
      const std::size_t after = network == 0 ? jrFile.edges.size() : prFile.edges.size();
      index.entries.push_back(
          {network, station, static_cast<std::int16_t>(before + 1), static_cast<std::int16_t>(after)});
    }
    writeDistJRFile(dir / "DistJR.kv4", jrFile);
    writeDistPRFile(dir / "DistPR.kv4", prFile);
    writeDistIdxFile(dir / "DistIdx.kv4", index);

    writeFareIdxFile(dir / "FAREIDX.KV4", FareIdxFile{std::vector<FareIdxRecord>(names_.stations.size())});
    writeFareFFile(dir / "FAREF.KV4", special_);
    writeFareRFile(dir / "FARER.KV4", reductions_);
    writeFareWFile(dir / "FAREW.KV4", links_);
  }

 private:
  static void addStart(std::vector<std::pair<NetworkCode, StationNo>>& starts, NetworkCode network,
                       StationNo station) {
    const std::pair<NetworkCode, StationNo> key{network, station};
    if (std::find(starts.begin(), starts.end(), key) == starts.end()) starts.push_back(key);
  }

  StaNameFile names_;
  StaAttrFile attr_;
  StaIdxFile idx_;
  std::vector<std::vector<NetworkCode>> codes_;
  std::vector<DistJREdge> jrEdges_;
  std::vector<std::pair<NetworkCode, DistPREdge>> prEdges_;
  FareFFile special_;
  FareRFile reductions_;
  FareWFile links_;
};

// A JR trunk-line section, both ways: its stations and its distance.
struct TrunkEdge {
  StationNo a;
  StationNo b;
  Distance distance;
};

// Stations 1..count, all of them on JR, joined by the given sections in their
// order (the distance index lists a station's edges in that order); anything
// else (fares, other networks, links) may be added before it is written.
inline DistFareWorld trunkLines(int count, const std::vector<TrunkEdge>& edges) {
  DistFareWorld dist(count);
  std::vector<StationNo> all;
  for (int s = 1; s <= count; ++s) all.push_back(static_cast<StationNo>(s));
  dist.network(0, all);
  for (const TrunkEdge& e : edges) dist.jrBoth(e.a, e.b, e.distance, 3);
  return dist;
}

// Stations 1..count on one JR trunk line in number order, 1 km apart.
inline DistFareWorld trunkRow(int count) {
  std::vector<TrunkEdge> edges;
  for (int s = 1; s < count; ++s)
    edges.push_back({static_cast<StationNo>(s), static_cast<StationNo>(s + 1), 10});
  return trunkLines(count, edges);
}

// The engine objects over one data directory, in their start-up order; the
// distance object is handed the fare object before that is constructed, as
// the global objects are.
struct DistFareEngine {
  explicit DistFareEngine(const std::filesystem::path& dir)
      : staName(dir),
        staFare(dir),
        staMan(dir, staName),
        dist(dir, staName, staMan, staFare, kiv, fare),
        fare(dir, staName, staMan, staFare, dist, kiv) {}

  RKivMan kiv;
  RStaName staName;
  RStaFare staFare;
  RStaMan staMan;
  RDistMan dist;
  RFareMan fare;
};

}  // namespace kiv::test
