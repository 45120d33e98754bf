// The sorting of the route lists, and the lists written whole.
#include "timetable/RouteListSorting.h"

#include <numeric>
#include <utility>

#include "data/BinaryIO.h"
#include "report/WorkFileWriter.h"
#include "text/ReportText.h"

namespace kiv::route_lists {

namespace {

// The words a sorting record reads, split as report_text::words splits a
// line, without a string per word (hundreds of routes a search).
constexpr std::size_t kSortWords = 11;
RouteSortRecord sortRecordOfWords(const std::string& text) {
  const std::string_view line(text);
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

// The exchange sort of the route lists: every position i is compared with
// every later position j, and the two are exchanged when the record at i
// comes after the one at j. Ties in every key are never exchanged directly.
template <typename After>
std::vector<int> exchangeOrder(const std::vector<RouteSortKey>& records, After after) {
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

bool writeWholeSortedList(const std::filesystem::path& file, const std::vector<std::string>& header,
                          const std::vector<RouteSortRecord>& records, const std::vector<int>& order) {
  using namespace work_files;
  std::string text;
  appendRouteListHead(text, {header[0], header[1], {header[2], 0}}, RouteListLayout::kSorted);
  text += "\r\n";
  RouteSummary route;
  for (std::size_t k = 0; k < order.size(); ++k) {
    fillSummary(records[static_cast<std::size_t>(order[k])], static_cast<int>(k), route);
    appendRouteSummary(text, route, RouteListLayout::kSorted);
    text += "\r\n";
  }
  return writeWholeBytes(file, text, WholeFile::kOverOldBytes);
}

}  // namespace

std::vector<int> timeOrder(const std::vector<RouteSortKey>& keys) {
  return exchangeOrder(keys, [](const RouteSortKey& a, const RouteSortKey& b) {
    if (a.total != b.total) return a.total > b.total;
    if (a.fare != b.fare) return a.fare > b.fare;
    return a.changes > b.changes;
  });
}

std::vector<int> fareOrder(const std::vector<RouteSortKey>& keys) {
  return exchangeOrder(keys, [](const RouteSortKey& a, const RouteSortKey& b) {
    if (a.fare != b.fare) return a.fare > b.fare;
    if (a.total != b.total) return a.total > b.total;
    return a.changes > b.changes;
  });
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

const SortedListFormat kWholeSortedLists{sortRecordOfWords, writeWholeSortedList};

int sortRouteListFiles(const std::filesystem::path& dir, int count, const SortedListFormat& format,
                       std::string& problem) {
  std::vector<std::string> lines;
  if (!report_text::readLines(dir / work_files::kRouteListFound, lines)) {
    if (count > 0) problem = work_files::kRouteListFound;
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
    if (recordType(line) == '9') records.push_back(format.record(line));
  }
  if (records.empty()) return 0;

  std::vector<RouteSortKey> keys;
  keys.reserve(records.size());
  for (const RouteSortRecord& r : records) keys.push_back(sortKeyOf(r));
  const bool timeWritten = format.write(dir / work_files::kRouteListTime, header, records, timeOrder(keys));
  const auto byFare = fareOrder(keys);
  const bool fareWritten = format.write(dir / work_files::kRouteListFare, header, records, byFare);

  if (timeWritten && fareWritten) return static_cast<int>(records.size());
  problem = timeWritten ? work_files::kRouteListFare : work_files::kRouteListTime;
  return -1;
}

}  // namespace kiv::route_lists
