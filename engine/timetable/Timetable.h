// The timetable (diagram) of the whole network, read once from DiaIdx1.kv4,
// DiaIdx2.kv4 and Diagram2.kv4, with the indexes every search works on, all
// built at load and never changed after.
//
// A departure record is a pattern, not a run: a train leaves a station towards
// its next stop at a fixed minute of every served hour, or every `interval`
// minutes during the served hours. All lookups go through the station index:
// a station's departures are its departure span, the departures towards one
// neighbour are that neighbour's link span.
//
// Times are TimeOfDay values whose hours are not wrapped at midnight (30:05 is
// 06:05 on the following day); arithmetic is on hour * 60 + minute.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "Types.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "timetable/TimetableIndex.h"
#include "timetable/TimetableIndexTrainHops.h"
#include "timetable/TrainLinkIndex.h"

namespace kiv {

class RTrainMan;

class Timetable {
 public:
  // An empty timetable of no stations.
  Timetable() = default;
  // Reads the three timetable files of dataDir for the stations 1..stationCount
  // of the station directory and builds the indexes; the train table gives
  // the trains' count and which of them are walking connections. Files that
  // are missing leave the timetable (from that file on) empty.
  Timetable(const std::filesystem::path& dataDir, int stationCount, const RTrainMan& trains);

  // N, the number of stations of the station directory the indexes cover.
  int stationCount() const { return stationCount_; }
  // Why the timetable is not used (the spans of DiaIdx1.kv4 or DiaIdx2.kv4
  // do not fit the records); empty when it is consistent.
  const std::string& dataProblem() const { return dataProblem_; }

  // --- Spans, as 0-based inclusive record indices ---------------------------
  // Each yields the number of records in the span, or -1 and first = last =
  // -1 when the span is empty (no such station, 0 in the file, first > last).
  // Spans are cut at the end of their array, so every index in first..last
  // is a valid record.

  // The station's departure records (Diagram2.kv4).
  int getDepartureRange(StationNo station, int& first, int& last) const;
  // The station's link records (DiaIdx2.kv4).
  int getLinkRange(StationNo station, int& first, int& last) const;
  // The departure records from station towards next, through the first link
  // record of the station's link span with from = station and to = next.
  int getLinkDepartures(StationNo station, StationNo next, int& first, int& last) const;

  // The same spans as views over the records, empty when the span is empty.
  std::span<const DiaDepartureRecord> departuresOf(StationNo station) const;
  std::span<const DiaLinkRecord> linksOf(StationNo station) const;
  std::span<const DiaDepartureRecord> departuresTowards(StationNo station, StationNo next) const;
  // A departure record by 0-based index; an index outside the array gives an
  // all-zero record (train 0, no hours served).
  const DiaDepartureRecord& departureAt(int index) const;

  // The same spans by the index: the departures of a station of the
  // directory (by the span above for any other number), and those of link
  // record k of a station's link span (links, a span of linksOf).
  std::span<const DiaDepartureRecord> indexedDeparturesOf(StationNo station) const;
  std::span<const DiaDepartureRecord> indexedLinkDepartures(std::span<const DiaLinkRecord> links,
                                                            std::size_t k) const;

  // --- Served hours and days -------------------------------------------------
  // 1 when bit (hour mod 24) of the hours mask is set, else 0.
  static int isHourServed(std::uint32_t hours, int hour);
  // 1 when bit (day mod 7) of the days mask is set, else 0.
  static int isDayServed(std::uint8_t days, int day);
  // The hour of the first departure at `minute` at or after `time`: the
  // current hour if it is served and the minute has not passed, else the
  // first served hour among the next 24, not reduced modulo 24 (so 23:50 with
  // only hour 6 served gives 30). -1 when no hour is served.
  static int nextServedHour(std::uint32_t hours, int minute, TimeOfDay time);
  // The same on the service days of a search leaving on day code `day`: an
  // hour h counts only when its hours bit (h mod 24) is set and the days mask
  // has the bit of its service day (day + h / 24) mod 7. A negative day
  // tests no days.
  static int nextServedHour(std::uint32_t hours, std::uint8_t days, int day, int minute, TimeOfDay time);
  // The next departure of the one record r at or after `time` on the service
  // days of `day` (none tested when negative), as nextDeparture takes it:
  // false when r has no served hour.
  static bool recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure);

  // The earliest departure of `train` from station towards next at or after
  // `time`, over the records of the station's departure span. An interval
  // service leaves half an interval after `time` when the current hour is
  // served, else at the top of the next served hour. Of two records with the
  // same wait the earlier in the file wins; its 0-based index goes to
  // *recordIndex when given. 0 and the time in `departure`, or -1 (outputs
  // untouched) when no record of the train serves the link.
  int nextDeparture(StationNo station, StationNo next, TrainNo train, TimeOfDay time, TimeOfDay& departure,
                    int* recordIndex = nullptr) const;
  // The same on the service days of a search leaving on day code `day`
  // (none tested when negative).
  int nextDepartureOn(StationNo station, StationNo next, TrainNo train, TimeOfDay time, int day,
                      TimeOfDay& departure, int* recordIndex = nullptr) const;

  // Minutes from `from` to `to`, adding a day once when `to` is numerically
  // earlier: (10:00, 09:59) is 1439, (23:50, 24:10) is 20.
  static int minutesBetween(TimeOfDay from, TimeOfDay to) {
    const int t1 = from.totalMinutes();
    const int t2 = to.totalMinutes();
    return t1 > t2 ? t2 + 1440 - t1 : t2 - t1;
  }
  // The time `minutes` after t; the hour is not wrapped at midnight.
  static TimeOfDay addMinutes(TimeOfDay t, int minutes) {
    const int total = t.minute + minutes;
    return {static_cast<std::int8_t>(t.hour + total / 60), static_cast<std::int8_t>(total % 60)};
  }
  // The hours mask as 24 characters '0'/'1', hour 0 first.
  static std::string hoursToText(std::uint32_t hours);

  // --- The records -----------------------------------------------------------
  std::span<const DiaDepartureRecord> departures() const { return departures_; }
  std::span<const DiaLinkRecord> links() const { return links_; }
  // K3, the number of departure records held.
  int getRecordCount() const { return static_cast<int>(departures_.size()); }
  // Copies record `index` (0-based): 0, or -1 (record untouched) when index
  // is outside 0..K3-1.
  int getRecord(int index, DiaDepartureRecord& record) const;

  // --- Indexes ---------------------------------------------------------------
  // The spans as arrays, the departures into each station and the facts of
  // each train that the searches look up in their inner loops.
  const TimetableIndex& index() const { return index_; }
  // The links of every train, which the required-time table follows.
  const TrainLinkIndex& trainLinks() const { return trainLinks_; }
  // The departures of every station grouped by next stop and train, which
  // the search for the earliest arrival alone follows.
  const TrainHopIndex& trainHops() const { return trainHops_; }
  // Whether train t is a walking connection (false outside the train table).
  bool isWalking(TrainNo t) const {
    return t >= 0 && static_cast<std::size_t>(t) < index_.walking.size() &&
           index_.walking[static_cast<std::size_t>(t)] != 0;
  }
  // Calls visit for the first departure record of each train 1..trainCount
  // on every link record, by station, link file order and record order.
  void forEachTrainLink(int trainCount,
                        const std::function<void(TrainNo, const TrainLinkIndex::Link&)>& visit) const;

 private:
  // 0 when all three files were read, -1 when one could not be opened (the
  // load stops at that file; what was read stays).
  int load(const std::filesystem::path& dataDir);
  // The problem of the index spans, or empty when every span fits;
  // `unusable` set when they claim far more records than exist.
  std::string checkSpans(bool& unusable) const;
  // Turns a 1-based inclusive span of the files into a 0-based one inside an
  // array of `size` records; the number of records, or -1 when empty.
  static int clampSpan(std::int32_t first1, std::int32_t last1, std::size_t size, int& first, int& last);
  // The station's index record, or nullptr when station is outside 1..K1.
  const DiaStationRecord* stationRecord(StationNo station) const;
  void buildIndex(const RTrainMan& trains);
  // The least riding minutes between neighbouring stations, from departuresInto.
  void buildLeastRides();
  void buildTrainLinks(int trainCount);

  int stationCount_ = 0;
  std::vector<DiaStationRecord> stations_;      // K1; record k is station k + 1
  std::vector<DiaLinkRecord> links_;            // K2
  std::vector<DiaDepartureRecord> departures_;  // K3
  std::string dataProblem_;
  TimetableIndex index_;
  TrainLinkIndex trainLinks_;
  TrainHopIndex trainHops_;
};

}  // namespace kiv
