// The settings a command takes for this run only: the departure time of the
// route commands (clock or settings, then --time/--day), and the search
// limits and report mode that are set in RDefMan for the duration of one
// command and put back before the engine writes Kiv4.def at exit.
#pragma once

#include <cstdint>
#include <optional>

#include "Arguments.h"

namespace kiv {
class RDefMan;
}

namespace kiv::cli {

struct DepartureTime {
  int hour = 0;
  int minute = 0;
  int day = 0;
};

// The departure time of the route commands: hour, minute and day of week
// from the local clock when dep_systime is 1, else from the settings; a
// --time or --day of the invocation replaces its part.
DepartureTime routeDepartureTime(const RDefMan& def, const Invocation& inv);

// Sets values in RDefMan for one command and restores the values it found
// when it goes.
class RunSettings {
 public:
  explicit RunSettings(RDefMan& def);
  ~RunSettings();
  RunSettings(const RunSettings&) = delete;
  RunSettings& operator=(const RunSettings&) = delete;

  void setTransMax(int changes);
  void setRouteMax(int routes);
  // The output mode of the time-priority report (1 detailed, 0 plain).
  void setOutputMode(int mode);
  // The route mode (1 classic, 2 best routes).
  void setRouteMode(int mode);

 private:
  // Sets the value through `set`, keeping in `original` what `get` gave
  // before the first change.
  template <class T>
  void change(std::optional<T>& original, T (RDefMan::*get)() const, void (RDefMan::*set)(T), int value);

  RDefMan& def_;
  std::optional<std::int8_t> transMax_;
  std::optional<std::int16_t> routeMax_;
  std::optional<std::int8_t> outputMode_;
  std::optional<std::int8_t> routeMode_;
};

}  // namespace kiv::cli
