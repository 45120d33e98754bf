// The station timetable of RDiaMan: the departures of one station in one
// hour of one day as sortable source lines ("TTSrc.kv4"), their text sort,
// and the report by company ("$VTT.kv4").
#include <algorithm>
#include <span>
#include <system_error>

#include "network/RKivMan.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"
#include "timetable/StationTimetableText.h"

namespace kiv {

namespace {

constexpr const char* kSourceFile = work_files::kTimetableSource;
constexpr const char* kReportFile = work_files::kTimetableReport;

// The one-letter name of a day code.
const char* dayName(int day) { return report_text::kDayNames[((day % 7) + 7) % 7].c_str(); }

// A line and its key for the case-insensitive sort.
struct FoldedLine {
  std::string key;
  std::string line;
};

// The line with its ASCII letters in lower case.
std::string foldAsciiCase(const std::string& line) {
  std::string key = line;
  station_timetable::foldAsciiCase(line, key.data());
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

std::string joinLines(const std::vector<std::string>& lines, std::string_view end = "\n") {
  std::string text;
  for (const std::string& line : lines) text.append(line).append(end);
  return text;
}

// The texts of "TTSrc.kv4" and "$VTT.kv4", lines ended by CR LF, from
// departures whose lines read back as they are written, made from the
// departures themselves rather than from their lines read again.
void timetableTexts(const char* station, const char* dayName, int hour, bool grouping,
                    const std::vector<station_timetable::Departure>& departures, const RKivMan& kiv,
                    std::string& source, std::string& report) {
  using namespace station_timetable;
  std::string lines;
  lines.reserve(departures.size() * 72);
  std::vector<LineSpan> spans;
  spans.reserve(departures.size());
  for (const Departure& d : departures) {
    const auto begin = static_cast<std::uint32_t>(lines.size());
    appendDepartureLine(lines, d, grouping);
    spans.push_back({begin, static_cast<std::uint32_t>(lines.size())});
  }
  source.reserve(lines.size() + 2 * spans.size());
  report.reserve(departures.size() * 80 + 200);
  int previousCompany = -1;
  std::string value;
  for (const std::uint32_t k : sortedOrder(lines, spans)) {
    source.append(lines, spans[k].begin, spans[k].end - spans[k].begin).append("\r\n");
    const Departure& d = departures[k];
    const int company = d.network / 10;
    if (company != previousCompany) {
      if (previousCompany != -1) report += "\r\n\r\n";
      char companyName[kCompanyNameSize] = {};
      kiv.getCompanyName(company, companyName);
      appendFormatted(report, report_text::kTimetableHeading.c_str(), {station, dayName, hour, companyName},
                      true);
      previousCompany = company;
    }
    value.clear();
    appendFormatted(value, "%02d%s", {d.value, d.unit});
    appendFormatted(report, report_text::kTimetableDeparture.c_str(), {value, d.train, d.terminal}, true);
  }
  appendFormatted(report, report_text::kTimetableNote, {}, true);
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
    const int value = r.interval == 0 ? r.minute : r.interval;
    const char* unit =
        r.interval == 0 ? report_text::kLeavesAtMinute.c_str() : report_text::kEveryMinutes.c_str();
    text += work_files::formatStationDeparture({code, order, r.interval != 0, value, unit, train, terminal},
                                               grouping);
    text += '\n';
    ++count;
  }
  return text;
}

int RDiaMan::writeStationDepartures(StationNo station, int day, int hour, bool grouping) {
  const auto span = departuresOf(station);
  if (span.empty()) return -1;
  int lines = 0;
  const std::string text = stationDepartureText(span, day, hour, grouping, lines);
  if (!work_files::writeWholeText(dataDir_ / kSourceFile, text)) return -1;
  return lines;
}

int RDiaMan::sortStationDepartures() {
  std::vector<std::string> lines;
  if (!report_text::readLines(dataDir_ / kSourceFile, lines)) return -1;
  sortIgnoringCase(lines);
  if (!work_files::writeWholeText(dataDir_ / kSourceFile, joinLines(lines))) return -1;
  return static_cast<int>(lines.size());
}

std::string RDiaMan::stationTimetableText(StationNo station, const char* dayName, int hour, bool grouping,
                                          const std::vector<std::string>& lines) const {
  char stationName[kStationNameSize] = {};
  staName_.getName(station, stationName);

  std::vector<work_files::StationDeparture> departures;
  for (const std::string& line : lines) {
    if (auto d = work_files::parseStationDeparture(line, grouping)) departures.push_back(std::move(*d));
  }
  return work_files::formatStationTimetable(stationName, dayName, hour, departures, [this](int company) {
    char companyName[kCompanyNameSize] = {};
    kiv_.getCompanyName(company, companyName);
    return std::string(companyName);
  });
}

int RDiaMan::writeStationTimetable(StationNo station, const char* dayName, int hour, bool grouping) {
  std::vector<std::string> lines;
  if (!report_text::readLines(dataDir_ / kSourceFile, lines)) return -1;
  const std::string text = stationTimetableText(station, dayName, hour, grouping, lines);
  return work_files::writeWholeText(dataDir_ / kReportFile, text) ? 0 : -1;
}

// The three steps in memory: the departures are sorted before "TTSrc.kv4"
// is written, and the report is made from the sorted departures, so each
// work file is written once and read never.
int RDiaMan::buildStationTimetable(StationNo station, int day, int hour, bool grouping) {
  const auto span = departuresOf(station);
  if (span.empty()) {
    removeTimetableFiles(dataDir_);
    return -1;
  }
  // The one bit of the day and of the hour that a record must have.
  std::uint32_t dayBit = 0;
  std::uint32_t hourBit = 0;
  for (std::uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (bit < 0x100 && isDayServed(static_cast<std::uint8_t>(bit), day) == 1) dayBit = bit;
    if (isHourServed(bit, hour) == 1) hourBit = bit;
  }
  std::vector<station_timetable::Departure> departures;
  departures.reserve(span.size());
  bool readBack = true;
  for (const DiaDepartureRecord& r : span) {
    if ((r.days & dayBit) == 0 || (r.hours & hourBit) == 0) continue;
    station_timetable::Departure& d = departures.emplace_back();
    trains_.getNetworkCode(r.train, d.network);
    trains_.getTrainName(r.train, d.train);
    staName_.getName(r.terminal, d.terminal);
    d.order = r.listOrder + 1;
    d.interval = r.interval != 0;
    d.value = d.interval ? r.interval : r.minute;
    d.unit = d.interval ? report_text::kEveryMinutes.c_str() : report_text::kLeavesAtMinute.c_str();
    readBack = readBack && station_timetable::readsBack(d);
  }
  const int count = static_cast<int>(departures.size());

  std::string source;
  std::string report;
  if (readBack) {
    char stationName[kStationNameSize] = {};
    staName_.getName(station, stationName);
    timetableTexts(stationName, dayName(day), hour, grouping, departures, kiv_, source, report);
  } else {
    // Names with blanks or no text do not read back as they were written:
    // the report is made from the lines as the plain way reads them.
    int lines = 0;
    std::vector<std::string> sorted = splitLines(stationDepartureText(span, day, hour, grouping, lines));
    sortIgnoringCase(sorted);
    source = joinLines(sorted, "\r\n");
    report = work_files::withCrLf(stationTimetableText(station, dayName(day), hour, grouping, sorted));
  }
  const bool sourceWritten =
      work_files::writeWholeBytes(dataDir_ / kSourceFile, source, work_files::WholeFile::kReplacing);
  if (!sourceWritten || count == 0) {
    std::error_code ec;
    std::filesystem::remove(dataDir_ / kReportFile, ec);
    return sourceWritten ? 0 : -1;
  }
  if (!work_files::writeWholeBytes(dataDir_ / kReportFile, report, work_files::WholeFile::kReplacing))
    return -1;
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
