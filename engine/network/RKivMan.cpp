#include "network/RKivMan.h"

#include <cstring>

#include "network/RKivManTables.h"
#include "text/SjisLiteral.h"

namespace kiv {

using fare_tables::bandFare;
using fare_tables::BandTable;

RKivMan::RKivMan() {
  // The names are kept as Shift-JIS, the engine's text, converted once here
  // through the table of the fixed texts (a name it cannot convert throws).
  for (const fare_tables::CompanyRow& row : fare_tables::companies())
    companies_.push_back({row.number, sjisOfFixedText(row.fullName), sjisOfFixedText(row.shortName)});
}

int RKivMan::getCompanyCount() const { return static_cast<int>(companies_.size()); }

const RKivMan::CompanyNames* RKivMan::findCompany(int company) const {
  for (const CompanyNames& row : companies_) {
    if (row.number == company) return &row;
  }
  return nullptr;
}

int RKivMan::getCompanyName(int company, char* buffer) const {
  const CompanyNames* row = findCompany(company);
  if (row == nullptr) return kNotFound;
  std::memcpy(buffer, row->full.c_str(), row->full.size() + 1);
  return 0;
}

int RKivMan::getCompanyShortName(int company, char* buffer) const {
  const CompanyNames* row = findCompany(company);
  if (row == nullptr) return kNotFound;
  std::memcpy(buffer, row->short_.c_str(), row->short_.size() + 1);
  return 0;
}

std::int16_t RKivMan::jrFare(const JrDistanceBreakdown& d) const {
  int key = 0;
  BandTable table;
  if (d.localBusiness != 0 && d.localBusiness != d.total) {
    // Local lines mixed with other lines: beyond 10.0 km the local part is
    // counted at its fare distance and the whole priced as trunk lines.
    if (d.total <= 100) {
      key = d.total;
      table = fare_tables::localLineTable();
    } else {
      key = d.total - d.localBusiness + d.localFare;
      table = fare_tables::trunkTable();
    }
  } else if (d.localBusiness == d.total) {
    key = d.localBusiness;
    table = fare_tables::localLineTable();
  } else if (d.yamanote == d.total) {
    key = d.total;
    table = fare_tables::yamanoteTable();
    if (key > fare_tables::kYamanoteTableEnd) table = fare_tables::trunkTable();
  } else if (d.trunk == 0) {
    // Also an unreached station (total 32000, all parts 0): key 0, fare 0.
    key = d.yamanote + d.trainZone;
    table = fare_tables::trainZoneTable();
    if (key > fare_tables::kTrainZoneTableEnd) table = fare_tables::trunkTable();
  } else {
    key = d.total;
    table = fare_tables::trunkTable();
  }
  return static_cast<std::int16_t>(bandFare(table, key));
}

std::int16_t RKivMan::privateFare(const PrDistanceBreakdown& d, NetworkCode network) const {
  const fare_tables::PrivateFareRow* row = fare_tables::findPrivateFareRow(network);
  if (row == nullptr) return 0;
  int fare = bandFare(row->base, d.total);
  fare += bandFare(row->zone1, d.zone[0]);
  fare += bandFare(row->zone2, d.zone[1]);
  return static_cast<std::int16_t>(fare);
}

}  // namespace kiv
