// Text helpers for the reports and text work files of the engine: printf
// formatting into Shift-JIS strings, whole-file reading and writing of text
// with CR LF line ends, and the words of a work-file line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "text/SjisLiteral.h"

namespace kiv::report_text {

// The fixed texts of the reports and work files, Shift-JIS bytes converted
// while compiling (text/SjisLiteral.h).

// The closing note of the route and timetable reports (the timetable is a
// pattern, not the real one).
inline constexpr auto kTimetableNoteText = sjisLiteral("\n\n注 : 実際のダイヤとは異なります。\n");
inline constexpr const char* kTimetableNote = kTimetableNoteText.c_str();

// The fastest-route report "$TT$.kv4" (printf formats): its title (from,
// to), the start time, an arrival or a departure at a station, the train
// ridden, a station passed (at, or from-to), and the expected minutes.
inline constexpr auto kFastestTitle = sjisLiteral("☆★ ［ %s→%s ］のルート(時間優先) ★☆\n\n");
inline constexpr auto kFastestStart = sjisLiteral("    %2d:%02d  出発時刻\n");
inline constexpr auto kFastestArrives = sjisLiteral("    %2d:%02d  %s着\n");
inline constexpr auto kFastestLeaves = sjisLiteral("    %2d:%02d  %s発\n");
inline constexpr auto kFastestRide = sjisLiteral("      |------- %s\n");
inline constexpr auto kFastestPassAt = sjisLiteral("      |( %s %2d:%02d )\n");
inline constexpr auto kFastestPassFromTo = sjisLiteral("      |( %s %2d:%02d-%2d:%02d )\n");
inline constexpr auto kFastestMinutes = sjisLiteral("\n    予想所要時間  %d分\n");
inline constexpr auto kFastestHours = sjisLiteral("\n    予想所要時間  %d時間%d分\n");

// The station timetable report "$VTT.kv4" (printf formats): the heading of
// a company's block (station, day name, hour, company) and one departure
// (minute or interval with its unit, train, terminal).
inline constexpr auto kTimetableHeading =
    sjisLiteral("☆★ ［ %s ］の発車時刻データ( %s曜%2d時台 )  ～ %s ～ ★☆\n\n");
inline constexpr auto kTimetableDeparture = sjisLiteral("    %-6s  %-32s  %-s 方面ゆき\n");

// The text description of a route (the route list export, printf formats):
// title (from, to, row, order label), departure, arrival, total (hours and
// minutes, riding, walking, waiting), fare, then one line per ride (train,
// from, departure, to, arrival, minutes), per stop (station, arrival,
// departure, walking, waiting) and per fare section (company, from, to,
// fare). A fare the data do not give is written 不明 (unknown) instead.
inline constexpr SjisLiteral<10> kRouteOrderLabels[3] = {sjisLiteral("検出順"), sjisLiteral("時間順"),
                                                         sjisLiteral("運賃順")};
inline constexpr auto kDescriptionTitle = sjisLiteral("--<<  %s→%s  No.%03d/%s  >>--");
inline constexpr auto kDescriptionDeparture = sjisLiteral("  出発時刻  %s");
inline constexpr auto kDescriptionArrival = sjisLiteral("  予想到着時刻  %s");
inline constexpr auto kDescriptionTotal = sjisLiteral("  予想所要時間  %s ( 乗車%d分,徒歩%d分,待ち%d分 )");
inline constexpr auto kDescriptionFare = sjisLiteral("  運賃  %d円");
inline constexpr auto kDescriptionRide = sjisLiteral("  %s  %s(%s)→%s(%s)  %d分");
inline constexpr auto kDescriptionStop = sjisLiteral("  %s  %s-%s ( 徒歩%d分,待ち%d分 )");
inline constexpr auto kDescriptionFareSection = sjisLiteral("  %s  %s→%s  %d円");
inline constexpr auto kDescriptionFareUnknown = sjisLiteral("  運賃  不明");
inline constexpr auto kDescriptionFareSectionUnknown = sjisLiteral("  %s  %s→%s  不明");

// The word for a fare the fare data do not give.
inline constexpr auto kFareUnknown = sjisLiteral("不明");

// The via text of a route without changes, and the name with which walking
// connections begin.
inline constexpr auto kNoVia = sjisLiteral("なし");
inline constexpr auto kWalking = sjisLiteral("徒歩");

// The units of a station departure: at a minute, or every so many minutes.
inline constexpr auto kLeavesAtMinute = sjisLiteral("分発");
inline constexpr auto kEveryMinutes = sjisLiteral("分毎");

// The lines of the route search log "$vflg.kv4" (printf formats).
inline constexpr auto kLogFrom = sjisLiteral("出発駅:%s");
inline constexpr auto kLogTo = sjisLiteral("目的駅:%s");
inline constexpr auto kLogShortest = sjisLiteral("最短距離:%d(100m)");
inline constexpr auto kLogDetour = sjisLiteral("迂回限度:%d km");
inline constexpr auto kLogBound = sjisLiteral("距離限度:%d(100m)");
inline constexpr auto kLogInside = sjisLiteral("○  %5d(%5d,%5d) : %-24s");

// The header of the JR cheapest-route CSV "$jrregu.csv" (distances in
// 100 m although it says キロ).
inline constexpr auto kJrCheapestCsvHeader = sjisLiteral(
    "駅１,駅２,最短経路運賃,最短経路キロ,短-山,短-電,短-幹,短-地営,短-地運,"
    "最廉経路運賃,最廉経路キロ,廉-山,廉-電,廉-幹,廉-地営,廉-地運");

// The fares under the fastest-route report of the command line: the total,
// then one line per fare section (company, first and last station, fare).
inline constexpr auto kFastestFareTotal = sjisLiteral("\r\n  運賃  %d円\r\n");
inline constexpr auto kFastestFareSection = sjisLiteral("  %s  %s→%s  %d円\r\n");

// The exports of the fare table and of the required-time tables as a
// report (the heading of a block: origin, block heading) or as CSV.
inline constexpr auto kFareExportHeading = sjisLiteral("  %s からの運賃(円)  ～ %s ～");
inline constexpr auto kFareCsvHeader = sjisLiteral("From,会社,To,運賃");
inline constexpr auto kRequiredTimeExportHeading = sjisLiteral("  %s からの所要時間(分)  ～ %s ～");
inline constexpr auto kRequiredTimeCsvHeader = sjisLiteral("From,列車,To,所要(分)");

// The names of the days, Sunday first.
inline constexpr SjisLiteral<4> kDayNames[7] = {sjisLiteral("日"), sjisLiteral("月"), sjisLiteral("火"),
                                                sjisLiteral("水"), sjisLiteral("木"), sjisLiteral("金"),
                                                sjisLiteral("土")};

// printf-style formatting; widths such as "%-32s" count bytes.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Writes `text` afresh with every "\n" written as "\r\n", through
// work_files::WorkFileWriter. False when the file cannot be created or
// written.
bool writeText(const std::filesystem::path& file, const std::string& text);

// The lines of a text file without their line ends (CR LF or LF); a last
// line without an end counts, an end at the very end adds no empty line.
// False when the file cannot be opened.
bool readLines(const std::filesystem::path& file, std::vector<std::string>& lines);

// The whitespace-separated words of a line (blanks, tabs, CR).
std::vector<std::string> words(const std::string& line);

}  // namespace kiv::report_text
