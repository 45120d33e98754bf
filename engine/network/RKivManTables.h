// The constant tables behind RKivMan: the company table and the JR and
// private distance-band fare tables. Used only by RKivMan.
#pragma once

#include <cstdint>
#include <span>

#include "Types.h"

namespace kiv::fare_tables {

// One band of a fare table: `fare` (10-yen units, may be negative for a
// deduction) holds from `lowerBound` (100 m) up to the next band's lower
// bound minus 1. The last band of every table runs on to the end mark
// kUnreachedDistance.
struct FareBand {
  std::int16_t lowerBound;
  std::int16_t fare;
};
using BandTable = std::span<const FareBand>;

// The fare of the band that holds `key`; 0 for a key below the first lower
// bound (a distance of 0) and for a key at or beyond the end mark (an
// unreached station).
int bandFare(BandTable table, int key);

// A company row; names are UTF-8 here and become Shift-JIS in RKivMan.
struct CompanyRow {
  std::int16_t number;  // network code / 10
  const char* fullName;
  const char* shortName;
};
// All company rows in their order, without an end row.
std::span<const CompanyRow> companies();

// JR tables. The Yamanote zone table is defined up to kYamanoteTableEnd and
// the train-zone table up to kTrainZoneTableEnd (100 m).
BandTable yamanoteTable();
BandTable trainZoneTable();
BandTable trunkTable();
BandTable localLineTable();
constexpr int kYamanoteTableEnd = 500;
constexpr int kTrainZoneTableEnd = 2200;

// The band tables of one private network code: a base table on the total
// distance and surcharge tables on the distances in zones 1 and 2 (empty
// when the network has no surcharge there).
struct PrivateFareRow {
  NetworkCode network;
  BandTable base;
  BandTable zone1;
  BandTable zone2;
};
// The row of a network code, or nullptr when it has no private fare.
const PrivateFareRow* findPrivateFareRow(NetworkCode network);

}  // namespace kiv::fare_tables
