// Text helpers for the reports and text work files of the engine: printf
// formatting into Shift-JIS strings, whole-file reading and writing of text
// with CR LF line ends, and the words of a work-file line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kiv::report_text {

// The closing note of the route and timetable reports:
// "\n\n注 : 実際のダイヤとは異なります。\n" (the timetable is a pattern, not the real one).
inline constexpr char kTimetableNote[] =
    "\n\n\x92\x8d : \x8e\xc0\x8d\xdb\x82\xcc\x83\x5f\x83\x43\x83\x84\x82\xc6\x82\xcd\x88\xd9\x82\xc8"
    "\x82\xe8\x82\xdc\x82\xb7\x81\x42\n";

// printf-style formatting; widths such as "%-32s" count bytes.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Writes `text` afresh with every "\n" written as "\r\n" (Shift-JIS never
// uses the byte 0x0A inside a character). False when the file cannot be
// created or written.
bool writeText(const std::filesystem::path& file, const std::string& text);

// The lines of a text file without their line ends (CR LF or LF); a last
// line without an end counts, an end at the very end adds no empty line.
// False when the file cannot be opened.
bool readLines(const std::filesystem::path& file, std::vector<std::string>& lines);

// The whitespace-separated words of a line (blanks, tabs, CR).
std::vector<std::string> words(const std::string& line);

}  // namespace kiv::report_text
