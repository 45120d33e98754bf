// The user's search conditions, the main window's position and the two lists
// of recently used stations, kept in the settings file Kiv4.def of the data
// directory. The constructor sets the defaults and reads the file; the
// destructor writes it back, so the file always ends up with the values held
// at exit. That last write cannot say when it fails: the programs save with
// saveSettings at the end of their work and tell the user when it yields -1,
// and the destructor's write then only repeats it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "Types.h"

namespace kiv {

class RDefMan {
 public:
  static constexpr int kRecentCount = 10;
  static constexpr int kDayNameSize = 3;  // one two-byte letter and its NUL
  // The detour limit's range in km, as the search-condition dialog keeps it.
  static constexpr int kDetourMin = 3;
  static constexpr int kDetourMax = 20;
  // The farthest a window edge or size read from the file may lie, in
  // pixels: well inside the 16-bit fields, so no later sum wraps.
  static constexpr int kWindowEdgeMax = 16000;

  explicit RDefMan(const std::filesystem::path& dataDir);
  ~RDefMan();
  RDefMan(const RDefMan&) = delete;
  RDefMan& operator=(const RDefMan&) = delete;

  // Reads Kiv4.def over the current values. Always 0, also when the file is
  // missing (then nothing changes).
  int loadSettings();
  // Writes Kiv4.def afresh, by way of a temporary file renamed into place
  // (an interrupted or failed write leaves the old file whole): 0, or -1
  // when the file cannot be written.
  int saveSettings();

  std::int8_t getDepHour() const { return depHour_; }
  std::int8_t getDepMinute() const { return depMinute_; }
  std::int8_t getDepDay() const { return depDay_; }
  std::int8_t getUseSysTime() const { return useSysTime_; }
  std::int8_t getOutputMode() const { return modeOutput_; }
  // The route mode: 1 = the route search in detection order, 2 = the best
  // routes by arrival, changes and fare.
  std::int8_t getRouteMode() const { return modeRoute_; }
  std::int8_t getDetour() const { return detour_; }
  std::int8_t getDiffTime() const { return diffTime_; }
  std::int8_t getTransMax() const { return transMax_; }
  std::int16_t getRouteMax() const { return routeMax_; }
  std::int16_t getWindowX() const { return windowX_; }
  std::int16_t getWindowY() const { return windowY_; }

  // Out-of-range values fall back to 12 o'clock, minute 0 and Monday.
  void setDepHour(std::int8_t hour);
  void setDepMinute(std::int8_t minute);
  void setDepDay(std::int8_t day);
  // Stored as given; the search-condition dialog keeps the ranges.
  void setUseSysTime(std::int8_t v) { useSysTime_ = v; }
  // The report mode of the time-priority route (1 detailed); for callers that
  // choose the report per run, such as the command line.
  void setOutputMode(std::int8_t v) { modeOutput_ = v; }
  // The route search mode: 1 the classic search, 2 the best routes.
  void setRouteMode(std::int8_t v) { modeRoute_ = v; }
  void setDetour(std::int8_t v) { detour_ = v; }
  void setDiffTime(std::int8_t v) { diffTime_ = v; }
  void setTransMax(std::int8_t v) { transMax_ = v; }
  void setRouteMax(std::int16_t v) { routeMax_ = v; }
  void setWindowX(std::int16_t v) { windowX_ = v; }
  void setWindowY(std::int16_t v) { windowY_ = v; }
  void setWindowW(std::int16_t v) { windowW_ = v; }
  void setWindowH(std::int16_t v) { windowH_ = v; }

  // Copies recent entry `index` (0 = most recent; outside 0..9 means 0) into
  // `buffer` (at least kStationNameSize bytes) and yields 0; an empty entry
  // yields -1 and leaves the buffer untouched.
  int getRecentDep(int index, char* buffer) const;
  int getRecentArv(int index, char* buffer) const;
  // Moves the station text to the top of its list. An empty text changes
  // nothing; a text longer than 24 bytes is cut to 24 first.
  void pushRecentDep(std::string_view station);
  void pushRecentArv(std::string_view station);

  // Copies the one-letter Shift-JIS name of the departure day ("日" .. "土")
  // into `buffer` (at least kDayNameSize bytes); a day outside 0..6 leaves it
  // untouched.
  void getDayName(char* buffer) const;

 private:
  // A recent entry holds at most this many bytes of a station text.
  static constexpr std::size_t kStationTextMax = kStationNameSize - 1;
  using RecentList = std::array<std::string, kRecentCount>;

  static int getRecent(const RecentList& list, int index, char* buffer);
  static void pushRecent(RecentList& list, std::string_view station);
  std::string serialize() const;

  std::filesystem::path file_;

  std::int8_t depHour_ = 12;
  std::int8_t depMinute_ = 0;
  std::int8_t depDay_ = 1;
  std::int8_t useSysTime_ = 1;
  std::int8_t modeRoute_ = 1;
  std::int8_t modeOutput_ = 1;
  std::int8_t detour_ = 10;
  std::int8_t diffTime_ = 15;
  std::int16_t routeMax_ = 20;
  std::int8_t transMax_ = 4;
  std::int16_t windowX_ = 0;
  std::int16_t windowY_ = 0;
  std::int16_t windowW_ = 600;
  std::int16_t windowH_ = 480;
  RecentList recentDep_;
  RecentList recentArv_;
};

}  // namespace kiv
