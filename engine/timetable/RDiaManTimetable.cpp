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
#include "text/PreparedFormat.h"
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

}  // namespace

namespace station_timetable {

// What the fast station timetable keeps from one build to the next: its two
// files, kept open, the names of every train and station, and its buffers,
// so that a build allocates nothing once they have grown.
struct Work {
  explicit Work(const std::filesystem::path& dataDir)
      : source(dataDir / kSourceFile), report(dataDir / kReportFile) {}
  work_files::KeptWorkFile source;
  work_files::KeptWorkFile report;
  NameTable trains{kTrainNameSize - 1};      // by train number, padded to their column
  NameTable stations{kStationNameSize - 1};  // by station number, padded as terminals
  // The one bit of the day and of the hour that a record must have, for
  // the day and hour of the last build.
  int day = -1;
  int hour = -1;
  std::uint32_t dayBit = 0;
  std::uint32_t hourBit = 0;
  std::vector<Departure> departures;
  std::string lines;  // the departure lines, unsorted, without line ends
  std::string keys;   // the same with names folded, when a name folds
  std::vector<LineSpan> spans;
  std::vector<std::uint32_t> order;
  std::string value;
  std::string sourceText;
  std::string reportText;

  void serve(int day, int hour);
  // The texts of "TTSrc.kv4" and "$VTT.kv4", lines ended by CR LF, from
  // departures whose lines read back as they are written, made from the
  // departures themselves rather than from their lines read again.
  void makeTexts(std::string_view station, const char* dayName, int hour, bool grouping, const RKivMan& kiv);
};

void Work::serve(int servedDay, int servedHour) {
  if (servedDay == day && servedHour == hour && dayBit != 0) return;
  day = servedDay;
  hour = servedHour;
  dayBit = 0;
  hourBit = 0;
  for (std::uint32_t bit = 1; bit != 0; bit <<= 1) {
    if (bit < 0x100 && RDiaMan::isDayServed(static_cast<std::uint8_t>(bit), day) == 1) dayBit = bit;
    if (RDiaMan::isHourServed(bit, hour) == 1) hourBit = bit;
  }
}

void Work::makeTexts(std::string_view station, const char* dayName, int hour, bool grouping,
                     const RKivMan& kiv) {
  static const report_text::PreparedFormat heading(report_text::kTimetableHeading.c_str(), true);
  static const report_text::PreparedFormat departure(report_text::kTimetableDeparture.c_str(), true);
  static const report_text::PreparedFormat note(report_text::kTimetableNote, true);
  lines.clear();
  spans.clear();
  bool folds = false;
  for (const Departure& d : departures) {
    const auto begin = static_cast<std::uint32_t>(lines.size());
    appendDepartureLine(lines, d, grouping);
    spans.push_back({begin, static_cast<std::uint32_t>(lines.size())});
    folds = folds || d.train.folds || d.terminal.folds;
  }
  if (folds) {
    // Folding keeps every byte in its place: the spans are the keys' too.
    keys.clear();
    for (const Departure& d : departures) appendDepartureLine(keys, d, grouping, true);
  }
  sortKeys(folds ? keys : lines, spans, order);

  sourceText.clear();
  reportText.clear();
  int previousCompany = -1;
  for (const std::uint32_t k : order) {
    sourceText.append(lines, spans[k].begin, spans[k].end - spans[k].begin).append("\r\n");
    const Departure& d = departures[k];
    const int company = d.network / 10;
    if (company != previousCompany) {
      if (previousCompany != -1) reportText += "\r\n\r\n";
      char companyName[kCompanyNameSize] = {};
      kiv.getCompanyName(company, companyName);
      heading.append(reportText, {station, dayName, hour, companyName});
      previousCompany = company;
    }
    value.clear();
    appendValue(value, d);
    // The train in its column, as "%-32s" pads it.
    departure.append(reportText, {value, d.train.padded, d.terminal.text});
  }
  note.append(reportText, {});
}

}  // namespace station_timetable

namespace {

// The fast station timetable's work of this engine, made on first use.
station_timetable::Work& timetableWork(std::shared_ptr<station_timetable::Work>& slot,
                                       const std::filesystem::path& dataDir, const RTrainMan& trains,
                                       const RStaName& staName) {
  if (slot) return *slot;
  slot = std::make_shared<station_timetable::Work>(dataDir);
  station_timetable::Work& w = *slot;
  for (int t = 0; t <= trains.getTrainCount(); ++t) {
    char name[kTrainNameSize] = {};
    trains.getTrainName(static_cast<TrainNo>(t), name);
    w.trains.add(name);
  }
  for (int s = 0; s <= staName.getCount(); ++s) {
    char name[kStationNameSize] = {};
    staName.getName(static_cast<StationNo>(s), name);
    w.stations.add(name);
  }
  return w;
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
  station_timetable::Work& w = timetableWork(stationTimetableWork_, dataDir_, trains_, staName_);
  const auto span = departuresOf(station);
  if (span.empty()) {
    w.source.remove();
    w.report.remove();
    return -1;
  }
  w.serve(day, hour);
  w.departures.clear();
  bool readBack = true;
  for (const DiaDepartureRecord& r : span) {
    if ((r.days & w.dayBit) == 0 || (r.hours & w.hourBit) == 0) continue;
    station_timetable::Departure& d = w.departures.emplace_back();
    trains_.getNetworkCode(r.train, d.network);
    d.train = w.trains[r.train];
    d.terminal = w.stations[r.terminal];
    d.order = r.listOrder + 1;
    d.interval = r.interval != 0;
    d.value = d.interval ? r.interval : r.minute;
    d.unit = d.interval ? report_text::kEveryMinutes.c_str() : report_text::kLeavesAtMinute.c_str();
    readBack = readBack && station_timetable::readsBack(d);
  }
  const int count = static_cast<int>(w.departures.size());

  if (readBack) {
    w.makeTexts(w.stations[station].text, dayName(day), hour, grouping, kiv_);
  } else {
    // Names with blanks or no text do not read back as they were written:
    // the report is made from the lines as the plain way reads them.
    int lines = 0;
    std::vector<std::string> sorted = splitLines(stationDepartureText(span, day, hour, grouping, lines));
    sortIgnoringCase(sorted);
    w.sourceText = joinLines(sorted, "\r\n");
    w.reportText = work_files::withCrLf(stationTimetableText(station, dayName(day), hour, grouping, sorted));
  }
  const bool sourceWritten = w.source.write(w.sourceText);
  if (!sourceWritten || count == 0) {
    w.report.remove();
    return sourceWritten ? 0 : -1;
  }
  return w.report.write(w.reportText) ? count : -1;
}

}  // namespace kiv
