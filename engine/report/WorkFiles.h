// The text work files of the searches and tables: their names, one record
// type per kind of line and one reader per file. The files are Shift-JIS
// with CR LF (LF is read too); every text field here stays Shift-JIS.
// A line whose record type is unknown, or that lacks fields, is skipped, as
// the result windows skip it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
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

}  // namespace kiv::work_files
