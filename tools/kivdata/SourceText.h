// Word-level helpers of the source parser: comments, words, numbers, hours,
// days, line kinds and the checks on names that must fit Shift-JIS fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::data {

bool isValidUtf8(std::string_view text);

// The words of a text line: blanks and tabs separate them; a word that
// begins with '#' starts a comment that runs to the end of the line.
std::vector<std::string> splitWords(std::string_view line);

// The text after the first `skipWords` words, comment removed, blanks trimmed.
std::string restOfLine(std::string_view line, int skipWords);

// Kilometres with at most one decimal ("12.3", "5") in units of 100 m.
std::optional<int> parseKm(std::string_view word);
// A decimal integer without sign.
std::optional<int> parseCount(std::string_view word);
// A positive number with optional decimals.
std::optional<double> parseDecimal(std::string_view word);

// "5-23", "6-9,17-20", "7": bit h set for each hour. On failure nullopt and the reason.
std::optional<std::uint32_t> parseHours(std::string_view word, std::string& why);
// "毎日", "平日", "土休日", "休日" or a string of 日月火水木金土: bit d set per day code.
std::optional<std::uint8_t> parseDays(std::string_view word, std::string& why);
// "山手線内", "電車特定区間", "幹線", "地方交通線" or the digits 1..4.
std::optional<int> parseKind(std::string_view word);

// Checks a name that goes into a fixed Shift-JIS field of maxBytes bytes of
// text. Empty result when it is fine, else the reason.
std::string checkStationName(const std::string& utf8);
std::string checkKana(const std::string& utf8);
std::string checkTrainName(const std::string& utf8);

// Shift-JIS form of a name already checked; empty for text that cannot be converted.
std::string toSjis(const std::string& utf8);

}  // namespace kiv::data
