// Reading and writing the settings file Kiv4.def.
//
// Line ends: the file is written with CR LF, like every text file of the
// system. On reading, CR LF is taken as a plain line feed (as text mode does)
// and a line is also cut at any remaining carriage return, so a file with LF
// or CR LF line ends reads the same and no CR ever ends up in a value.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "data/AtomicFile.h"
#include "data/BinaryIO.h"
#include "settings/RDefMan.h"

namespace kiv {

namespace {

// The settings are read through a line buffer of 255 bytes: at most 254
// characters of a line are seen at once, and the rest of a longer line comes
// as if it were the next line.
constexpr std::size_t kLineBufferSize = 255;

class SettingsLines {
 public:
  explicit SettingsLines(const std::vector<std::uint8_t>& bytes) {
    text_.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
      text_.push_back(static_cast<char>(bytes[i]));
    }
  }

  // The next piece of at most 254 characters, up to and including a line
  // feed when one comes within reach; false at the end of the file.
  bool next(std::string& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = pos_;
    while (end < text_.size() && end - pos_ < kLineBufferSize - 1) {
      if (text_[end++] == '\n') break;
    }
    line.assign(text_, pos_, end - pos_);
    pos_ = end;
    return true;
  }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Searches forward for the key and yields its value, or an empty value when
// the file ends first or the first line beginning with the key's text goes on
// with a character other than a blank or "=" (that line is consumed).
std::string findValue(SettingsLines& lines, std::string_view key) {
  std::string line;
  while (lines.next(line)) {
    // A comment runs from ";" to the end of the line; the buffer is a C
    // string, so a NUL ends it as well.
    std::string_view rest(line);
    rest = rest.substr(0, rest.find_first_of(std::string_view(";\n\r\0", 4)));
    while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    if (!rest.starts_with(key)) continue;
    rest.remove_prefix(key.size());
    if (rest.empty() || !(isBlank(rest.front()) || rest.front() == '=')) return {};
    while (!rest.empty() && (isBlank(rest.front()) || rest.front() == '=')) rest.remove_prefix(1);
    std::size_t valueEnd = 0;
    while (valueEnd < rest.size() && !isBlank(rest[valueEnd])) ++valueEnd;
    return std::string(rest.substr(0, valueEnd));
  }
  return {};
}

// The leading decimal integer of the value, as the C library's text-to-long
// conversion gives it (no leading digits: 0); nullopt when the key has no
// value. Read at full width, so that a value outside its field's range is
// corrected rather than wrapped.
std::optional<long> readNumber(SettingsLines& lines, std::string_view key) {
  const std::string value = findValue(lines, key);
  if (value.empty()) return std::nullopt;
  return std::strtol(value.c_str(), nullptr, 10);
}

// The value clamped to low..high, in the field's type.
template <typename Field>
Field clamped(long value, long low, long high) {
  return static_cast<Field>(std::clamp(value, low, high));
}

// A flag that is 1 only when the file says exactly 1 (every other value
// means "no"), kept as 1 or 0.
std::int8_t flag(long value) { return value == 1 ? 1 : 0; }

void appendNumber(std::string& out, std::string_view key, int value) {
  out.append(key).append(" = ").append(std::to_string(value)).append("\r\n");
}

void appendText(std::string& out, std::string_view key, const std::string& value) {
  out.append(key).append(" = ").append(value).append("\r\n");
}

// The settings file's bytes, read only from a regular file of sensible size:
// a FIFO would block the program, a link to a device would never end.
constexpr std::uintmax_t kSettingsFileMax = 1 << 20;

std::optional<std::vector<std::uint8_t>> readSettingsFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || size > kSettingsFileMax) return std::nullopt;
  return readWholeFile(file);
}

}  // namespace

// The keys are sought in the order they are written, and the file is never
// rewound: a key that is missing consumes the rest of the file, leaving its
// field and every later one as they were (numbers) or empty (stations).
// Every value is corrected into its range as it is read (and so is saved
// corrected): the departure values as the setters correct them, the limits
// clamped, the flags made 0 or 1.
int RDefMan::loadSettings() {
  const auto bytes = readSettingsFile(file_);
  if (!bytes) return 0;
  SettingsLines lines(*bytes);
  // An hour, minute or day out of range falls back as the setters do.
  const auto clockValue = [](long v, long high) {
    return static_cast<std::int8_t>(v >= 0 && v <= high ? v : -1);
  };
  if (const auto v = readNumber(lines, "dep_h")) setDepHour(clockValue(*v, 23));
  if (const auto v = readNumber(lines, "dep_m")) setDepMinute(clockValue(*v, 59));
  if (const auto v = readNumber(lines, "dep_day")) setDepDay(clockValue(*v, 6));
  if (const auto v = readNumber(lines, "dep_systime")) useSysTime_ = flag(*v);
  // 1 the classic search, 2 the best routes; anything else is the classic one.
  if (const auto v = readNumber(lines, "mode_route")) modeRoute_ = static_cast<std::int8_t>(*v == 2 ? 2 : 1);
  if (const auto v = readNumber(lines, "mode_output")) modeOutput_ = flag(*v);
  // The detour limit, clamped to the search-condition dialog's 3..20 km.
  if (const auto v = readNumber(lines, "detour")) detour_ = clamped<std::int8_t>(*v, kDetourMin, kDetourMax);
  if (const auto v = readNumber(lines, "window_main_x"))
    windowX_ = clamped<std::int16_t>(*v, -kWindowEdgeMax, kWindowEdgeMax);
  if (const auto v = readNumber(lines, "window_main_y"))
    windowY_ = clamped<std::int16_t>(*v, -kWindowEdgeMax, kWindowEdgeMax);
  if (const auto v = readNumber(lines, "window_main_w"))
    windowW_ = clamped<std::int16_t>(*v, 1, kWindowEdgeMax);
  if (const auto v = readNumber(lines, "window_main_h"))
    windowH_ = clamped<std::int16_t>(*v, 1, kWindowEdgeMax);
  for (int k = 0; k < kRecentCount; ++k) {
    recentDep_[k] = findValue(lines, "station_dep" + std::to_string(k + 1)).substr(0, kStationTextMax);
  }
  for (int k = 0; k < kRecentCount; ++k) {
    recentArv_[k] = findValue(lines, "station_arv" + std::to_string(k + 1)).substr(0, kStationTextMax);
  }
  return 0;
}

std::string RDefMan::serialize() const {
  std::string out;
  appendNumber(out, "dep_h", depHour_);
  appendNumber(out, "dep_m", depMinute_);
  appendNumber(out, "dep_day", depDay_);
  appendNumber(out, "dep_systime", useSysTime_);
  appendNumber(out, "mode_route", modeRoute_);
  appendNumber(out, "mode_output", modeOutput_);
  appendNumber(out, "detour", detour_);
  appendNumber(out, "window_main_x", windowX_);
  appendNumber(out, "window_main_y", windowY_);
  appendNumber(out, "window_main_w", windowW_);
  appendNumber(out, "window_main_h", windowH_);
  for (int k = 0; k < kRecentCount; ++k)
    appendText(out, "station_dep" + std::to_string(k + 1), recentDep_[k]);
  for (int k = 0; k < kRecentCount; ++k)
    appendText(out, "station_arv" + std::to_string(k + 1), recentArv_[k]);
  return out;
}

int RDefMan::saveSettings() {
  // By way of a temporary file, so that a failed write keeps the old file;
  // renamed over the name, so that a link there is replaced, never written
  // through.
  const std::string text = serialize();
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  return writeFileAtomically(file_, bytes, nullptr, TargetLink::kReplace) ? 0 : kNotFound;
}

}  // namespace kiv
