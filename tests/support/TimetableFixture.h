// The byte-level way to build a test network, for the shapes of a data file
// the data compiler never writes (tests of real timetable shapes use the text
// format, TextNetwork.h): named stations, trains with their network codes,
// departure records in file order, transfer records and the output mode of
// the settings, written through the format modules into a data directory.
// Every test that uses it says why it needs a hand-made file.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "SjisText.h"
#include "Types.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "data/StaNameFile.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"
#include "timetable/RouteSearchRules.h"

namespace kiv::test {

// The hours mask of the clock hours first..last.
constexpr std::uint32_t servedHours(int first, int last) {
  std::uint32_t mask = 0;
  for (int h = first; h <= last; ++h) mask |= 1u << h;
  return mask;
}

constexpr std::uint8_t kEveryDay = 0x7F;

// A departure record served every day, bound for its next stop; a frequent
// service when `interval` is not 0.
inline DiaDepartureRecord departureRecord(TrainNo t, StationNo from, StationNo to, int minute, int interval,
                                          int ride, std::uint32_t hours) {
  DiaDepartureRecord r;
  r.train = t;
  r.station = from;
  r.nextStation = to;
  r.terminal = to;
  r.minute = static_cast<std::int16_t>(minute);
  r.rideMinutes = static_cast<std::int16_t>(ride);
  r.interval = static_cast<std::int16_t>(interval);
  r.days = kEveryDay;
  r.hours = hours;
  return r;
}

// Writes DiaIdx1.kv4, DiaIdx2.kv4 and Diagram2.kv4 for stations
// 1..stationCount and the departure records in file order, deriving the
// station and link spans from that order: the records of one station, and
// within it those towards one next stop, must follow one another.
inline void writeTimetableFiles(const std::filesystem::path& dir, std::size_t stationCount,
                                const std::vector<DiaDepartureRecord>& departures) {
  DiaIdx1File idx1;
  DiaIdx2File idx2;
  for (std::size_t s = 1; s <= stationCount; ++s) {
    idx1.records.push_back({static_cast<std::int16_t>(s), 0, 0, 0, 0});
  }
  for (std::size_t i = 0; i < departures.size(); ++i) {
    const DiaDepartureRecord& r = departures[i];
    const bool newStation = i == 0 || departures[i - 1].station != r.station;
    const bool newLink = newStation || departures[i - 1].nextStation != r.nextStation;
    auto& st = idx1.records.at(static_cast<std::size_t>(r.station) - 1);
    const auto n = static_cast<std::int32_t>(i + 1);
    if (newStation && st.firstDeparture != 0) throw std::logic_error("records of a station not together");
    if (newStation) st.firstDeparture = n;
    st.lastDeparture = n;
    if (newLink) {
      for (auto& link : idx2.records) {
        if (link.from == r.station && link.to == r.nextStation) throw std::logic_error("link not together");
      }
      idx2.records.push_back({r.station, r.nextStation, n, n});
      const auto link = static_cast<std::int32_t>(idx2.records.size());
      if (st.firstLink == 0) st.firstLink = link;
      st.lastLink = link;
    }
    idx2.records.back().lastDeparture = n;
  }
  writeDiaIdx1File(dir / "DiaIdx1.kv4", idx1);
  writeDiaIdx2File(dir / "DiaIdx2.kv4", idx2);
  writeDiagram2File(dir / "Diagram2.kv4", Diagram2File{{}, departures});
}

// Rewrites the station file with the given UTF-8 names, station 1 first.
inline void writeStationNames(const std::filesystem::path& dir, const std::vector<std::string>& utf8Names) {
  StaNameFile file;
  for (const std::string& name : utf8Names) file.stations.push_back({sjis(name), ""});
  writeStaNameFile(dir / "StaName.kv4", file);
}

// A settings file that sets the output mode of the time-priority report.
inline void writeOutputMode(const std::filesystem::path& dir, int mode) {
  // The keys are read in this order; the settings before mode_output must be
  // present for it to be found.
  std::ofstream def(dir / "Kiv4.def", std::ios::binary);
  def << "dep_h = 12\r\ndep_m = 0\r\ndep_day = 1\r\ndep_systime = 0\r\nmode_route = 1\r\n"
      << "mode_output = " << mode << "\r\n";
}

// The search rules with one mend switched off: that rule taken literally.
inline RouteSearchRules rulesWithout(bool RouteSearchRules::*rule) {
  RouteSearchRules rules;
  rules.*rule = false;
  return rules;
}

// Moves the departures from `from` towards `to` in front of the other
// departures of `from` in a compiled data directory. The compiler orders the
// links of a station by next station; a test that needs another order (the
// route search tries a station's links in file order) gets it this way.
inline void putLinkFirst(const std::filesystem::path& dir, StationNo from, StationNo to) {
  std::vector<DiaDepartureRecord> records = readDiagram2File(dir / "Diagram2.kv4").value().records;
  std::stable_partition(records.begin(), records.end(), [&](const DiaDepartureRecord& r) {
    return r.station < from || (r.station == from && r.nextStation == to);
  });
  writeTimetableFiles(dir, readDiaIdx1File(dir / "DiaIdx1.kv4").value().records.size(), records);
}

class TimetableWorld {
 public:
  // Stations 1, 2, ... with the given UTF-8 names.
  TimetableWorld(std::initializer_list<const char*> stationNames) {
    for (const char* name : stationNames) names_.stations.push_back({sjis(name), "x"});
  }
  explicit TimetableWorld(const std::vector<std::string>& stationNames) {
    for (const std::string& name : stationNames) names_.stations.push_back({sjis(name), "x"});
  }

  // The next train number.
  TrainNo train(const char* name, NetworkCode code) {
    trains_.trains.push_back({sjis(name), code});
    return static_cast<TrainNo>(trains_.trains.size());
  }
  // The next train numbers, for trains of one network code.
  template <std::size_t N>
  std::array<TrainNo, N> trains(const char* const (&names)[N], NetworkCode code) {
    std::array<TrainNo, N> numbers{};
    for (std::size_t i = 0; i < N; ++i) numbers[i] = train(names[i], code);
    return numbers;
  }

  // Departure records, in file order: the records of one station, and within
  // it those towards one next stop, must be added one after the other. The
  // terminal is the next stop, every day is served; adjust the returned
  // record (valid until the next one is added) for anything else.
  DiaDepartureRecord& timed(TrainNo t, StationNo from, StationNo to, int minute, int ride,
                            std::uint32_t hours) {
    return add(t, from, to, minute, 0, ride, hours);
  }
  DiaDepartureRecord& every(TrainNo t, StationNo from, StationNo to, int interval, int ride,
                            std::uint32_t hours) {
    return add(t, from, to, 0, interval, ride, hours);
  }

  void transfer(StationNo s, TrainNo a, TrainNo b, int minutes) {
    transfers_.records.push_back({s, a, b, static_cast<std::int16_t>(minutes)});
  }

  // The output mode of the time-priority report in the settings file.
  void outputMode(int mode) { outputMode_ = mode; }

  void write(const std::filesystem::path& dir) const {
    writeStaNameFile(dir / "StaName.kv4", names_);
    writeTrainFile(dir / "Train.kv4", trains_);
    writeTransferFile(dir / "Transfer.kv4", transfers_);
    writeTimetableFiles(dir, names_.stations.size(), departures_);
    if (outputMode_ >= 0) writeOutputMode(dir, outputMode_);
  }

 private:
  DiaDepartureRecord& add(TrainNo t, StationNo from, StationNo to, int minute, int interval, int ride,
                          std::uint32_t hours) {
    departures_.push_back(departureRecord(t, from, to, minute, interval, ride, hours));
    return departures_.back();
  }

  StaNameFile names_;
  TrainFile trains_;
  TransferFile transfers_;
  std::vector<DiaDepartureRecord> departures_;
  int outputMode_ = -1;
};

}  // namespace kiv::test
