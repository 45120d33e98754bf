// Random but well-formed distance and fare networks for the differential
// tests and the benchmarks: JR with lines of every kind, several private
// companies (some with more than one network code), stations shared between
// networks, surcharge zones, station-pair special fares and reductions, and
// linked stations. The same size and seed always give the same files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "Types.h"

namespace kiv::test {

struct FareNetworkShape {
  int stations = 200;      // N, stations 1..N
  std::uint32_t seed = 1;  // the same seed gives the same network
  int jrPercent = 40;      // share of the stations served by JR
  int chordPercent = 12;   // extra edges per network that close loops, in % of its stations
};

// What was generated, for the tests to pick origins and pairs from.
struct GeneratedFareNetwork {
  int stations = 0;
  std::vector<NetworkCode> networks;            // JR first
  std::vector<std::vector<StationNo>> members;  // per network, in position order
  StationNo tokyo = -1;                         // the station named 東京
};

// Writes StaName.kv4, StaAttr.kv4, StaIdx.kv4, StaFare.kv4, DistJR.kv4,
// DistPR.kv4, DistIdx.kv4, FAREIDX.KV4, FAREF.KV4, FARER.KV4 and FAREW.KV4
// into dir (which must exist) through the engine's format writers.
GeneratedFareNetwork writeFareNetwork(const std::filesystem::path& dir, const FareNetworkShape& shape);

}  // namespace kiv::test
