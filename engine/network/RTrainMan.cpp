#include "network/RTrainMan.h"

#include <cstring>

#include "data/BinaryIO.h"
#include "text/ReportText.h"
#include "text/SjisText.h"

namespace kiv {

RTrainMan::RTrainMan(const std::filesystem::path& dataDir) {
  auto file = readTrainFile(dataDir / "Train.kv4");
  if (!file) return;
  trains_.reserve(file->trains.size() + 1);
  trains_.emplace_back();
  for (auto& r : file->trains) {
    // A name field without its NUL is cut so that it fits the callers'
    // buffers together with its NUL.
    r.name = fitSjisField(r.name, kTrainNameSize);
    trains_.push_back(std::move(r));
  }
  use_.assign(trains_.size(), 1);
}

int RTrainMan::getTrainCount() const { return trains_.empty() ? 0 : static_cast<int>(trains_.size() - 1); }

int RTrainMan::checkTrain(TrainNo t) const { return valid(t) ? 0 : -1; }

int RTrainMan::getTrainName(TrainNo t, char* buf) const {
  if (!valid(t)) return -1;
  const std::string& name = trains_[static_cast<std::size_t>(t)].name;
  std::memcpy(buf, name.c_str(), name.size() + 1);
  return 0;
}

int RTrainMan::getCompany(TrainNo t, std::int16_t& company) const {
  if (!valid(t)) return -1;
  company = static_cast<std::int16_t>(trains_[static_cast<std::size_t>(t)].networkCode / 10);
  return 0;
}

int RTrainMan::getNetworkCode(TrainNo t, NetworkCode& code) const {
  if (!valid(t)) return -1;
  code = trains_[static_cast<std::size_t>(t)].networkCode;
  return 0;
}

int RTrainMan::getTrainRecord(TrainNo t, char* buf) const {
  if (!valid(t)) return -1;
  const TrainRecord& r = trains_[static_cast<std::size_t>(t)];
  ByteWriter out;
  out.text(r.name, kTrainNameSize);
  out.i16(r.networkCode);
  std::memcpy(buf, out.data().data(), kTrainRecordSize);
  return 0;
}

int RTrainMan::getTrainRecord(TrainNo t, TrainRecord& record) const {
  if (!valid(t)) return -1;
  record = trains_[static_cast<std::size_t>(t)];
  return 0;
}

int RTrainMan::isWalking(TrainNo t) const {
  if (!valid(t)) return -1;
  return std::strncmp(trains_[static_cast<std::size_t>(t)].name.c_str(), report_text::kWalking.c_str(), 4) ==
                 0
             ? 1
             : 0;
}

int RTrainMan::getTrainUse(TrainNo t) const {
  if (!valid(t)) return -1;
  return use_[static_cast<std::size_t>(t)];
}

int RTrainMan::setTrainUse(TrainNo t, int mode) {
  if (!valid(t) || mode < 0 || mode > 2) return -1;
  auto& flag = use_[static_cast<std::size_t>(t)];
  flag = static_cast<std::int8_t>(mode == 2 ? 1 - flag : mode);
  return 0;
}

int RTrainMan::getCompanyUse(std::int16_t company) const {
  bool anyOn = false;
  bool anyOff = false;
  for (std::size_t t = 1; t < trains_.size(); ++t) {
    if (!ofCompany(t, company)) continue;
    if (use_[t] == 1) anyOn = true;
    if (use_[t] == 0) anyOff = true;
  }
  if (anyOn && anyOff) return 2;
  if (anyOn) return 1;
  if (anyOff) return 0;
  return -1;
}

int RTrainMan::setCompanyUse(std::int16_t company, int mode) {
  if (mode < 0 || mode > 2) return -1;
  const int flag = mode == 2 ? (getCompanyUse(company) == 1 ? 0 : 1) : mode;
  for (std::size_t t = 1; t < trains_.size(); ++t) {
    if (ofCompany(t, company)) use_[t] = static_cast<std::int8_t>(flag);
  }
  return 0;
}

int RTrainMan::findCompanyTrains(std::int16_t company, std::int32_t& first, std::int32_t& last) const {
  first = -1;
  last = -1;
  for (std::size_t t = 1; t < trains_.size(); ++t) {
    if (!ofCompany(t, company)) continue;
    if (first == -1) first = static_cast<std::int32_t>(t);
    last = static_cast<std::int32_t>(t);
  }
  return 0;
}

}  // namespace kiv
