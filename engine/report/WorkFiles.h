// The text work files of the searches and tables: their names, one record
// type per kind of line, its reader and its format, and the writers of whole
// files (all writing goes through report/WorkFileWriter). The files are
// Shift-JIS with CR LF (LF is read too); every text field here stays
// Shift-JIS. A line whose record type is unknown, or that lacks fields, is
// skipped, as the result windows skip it.
//
// The timetable searches (timetable/RDiaMan*.cpp) write their files with
// these names and format functions through WorkFileWriter too;
// tests/cli/WorkFileFormatsTest.cpp reads what they write back and checks
// that the writers here give the same bytes again.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace kiv::work_files {

inline constexpr char kRouteListFound[] = "$MltRtL1.kv4";  // detection order
inline constexpr char kRouteListTime[] = "$MltRtL2.kv4";   // time order
inline constexpr char kRouteListFare[] = "$MltRtL3.kv4";   // fare order
inline constexpr char kRouteDetails[] = "$MltRtDt.kv4";
inline constexpr char kRouteSearchLog[] = "$vflg.kv4";
inline constexpr char kFastestReport[] = "$TT$.kv4";
inline constexpr char kFareTable[] = "$FareTbl.kv4";
inline constexpr char kRequiredTimes[] = "$RqTmTbl.kv4";
inline constexpr char kTimetableSource[] = "TTSrc.kv4";
inline constexpr char kTimetableReport[] = "$VTT.kv4";
inline constexpr char kStationList[] = "$stalist.kv4";
inline constexpr char kJrCheapestPairs[] = "jrregu.dat";
inline constexpr char kJrCheapestCsv[] = "$jrregu.csv";
inline constexpr char kTokyoZoneList[] = "$TKY101.KV4";

// A time of a work file as written ("9:05", "09:05", "25:10") and as
// minutes after midnight of the departure day (25:10 is 1510).
struct ClockTime {
  std::string text;
  int minutes = 0;
};

// --- Route lists ($MltRtL1..3.kv4) and route details ($MltRtDt.kv4) ---

// Record 0: the journey of the list.
struct RouteListHead {
  std::string from;
  std::string to;
  ClockTime departure;
};

// Record 9: one route.
struct RouteSummary {
  int position = 0;   // detection number in the list of detection order, else 0-based place
  int detection = 0;  // key into the details
  ClockTime arrival;
  int totalMinutes = 0;
  int fare = 0;  // yen
  int changes = 0;
  int ridingMinutes = 0;
  int walkingMinutes = 0;
  int waitingMinutes = 0;
  std::string via;  // change stations joined by ",", or "なし"
};

struct RouteList {
  RouteListHead head;
  std::vector<RouteSummary> routes;  // in the file's order
};

// Record 1: where the passenger boards (the start, then every change).
struct RouteStop {
  int detection = 0;
  std::string station;
  int walkingMinutes = 0;
  int waitingMinutes = 0;
  ClockTime arrival;
  ClockTime departure;
};

// Record 2: a ride on one train or one walk.
struct RouteRide {
  int detection = 0;
  std::string train;
  std::string from;
  std::string to;
  ClockTime departure;
  ClockTime arrival;
  int ridingMinutes = 0;
  int walkingMinutes = 0;
};

// Record 3: a stretch on one network, priced as one journey.
struct RouteFareSection {
  int detection = 0;
  NetworkCode network = 0;
  std::string company;  // short name
  std::string from;
  std::string to;
  int fare = 0;  // yen
};

// Route detail records, each kind in file (path) order: of one route, or of
// every route of the file.
struct RouteDetail {
  std::vector<RouteStop> stops;
  std::vector<RouteRide> rides;
  std::vector<RouteFareSection> fares;
};

// The records of route `detection` among those of every route.
RouteDetail detailOf(const RouteDetail& all, int detection);

// --- Fare table ($FareTbl.kv4) ---

struct StationFare {
  std::string station;
  int fare = 0;  // yen
};

struct FareBlock {
  int block = 0;
  std::string company;  // full name
  std::vector<StationFare> fares;
};

struct FareTable {
  std::string origin;
  std::vector<FareBlock> blocks;
};

// --- Required-time tables ($RqTmTbl.kv4) ---

struct StationMinutes {
  std::string station;
  int minutes = 0;
};

struct RequiredTimeTable {
  int table = 0;
  std::string train;
  std::vector<StationMinutes> stations;
};

struct RequiredTimes {
  std::string origin;
  std::vector<RequiredTimeTable> tables;
};

// --- Station departures (TTSrc.kv4) ---

struct StationDeparture {
  NetworkCode network = 0;
  int order = 0;          // list order + 1
  bool interval = false;  // an interval service ("分毎") rather than a timed one ("分発")
  int value = 0;          // minute of departure, or the interval in minutes
  std::string unit;       // "分発" or "分毎"
  std::string train;
  std::string terminal;
};

// Each reader yields nullopt when the file cannot be read.
std::optional<RouteList> readRouteList(const std::filesystem::path& file);
std::optional<RouteDetail> readRouteDetails(const std::filesystem::path& file);
std::optional<FareTable> readFareTable(const std::filesystem::path& file);
std::optional<RequiredTimes> readRequiredTimes(const std::filesystem::path& file);
// `grouped`: the lines are laid out by train (the grouping of the report).
std::optional<std::vector<StationDeparture>> readStationDepartures(const std::filesystem::path& file,
                                                                   bool grouped);

// A time "H:MM" or "HH:MM" (hours may pass 23); nullopt when malformed.
std::optional<ClockTime> parseClockTime(const std::string& text);

// A whole word as a decimal number with an optional minus sign; the one
// number reader of the work files.
std::optional<int> parseNumber(std::string_view word);

// --- Route search log ($vflg.kv4) ---

// A station inside the detour limit: the sum of its distances from the
// departure and to the destination, both distances (100 m) and its name.
struct LoggedStation {
  int sum = 0;
  int fromDeparture = 0;
  int toDestination = 0;
  std::string name;
};

struct RouteSearchLog {
  std::string from;
  std::string to;
  int shortest = 0;  // 100 m
  int detourKm = 0;
  int bound = 0;  // 100 m
  std::vector<LoggedStation> stations;
};

std::optional<RouteSearchLog> readRouteSearchLog(const std::filesystem::path& file);

// --- Writing ---
// Each format function gives one record without its line end, exactly as
// the searches write it; each write function writes a whole file through
// WorkFileWriter and yields false when it was not written completely.

// The list of detection order pads an hour and a total below 10 with a
// blank ("0 東京 上野  9:05", "9 0 0  9:16  7 ..."); the sorted lists copy
// the time texts.
enum class RouteListLayout { kDetectionOrder, kSorted };

std::string formatRouteListHead(const RouteListHead& head, RouteListLayout layout);
std::string formatRouteSummary(const RouteSummary& route, RouteListLayout layout);
std::string formatRouteStop(const RouteStop& stop);
std::string formatRouteRide(const RouteRide& ride);
std::string formatRouteFareSection(const RouteFareSection& section);
bool writeRouteList(const std::filesystem::path& file, const RouteList& list, RouteListLayout layout);
// The same records appended to `out` without printf, byte for byte as the
// format functions above give them: the fast route search writes hundreds
// of them per search.
void appendRouteListHead(std::string& out, const RouteListHead& head, RouteListLayout layout);
void appendRouteSummary(std::string& out, const RouteSummary& route, RouteListLayout layout);
void appendRouteStop(std::string& out, const RouteStop& stop);
void appendRouteRide(std::string& out, const RouteRide& ride);
void appendRouteFareSection(std::string& out, const RouteFareSection& section);

// One record of a route list or route detail file; nullopt when the line is
// not a well-formed record of that kind.
std::optional<RouteListHead> parseRouteListHead(const std::string& line);
std::optional<RouteSummary> parseRouteSummary(const std::string& line);
std::optional<RouteStop> parseRouteStop(const std::string& line);
std::optional<RouteRide> parseRouteRide(const std::string& line);
std::optional<RouteFareSection> parseRouteFareSection(const std::string& line);

std::string formatFareTableHead(const std::string& origin);
std::string formatFareBlock(const FareBlock& block);
std::string formatStationFare(int block, const StationFare& fare);
bool writeFareTable(const std::filesystem::path& file, const FareTable& table);
// The bytes writeFareTable writes, lines ended by CR LF, as one text.
std::string fareTableText(const FareTable& table);

std::string formatRequiredTimesHead(const std::string& origin);
std::string formatRequiredTimeTable(const RequiredTimeTable& table);
std::string formatStationMinutes(int table, const StationMinutes& station);
bool writeRequiredTimes(const std::filesystem::path& file, const RequiredTimes& times);
// The bytes writeRequiredTimes writes, lines ended by CR LF, as one text.
std::string requiredTimesText(const RequiredTimes& times);

// The export of the fare table or of the required-time tables, as their
// windows save it: block `block` (-1: every block) as a report, each block
// under its heading (`headingFormat` with the origin and the block's
// heading) and an empty line, blocks after the first of all preceded by two
// empty lines, one line "    %-24s  %4d" per entry; or as CSV under
// `csvHeader`, one line "origin,heading,name,value" per entry.
struct TableExport {
  const char* headingFormat;
  const char* csvHeader;
};
bool writeTableExport(const std::filesystem::path& file, const FareTable& table, int block, bool csv,
                      const TableExport& texts);
bool writeTableExport(const std::filesystem::path& file, const RequiredTimes& times, int block, bool csv,
                      const TableExport& texts);
// writeTableExport with the fare table's heading and CSV header, and with
// those of the required-time tables.
bool exportFareTable(const std::filesystem::path& file, const FareTable& table, int block, bool csv);
bool exportRequiredTimes(const std::filesystem::path& file, const RequiredTimes& times, int table, bool csv);

// "$FareTbl.kv4" and "$RqTmTbl.kv4" in `dataDir` written from the table at
// once, over the old file's bytes where it is a regular file of one name
// (WholeFile::kOverOldBytes); false when the file cannot be created or
// written.
bool saveFareTable(const std::filesystem::path& dataDir, const FareTable& table);
bool saveRequiredTimes(const std::filesystem::path& dataDir, const RequiredTimes& times);

// One line of TTSrc.kv4; nullopt when it is not a well-formed departure.
std::optional<StationDeparture> parseStationDeparture(const std::string& line, bool grouped);
// Names are padded to their columns (train 32, terminal 24 bytes).
std::string formatStationDeparture(const StationDeparture& departure, bool grouped);
bool writeStationDepartures(const std::filesystem::path& file,
                            const std::vector<StationDeparture>& departures, bool grouped);

// The station timetable report ($VTT.kv4): the departures of TTSrc.kv4 in
// their order, in one block per company (network code / 10) headed with the
// station, the day name, the hour and the company's full name (from
// `companyName`), closed by the timetable note. With line ends "\n".
std::string formatStationTimetable(const std::string& station, const std::string& dayName, int hour,
                                   const std::vector<StationDeparture>& departures,
                                   const std::function<std::string(int company)>& companyName);

// The lines of the log, each without its line end.
std::vector<std::string> formatRouteSearchLog(const RouteSearchLog& log);
bool writeRouteSearchLog(const std::filesystem::path& file, const RouteSearchLog& log);

// $stalist.kv4: one kanji name per line, station 1 first.
bool writeStationList(const std::filesystem::path& file, std::span<const std::string> names);

// $TKY101.KV4: "<Yamanote-zone station>,<101-200 km station>,<fare>", the
// fare under the Tokyo-zone rule in 10 yen.
struct TokyoZonePair {
  std::string yamanoteStation;
  std::string farStation;
  int fareFromTokyo = 0;  // 10 yen
};
std::string formatTokyoZonePair(const TokyoZonePair& pair);

// jrregu.dat and $jrregu.csv: a pair of JR stations whose cheapest route is
// cheaper than the shortest one (fares in 10 yen, distances in 100 m).
struct JrCheapestPair {
  std::string first;
  std::string second;
  int shortestFare = 0;
  JrDistanceBreakdown shortest;
  int cheapestFare = 0;
  JrDistanceBreakdown cheapest;
};
std::string formatJrCheapestPair(const JrCheapestPair& pair);  // jrregu.dat
std::string formatJrCheapestCsv(const JrCheapestPair& pair);   // $jrregu.csv, below its header

}  // namespace kiv::work_files
