// Transfer times: from what time on a departing train can be boarded after
// arriving at a station on another train. Particular pairs of trains at
// particular stations come from Transfer.kv4; all others follow a fixed
// rule by company.
#pragma once

#include <cstdint>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "Types.h"
#include "data/TransferFile.h"

namespace kiv {

class RTrainMan;

class RCnctMan {
 public:
  // Minutes when no record names the pair of trains at the station.
  static constexpr int kSameTrainMinutes = 0;
  static constexpr int kSameCompanyMinutes = 1;
  static constexpr int kOtherCompanyMinutes = 5;

  // Reads dataDir / "Transfer.kv4"; a missing file leaves the table empty.
  // The train table decides the companies for the fallback rule.
  RCnctMan(const std::filesystem::path& dataDir, const RTrainMan& trains);

  // R, the number of transfer records.
  int getTransferCount() const;
  // 0 if 0 <= i < R, else -1.
  int checkIndex(int i) const;
  // Copies record i, 8 bytes as stored, into buf; -1 and buf untouched for
  // an invalid index.
  int getTransferRecord(int i, char* buf) const;
  // The same record as a struct.
  int getTransferRecord(int i, TransferRecord& record) const;

  // The earliest time at which `departing` can be boarded at station s after
  // arriving there on `arriving` at `arrival`. The hour is not wrapped at
  // midnight. Always yields 0.
  int getBoardingTime(StationNo s, TrainNo arriving, TrainNo departing, TimeOfDay arrival,
                      TimeOfDay& boarding) const;
  // The same with hour and minute as separate values.
  int getBoardingTime(StationNo s, TrainNo arriving, TrainNo departing, int hour, int minute, int& outHour,
                      int& outMinute) const;

  // The transfer minutes that getBoardingTime adds.
  int transferMinutes(StationNo s, TrainNo arriving, TrainNo departing) const;
  // The same through the index of records by station, for the fast searches:
  // only the records of station s are looked at, still in file order.
  int transferMinutesIndexed(StationNo s, TrainNo arriving, TrainNo departing) const;

 private:
  // The minutes of a record naming the pair, and the fallback by company.
  static int recordMinutes(const TransferRecord& r);
  int fallbackMinutes(TrainNo arriving, TrainNo departing) const;
  static bool namesPair(const TransferRecord& r, TrainNo arriving, TrainNo departing) {
    return (r.trainA == arriving && r.trainB == departing) || (r.trainA == departing && r.trainB == arriving);
  }

  const RTrainMan& trains_;
  std::vector<TransferRecord> records_;
  // The minutes of the first record in file order of each station and pair
  // of trains (either way round), by pairKey.
  std::unordered_map<std::uint64_t, std::int8_t> firstRecord_;
  static std::uint64_t pairKey(StationNo s, TrainNo a, TrainNo b);
  // By station number: 1 where some record names the station, so that the
  // other stations skip the look-up.
  std::vector<std::uint8_t> stationHasRecords_;
};

}  // namespace kiv
