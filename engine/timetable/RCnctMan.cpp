#include "timetable/RCnctMan.h"

#include <algorithm>
#include <cstring>

#include "data/BinaryIO.h"
#include "network/RTrainMan.h"

namespace kiv {

RCnctMan::RCnctMan(const std::filesystem::path& dataDir, const RTrainMan& trains) : trains_(trains) {
  auto file = readTransferFile(dataDir / "Transfer.kv4");
  if (!file) return;
  records_ = std::move(file->records);
  // A few thousand records at most: the index costs nothing at start-up.
  firstRecord_.reserve(records_.size());
  for (const TransferRecord& r : records_) {
    firstRecord_.emplace(pairKey(r.station, r.trainA, r.trainB), static_cast<std::int8_t>(recordMinutes(r)));
    if (r.station >= 0) {
      const auto s = static_cast<std::size_t>(r.station);
      if (s >= stationHasRecords_.size()) stationHasRecords_.resize(s + 1, 0);
      stationHasRecords_[s] = 1;
    }
  }
}

int RCnctMan::getTransferCount() const { return static_cast<int>(records_.size()); }

int RCnctMan::checkIndex(int i) const { return i >= 0 && i < getTransferCount() ? 0 : -1; }

int RCnctMan::getTransferRecord(int i, char* buf) const {
  if (checkIndex(i) != 0) return -1;
  const TransferRecord& r = records_[static_cast<std::size_t>(i)];
  ByteWriter out;
  out.i16(r.station);
  out.i16(r.trainA);
  out.i16(r.trainB);
  out.i16(r.minutes);
  std::memcpy(buf, out.data().data(), kTransferRecordSize);
  return 0;
}

int RCnctMan::getTransferRecord(int i, TransferRecord& record) const {
  if (checkIndex(i) != 0) return -1;
  record = records_[static_cast<std::size_t>(i)];
  return 0;
}

int RCnctMan::recordMinutes(const TransferRecord& r) {
  // Only the low byte counts, as a signed value. A negative value would
  // let the passenger board before arriving; it counts as no wait.
  const auto minutes = static_cast<std::int8_t>(r.minutes & 0xff);
  return minutes < 0 ? 0 : minutes;
}

int RCnctMan::transferMinutes(StationNo s, TrainNo arriving, TrainNo departing) const {
  for (const TransferRecord& r : records_) {
    if (r.station == s && namesPair(r, arriving, departing)) return recordMinutes(r);
  }
  return fallbackMinutes(arriving, departing);
}

std::uint64_t RCnctMan::pairKey(StationNo s, TrainNo a, TrainNo b) {
  // A record names the pair either way round: the key orders the two trains.
  const auto [low, high] = std::minmax(a, b);
  return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 32) |
         (static_cast<std::uint64_t>(static_cast<std::uint16_t>(low)) << 16) |
         static_cast<std::uint16_t>(high);
}

int RCnctMan::transferMinutesIndexed(StationNo s, TrainNo arriving, TrainNo departing) const {
  const bool mayHaveRecord = s < 0 || (static_cast<std::size_t>(s) < stationHasRecords_.size() &&
                                       stationHasRecords_[static_cast<std::size_t>(s)] != 0);
  if (mayHaveRecord) {
    const auto found = firstRecord_.find(pairKey(s, arriving, departing));
    if (found != firstRecord_.end()) return found->second;
  }
  return fallbackMinutes(arriving, departing);
}

int RCnctMan::fallbackMinutes(TrainNo arriving, TrainNo departing) const {
  if (arriving == departing) return kSameTrainMinutes;
  std::int16_t companyA = -1;
  std::int16_t companyB = -1;
  const bool knownA = trains_.getCompany(arriving, companyA) == 0;
  const bool knownB = trains_.getCompany(departing, companyB) == 0;
  // A train missing from the train table is taken as a train of its own company.
  if (knownA && knownB && companyA == companyB) return kSameCompanyMinutes;
  return kOtherCompanyMinutes;
}

int RCnctMan::getBoardingTime(StationNo s, TrainNo arriving, TrainNo departing, int hour, int minute,
                              int& outHour, int& outMinute) const {
  const int total = minute + transferMinutes(s, arriving, departing);
  outHour = hour + total / 60;
  outMinute = total % 60;
  return 0;
}

int RCnctMan::getBoardingTime(StationNo s, TrainNo arriving, TrainNo departing, TimeOfDay arrival,
                              TimeOfDay& boarding) const {
  int hour = 0;
  int minute = 0;
  getBoardingTime(s, arriving, departing, arrival.hour, arrival.minute, hour, minute);
  boarding.hour = static_cast<std::int8_t>(hour);
  boarding.minute = static_cast<std::int8_t>(minute);
  return 0;
}

}  // namespace kiv
