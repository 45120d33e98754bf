// The trains (and walking links) of the timetable with their names and
// network codes, read once from Train.kv4, and the user's choice of which
// trains the route searches may use. The use flags live in memory only:
// every start begins with all trains in use.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Types.h"
#include "data/TrainFile.h"

namespace kiv {

class RTrainMan {
 public:
  // Reads dataDir / "Train.kv4"; a missing file leaves the table empty.
  explicit RTrainMan(const std::filesystem::path& dataDir);

  // T, the number of trains.
  int getTrainCount() const;
  // 0 if 1 <= t <= T, else -1.
  int checkTrain(TrainNo t) const;
  // Copies the name with its NUL into buf (at least kTrainNameSize bytes)
  // and yields 0; -1 and buf untouched for an invalid train.
  int getTrainName(TrainNo t, char* buf) const;
  // Stores the company number (network code / 10); -1 for an invalid train.
  int getCompany(TrainNo t, std::int16_t& company) const;
  // Stores the network code (fare category); -1 for an invalid train.
  int getNetworkCode(TrainNo t, NetworkCode& code) const;
  // Copies the 35-byte record (name field, then the little-endian network
  // code) into buf (at least kTrainRecordSize bytes); -1 for an invalid train.
  int getTrainRecord(TrainNo t, char* buf) const;
  // The same record as a struct.
  int getTrainRecord(TrainNo t, TrainRecord& record) const;
  // 1 if the name begins with "徒歩" (a walking link), 0 if not, -1 for an
  // invalid train.
  int isWalking(TrainNo t) const;

  // The use flag (1 in use, 0 not); -1 for an invalid train.
  int getTrainUse(TrainNo t) const;
  // Mode 0 or 1 sets the flag, mode 2 inverts it; yields 0. -1 and no
  // change for an invalid train or another mode.
  int setTrainUse(TrainNo t, int mode);
  // 1 when all trains of the company are in use, 0 when none is, 2 when
  // some are, -1 when the company has no train.
  int getCompanyUse(std::int16_t company) const;
  // Mode 0 or 1 sets every train of the company to the mode; mode 2 turns
  // them all off when all are in use and all on otherwise; yields 0. Any
  // other mode: -1 and no change.
  int setCompanyUse(std::int16_t company, int mode);
  // The lowest and highest train number of the company, both -1 when it has
  // no train; always yields 0.
  int findCompanyTrains(std::int16_t company, std::int32_t& first, std::int32_t& last) const;

 private:
  bool valid(TrainNo t) const { return t >= 1 && t < static_cast<int>(trains_.size()); }
  bool ofCompany(std::size_t t, std::int16_t company) const { return trains_[t].networkCode / 10 == company; }

  std::vector<TrainRecord> trains_;  // index 0 unused; names fit their field with a NUL
  std::vector<std::int8_t> use_;     // index 0 unused
};

}  // namespace kiv
