#include "data/DataFieldCheck.h"

#include <cstdint>
#include <optional>
#include <set>

#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "data/DistIdxFile.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "data/FareFFile.h"
#include "data/FareRFile.h"
#include "data/FareWFile.h"
#include "data/StaAttrFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"

namespace kiv {
namespace {

// The first bad field of one file, in record order.
class FileCheck {
 public:
  explicit FileCheck(const char* file) : file_(file) {}

  // Notes the field of record `record` (from 1) unless it lies in low..high.
  void range(std::size_t record, const char* field, std::int64_t value, std::int64_t low, std::int64_t high) {
    if (!problem_.empty() || (value >= low && value <= high)) return;
    problem_ = std::string(file_) + " is damaged: record " + std::to_string(record) + " gives " + field +
               " " + std::to_string(value) + " (" + std::to_string(low) + ".." + std::to_string(high) + ")";
  }
  // A station number of a file whose station directory holds `stations`
  // (unchecked when that is unknown).
  void station(std::size_t record, const char* field, std::int64_t value, std::int64_t stations) {
    if (stations > 0) range(record, field, value, 1, stations);
  }
  void fail(std::size_t record, const std::string& what) {
    if (problem_.empty())
      problem_ = std::string(file_) + " is damaged: record " + std::to_string(record) + " " + what;
  }
  bool failed() const { return !problem_.empty(); }

  void into(std::vector<std::string>& problems) const {
    if (!problem_.empty()) problems.push_back(problem_);
  }

 private:
  const char* file_;
  std::string problem_;
};

constexpr std::int64_t kMaxMinutes = 32767;
constexpr std::int64_t kMaxDistance = 32767;
// The transfer lookup takes the low byte of the minutes as a signed value.
constexpr std::int64_t kMaxTransferMinutes = 127;
// A departure runs in the clock hours 0..23 and on the day codes 0..6.
constexpr std::int64_t kAllHours = (1 << 24) - 1;
constexpr std::int64_t kAllDays = (1 << 7) - 1;

void checkTimetable(const std::filesystem::path& dir, std::int64_t stations, std::int64_t trains,
                    std::vector<std::string>& problems) {
  if (const auto links = readDiaIdx2File(dir / "DiaIdx2.kv4")) {
    FileCheck check("DiaIdx2.kv4");
    for (std::size_t k = 0; k < links->records.size() && !check.failed(); ++k) {
      const DiaLinkRecord& r = links->records[k];
      check.station(k + 1, "departure station", r.from, stations);
      check.station(k + 1, "next station", r.to, stations);
    }
    check.into(problems);
  }
  if (const auto dia = readDiagram2File(dir / "Diagram2.kv4")) {
    FileCheck check("Diagram2.kv4");
    for (std::size_t k = 0; k < dia->records.size() && !check.failed(); ++k) {
      const DiaDepartureRecord& r = dia->records[k];
      const std::size_t n = k + 1;
      if (trains > 0) check.range(n, "train", r.train, 1, trains);
      check.station(n, "departure station", r.station, stations);
      check.station(n, "next station", r.nextStation, stations);
      if (stations > 0) check.range(n, "terminal", r.terminal, 0, stations);
      check.range(n, "departure minute", r.minute, 0, 59);
      check.range(n, "riding minutes", r.rideMinutes, 0, kMaxMinutes);
      check.range(n, "interval minutes", r.interval, 0, kMaxMinutes);
      check.range(n, "service days", r.days, 0, kAllDays);
      check.range(n, "service hours", r.hours, 0, kAllHours);
    }
    check.into(problems);
  }
  if (const auto transfers = readTransferFile(dir / "Transfer.kv4")) {
    FileCheck check("Transfer.kv4");
    for (std::size_t k = 0; k < transfers->records.size() && !check.failed(); ++k) {
      const TransferRecord& r = transfers->records[k];
      check.station(k + 1, "station", r.station, stations);
      if (trains > 0) {
        check.range(k + 1, "train", r.trainA, 1, trains);
        check.range(k + 1, "train", r.trainB, 1, trains);
      }
      check.range(k + 1, "transfer minutes", r.minutes, 0, kMaxTransferMinutes);
    }
    check.into(problems);
  }
}

void checkDistances(const std::filesystem::path& dir, std::int64_t stations,
                    std::vector<std::string>& problems) {
  if (const auto jr = readDistJRFile(dir / "DistJR.kv4")) {
    FileCheck check("DistJR.kv4");
    for (std::size_t k = 0; k < jr->edges.size() && !check.failed(); ++k) {
      const DistJREdge& e = jr->edges[k];
      check.station(k + 1, "station", e.from, stations);
      check.station(k + 1, "station", e.to, stations);
      check.range(k + 1, "distance", e.distance, 0, kMaxDistance);
      check.range(k + 1, "fare distance", e.fareDistance, 0, kMaxDistance);
    }
    check.into(problems);
  }
  if (const auto pr = readDistPRFile(dir / "DistPR.kv4")) {
    FileCheck check("DistPR.kv4");
    for (std::size_t k = 0; k < pr->edges.size() && !check.failed(); ++k) {
      const DistPREdge& e = pr->edges[k];
      check.station(k + 1, "station", e.from, stations);
      check.station(k + 1, "station", e.to, stations);
      check.range(k + 1, "distance", e.distance, 0, kMaxDistance);
    }
    check.into(problems);
  }
}

// The station index: the networks' entries follow each other without a gap
// or an overlap and together cover the station entries; and where the
// distance index lists the same entries, it names the same network and
// station for each.
void checkStationIndex(const std::filesystem::path& dir, std::int64_t stations,
                       std::vector<std::string>& problems) {
  const auto attr = readStaAttrFile(dir / "StaAttr.kv4");
  if (attr) {
    FileCheck check("StaAttr.kv4");
    for (std::size_t k = 0; k < attr->entries.size() && !check.failed(); ++k)
      check.station(k + 1, "station", attr->entries[k].station, stations);
    check.into(problems);
  }
  const auto dist = readDistIdxFile(dir / "DistIdx.kv4");
  if (dist) {
    FileCheck check("DistIdx.kv4");
    for (std::size_t k = 0; k < dist->entries.size() && !check.failed(); ++k)
      check.station(k + 1, "station", dist->entries[k].station, stations);
    check.into(problems);
  }
  const auto index = readStaIdxFile(dir / "StaIdx.kv4");
  if (!index || !attr) return;
  FileCheck check("StaIdx.kv4");
  const auto entries = static_cast<std::int64_t>(attr->entries.size());
  const bool sameEntries = dist && dist->entries.size() == attr->entries.size();
  std::set<NetworkCode> codes;
  std::int64_t after = 0;  // the last entry of the network before
  for (std::size_t g = 0; g < index->networks.size() && !check.failed(); ++g) {
    const StaIdxRecord& r = index->networks[g];
    if (!codes.insert(r.code).second) check.fail(g + 1, "repeats network " + std::to_string(r.code));
    check.range(g + 1, "first entry", r.first, after + 1, after + 1);
    check.range(g + 1, "last entry", r.last, r.first, entries);
    if (check.failed()) break;
    after = r.last;
    for (std::int64_t e = r.first; sameEntries && e <= r.last && !check.failed(); ++e) {
      const DistIdxEntry& d = dist->entries[static_cast<std::size_t>(e - 1)];
      if (d.network != r.code || d.station != attr->entries[static_cast<std::size_t>(e - 1)].station)
        check.fail(g + 1, "names network " + std::to_string(r.code) + " for entry " + std::to_string(e) +
                              ", which DistIdx.kv4 gives network " + std::to_string(d.network));
    }
  }
  // The networks together hold every station entry.
  if (!check.failed() && !index->networks.empty() && after != entries)
    check.fail(index->networks.size(),
               "ends the station entries at " + std::to_string(after) + " of " + std::to_string(entries));
  check.into(problems);
}

void checkFares(const std::filesystem::path& dir, std::int64_t stations, std::vector<std::string>& problems) {
  const auto pairs = [&](const char* name, const std::vector<FarePairRecord>& records) {
    FileCheck check(name);
    for (std::size_t k = 0; k < records.size() && !check.failed(); ++k) {
      check.station(k + 1, "station", records[k].a, stations);
      check.station(k + 1, "station", records[k].b, stations);
      check.range(k + 1, "fare", records[k].amount, 0, kMaxMinutes);
    }
    check.into(problems);
  };
  if (const auto f = readFareFFile(dir / "FAREF.KV4")) pairs("FAREF.KV4", f->records);
  if (const auto r = readFareRFile(dir / "FARER.KV4")) pairs("FARER.KV4", r->records);
  if (const auto w = readFareWFile(dir / "FAREW.KV4")) {
    FileCheck check("FAREW.KV4");
    for (std::size_t k = 0; k < w->records.size() && !check.failed(); ++k) {
      check.station(k + 1, "station", w->records[k].a, stations);
      check.station(k + 1, "station", w->records[k].b, stations);
    }
    check.into(problems);
  }
}

}  // namespace

std::vector<std::string> checkDataFields(const std::filesystem::path& dataDir) {
  const auto names = readStaNameFile(dataDir / "StaName.kv4");
  const auto trains = readTrainFile(dataDir / "Train.kv4");
  const std::int64_t stations = names ? static_cast<std::int64_t>(names->stations.size()) : 0;
  const std::int64_t trainCount = trains ? static_cast<std::int64_t>(trains->trains.size()) : 0;
  std::vector<std::string> problems;
  checkTimetable(dataDir, stations, trainCount, problems);
  checkDistances(dataDir, stations, problems);
  checkStationIndex(dataDir, stations, problems);
  checkFares(dataDir, stations, problems);
  return problems;
}

}  // namespace kiv
