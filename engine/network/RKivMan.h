// The built-in fare rules: the JR fare of the Tokyo area from a JR distance
// breakdown, the fare of each private railway network from a private distance
// breakdown, and the table of railway companies with their names.
// Fares are in units of 10 yen (16 means 160 yen).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Types.h"

namespace kiv {

// Size of a caller's buffer for a company name: 18 bytes of Shift-JIS text
// and the NUL.
constexpr int kCompanyNameSize = 19;

class RKivMan {
 public:
  RKivMan();

  // Number of rows of the company table (37); company numbers are not
  // contiguous (36 is missing, walking is 90).
  int getCompanyCount() const;

  // Copy the full / short Shift-JIS name of a company (network code / 10)
  // with its NUL into `buffer` (at least kCompanyNameSize bytes).
  // 0, or -1 with the buffer untouched when no row has that number.
  int getCompanyName(int company, char* buffer) const;
  int getCompanyShortName(int company, char* buffer) const;

  // JR fare in 10-yen units; 0 for a distance of 0 or an unreached station.
  std::int16_t jrFare(const JrDistanceBreakdown& distance) const;

  // Fare of private network `network` in 10-yen units: the base band fare on
  // the total plus the surcharges on zones 1 and 2. 0 for JR, walking,
  // networks without a private fare, a distance of 0 or an unreached station.
  std::int16_t privateFare(const PrDistanceBreakdown& distance, NetworkCode network) const;

 private:
  struct CompanyNames {
    int number;
    std::string full;    // Shift-JIS
    std::string short_;  // Shift-JIS
  };
  const CompanyNames* findCompany(int company) const;

  std::vector<CompanyNames> companies_;
};

}  // namespace kiv
