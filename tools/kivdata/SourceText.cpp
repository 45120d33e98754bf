#include "SourceText.h"

#include "Types.h"
#include "text/Codec.h"

namespace kiv::data {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Whether the text holds an ASCII control character; such bytes can never be
// part of a name.
bool hasAsciiControl(std::string_view s) {
  for (unsigned char c : s)
    if (c < 0x20 || c == 0x7f) return true;
  return false;
}

std::string checkSjisField(const std::string& utf8, std::size_t maxBytes, const char* what) {
  if (utf8.empty()) return std::string("empty ") + what;
  if (utf8.find(' ') != std::string::npos) return std::string(what) + " contains an ASCII blank";
  if (hasAsciiControl(utf8)) return std::string(what) + " contains a control character";
  auto sjis = utf8ToSjis(utf8);
  if (!sjis) return std::string(what) + " '" + utf8 + "' cannot be written in Shift-JIS";
  if (sjis->size() > maxBytes)
    return std::string(what) + " '" + utf8 + "' is " + std::to_string(sjis->size()) +
           " Shift-JIS bytes long, at most " + std::to_string(maxBytes) + " are allowed";
  return {};
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xe0) == 0xc0) {
      extra = 1;
      cp = c & 0x1f;
    } else if ((c & 0xf0) == 0xe0) {
      extra = 2;
      cp = c & 0x0f;
    } else if ((c & 0xf8) == 0xf0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xc0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3f);
    }
    static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return false;
    i += extra + 1;
  }
  return true;
}

std::vector<std::string> splitWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

std::string restOfLine(std::string_view line, int skipWords) {
  std::size_t i = 0;
  for (int w = 0; w < skipWords; ++w) {
    while (i < line.size() && isBlank(line[i])) ++i;
    while (i < line.size() && !isBlank(line[i])) ++i;
  }
  while (i < line.size() && isBlank(line[i])) ++i;
  // Cut at a comment: a '#' at the start of a word.
  std::size_t end = i;
  for (std::size_t k = i; k < line.size(); ++k) {
    if (line[k] == '#' && (k == i || isBlank(line[k - 1]))) break;
    end = k + 1;
  }
  while (end > i && isBlank(line[end - 1])) --end;
  return std::string(line.substr(i, end - i));
}

std::optional<int> parseCount(std::string_view word) {
  if (word.empty() || word.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<int> parseKm(std::string_view word) {
  auto dot = word.find('.');
  if (dot == std::string_view::npos) {
    auto whole = parseCount(word);
    if (!whole || *whole > 100000) return std::nullopt;
    return *whole * 10;
  }
  if (dot + 2 != word.size()) return std::nullopt;
  auto whole = parseCount(word.substr(0, dot));
  char tenth = word[dot + 1];
  if (!whole || *whole > 100000 || tenth < '0' || tenth > '9') return std::nullopt;
  return *whole * 10 + (tenth - '0');
}

std::optional<double> parseDecimal(std::string_view word) {
  auto dot = word.find('.');
  auto whole = parseCount(word.substr(0, dot));
  if (!whole) return std::nullopt;
  double value = *whole;
  if (dot != std::string_view::npos) {
    auto frac = word.substr(dot + 1);
    auto digits = parseCount(frac);
    if (!digits) return std::nullopt;
    double scale = 1;
    for (std::size_t k = 0; k < frac.size(); ++k) scale *= 10;
    value += *digits / scale;
  }
  return value;
}

std::optional<std::uint32_t> parseHours(std::string_view word, std::string& why) {
  std::uint32_t mask = 0;
  std::size_t start = 0;
  while (start <= word.size()) {
    std::size_t comma = word.find(',', start);
    std::string_view part = word.substr(start, comma == std::string_view::npos ? word.npos : comma - start);
    auto dash = part.find('-');
    auto first = parseCount(part.substr(0, dash));
    auto last = dash == std::string_view::npos ? first : parseCount(part.substr(dash + 1));
    if (!first || !last) {
      why = "hours must be written like 5-23 or 6-9,17-20, not '" + std::string(word) + "'";
      return std::nullopt;
    }
    for (int h : {*first, *last}) {
      if (h > 23) {
        why = "hour " + std::to_string(h) + " is outside 0..23";
        return std::nullopt;
      }
    }
    if (*first > *last) {
      why = "hour range " + std::string(part) + " runs backwards";
      return std::nullopt;
    }
    for (int h = *first; h <= *last; ++h) mask |= 1u << h;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return mask;
}

std::optional<std::uint8_t> parseDays(std::string_view word, std::string& why) {
  if (word == "毎日") return 0x7f;
  if (word == "平日") return 0x3e;
  if (word == "土休日") return 0x41;
  if (word == "休日") return 0x01;
  static const char* const kDayChars[] = {"日", "月", "火", "水", "木", "金", "土"};
  std::uint8_t mask = 0;
  std::size_t i = 0;
  while (i < word.size()) {
    bool matched = false;
    for (int d = 0; d < 7; ++d) {
      std::string_view ch = kDayChars[d];
      if (word.substr(i, ch.size()) == ch) {
        mask |= static_cast<std::uint8_t>(1u << d);
        i += ch.size();
        matched = true;
        break;
      }
    }
    if (!matched) {
      why = "days must be 毎日, 平日, 土休日, 休日 or day characters such as 月水金, not '" +
            std::string(word) + "'";
      return std::nullopt;
    }
  }
  if (mask == 0) {
    why = "no days given";
    return std::nullopt;
  }
  return mask;
}

std::optional<int> parseKind(std::string_view word) {
  if (word == "山手線内" || word == "1") return 1;
  if (word == "電車特定区間" || word == "2") return 2;
  if (word == "幹線" || word == "3") return 3;
  if (word == "地方交通線" || word == "4") return 4;
  return std::nullopt;
}

std::string checkStationName(const std::string& utf8) {
  std::string why = checkSjisField(utf8, kStationNameSize - 1, "station name");
  if (!why.empty()) return why;
  if (utf8[0] == ';') return "a station name cannot begin with ';'";
  if (utf8.find('=') != std::string::npos) return "a station name cannot contain '='";
  return {};
}

std::string checkKana(const std::string& utf8) {
  return checkSjisField(utf8, kStationKanaSize - 1, "kana name");
}

std::string checkTrainName(const std::string& utf8) {
  std::string why = checkSjisField(utf8, kTrainNameSize - 1, "train name");
  if (!why.empty()) return why;
  if (utf8.back() == '*') return "a train name cannot end in '*'";
  return {};
}

std::string toSjis(const std::string& utf8) { return utf8ToSjis(utf8).value_or(std::string()); }

}  // namespace kiv::data
