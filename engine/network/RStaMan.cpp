#include "network/RStaMan.h"

#include <algorithm>

#include "data/SpanCheck.h"
#include "network/RStaName.h"

namespace kiv {

RStaMan::RStaMan(const std::filesystem::path& dataDir, const RStaName& names) : names_(names) {
  auto attr = readStaAttrFile(dataDir / "StaAttr.kv4");
  if (!attr) return;
  entries_.reserve(attr->entries.size() + 1);
  entries_.emplace_back();
  entries_.insert(entries_.end(), attr->entries.begin(), attr->entries.end());
  auto idx = readStaIdxFile(dataDir / "StaIdx.kv4");
  if (!idx) return;
  takeNetworks(std::move(idx->networks));
}

// A network whose entries reach outside StaAttr.kv4 is cut to the entries
// that exist: its size then never exceeds them.
void RStaMan::takeNetworks(std::vector<StaIdxRecord> networks) {
  const int count = getEntryCount();
  for (StaIdxRecord& r : networks) {
    if (r.first > r.last || (r.first >= 1 && r.last <= count)) continue;
    if (dataProblem_.empty()) {
      dataProblem_ = "StaIdx.kv4 does not fit StaAttr.kv4 (network " + std::to_string(r.code) +
                     " claims entries " + SpanCheck::text(r.first, r.last) + " of " + std::to_string(count) +
                     "): cut to the entries that exist";
    }
    r.first = static_cast<std::int16_t>(std::max<int>(r.first, 1));
    r.last = static_cast<std::int16_t>(std::min<int>(r.last, count));
  }
  networks_ = std::move(networks);
}

int RStaMan::getEntryCount() const { return entries_.empty() ? 0 : static_cast<int>(entries_.size() - 1); }

int RStaMan::getNetworkRecordCount() const { return static_cast<int>(networks_.size()); }

int RStaMan::findNetwork(NetworkCode code, std::int16_t& first, std::int16_t& last) const {
  for (const StaIdxRecord& r : networks_) {
    if (r.code == code) {
      first = r.first;
      last = r.last;
      return 0;
    }
  }
  first = -1;
  last = -1;
  return -1;
}

int RStaMan::getNetworkSize(NetworkCode code) const {
  std::int16_t first = -1;
  std::int16_t last = -1;
  if (findNetwork(code, first, last) != 0) return 0;
  // A record whose last lies before its first would give a negative size,
  // which no caller can size an array with: such a network is empty.
  return std::max(0, last - first + 1);
}

int RStaMan::findPosition(NetworkCode code, StationNo s) const {
  std::int16_t first = -1;
  std::int16_t last = -1;
  findNetwork(code, first, last);
  if (first == -1 || last == -1) return -1;
  // Entries outside the table are skipped rather than read.
  const int from = std::max<int>(first, 1);
  const int to = std::min<int>(last, getEntryCount());
  for (int e = from; e <= to; ++e) {
    if (entries_[static_cast<std::size_t>(e)].station == s) return e - first + 1;
  }
  return -1;
}

int RStaMan::getStationAt(NetworkCode code, int position) const {
  std::int16_t first = -1;
  std::int16_t last = -1;
  findNetwork(code, first, last);
  if (first == -1 || last == -1) return -1;
  if (position < 1 || position > last - first + 1) return -1;
  const int e = first + position - 1;
  if (e < 1 || e > getEntryCount()) return -1;
  return entries_[static_cast<std::size_t>(e)].station;
}

}  // namespace kiv
