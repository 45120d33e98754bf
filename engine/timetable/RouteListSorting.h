// The sorted route lists "$MltRtL2.kv4" (time order) and "$MltRtL3.kv4"
// (fare order), written from the summaries of "$MltRtL1.kv4": the records
// the sorting reads, and the sorting itself for a way of reading a
// summary line and of writing a sorted list.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "report/WorkFiles.h"
#include "text/SjisText.h"

namespace kiv::route_lists {

// Room of the arrival text and of the via text of a sorting record, with
// their NULs.
inline constexpr std::size_t kArrivalTextSize = 6;
inline constexpr std::size_t kSortViaSize = 512;

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
inline const char* word(const std::vector<std::string>& words, std::size_t i) {
  return i < words.size() ? words[i].c_str() : "";
}

// The record type of a line of the route files: its first character.
inline char recordType(const std::string& line) { return line.empty() ? '\0' : line[0]; }

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

// What the time and fare orders compare of a route.
struct RouteSortKey {
  std::int16_t total = 0;  // minutes
  std::int16_t fare = 0;   // yen
  std::int16_t changes = 0;
};
inline RouteSortKey sortKeyOf(const RouteSortRecord& r) { return {r.total, r.fare, r.changes}; }
inline RouteSortKey sortKeyOf(const work_files::RouteSummary& r) {
  return {static_cast<std::int16_t>(r.totalMinutes), static_cast<std::int16_t>(r.fare),
          static_cast<std::int16_t>(r.changes)};
}

// The places of the routes in time order (total minutes, then fare, then
// changes) and in fare order (fare, then total minutes, then changes), by
// the exchange sort of the route lists: every place is compared with every
// later one and the two routes are exchanged when the first comes after
// the second, so routes equal in every key keep no particular order.
std::vector<int> timeOrder(const std::vector<RouteSortKey>& keys);
std::vector<int> fareOrder(const std::vector<RouteSortKey>& keys);

// The record of a sorted list for the route at list position k.
void fillSummary(const RouteSortRecord& r, int k, work_files::RouteSummary& route);

// How the summaries are read and the sorted lists written: the record of a
// summary line ('9'), and the list `file` of the records in `order` under
// the head words `header` (false when it cannot be written).
struct SortedListFormat {
  RouteSortRecord (*record)(const std::string& line);
  bool (*write)(const std::filesystem::path& file, const std::vector<std::string>& header,
                const std::vector<RouteSortRecord>& records, const std::vector<int>& order);
};

// The lines split without a string per word (hundreds of routes a search),
// the lists built in one buffer without printf and written over the old
// bytes of the files (no flush of a file cut to nothing).
extern const SortedListFormat kWholeSortedLists;

// Writes "$MltRtL2.kv4" and "$MltRtL3.kv4" in dir from the first `count`
// summaries of "$MltRtL1.kv4", as RDiaMan::sortRouteLists: the number of
// routes sorted, 0, or -1 with the file named in `problem`.
int sortRouteListFiles(const std::filesystem::path& dir, int count, const SortedListFormat& format,
                       std::string& problem);

}  // namespace kiv::route_lists
