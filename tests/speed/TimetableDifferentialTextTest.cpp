// The station timetable's text made without printf against the formats it
// stands in for: printf itself and the work-file formats of "TTSrc.kv4",
// and the text sort against a sort of the folded lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "report/WorkFiles.h"
#include "text/PreparedFormat.h"
#include "text/ReportText.h"
#include "timetable/StationTimetableText.h"

namespace kiv::station_timetable {
namespace {

using report_text::appendFormatted;

TEST(TimetableDifferentialText, FormatsFillLikePrintf) {
  char out[256];
  const auto same = [&](const char* format, auto... args) {
    std::snprintf(out, sizeof out, format, args...);
    std::string mine;
    appendFormatted(mine, format, {args...});
    EXPECT_EQ(mine, out) << format;
  };
  for (int n : {0, 7, 42, 999, 1000, -5, -123, 123456}) {
    same("%03d|%1d|%02d|%d|%-4d|%5d", n, n, n, n, n, n);
  }
  same("%-6s|%6s|%s|%-s|%%|%-32s.", "ab", "abc", "", "x", "long name over the width");
  same("%-24s", "\x93\x8c\x8b\x9e");
  // The report's own formats, with a name of exactly the width.
  same(report_text::kTimetableDeparture.c_str(), "05\x95\xaa\x94\xad", "12345678901234567890123456789012",
       "T");
  same(report_text::kTimetableHeading.c_str(), "S", "\x8c\x8e", 7, "C");

  // Line ends as CR LF, in the format and in a text, padded by the bytes given.
  std::string crlf;
  appendFormatted(crlf, "a\n%-4s|%3s\n", {"x\ny", "z"}, true);
  EXPECT_EQ(crlf, "a\r\nx\r\ny |  z\r\n");
}

TEST(TimetableDifferentialText, DepartureLinesAreTheWorkFileLines) {
  NameTable names(24);
  names.add("Local");
  names.add("\x8d\x82\x8d\xe8");  // two double-byte characters
  names.add("\x83\x41X\x83");     // a katakana whose second byte is "A", a capital, a lone lead byte
  Departure d;
  d.terminal = names[1];
  for (const int train : {0, 2})
    for (const NetworkCode network : {0, 5, 61, 430, 1234, -7}) {
      for (const int value : {0, 3, 59, 120, -1}) {
        for (const bool interval : {false, true}) {
          for (const bool grouping : {false, true}) {
            d.train = names[train];
            d.network = network;
            d.order = network % 10 + 1;
            d.interval = interval;
            d.value = value;
            d.unit = interval ? report_text::kEveryMinutes.c_str() : report_text::kLeavesAtMinute.c_str();
            std::string mine;
            appendDepartureLine(mine, d, grouping);
            const std::string line = work_files::formatStationDeparture(
                {d.network, d.order, d.interval, d.value, std::string(d.unit), std::string(d.train.text),
                 std::string(d.terminal.text)},
                grouping);
            EXPECT_EQ(mine, line);
            // The sort key: the line with its names folded.
            std::string key;
            appendDepartureLine(key, d, grouping, true);
            std::string folded = line;
            foldAsciiCase(line, folded.data());
            EXPECT_EQ(key, folded);
          }
        }
      }
    }
}

// Names by number as prepared once: each with its folded key, which only a
// single-byte capital changes; a number out of range has an empty name.
TEST(TimetableDifferentialText, NameTablesKeepEachNameWithItsFoldedKey) {
  NameTable names;
  for (const char* name : {"", "Abc", "\x83\x41\x83\x5a", "a b"}) names.add(name);
  EXPECT_EQ(names[1].text, "Abc");
  EXPECT_EQ(names[1].folded, "abc");
  EXPECT_TRUE(names[1].folds);
  EXPECT_EQ(names[2].folded, "\x83\x41\x83\x5a");
  EXPECT_FALSE(names[2].folds);
  EXPECT_TRUE(names[2].plain);
  EXPECT_FALSE(names[0].plain);
  EXPECT_FALSE(names[3].plain);
  for (const int k : {-1, 4}) {
    EXPECT_EQ(names[k].text, "");
    EXPECT_FALSE(names[k].plain);
  }

  // Padded to the column; a longer name is its own text.
  NameTable column(5);
  column.add("Ab");
  column.add("Abcdefg");
  EXPECT_EQ(column[0].text, "Ab");
  EXPECT_EQ(column[0].padded, "Ab   ");
  EXPECT_EQ(column[0].foldedPadded, "ab   ");
  EXPECT_EQ(column[1].padded, "Abcdefg");
  EXPECT_EQ(column[1].foldedPadded, "abcdefg");
  EXPECT_EQ(column[1].folded, "abcdefg");
}

TEST(TimetableDifferentialText, OnlyLinesThatSplitIntoTheirFieldsReadBack) {
  NameTable names;
  for (const char* name : {"Rapid", "End", "Rapid 2", "E\tnd", ""}) names.add(name);
  Departure d;
  d.train = names[0];
  d.terminal = names[1];
  EXPECT_TRUE(readsBack(d));
  Departure blank = d;
  blank.train = names[2];
  Departure tab = d;
  tab.terminal = names[3];
  Departure empty = d;
  empty.train = names[4];
  Departure negative = d;
  negative.value = -3;
  for (const Departure& bad : {blank, tab, empty, negative}) EXPECT_FALSE(readsBack(bad));
}

// Capitals fold to small letters, but a byte after a double-byte lead byte
// is part of its character and keeps its value even in the capital range
// ("\x83\x41" is a katakana, not "A"); equal lines keep their order.
TEST(TimetableDifferentialText, TheSortFoldsSingleByteCapitalsAndKeepsEqualLinesInOrder) {
  const std::vector<std::string> lines = {"001 1 b",         "001 1 A",        "001 1 a", "001 1 \x83\x41x",
                                          "001 1 \x83\x61x", "001 1 \x83\x41", "001 1 B", "001 1 \x83\x41X",
                                          "001 1 \x83\x41",  "000 9 Z",        "001 1 ",  "001 1 \x83"};
  std::string text;
  std::vector<LineSpan> spans;
  for (const std::string& line : lines) {
    spans.push_back(
        {static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(text.size() + line.size())});
    text += line;
  }
  std::vector<std::uint32_t> expected(lines.size());
  for (std::uint32_t k = 0; k < expected.size(); ++k) expected[k] = k;
  const auto folded = [&](std::uint32_t k) {
    std::string key = lines[k];
    foldAsciiCase(lines[k], key.data());
    return key;
  };
  std::stable_sort(expected.begin(), expected.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return folded(a) < folded(b); });
  EXPECT_EQ(sortedOrder(text, spans), expected);
  EXPECT_EQ(folded(3), "001 1 \x83\x41x");
  EXPECT_EQ(folded(7), "001 1 \x83\x41x");
  EXPECT_EQ(folded(1), "001 1 a");

  // A long list takes the other way of sorting; the same order.
  std::vector<std::string> many;
  for (int k = 0; k < 80; ++k) many.push_back(lines[static_cast<std::size_t>(k * 7 % 12)]);
  text.clear();
  spans.clear();
  for (const std::string& line : many) {
    spans.push_back(
        {static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(text.size() + line.size())});
    text += line;
  }
  const std::vector<std::uint32_t> order = sortedOrder(text, spans);
  for (std::size_t k = 1; k < order.size(); ++k) {
    std::string a = many[order[k - 1]];
    std::string b = many[order[k]];
    foldAsciiCase(many[order[k - 1]], a.data());
    foldAsciiCase(many[order[k]], b.data());
    ASSERT_TRUE(a < b || (a == b && order[k - 1] < order[k])) << k;
  }
}

}  // namespace
}  // namespace kiv::station_timetable
