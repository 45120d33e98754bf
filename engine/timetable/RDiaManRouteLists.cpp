// The route list files of RDiaMan: the time-ordered and fare-ordered lists
// derived from the detection-ordered "$MltRtL1.kv4", and the text
// description of one route for the user's export.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/BinaryIO.h"
#include "fare/UnknownFare.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "text/SjisText.h"
#include "timetable/RDiaMan.h"

namespace kiv {

namespace {

// Room of the arrival text and of the via text of a sorting record, with
// their NULs.
constexpr std::size_t kArrivalTextSize = 6;
constexpr std::size_t kSortViaSize = 512;

const char* const kOrderFiles[] = {work_files::kRouteListFound, work_files::kRouteListTime,
                                   work_files::kRouteListFare};

// One route of the list as the sorting reads it.
struct RouteSortRecord {
  std::int16_t position = 0;
  std::int16_t detection = 0;
  std::string arrival;  // at most kArrivalTextSize - 1 bytes
  std::int16_t total = 0;
  std::int16_t fare = 0;
  std::int16_t changes = 0;
  std::int16_t riding = 0;
  std::int16_t walking = 0;
  std::int16_t waiting = 0;
  std::string via;  // at most kSortViaSize - 1 bytes
};

// Word i of a record, empty when the record is shorter.
const char* word(const std::vector<std::string>& words, std::size_t i) {
  return i < words.size() ? words[i].c_str() : "";
}

// The record type of a line of the route files: its first character.
char recordType(const std::string& line) { return line.empty() ? '\0' : line[0]; }

// A sorting record from the words of its line: word(i) is word i as its
// text runs to a NUL, empty when the record is shorter.
template <typename Word>
RouteSortRecord sortRecordFrom(Word word) {
  const auto number16 = [&](std::size_t i) {
    return static_cast<std::int16_t>(std::atoi(std::string(word(i)).c_str()));
  };
  RouteSortRecord r;
  r.position = number16(1);
  r.detection = number16(2);
  r.arrival = fitSjisField(word(3), kArrivalTextSize);
  r.total = number16(4);
  r.fare = number16(5);
  r.changes = number16(6);
  r.riding = number16(7);
  r.walking = number16(8);
  r.waiting = number16(9);
  r.via = fitSjisField(word(10), kSortViaSize);
  return r;
}

// The words a sorting record reads, split as report_text::words splits a
// line, without a string per word (the fast search's hundreds of routes).
constexpr std::size_t kSortWords = 11;
RouteSortRecord sortRecordOfWords(std::string_view line) {
  std::string_view words[kSortWords];
  std::size_t count = 0;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  std::size_t i = 0;
  while (i < line.size() && count < kSortWords) {
    while (i < line.size() && blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !blank(line[i])) ++i;
    if (i > start) words[count++] = line.substr(start, i - start);
  }
  return sortRecordFrom([&](std::size_t k) {
    return k < count ? words[k].substr(0, words[k].find('\0')) : std::string_view();
  });
}

RouteSortRecord sortRecordOf(const std::string& line, bool fast) {
  if (fast) return sortRecordOfWords(line);
  const auto w = report_text::words(line);
  return sortRecordFrom([&](std::size_t k) { return std::string_view(word(w, k)); });
}

// The exchange sort of the route lists: every position i is compared with
// every later position j, and the two are exchanged when the record at i
// comes after the one at j. Ties in every key are never exchanged directly.
template <typename After>
std::vector<int> exchangeOrder(const std::vector<RouteSortRecord>& records, After after) {
  std::vector<int> order(records.size());
  std::iota(order.begin(), order.end(), 0);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (after(records[static_cast<std::size_t>(order[i])], records[static_cast<std::size_t>(order[j])])) {
        std::swap(order[i], order[j]);
      }
    }
  }
  return order;
}

// The record of a sorted list for the route at list position k.
void fillSummary(const RouteSortRecord& r, int k, work_files::RouteSummary& route) {
  route.position = k;
  route.detection = r.detection;
  route.arrival.text = r.arrival;
  route.totalMinutes = r.total;
  route.fare = r.fare;
  route.changes = r.changes;
  route.ridingMinutes = r.riding;
  route.walkingMinutes = r.walking;
  route.waitingMinutes = r.waiting;
  route.via = r.via;
}

bool writeSortedList(const std::filesystem::path& file, const std::vector<std::string>& header,
                     const std::vector<RouteSortRecord>& records, const std::vector<int>& order, bool fast) {
  using namespace work_files;
  const RouteListHead head{header[0], header[1], {header[2], 0}};
  if (fast) {
    // The whole list in one buffer, without printf, written over the old
    // bytes of the file (no flush of a file cut to nothing).
    std::string text;
    appendRouteListHead(text, head, RouteListLayout::kSorted);
    text += "\r\n";
    RouteSummary route;
    for (std::size_t k = 0; k < order.size(); ++k) {
      fillSummary(records[static_cast<std::size_t>(order[k])], static_cast<int>(k), route);
      appendRouteSummary(text, route, RouteListLayout::kSorted);
      text += "\r\n";
    }
    return writeWholeBytes(file, text, WholeFile::kOverOldBytes);
  }
  RouteList list;
  list.head = head;
  for (std::size_t k = 0; k < order.size(); ++k) {
    RouteSummary route;
    fillSummary(records[static_cast<std::size_t>(order[k])], static_cast<int>(k), route);
    list.routes.push_back(std::move(route));
  }
  return writeRouteList(file, list, RouteListLayout::kSorted);
}

}  // namespace

// A route file read for writeRouteDetail: its lines split into words, and
// the lines of each route number (word `numberWord` of its records).
struct RDiaMan::ParsedRouteFile {
  std::vector<std::uint8_t> bytes;  // as read, to know the file again
  std::vector<std::vector<std::string>> words;
  std::vector<char> types;
  std::unordered_map<int, std::vector<int>> linesOf;
  std::vector<int> headers;  // the lines of type '0'

  bool read(const std::filesystem::path& file, std::size_t numberWord) {
    std::vector<std::string> lines;
    if (!report_text::readLines(file, lines)) return false;
    words.clear();
    types.clear();
    linesOf.clear();
    headers.clear();
    for (const std::string& line : lines) {
      const int k = static_cast<int>(words.size());
      words.push_back(report_text::words(line));
      types.push_back(recordType(line));
      if (types.back() == '0') headers.push_back(k);
      if (words.back().size() > numberWord) linesOf[std::atoi(words.back()[numberWord].c_str())].push_back(k);
    }
    return true;
  }
  // The lines of route `number` and the header lines, in file order.
  std::vector<int> routeLines(int number, bool withHeaders) const {
    std::vector<int> found;
    if (const auto at = linesOf.find(number); at != linesOf.end()) found = at->second;
    if (withHeaders) {
      found.insert(found.end(), headers.begin(), headers.end());
      std::sort(found.begin(), found.end());
      found.erase(std::unique(found.begin(), found.end()), found.end());
    }
    return found;
  }
};

const RDiaMan::ParsedRouteFile* RDiaMan::routeFile(const std::filesystem::path& file, std::size_t numberWord,
                                                   std::shared_ptr<ParsedRouteFile>& kept) {
  if (!fast()) {
    kept = std::make_shared<ParsedRouteFile>();
    return kept->read(file, numberWord) ? kept.get() : nullptr;
  }
  // The descriptions of a list are written route by route: the files are
  // split once and known again by their bytes.
  auto bytes = readWholeFile(file);
  if (!bytes) return nullptr;
  if (kept && kept->bytes == *bytes) return kept.get();
  kept = std::make_shared<ParsedRouteFile>();
  if (!kept->read(file, numberWord)) {
    kept.reset();
    return nullptr;
  }
  kept->bytes = std::move(*bytes);
  return kept.get();
}

int RDiaMan::sortRouteLists(int count) {
  std::vector<std::string> lines;
  if (!report_text::readLines(dataDir_ / work_files::kRouteListFound, lines)) {
    if (count > 0) workFileProblem_ = work_files::kRouteListFound;
    return -1;
  }
  std::vector<std::string> header(3);
  for (const std::string& line : lines) {
    if (recordType(line) != '0') continue;
    const auto w = report_text::words(line);
    header = {word(w, 1), word(w, 2), word(w, 3)};
  }
  if (count < 1) return 0;

  // A list shorter than the count yields only the routes it holds.
  std::vector<RouteSortRecord> records;
  for (const std::string& line : lines) {
    if (static_cast<int>(records.size()) >= count) break;
    if (recordType(line) == '9') records.push_back(sortRecordOf(line, fast()));
  }
  if (records.empty()) return 0;

  const auto byTime = exchangeOrder(records, [](const RouteSortRecord& a, const RouteSortRecord& b) {
    if (a.total != b.total) return a.total > b.total;
    if (a.fare != b.fare) return a.fare > b.fare;
    return a.changes > b.changes;
  });
  const bool timeWritten =
      writeSortedList(dataDir_ / work_files::kRouteListTime, header, records, byTime, fast());

  const auto byFare = exchangeOrder(records, [](const RouteSortRecord& a, const RouteSortRecord& b) {
    if (a.fare != b.fare) return a.fare > b.fare;
    if (a.total != b.total) return a.total > b.total;
    return a.changes > b.changes;
  });
  const bool fareWritten =
      writeSortedList(dataDir_ / work_files::kRouteListFare, header, records, byFare, fast());

  if (timeWritten && fareWritten) return static_cast<int>(records.size());
  workFileProblem_ = timeWritten ? work_files::kRouteListFare : work_files::kRouteListTime;
  return -1;
}

int RDiaMan::writeRouteDetail(const std::filesystem::path& file, const char* mode, int detection, int order,
                              int row) {
  if (order < 1 || order > 3 || !mode) return -1;
  const bool append = std::string(mode) == "a";
  if (!append && std::string(mode) != "w") return -1;
  const ParsedRouteFile* list = routeFile(dataDir_ / kOrderFiles[order - 1], 2, routeListRead_);
  if (!list) return -1;
  const ParsedRouteFile* details = routeFile(dataDir_ / work_files::kRouteDetails, 1, routeDetailsRead_);
  if (!details) return -1;
  using namespace report_text;
  const auto number = [](const std::vector<std::string>& w, std::size_t i) { return std::atoi(word(w, i)); };
  work_files::WorkFileWriter out(
      file, append ? work_files::WorkFileWriter::Mode::kAppend : work_files::WorkFileWriter::Mode::kCreate);
  if (!out.isOpen()) return -1;

  // The detail records of the route, one pass per record type.
  const std::vector<int> routeDetails = details->routeLines(detection, false);
  auto eachDetail = [&](char type, auto write) {
    for (const int k : routeDetails) {
      if (details->types[static_cast<std::size_t>(k)] == type)
        write(details->words[static_cast<std::size_t>(k)]);
    }
  };
  // A fare section the data price at nothing: network, from, to, fare.
  const auto sectionUnknown = [&](const std::vector<std::string>& w) {
    return fareUnknown(work_files::RouteFareSection{detection, static_cast<NetworkCode>(number(w, 2)),
                                                    word(w, 3), word(w, 4), word(w, 5), number(w, 6)});
  };
  bool totalUnknown = false;
  eachDetail('3',
             [&](const std::vector<std::string>& w) { totalUnknown = totalUnknown || sectionUnknown(w); });

  for (const int k : list->routeLines(detection, true)) {
    const std::vector<std::string>& w = list->words[static_cast<std::size_t>(k)];
    if (list->types[static_cast<std::size_t>(k)] == '0') {
      out.line(format(kDescriptionTitle.c_str(), word(w, 1), word(w, 2), row,
                      kRouteOrderLabels[order - 1].c_str()));
      out.line(format(kDescriptionDeparture.c_str(), word(w, 3)));
    } else if (list->types[static_cast<std::size_t>(k)] == '9') {
      const int total = number(w, 4);
      out.line(format(kDescriptionArrival.c_str(), word(w, 3)));
      out.line(format(kDescriptionTotal.c_str(), format("%2d:%02d", total / 60, total % 60).c_str(),
                      number(w, 7), number(w, 8), number(w, 9)));
      out.line(totalUnknown ? std::string(kDescriptionFareUnknown.c_str())
                            : format(kDescriptionFare.c_str(), number(w, 5)));
    }
  }
  out.line("");

  eachDetail('2', [&](const std::vector<std::string>& w) {
    out.line(format(kDescriptionRide.c_str(), word(w, 2), word(w, 3), word(w, 5), word(w, 4), word(w, 6),
                    number(w, 7) + number(w, 8)));
  });
  out.line("");
  eachDetail('1', [&](const std::vector<std::string>& w) {
    out.line(
        format(kDescriptionStop.c_str(), word(w, 2), word(w, 5), word(w, 6), number(w, 3), number(w, 4)));
  });
  out.line("");
  eachDetail('3', [&](const std::vector<std::string>& w) {
    out.line(sectionUnknown(w)
                 ? format(kDescriptionFareSectionUnknown.c_str(), word(w, 3), word(w, 4), word(w, 5))
                 : format(kDescriptionFareSection.c_str(), word(w, 3), word(w, 4), word(w, 5), number(w, 6)));
  });
  out.line("");
  out.line("");
  return out.close() ? 0 : -1;
}

}  // namespace kiv
