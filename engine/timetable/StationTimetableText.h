// The text of the station timetable made without printf and without a
// string per line: the departure lines of "TTSrc.kv4" appended to one
// buffer, their order in the case-insensitive text sort, and the filling of
// the report's formats, byte for byte as the work-file formats give them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace kiv::station_timetable {

// One argument of appendFormatted: a text or a number.
struct FormatArg {
  FormatArg(const char* s) : text(s) {}
  FormatArg(std::string_view s) : text(s) {}
  FormatArg(const std::string& s) : text(s) {}
  FormatArg(int n) : number(n), isNumber(true) {}
  std::string_view text;
  int number = 0;
  bool isNumber = false;
};

// Appends `format` with its conversions filled from `args` in order, as
// snprintf fills them: "%s" and "%d", each with an optional "-" (left
// aligned) or "0" (zero padded, numbers) and a width, and "%%". A
// conversion without an argument of its kind is written as nothing. With
// `crlf` set the line ends of the format are written as CR LF.
void appendFormatted(std::string& out, std::string_view format, std::initializer_list<FormatArg> args,
                     bool crlf = false);

// A departure of the station timetable with the fields of its line.
struct Departure {
  NetworkCode network = 0;
  int order = 0;          // list order + 1
  bool interval = false;  // an interval service rather than a timed departure
  int value = 0;          // minute of departure, or the interval in minutes
  const char* unit = "";
  char train[kTrainNameSize] = {};
  char terminal[kStationNameSize] = {};
};

// True when the line of d reads back as d: no negative number, and train
// and terminal names of at least one character and no blank, so that the
// line splits into exactly its fields again.
bool readsBack(const Departure& d);

// Appends the "TTSrc.kv4" line of d, without its line end.
void appendDepartureLine(std::string& out, const Departure& d, bool grouping);

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

}  // namespace kiv::station_timetable
