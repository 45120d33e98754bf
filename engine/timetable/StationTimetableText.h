// The text of the station timetable made without printf and without a
// string per line: the names prepared once with their sort keys, the
// departure lines of "TTSrc.kv4" appended to one buffer, their order in the
// case-insensitive text sort, and the filling of the report's formats read
// once (report_text::PreparedFormat), byte for byte as the work-file
// formats give them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace kiv::station_timetable {

// A train or station name as the station timetable prints it and sorts it.
struct Name {
  std::string_view text;
  // The text padded with blanks to the width of its column, and the same
  // folded (the text itself when longer, or when the table has no width).
  std::string_view padded;
  std::string_view foldedPadded;
  // The text with its ASCII letters folded to lower case (see
  // foldAsciiCase): its key in the sort.
  std::string_view folded;
  // At least one character and no blank, so that its field of a line
  // reads back as the name.
  bool plain = false;
  // The folded text differs from the text (it has an ASCII capital).
  bool folds = false;
};

// The names of the trains or of the stations by number, prepared once per
// engine: the timetable of a station then copies no name and folds none.
class NameTable {
 public:
  // Names are kept padded to `width`, the width of their column.
  explicit NameTable(std::size_t width = 0) : width_(width) {}
  // Appends the name of the next number.
  void add(std::string_view text);
  // The name of number k; an empty name for a number out of range.
  Name operator[](int k) const;

 private:
  std::size_t width_;
  std::string texts_;   // each name padded to the width
  std::string folded_;  // the same folded
  std::vector<std::uint32_t> begins_;
  std::vector<std::uint32_t> sizes_;
  std::vector<std::uint8_t> kinds_;  // bit 0: plain, bit 1: folds
};

// A departure of the station timetable with the fields of its line.
struct Departure {
  NetworkCode network = 0;
  int order = 0;          // list order + 1
  bool interval = false;  // an interval service rather than a timed departure
  int value = 0;          // minute of departure, or the interval in minutes
  std::string_view unit;
  Name train;
  Name terminal;
};

// True when the line of d reads back as d: no negative number, and train
// and terminal names that are plain, so that the line splits into exactly
// its fields again.
bool readsBack(const Departure& d);

// Appends the value and unit of d as the report prints them ("%02d%s").
void appendValue(std::string& out, const Departure& d);

// Appends the "TTSrc.kv4" line of d, without its line end; with `folded`
// set, the names folded as the sort compares them (the line's sort key:
// each name begins after a blank, so it folds alike on its own).
void appendDepartureLine(std::string& out, const Departure& d, bool grouping, bool folded = false);

// The lines of a text, each given by its first and its past-the-end byte.
struct LineSpan {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
};

// Writes `line` to `out` (of the line's size) with its ASCII letters in
// lower case. Only single-byte characters are folded: the second byte of a
// double-byte character may fall in the ASCII letter range and is kept.
void foldAsciiCase(std::string_view line, char* out);

// The order of the lines in the text sort of the station timetable:
// ascending by their bytes with ASCII letters folded to lower case (the
// second byte of a double-byte character kept), equal lines in their
// given order. The indexes into `lines`.
std::vector<std::uint32_t> sortedOrder(std::string_view text, const std::vector<LineSpan>& lines);
// The same order of lines whose sort keys (`keys`, the lines folded) are
// known, into `order` (its buffer kept from one timetable to the next).
void sortKeys(std::string_view keys, const std::vector<LineSpan>& lines, std::vector<std::uint32_t>& order);

}  // namespace kiv::station_timetable
