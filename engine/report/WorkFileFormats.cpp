// The record formats of the work files: one format function per kind of
// line (declared next to its reader in WorkFiles.h) and the writers of whole
// files, all through WorkFileWriter.
#include <charconv>
#include <cstdio>

#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/PreparedFormat.h"
#include "text/ReportText.h"

namespace kiv::work_files {
namespace {

using report_text::format;
using report_text::PreparedFormat;

// Hours and minutes of a time, as the route files print them.
int hourOf(const ClockTime& time) { return time.minutes / 60; }
int minuteOf(const ClockTime& time) { return time.minutes % 60; }

// A time as the searches print it from hours and minutes.
std::string clockText(const char* fmt, const ClockTime& time) {
  return format(fmt, time.minutes / 60, time.minutes % 60);
}

template <typename Lines>
bool writeLines(const std::filesystem::path& file, const Lines& lines) {
  WorkFileWriter out(file);
  for (const std::string& line : lines) out.line(line);
  return out.close();
}

// A head record "0 NAME", then per group "1 N TITLE" and its entries
// "2 N NAME VALUE": the fare table and the required-time tables.
template <typename Group, typename Entry>
bool writeGroupedFile(const std::filesystem::path& file, const std::string& head,
                      const std::vector<Group>& groups, int Group::*number, std::string Group::*title,
                      std::vector<Entry> Group::*entries, std::string Entry::*name, int Entry::*value) {
  WorkFileWriter out(file);
  out.line("0 " + head);
  for (const Group& g : groups) {
    out.line(format("1 %d %s", g.*number, (g.*title).c_str()));
    for (const Entry& e : g.*entries) out.line(format("2 %d %s %d", g.*number, (e.*name).c_str(), e.*value));
  }
  return out.close();
}

// The lines writeGroupedFile writes, ended by CR LF, in one text without printf.
template <typename Group, typename Entry>
std::string groupedText(const std::string& head, const std::vector<Group>& groups, int Group::*number,
                        std::string Group::*title, std::vector<Entry> Group::*entries,
                        std::string Entry::*name, int Entry::*value) {
  std::string text;
  const auto appendNumber = [&text](int n) {
    char digits[16];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
  };
  text.append("0 ").append(head).append("\r\n");
  for (const Group& g : groups) {
    text.append("1 ");
    appendNumber(g.*number);
    text.append(" ").append(g.*title).append("\r\n");
    for (const Entry& e : g.*entries) {
      text.append("2 ");
      appendNumber(g.*number);
      text.append(" ").append(e.*name).append(" ");
      appendNumber(e.*value);
      text.append("\r\n");
    }
  }
  return text;
}

template <typename Group, typename Entry>
bool writeGroupedExport(const std::filesystem::path& file, const std::string& origin,
                        const std::vector<Group>& groups, int Group::*number, std::string Group::*heading,
                        std::vector<Entry> Group::*entries, std::string Entry::*name, int Entry::*value,
                        int block, bool csv, const TableExport& texts) {
  WorkFileWriter out(file);
  if (csv) out.line(texts.csvHeader);
  for (const Group& g : groups) {
    if (block != -1 && g.*number != block) continue;
    if (!csv) {
      if (block == -1 && g.*number != 0) out.text("\n\n");
      out.line(format(texts.headingFormat, origin.c_str(), (g.*heading).c_str()));
      out.line("");
    }
    for (const Entry& e : g.*entries) {
      out.line(csv ? format("%s,%s,%s,%d", origin.c_str(), (g.*heading).c_str(), (e.*name).c_str(), e.*value)
                   : format("    %-24s  %4d", (e.*name).c_str(), e.*value));
    }
  }
  return out.close();
}

std::string breakdownFields(const JrDistanceBreakdown& d) {
  return format(",%d,%d,%d,%d,%d,%d", d.total, d.yamanote, d.trainZone, d.trunk, d.localBusiness,
                d.localFare);
}

}  // namespace

std::string formatRouteListHead(const RouteListHead& head, RouteListLayout layout) {
  const std::string time = layout == RouteListLayout::kDetectionOrder ? clockText("%2d:%02d", head.departure)
                                                                      : head.departure.text;
  return format("0 %s %s %s", head.from.c_str(), head.to.c_str(), time.c_str());
}

std::string formatRouteSummary(const RouteSummary& r, RouteListLayout layout) {
  if (layout == RouteListLayout::kDetectionOrder) {
    return format("9 %d %d %2d:%02d %2d %d %d %d %d %d %s", r.position, r.detection, r.arrival.minutes / 60,
                  r.arrival.minutes % 60, r.totalMinutes, r.fare, r.changes, r.ridingMinutes,
                  r.walkingMinutes, r.waitingMinutes, r.via.c_str());
  }
  return format("9 %d %d %s %d %d %d %d %d %d %s", r.position, r.detection, r.arrival.text.c_str(),
                r.totalMinutes, r.fare, r.changes, r.ridingMinutes, r.walkingMinutes, r.waitingMinutes,
                r.via.c_str());
}

std::string formatRouteStop(const RouteStop& r) {
  return format("1 %d %s %d %d %s %s", r.detection, r.station.c_str(), r.walkingMinutes, r.waitingMinutes,
                clockText("%02d:%02d", r.arrival).c_str(), clockText("%02d:%02d", r.departure).c_str());
}

std::string formatRouteRide(const RouteRide& r) {
  return format("2 %d %s %s %s %s %s %d %d", r.detection, r.train.c_str(), r.from.c_str(), r.to.c_str(),
                clockText("%02d:%02d", r.departure).c_str(), clockText("%02d:%02d", r.arrival).c_str(),
                r.ridingMinutes, r.walkingMinutes);
}

std::string formatRouteFareSection(const RouteFareSection& r) {
  return format("3 %d %04d %s %s %s %d", r.detection, static_cast<int>(r.network), r.company.c_str(),
                r.from.c_str(), r.to.c_str(), r.fare);
}

// The formats of the appended records, each read once.
void appendRouteListHead(std::string& out, const RouteListHead& head, RouteListLayout layout) {
  static const PreparedFormat clocked("0 %s %s %2d:%02d", false);
  static const PreparedFormat sorted("0 %s %s %s", false);
  if (layout == RouteListLayout::kDetectionOrder) {
    clocked.append(out, {head.from, head.to, hourOf(head.departure), minuteOf(head.departure)});
  } else {
    sorted.append(out, {head.from, head.to, head.departure.text});
  }
}

void appendRouteSummary(std::string& out, const RouteSummary& r, RouteListLayout layout) {
  static const PreparedFormat clocked("9 %d %d %2d:%02d %2d %d %d %d %d %d %s", false);
  static const PreparedFormat sorted("9 %d %d %s %d %d %d %d %d %d %s", false);
  if (layout == RouteListLayout::kDetectionOrder) {
    clocked.append(out, {r.position, r.detection, hourOf(r.arrival), minuteOf(r.arrival), r.totalMinutes,
                         r.fare, r.changes, r.ridingMinutes, r.walkingMinutes, r.waitingMinutes, r.via});
  } else {
    sorted.append(out, {r.position, r.detection, r.arrival.text, r.totalMinutes, r.fare, r.changes,
                        r.ridingMinutes, r.walkingMinutes, r.waitingMinutes, r.via});
  }
}

void appendRouteStop(std::string& out, const RouteStop& r) {
  static const PreparedFormat stop("1 %d %s %d %d %02d:%02d %02d:%02d", false);
  stop.append(out, {r.detection, r.station, r.walkingMinutes, r.waitingMinutes, hourOf(r.arrival),
                    minuteOf(r.arrival), hourOf(r.departure), minuteOf(r.departure)});
}

void appendRouteRide(std::string& out, const RouteRide& r) {
  static const PreparedFormat ride("2 %d %s %s %s %02d:%02d %02d:%02d %d %d", false);
  ride.append(out, {r.detection, r.train, r.from, r.to, hourOf(r.departure), minuteOf(r.departure),
                    hourOf(r.arrival), minuteOf(r.arrival), r.ridingMinutes, r.walkingMinutes});
}

void appendRouteFareSection(std::string& out, const RouteFareSection& r) {
  static const PreparedFormat section("3 %d %04d %s %s %s %d", false);
  section.append(out, {r.detection, static_cast<int>(r.network), r.company, r.from, r.to, r.fare});
}

bool writeRouteList(const std::filesystem::path& file, const RouteList& list, RouteListLayout layout) {
  std::vector<std::string> lines{formatRouteListHead(list.head, layout)};
  for (const RouteSummary& r : list.routes) lines.push_back(formatRouteSummary(r, layout));
  return writeLines(file, lines);
}

std::string formatFareTableHead(const std::string& origin) { return "0 " + origin; }
std::string formatFareBlock(const FareBlock& b) { return format("1 %d %s", b.block, b.company.c_str()); }
std::string formatStationFare(int block, const StationFare& f) {
  return format("2 %d %s %d", block, f.station.c_str(), f.fare);
}

bool writeFareTable(const std::filesystem::path& file, const FareTable& table) {
  return writeGroupedFile(file, table.origin, table.blocks, &FareBlock::block, &FareBlock::company,
                          &FareBlock::fares, &StationFare::station, &StationFare::fare);
}

std::string fareTableText(const FareTable& table) {
  return groupedText(table.origin, table.blocks, &FareBlock::block, &FareBlock::company, &FareBlock::fares,
                     &StationFare::station, &StationFare::fare);
}

bool writeTableExport(const std::filesystem::path& file, const FareTable& table, int block, bool csv,
                      const TableExport& texts) {
  return writeGroupedExport(file, table.origin, table.blocks, &FareBlock::block, &FareBlock::company,
                            &FareBlock::fares, &StationFare::station, &StationFare::fare, block, csv, texts);
}

bool writeTableExport(const std::filesystem::path& file, const RequiredTimes& times, int block, bool csv,
                      const TableExport& texts) {
  return writeGroupedExport(file, times.origin, times.tables, &RequiredTimeTable::table,
                            &RequiredTimeTable::train, &RequiredTimeTable::stations, &StationMinutes::station,
                            &StationMinutes::minutes, block, csv, texts);
}

std::string formatRequiredTimesHead(const std::string& origin) { return "0 " + origin; }
std::string formatRequiredTimeTable(const RequiredTimeTable& t) {
  return format("1 %d %s", t.table, t.train.c_str());
}
std::string formatStationMinutes(int table, const StationMinutes& s) {
  return format("2 %d %s %d", table, s.station.c_str(), s.minutes);
}

bool writeRequiredTimes(const std::filesystem::path& file, const RequiredTimes& times) {
  return writeGroupedFile(file, times.origin, times.tables, &RequiredTimeTable::table,
                          &RequiredTimeTable::train, &RequiredTimeTable::stations, &StationMinutes::station,
                          &StationMinutes::minutes);
}

std::string requiredTimesText(const RequiredTimes& times) {
  return groupedText(times.origin, times.tables, &RequiredTimeTable::table, &RequiredTimeTable::train,
                     &RequiredTimeTable::stations, &StationMinutes::station, &StationMinutes::minutes);
}

bool exportFareTable(const std::filesystem::path& file, const FareTable& table, int block, bool csv) {
  return writeTableExport(file, table, block, csv,
                          {report_text::kFareExportHeading.c_str(), report_text::kFareCsvHeader.c_str()});
}

bool exportRequiredTimes(const std::filesystem::path& file, const RequiredTimes& times, int table, bool csv) {
  return writeTableExport(
      file, times, table, csv,
      {report_text::kRequiredTimeExportHeading.c_str(), report_text::kRequiredTimeCsvHeader.c_str()});
}

bool saveFareTable(const std::filesystem::path& dataDir, const FareTable& table) {
  return writeWholeBytes(dataDir / kFareTable, fareTableText(table), WholeFile::kOverOldBytes);
}

bool saveRequiredTimes(const std::filesystem::path& dataDir, const RequiredTimes& times) {
  return writeWholeBytes(dataDir / kRequiredTimes, requiredTimesText(times), WholeFile::kOverOldBytes);
}

std::string formatStationDeparture(const StationDeparture& d, bool grouped) {
  const int kind = d.interval ? 0 : 1;
  const int code = d.network;
  if (grouped) {
    return format("%03d %1d %-32s %1d %02d%4s %-24s", code, d.order, d.train.c_str(), kind, d.value,
                  d.unit.c_str(), d.terminal.c_str());
  }
  return format("%03d %1d %1d %02d%4s %-32s %-24s", code, d.order, kind, d.value, d.unit.c_str(),
                d.train.c_str(), d.terminal.c_str());
}

bool writeStationDepartures(const std::filesystem::path& file,
                            const std::vector<StationDeparture>& departures, bool grouped) {
  std::vector<std::string> lines;
  for (const StationDeparture& d : departures) lines.push_back(formatStationDeparture(d, grouped));
  return writeLines(file, lines);
}

std::string formatStationTimetable(const std::string& station, const std::string& dayName, int hour,
                                   const std::vector<StationDeparture>& departures,
                                   const std::function<std::string(int company)>& companyName) {
  using namespace report_text;
  std::string text;
  int previousCompany = -1;
  for (const StationDeparture& d : departures) {
    const int company = d.network / 10;
    if (company != previousCompany) {
      if (previousCompany != -1) text += "\n\n";
      text += format(kTimetableHeading.c_str(), station.c_str(), dayName.c_str(), hour,
                     companyName(company).c_str());
      previousCompany = company;
    }
    const std::string value = format("%02d%s", d.value, d.unit.c_str());
    text += format(kTimetableDeparture.c_str(), value.c_str(), d.train.c_str(), d.terminal.c_str());
  }
  return text + kTimetableNote;
}

std::vector<std::string> formatRouteSearchLog(const RouteSearchLog& log) {
  using namespace report_text;
  std::vector<std::string> lines{
      format(kLogFrom.c_str(), log.from.c_str()), format(kLogTo.c_str(), log.to.c_str()),
      format(kLogShortest.c_str(), log.shortest), format(kLogDetour.c_str(), log.detourKm),
      format(kLogBound.c_str(), log.bound)};
  for (const LoggedStation& s : log.stations)
    lines.push_back(format(kLogInside.c_str(), s.sum, s.fromDeparture, s.toDestination, s.name.c_str()));
  return lines;
}

bool writeRouteSearchLog(const std::filesystem::path& file, const RouteSearchLog& log) {
  return writeLines(file, formatRouteSearchLog(log));
}

std::optional<RouteSearchLog> readRouteSearchLog(const std::filesystem::path& file) {
  using namespace report_text;
  std::vector<std::string> lines;
  if (!readLines(file, lines)) return std::nullopt;
  // The text of a line after the label of a format (what comes before its "%").
  auto after = [](const std::string& line, std::string_view fmt) -> std::optional<std::string> {
    const std::string_view label = fmt.substr(0, fmt.find('%'));
    if (!line.starts_with(label)) return std::nullopt;
    return line.substr(label.size());
  };
  auto numberAfter = [&](const std::string& line, std::string_view fmt, int& target) {
    const auto rest = after(line, fmt);
    if (!rest) return;
    const std::string digits = rest->substr(0, rest->find_first_not_of("-0123456789"));
    if (const auto value = parseNumber(digits)) target = *value;
  };
  RouteSearchLog log;
  for (const std::string& line : lines) {
    if (const auto from = after(line, kLogFrom)) log.from = *from;
    if (const auto to = after(line, kLogTo)) log.to = *to;
    numberAfter(line, kLogShortest, log.shortest);
    numberAfter(line, kLogDetour, log.detourKm);
    numberAfter(line, kLogBound, log.bound);
    if (const auto rest = after(line, kLogInside)) {
      LoggedStation s;
      int used = 0;
      if (std::sscanf(rest->c_str(), "%d(%d,%d) : %n", &s.sum, &s.fromDeparture, &s.toDestination, &used) ==
              3 &&
          used > 0) {
        const auto words = report_text::words(rest->substr(static_cast<std::size_t>(used)));
        s.name = words.empty() ? std::string() : words[0];
        log.stations.push_back(std::move(s));
      }
    }
  }
  return log;
}

bool writeStationList(const std::filesystem::path& file, std::span<const std::string> names) {
  return writeLines(file, names);
}

std::string formatTokyoZonePair(const TokyoZonePair& p) {
  return format("%s,%s,%d", p.yamanoteStation.c_str(), p.farStation.c_str(), p.fareFromTokyo);
}

std::string formatJrCheapestPair(const JrCheapestPair& p) {
  return format("%s,%s,%d", p.first.c_str(), p.second.c_str(), p.cheapestFare);
}

std::string formatJrCheapestCsv(const JrCheapestPair& p) {
  return format("%s,%s,%d", p.first.c_str(), p.second.c_str(), p.shortestFare) + breakdownFields(p.shortest) +
         format(",%d", p.cheapestFare) + breakdownFields(p.cheapest);
}

}  // namespace kiv::work_files
