#include "report/WorkFiles.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "report/WorkFileWriter.h"
#include "text/ReportText.h"

namespace kiv::work_files {
namespace {

using Words = std::vector<std::string>;

// Reads the numbers of the given word positions of a record; false when one
// is missing or malformed.
bool numbers(const Words& w, std::initializer_list<std::pair<std::size_t, int*>> fields) {
  for (const auto& [index, target] : fields) {
    if (index >= w.size()) return false;
    const auto value = parseNumber(w[index]);
    if (!value) return false;
    *target = *value;
  }
  return true;
}

bool clock(const Words& w, std::size_t index, ClockTime& target) {
  if (index >= w.size()) return false;
  const auto time = parseClockTime(w[index]);
  if (time) target = *time;
  return time.has_value();
}

// Calls `record` with the words of every line whose record type (first
// word) is one digit; false when the file cannot be read.
bool forEachRecord(const std::filesystem::path& file, const std::function<void(char, const Words&)>& record) {
  std::vector<std::string> lines;
  if (!report_text::readLines(file, lines)) return false;
  for (const std::string& line : lines) {
    const Words w = report_text::words(line);
    if (!w.empty() && w[0].size() == 1 && w[0][0] >= '0' && w[0][0] <= '9') record(w[0][0], w);
  }
  return true;
}

std::optional<RouteSummary> routeSummary(const Words& w) {
  RouteSummary r;
  if (w.size() < 11 || !clock(w, 3, r.arrival)) return std::nullopt;
  if (!numbers(w, {{1, &r.position},
                   {2, &r.detection},
                   {4, &r.totalMinutes},
                   {5, &r.fare},
                   {6, &r.changes},
                   {7, &r.ridingMinutes},
                   {8, &r.walkingMinutes},
                   {9, &r.waitingMinutes}})) {
    return std::nullopt;
  }
  r.via = w[10];
  return r;
}

std::optional<RouteStop> routeStop(const Words& w) {
  RouteStop r;
  if (w.size() < 7 || !clock(w, 5, r.arrival) || !clock(w, 6, r.departure)) return std::nullopt;
  if (!numbers(w, {{1, &r.detection}, {3, &r.walkingMinutes}, {4, &r.waitingMinutes}})) return std::nullopt;
  r.station = w[2];
  return r;
}

std::optional<RouteRide> routeRide(const Words& w) {
  RouteRide r;
  if (w.size() < 9 || !clock(w, 5, r.departure) || !clock(w, 6, r.arrival)) return std::nullopt;
  if (!numbers(w, {{1, &r.detection}, {7, &r.ridingMinutes}, {8, &r.walkingMinutes}})) return std::nullopt;
  r.train = w[2];
  r.from = w[3];
  r.to = w[4];
  return r;
}

std::optional<RouteFareSection> routeFareSection(const Words& w) {
  RouteFareSection r;
  int network = 0;
  if (w.size() < 7 || !numbers(w, {{1, &r.detection}, {2, &network}, {6, &r.fare}})) return std::nullopt;
  r.network = static_cast<NetworkCode>(network);
  r.company = w[3];
  r.from = w[4];
  r.to = w[5];
  return r;
}

template <typename T>
void addIf(std::vector<T>& list, std::optional<T> record) {
  if (record) list.push_back(std::move(*record));
}

// The leading digits of a word as the value, the rest as the unit.
bool valueAndUnit(const std::string& word, StationDeparture& d) {
  const auto digits = static_cast<std::size_t>(
      std::find_if(word.begin(), word.end(), [](char c) { return c < '0' || c > '9'; }) - word.begin());
  const auto value = parseNumber(word.substr(0, digits));
  if (!value) return false;
  d.value = *value;
  d.unit = word.substr(digits);
  return true;
}

std::optional<StationDeparture> stationDeparture(const Words& w, bool grouped) {
  // Without grouping: code, order, kind, value+unit, train, terminal;
  // grouped by train: code, order, train, kind, value+unit, terminal.
  if (w.size() < 6) return std::nullopt;
  const std::size_t trainAt = grouped ? 2 : 4;
  const std::size_t kindAt = grouped ? 3 : 2;
  const std::size_t valueAt = grouped ? 4 : 3;
  StationDeparture d;
  int network = 0;
  int kind = 0;
  if (!numbers(w, {{0, &network}, {1, &d.order}, {kindAt, &kind}}) || !valueAndUnit(w[valueAt], d)) {
    return std::nullopt;
  }
  d.network = static_cast<NetworkCode>(network);
  d.interval = kind == 0;
  d.train = w[trainAt];
  d.terminal = w[5];
  return d;
}

// The fields of a group of a grouped file: its number, its title and its
// entries.
template <typename Group, typename Entry>
struct GroupFields {
  int Group::*number;
  std::string Group::*title;
  std::vector<Entry> Group::*entries;
};

// The files of a head record "0 NAME", records "1 N TITLE" that open group N
// and records "2 N NAME VALUE" of group N: the fare table and the
// required-time tables. An entry of another group than the open one is
// skipped.
template <typename File, typename Group, typename Entry>
std::optional<File> readGroupedFile(const std::filesystem::path& file, std::string File::*head,
                                    std::vector<Group> File::*groups, GroupFields<Group, Entry> group,
                                    std::string Entry::*name, int Entry::*value) {
  File result;
  std::vector<Group>& list = result.*groups;
  const bool read = forEachRecord(file, [&](char type, const Words& w) {
    int number = 0;
    if (type == '0' && w.size() >= 2) {
      result.*head = w[1];
    } else if (type == '1' && w.size() >= 3 && numbers(w, {{1, &number}})) {
      Group opened;
      opened.*(group.number) = number;
      opened.*(group.title) = w[2];
      list.push_back(std::move(opened));
    } else if (type == '2' && !list.empty() && w.size() >= 4) {
      Entry entry;
      if (numbers(w, {{1, &number}, {3, &(entry.*value)}}) && number == list.back().*(group.number)) {
        entry.*name = w[2];
        (list.back().*(group.entries)).push_back(std::move(entry));
      }
    }
  });
  if (!read) return std::nullopt;
  return result;
}

}  // namespace

std::optional<int> parseNumber(std::string_view word) {
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (word.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<ClockTime> parseClockTime(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || text.size() != colon + 3) return std::nullopt;
  const auto hour = parseNumber(text.substr(0, colon));
  const auto minute = parseNumber(text.substr(colon + 1));
  if (!hour || !minute || *hour < 0 || *minute < 0 || *minute > 59) return std::nullopt;
  return ClockTime{text, *hour * 60 + *minute};
}

RouteDetail detailOf(const RouteDetail& all, int detection) {
  RouteDetail one;
  auto pick = [detection](const auto& from, auto& to) {
    std::copy_if(from.begin(), from.end(), std::back_inserter(to),
                 [detection](const auto& r) { return r.detection == detection; });
  };
  pick(all.stops, one.stops);
  pick(all.rides, one.rides);
  pick(all.fares, one.fares);
  return one;
}

std::optional<RouteList> readRouteList(const std::filesystem::path& file) {
  RouteList list;
  const bool read = forEachRecord(file, [&list](char type, const Words& w) {
    if (type == '0' && w.size() >= 4) {
      list.head.from = w[1];
      list.head.to = w[2];
      clock(w, 3, list.head.departure);  // a malformed time keeps the name
    } else if (type == '9') {
      addIf(list.routes, routeSummary(w));
    }
  });
  if (!read) return std::nullopt;
  return list;
}

std::optional<RouteDetail> readRouteDetails(const std::filesystem::path& file) {
  RouteDetail all;
  const bool read = forEachRecord(file, [&all](char type, const Words& w) {
    if (type == '1') addIf(all.stops, routeStop(w));
    if (type == '2') addIf(all.rides, routeRide(w));
    if (type == '3') addIf(all.fares, routeFareSection(w));
  });
  if (!read) return std::nullopt;
  return all;
}

std::optional<FareTable> readFareTable(const std::filesystem::path& file) {
  return readGroupedFile(
      file, &FareTable::origin, &FareTable::blocks,
      GroupFields<FareBlock, StationFare>{&FareBlock::block, &FareBlock::company, &FareBlock::fares},
      &StationFare::station, &StationFare::fare);
}

std::optional<RequiredTimes> readRequiredTimes(const std::filesystem::path& file) {
  return readGroupedFile(
      file, &RequiredTimes::origin, &RequiredTimes::tables,
      GroupFields<RequiredTimeTable, StationMinutes>{&RequiredTimeTable::table, &RequiredTimeTable::train,
                                                     &RequiredTimeTable::stations},
      &StationMinutes::station, &StationMinutes::minutes);
}

std::optional<StationDeparture> parseStationDeparture(const std::string& line, bool grouped) {
  return stationDeparture(report_text::words(line), grouped);
}

std::optional<std::vector<StationDeparture>> readStationDepartures(const std::filesystem::path& file,
                                                                   bool grouped) {
  std::vector<std::string> lines;
  if (!report_text::readLines(file, lines)) return std::nullopt;
  std::vector<StationDeparture> departures;
  for (const std::string& line : lines) addIf(departures, parseStationDeparture(line, grouped));
  return departures;
}

namespace {

template <typename Record>
std::optional<Record> parseLine(const std::string& line, char type,
                                std::optional<Record> (*parse)(const Words&)) {
  const Words w = report_text::words(line);
  if (w.empty() || w[0] != std::string(1, type)) return std::nullopt;
  return parse(w);
}

std::optional<RouteListHead> routeListHead(const Words& w) {
  RouteListHead head;
  if (w.size() < 4 || !clock(w, 3, head.departure)) return std::nullopt;
  head.from = w[1];
  head.to = w[2];
  return head;
}

}  // namespace

std::optional<RouteListHead> parseRouteListHead(const std::string& line) {
  return parseLine(line, '0', &routeListHead);
}
std::optional<RouteSummary> parseRouteSummary(const std::string& line) {
  return parseLine(line, '9', &routeSummary);
}
std::optional<RouteStop> parseRouteStop(const std::string& line) { return parseLine(line, '1', &routeStop); }
std::optional<RouteRide> parseRouteRide(const std::string& line) { return parseLine(line, '2', &routeRide); }
std::optional<RouteFareSection> parseRouteFareSection(const std::string& line) {
  return parseLine(line, '3', &routeFareSection);
}

}  // namespace kiv::work_files
