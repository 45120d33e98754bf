// The station timetable of RDiaMan: the departures of one station in one
// hour of one day as sortable source lines ("TTSrc.kv4"), their text sort,
// and the report by company ("$VTT.kv4").
#include <algorithm>
#include <cstdlib>
#include <span>
#include <system_error>

#include "network/RKivMan.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "text/ReportText.h"
#include "text/SjisText.h"
#include "timetable/RDiaMan.h"
#include "timetable/WorkFileText.h"

namespace kiv {

namespace {

constexpr char kSourceFile[] = "TTSrc.kv4";
constexpr char kReportFile[] = "$VTT.kv4";

// "分発" (leaves at minute ...) and "分毎" (every ... minutes)
constexpr char kLeavesAt[] = "\x95\xaa\x94\xad";
constexpr char kEvery[] = "\x95\xaa\x96\x88";
// The one-letter day names 日 月 火 水 木 金 土, day code 0 (Sunday) first.
constexpr const char* kDayNames[7] = {"\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85",
                                      "\x96\xd8", "\x8b\xe0", "\x93\x79"};
// "☆★ ［ %s ］の発車時刻データ( %s曜%2d時台 )  ～ %s ～ ★☆\n\n"
constexpr char kCompanyTitle[] =
    "\x81\x99\x81\x9a \x81\x6d %s \x81\x6e\x82\xcc\x94\xad\x8e\xd4\x8e\x9e\x8d\x8f\x83\x66\x81\x5b\x83\x5e( "
    "%s\x97\x6a%2d\x8e\x9e\x91\xe4 )  \x81\x60 %s \x81\x60 \x81\x9a\x81\x99\n\n";
// "    %-6s  %-32s  %-s 方面ゆき\n"
constexpr char kDepartureLine[] = "    %-6s  %-32s  %-s \x95\xfb\x96\xca\x82\xe4\x82\xab\n";

// The one-letter name of a day code.
const char* dayName(int day) { return kDayNames[((day % 7) + 7) % 7]; }

// A line and its key for the case-insensitive sort.
struct FoldedLine {
  std::string key;
  std::string line;
};

// The line with its ASCII letters in lower case. Only single-byte characters
// are folded: the second byte of a double-byte character may fall in the
// ASCII letter range and is kept as it is.
std::string foldAsciiCase(const std::string& line) {
  std::string key = line;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const auto c = static_cast<unsigned char>(key[i]);
    if (isSjisLeadByte(c)) {
      ++i;  // keep the trail byte
    } else if (c >= 'A' && c <= 'Z') {
      key[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

// The lines of the text as the work file gives them back once written: a
// line per "\n", whose last line always ends with one.
std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Sorts the lines ascending, ignoring the case of ASCII letters, keeping
// duplicates and the order of equal lines.
void sortIgnoringCase(std::vector<std::string>& lines) {
  std::vector<FoldedLine> sorted;
  sorted.reserve(lines.size());
  for (std::string& line : lines) sorted.push_back({foldAsciiCase(line), std::move(line)});
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const FoldedLine& a, const FoldedLine& b) { return a.key < b.key; });
  for (std::size_t k = 0; k < sorted.size(); ++k) lines[k] = std::move(sorted[k].line);
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text.append(line).append("\n");
  return text;
}

// Removes the work files of the station timetable before a new one is made.
void removeTimetableFiles(const std::filesystem::path& dir) {
  std::error_code ec;
  std::filesystem::remove(dir / kSourceFile, ec);
  std::filesystem::remove(dir / kReportFile, ec);
}

}  // namespace

std::string RDiaMan::stationDepartureText(std::span<const DiaDepartureRecord> span, int day, int hour,
                                          bool grouping, int& count) const {
  std::string text;
  count = 0;
  for (const DiaDepartureRecord& r : span) {
    if (isDayServed(r.days, day) != 1 || isHourServed(r.hours, hour) != 1) continue;
    NetworkCode code = 0;
    trains_.getNetworkCode(r.train, code);
    char train[kTrainNameSize] = {};
    trains_.getTrainName(r.train, train);
    char terminal[kStationNameSize] = {};
    staName_.getName(r.terminal, terminal);
    const int order = r.listOrder + 1;
    const int kind = r.interval == 0 ? 1 : 0;
    const int value = r.interval == 0 ? r.minute : r.interval;
    const char* unit = r.interval == 0 ? kLeavesAt : kEvery;
    if (grouping) {
      text += report_text::format("%03d %1d %-32s %1d %02d%4s %-24s\n", code, order, train, kind, value, unit,
                                  terminal);
    } else {
      text += report_text::format("%03d %1d %1d %02d%4s %-32s %-24s\n", code, order, kind, value, unit, train,
                                  terminal);
    }
    ++count;
  }
  return text;
}

int RDiaMan::writeStationDepartures(StationNo station, int day, int hour, bool grouping) {
  const auto span = departuresOf(station);
  if (span.empty()) return -1;
  int lines = 0;
  const std::string text = stationDepartureText(span, day, hour, grouping, lines);
  if (!report_text::writeText(dataDir_ / kSourceFile, text)) return -1;
  return lines;
}

int RDiaMan::sortStationDepartures() {
  std::vector<std::string> lines;
  if (!report_text::readLines(dataDir_ / kSourceFile, lines)) return -1;
  sortIgnoringCase(lines);
  if (!report_text::writeText(dataDir_ / kSourceFile, joinLines(lines))) return -1;
  return static_cast<int>(lines.size());
}

std::string RDiaMan::stationTimetableText(StationNo station, const char* dayName, int hour, bool grouping,
                                          const std::vector<std::string>& lines) const {
  char stationName[kStationNameSize] = {};
  staName_.getName(station, stationName);

  std::string text;
  int previousCompany = -1;
  bool first = true;
  for (const std::string& line : lines) {
    // code, order, kind, value + unit, train, terminal; grouped by train:
    // code, order, train, kind, value + unit, terminal.
    std::vector<std::string> w = report_text::words(line);
    w.resize(6);
    const std::string& value = grouping ? w[4] : w[3];
    const std::string& train = grouping ? w[2] : w[4];
    const std::string& terminal = w[5];
    const int company = std::atoi(w[0].c_str()) / 10;
    if (company != previousCompany) {
      if (!first) text += "\n\n";
      first = false;
      char companyName[kCompanyNameSize] = {};
      kiv_.getCompanyName(company, companyName);
      text += report_text::format(kCompanyTitle, stationName, dayName, hour, companyName);
      previousCompany = company;
    }
    text += report_text::format(kDepartureLine, value.c_str(), train.c_str(), terminal.c_str());
  }
  text += report_text::kTimetableNote;
  return text;
}

int RDiaMan::writeStationTimetable(StationNo station, const char* dayName, int hour, bool grouping) {
  std::vector<std::string> lines;
  if (!report_text::readLines(dataDir_ / kSourceFile, lines)) return -1;
  const std::string text = stationTimetableText(station, dayName, hour, grouping, lines);
  return report_text::writeText(dataDir_ / kReportFile, text) ? 0 : -1;
}

// The three steps in memory: the departures are sorted before "TTSrc.kv4"
// is written, and the report is made from the sorted lines, so each work
// file is written once and read never.
int RDiaMan::buildStationTimetable(StationNo station, int day, int hour, bool grouping) {
  const auto span = departuresOf(station);
  if (span.empty()) {
    removeTimetableFiles(dataDir_);
    return -1;
  }
  int count = 0;
  std::vector<std::string> lines = splitLines(stationDepartureText(span, day, hour, grouping, count));
  sortIgnoringCase(lines);
  std::error_code ec;
  const bool sourceWritten = replaceText(dataDir_ / kSourceFile, joinLines(lines));
  if (!sourceWritten || count == 0) {
    std::filesystem::remove(dataDir_ / kReportFile, ec);
    return sourceWritten ? 0 : -1;
  }
  const std::string report = stationTimetableText(station, dayName(day), hour, grouping, lines);
  if (!replaceText(dataDir_ / kReportFile, report)) return -1;
  return count;
}

int RDiaMan::buildStationTimetableReference(StationNo station, int day, int hour, bool grouping) {
  removeTimetableFiles(dataDir_);
  const int lines = writeStationDepartures(station, day, hour, grouping);
  if (lines <= 0) return lines;
  if (sortStationDepartures() < 0) return -1;
  if (writeStationTimetable(station, dayName(day), hour, grouping) != 0) return -1;
  return lines;
}

}  // namespace kiv
