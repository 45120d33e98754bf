#include "Dump.h"

#include <cstdio>

#include "DataSet.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::data {

namespace fs = std::filesystem;

namespace {

class Dumper {
 public:
  Dumper(const fs::path& dir, std::ostream& out) : dir_(dir), out_(out) {}

  void run() {
    stations();
    staAttr();
    staIdx();
    staFare();
    trains();
    transfers();
    diaIdx1();
    diaIdx2();
    diagram2();
    distJR();
    distPR();
    distIdx();
    fareIdx();
    farePairs("FAREF.KV4", readFareFFile(dir_ / "FAREF.KV4"), "yen");
    farePairs("FARER.KV4", readFareRFile(dir_ / "FARER.KV4"), "yen off");
    fareW();
    lineList();
  }

 private:
  std::string utf8(const std::string& sjis) const { return sjisToUtf8Lossy(sjis); }

  // "12:東京", or the bare number when the station table does not have it.
  std::string st(int no) const {
    if (no >= 1 && no <= static_cast<int>(names_.size())) return std::to_string(no) + ":" + names_[no - 1];
    return std::to_string(no);
  }
  std::string tr(int no) const {
    if (no >= 1 && no <= static_cast<int>(trainNames_.size()))
      return std::to_string(no) + ":" + trainNames_[no - 1];
    return std::to_string(no);
  }
  static std::string km(int d) {
    std::string sign = d < 0 ? "-" : "";
    if (d < 0) d = -d;
    return sign + std::to_string(d / 10) + "." + std::to_string(d % 10);
  }
  static std::string hex(const std::uint8_t* bytes, std::size_t n) {
    std::string s;
    char buf[4];
    for (std::size_t i = 0; i < n; ++i) {
      std::snprintf(buf, sizeof buf, "%s%02x", i ? " " : "", bytes[i]);
      s += buf;
    }
    return s;
  }
  static std::string days(std::uint8_t mask) {
    static const char* const kDays[] = {"日", "月", "火", "水", "木", "金", "土"};
    std::string s;
    for (int d = 0; d < 7; ++d) s += (mask & (1u << d)) ? kDays[d] : "-";
    if (mask & 0x80) s += "+";
    return s;
  }
  static std::string hours(std::uint32_t mask) {
    std::string s;
    for (int h = 0; h < 24; ++h) s += (mask & (1u << h)) ? '1' : '0';
    // Appended piece by piece: "+" + std::string trips GCC 12's -Wrestrict
    // false positive in Release builds.
    if (mask >> 24) s.append("+").append(std::to_string(mask >> 24));
    return s;
  }

  bool head(const char* file, bool present, std::size_t count, const char* what) {
    out_ << "== " << file;
    if (!present) {
      out_ << ": missing\n\n";
      return false;
    }
    out_ << ": " << count << " " << what << "\n";
    return true;
  }
  void end() { out_ << "\n"; }

  void stations() {
    auto f = readStaNameFile(dir_ / "StaName.kv4");
    if (f)
      for (const auto& s : f->stations) names_.push_back(utf8(s.kanji));
    if (!head("StaName.kv4", f.has_value(), f ? f->stations.size() : 0, "stations")) return;
    for (std::size_t i = 0; i < f->stations.size(); ++i)
      out_ << (i + 1) << " " << names_[i] << " " << utf8(f->stations[i].kana) << "\n";
    end();
  }

  void staAttr() {
    auto f = readStaAttrFile(dir_ / "StaAttr.kv4");
    if (!head("StaAttr.kv4", f.has_value(), f ? f->entries.size() : 0, "station entries")) return;
    for (std::size_t i = 0; i < f->entries.size(); ++i) {
      const auto& e = f->entries[i];
      out_ << (i + 1) << " " << st(e.station) << " [" << e.reserved0 << " " << e.reserved4 << "]\n";
    }
    end();
  }

  void staIdx() {
    auto f = readStaIdxFile(dir_ / "StaIdx.kv4");
    if (!head("StaIdx.kv4", f.has_value(), f ? f->networks.size() : 0, "networks")) return;
    for (const auto& n : f->networks)
      out_ << "network " << n.code << ": entries " << n.first << "-" << n.last << " ("
           << (n.last - n.first + 1) << " stations)\n";
    end();
  }

  void staFare() {
    auto f = readStaFareFile(dir_ / "StaFare.kv4");
    if (!head("StaFare.kv4", f.has_value(), f ? f->stations.size() : 0, "stations")) return;
    for (std::size_t i = 0; i < f->stations.size(); ++i) {
      out_ << st(static_cast<int>(i + 1)) << ":";
      for (NetworkCode c : f->stations[i]) out_ << " " << c;
      out_ << "\n";
    }
    end();
  }

  void trains() {
    auto f = readTrainFile(dir_ / "Train.kv4");
    if (f)
      for (const auto& t : f->trains) trainNames_.push_back(utf8(t.name));
    if (!head("Train.kv4", f.has_value(), f ? f->trains.size() : 0, "trains")) return;
    for (std::size_t i = 0; i < f->trains.size(); ++i)
      out_ << (i + 1) << " " << trainNames_[i] << " network " << f->trains[i].networkCode << "\n";
    end();
  }

  void transfers() {
    auto f = readTransferFile(dir_ / "Transfer.kv4");
    if (!head("Transfer.kv4", f.has_value(), f ? f->records.size() : 0, "records")) return;
    out_ << "header " << hex(f->reserved.data(), f->reserved.size()) << "\n";
    for (const auto& r : f->records)
      out_ << st(r.station) << " " << tr(r.trainA) << " <-> " << tr(r.trainB) << " " << r.minutes << " min\n";
    end();
  }

  void diaIdx1() {
    auto f = readDiaIdx1File(dir_ / "DiaIdx1.kv4");
    if (!head("DiaIdx1.kv4", f.has_value(), f ? f->records.size() : 0, "stations")) return;
    for (std::size_t i = 0; i < f->records.size(); ++i) {
      const auto& r = f->records[i];
      out_ << st(static_cast<int>(i + 1)) << " [" << r.station << "] links " << r.firstLink << "-"
           << r.lastLink << " departures " << r.firstDeparture << "-" << r.lastDeparture << "\n";
    }
    end();
  }

  void diaIdx2() {
    auto f = readDiaIdx2File(dir_ / "DiaIdx2.kv4");
    if (!head("DiaIdx2.kv4", f.has_value(), f ? f->records.size() : 0, "links")) return;
    for (std::size_t i = 0; i < f->records.size(); ++i) {
      const auto& r = f->records[i];
      out_ << (i + 1) << " " << st(r.from) << " -> " << st(r.to) << " departures " << r.firstDeparture << "-"
           << r.lastDeparture << "\n";
    }
    end();
  }

  void diagram2() {
    auto f = readDiagram2File(dir_ / "Diagram2.kv4");
    if (!head("Diagram2.kv4", f.has_value(), f ? f->records.size() : 0, "departures")) return;
    out_ << "header " << hex(f->header.data(), f->header.size()) << "\n";
    for (std::size_t i = 0; i < f->records.size(); ++i) {
      const auto& r = f->records[i];
      out_ << (i + 1) << " " << tr(r.train) << " " << st(r.station) << " -> " << st(r.nextStation) << " for "
           << st(r.terminal);
      if (r.interval != 0)
        out_ << " every " << r.interval << " [minute " << r.minute << "]";
      else
        out_ << " at :" << (r.minute < 10 ? "0" : "") << r.minute;
      out_ << " ride " << r.rideMinutes << " order " << static_cast<int>(r.listOrder) << " days "
           << days(r.days) << " hours " << hours(r.hours) << "\n";
    }
    end();
  }

  void distJR() {
    auto f = readDistJRFile(dir_ / "DistJR.kv4");
    if (!head("DistJR.kv4", f.has_value(), f ? f->edges.size() : 0, "edges")) return;
    for (std::size_t i = 0; i < f->edges.size(); ++i) {
      const auto& e = f->edges[i];
      out_ << (i + 1) << " " << st(e.from) << " -> " << st(e.to) << " " << km(e.distance) << " km fare "
           << km(e.fareDistance) << " km kind " << static_cast<int>(e.kind) << "\n";
    }
    end();
  }

  void distPR() {
    auto f = readDistPRFile(dir_ / "DistPR.kv4");
    if (!head("DistPR.kv4", f.has_value(), f ? f->edges.size() : 0, "edges")) return;
    for (std::size_t i = 0; i < f->edges.size(); ++i) {
      const auto& e = f->edges[i];
      out_ << (i + 1) << " [" << e.reserved << "] " << st(e.from) << " -> " << st(e.to) << " "
           << km(e.distance) << " km zone " << static_cast<int>(e.zone) << "\n";
    }
    end();
  }

  void distIdx() {
    auto f = readDistIdxFile(dir_ / "DistIdx.kv4");
    if (!head("DistIdx.kv4", f.has_value(), f ? f->entries.size() : 0, "entries")) return;
    for (const auto& e : f->entries)
      out_ << "network " << e.network << " " << st(e.station) << ": edges " << e.first << "-" << e.last
           << "\n";
    end();
  }

  void fareIdx() {
    auto f = readFareIdxFile(dir_ / "FAREIDX.KV4");
    if (!head("FAREIDX.KV4", f.has_value(), f ? f->records.size() : 0, "records")) return;
    for (std::size_t i = 0; i < f->records.size(); ++i)
      out_ << st(static_cast<int>(i + 1)) << ": " << hex(f->records[i].bytes.data(), kFareIdxRecordSize)
           << "\n";
    end();
  }

  template <typename File>
  void farePairs(const char* name, const std::optional<File>& f, const char* unit) {
    if (!head(name, f.has_value(), f ? f->records.size() : 0, "records")) return;
    for (const auto& r : f->records)
      out_ << "network " << r.network << " " << st(r.a) << " - " << st(r.b) << " " << r.amount * 10 << " "
           << unit << "\n";
    end();
  }

  void fareW() {
    auto f = readFareWFile(dir_ / "FAREW.KV4");
    if (!head("FAREW.KV4", f.has_value(), f ? f->records.size() : 0, "links")) return;
    for (const auto& r : f->records)
      out_ << st(r.a) << " = " << st(r.b) << " [" << r.reserved0 << " " << r.reserved6 << "]\n";
    end();
  }

  void lineList() {
    std::vector<std::string> lines;
    const bool present = report_text::readLines(dir_ / "kiv4line.dat", lines);
    if (!head("kiv4line.dat", present, lines.size(), "lines")) return;
    for (const auto& l : lines) out_ << utf8(l) << "\n";
    end();
  }

  fs::path dir_;
  std::ostream& out_;
  std::vector<std::string> names_;
  std::vector<std::string> trainNames_;
};

}  // namespace

bool dumpDataDir(const fs::path& dir, std::ostream& out) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return false;
  Dumper(dir, out).run();
  return true;
}

}  // namespace kiv::data
