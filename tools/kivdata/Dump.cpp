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
    farePairs();
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

  // The section of one data file: a head line with the number of rows, then
  // `row(number, record)` for each record, numbered from 1; `preface` prints
  // what the file holds besides its records.
  template <class File, class Rows, class Row, class Preface = decltype([](const File&) {})>
  void section(const char* name, std::optional<File> (*read)(const fs::path&), Rows File::*rows,
               const char* what, Row row, Preface preface = {}) {
    const auto f = read(dir_ / name);
    if (!head(name, f.has_value(), f ? ((*f).*rows).size() : 0, what)) return;
    preface(*f);
    const Rows& records = (*f).*rows;
    for (std::size_t i = 0; i < records.size(); ++i) row(static_cast<int>(i + 1), records[i]);
    end();
  }

  void stations() {
    section("StaName.kv4", readStaNameFile, &StaNameFile::stations, "stations",
            [&](int no, const StaNameRecord& s) {
              names_.push_back(utf8(s.kanji));
              out_ << no << " " << names_.back() << " " << utf8(s.kana) << "\n";
            });
  }

  void staAttr() {
    section("StaAttr.kv4", readStaAttrFile, &StaAttrFile::entries, "station entries",
            [&](int no, const StaAttrEntry& e) {
              out_ << no << " " << st(e.station) << " [" << e.reserved0 << " " << e.reserved4 << "]\n";
            });
  }

  void staIdx() {
    section("StaIdx.kv4", readStaIdxFile, &StaIdxFile::networks, "networks", [&](int, const StaIdxRecord& n) {
      out_ << "network " << n.code << ": entries " << n.first << "-" << n.last << " ("
           << (n.last - n.first + 1) << " stations)\n";
    });
  }

  void staFare() {
    section("StaFare.kv4", readStaFareFile, &StaFareFile::stations, "stations",
            [&](int no, const std::vector<NetworkCode>& codes) {
              out_ << st(no) << ":";
              for (NetworkCode c : codes) out_ << " " << c;
              out_ << "\n";
            });
  }

  void trains() {
    section("Train.kv4", readTrainFile, &TrainFile::trains, "trains", [&](int no, const TrainRecord& t) {
      trainNames_.push_back(utf8(t.name));
      out_ << no << " " << trainNames_.back() << " network " << t.networkCode << "\n";
    });
  }

  void transfers() {
    section(
        "Transfer.kv4", readTransferFile, &TransferFile::records, "records",
        [&](int, const TransferRecord& r) {
          out_ << st(r.station) << " " << tr(r.trainA) << " <-> " << tr(r.trainB) << " " << r.minutes
               << " min\n";
        },
        [&](const TransferFile& f) {
          out_ << "header " << hex(f.reserved.data(), f.reserved.size()) << "\n";
        });
  }

  void diaIdx1() {
    section("DiaIdx1.kv4", readDiaIdx1File, &DiaIdx1File::records, "stations",
            [&](int no, const DiaStationRecord& r) {
              out_ << st(no) << " [" << r.station << "] links " << r.firstLink << "-" << r.lastLink
                   << " departures " << r.firstDeparture << "-" << r.lastDeparture << "\n";
            });
  }

  void diaIdx2() {
    section("DiaIdx2.kv4", readDiaIdx2File, &DiaIdx2File::records, "links",
            [&](int no, const DiaLinkRecord& r) {
              out_ << no << " " << st(r.from) << " -> " << st(r.to) << " departures " << r.firstDeparture
                   << "-" << r.lastDeparture << "\n";
            });
  }

  void diagram2() {
    section(
        "Diagram2.kv4", readDiagram2File, &Diagram2File::records, "departures",
        [&](int no, const DiaDepartureRecord& r) {
          out_ << no << " " << tr(r.train) << " " << st(r.station) << " -> " << st(r.nextStation) << " for "
               << st(r.terminal);
          if (r.interval != 0)
            out_ << " every " << r.interval << " [minute " << r.minute << "]";
          else
            out_ << " at :" << (r.minute < 10 ? "0" : "") << r.minute;
          out_ << " ride " << r.rideMinutes << " order " << static_cast<int>(r.listOrder) << " days "
               << days(r.days) << " hours " << hours(r.hours) << "\n";
        },
        [&](const Diagram2File& f) { out_ << "header " << hex(f.header.data(), f.header.size()) << "\n"; });
  }

  void distJR() {
    section("DistJR.kv4", readDistJRFile, &DistJRFile::edges, "edges", [&](int no, const DistJREdge& e) {
      out_ << no << " " << st(e.from) << " -> " << st(e.to) << " " << km(e.distance) << " km fare "
           << km(e.fareDistance) << " km kind " << static_cast<int>(e.kind) << "\n";
    });
  }

  void distPR() {
    section("DistPR.kv4", readDistPRFile, &DistPRFile::edges, "edges", [&](int no, const DistPREdge& e) {
      out_ << no << " [" << e.reserved << "] " << st(e.from) << " -> " << st(e.to) << " " << km(e.distance)
           << " km zone " << static_cast<int>(e.zone) << "\n";
    });
  }

  void distIdx() {
    section("DistIdx.kv4", readDistIdxFile, &DistIdxFile::entries, "entries",
            [&](int, const DistIdxEntry& e) {
              out_ << "network " << e.network << " " << st(e.station) << ": edges " << e.first << "-"
                   << e.last << "\n";
            });
  }

  void fareIdx() {
    section("FAREIDX.KV4", readFareIdxFile, &FareIdxFile::records, "records",
            [&](int no, const FareIdxRecord& r) {
              out_ << st(no) << ": " << hex(r.bytes.data(), r.bytes.size()) << "\n";
            });
  }

  // The row of FAREF.KV4 and FARER.KV4, whose amounts mean `unit`.
  auto farePair(const char* unit) {
    return [this, unit](int, const FarePairRecord& r) {
      out_ << "network " << r.network << " " << st(r.a) << " - " << st(r.b) << " " << r.amount * 10 << " "
           << unit << "\n";
    };
  }

  void farePairs() {
    section("FAREF.KV4", readFareFFile, &FareFFile::records, "records", farePair("yen"));
    section("FARER.KV4", readFareRFile, &FareRFile::records, "records", farePair("yen off"));
  }

  void fareW() {
    section("FAREW.KV4", readFareWFile, &FareWFile::records, "links", [&](int, const FareWRecord& r) {
      out_ << st(r.a) << " = " << st(r.b) << " [" << r.reserved0 << " " << r.reserved6 << "]\n";
    });
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
