#include "RunSettings.h"

#include <ctime>

#include "settings/RDefMan.h"

namespace kiv::cli {
DepartureTime routeDepartureTime(const RDefMan& def, const Invocation& inv) {
  DepartureTime t;
  if (def.getUseSysTime() == 1) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    t = {local.tm_hour, local.tm_min, local.tm_wday};
  } else {
    t = {def.getDepHour(), def.getDepMinute(), def.getDepDay()};
  }
  if (inv.hour) t.hour = *inv.hour;
  if (inv.minute) t.minute = *inv.minute;
  if (inv.day) t.day = *inv.day;
  return t;
}

RunSettings::RunSettings(RDefMan& def) : def_(def) {}

RunSettings::~RunSettings() {
  if (transMax_) def_.setTransMax(*transMax_);
  if (routeMax_) def_.setRouteMax(*routeMax_);
  if (outputMode_) def_.setOutputMode(*outputMode_);
  if (routeMode_) def_.setRouteMode(*routeMode_);
}

template <class T>
void RunSettings::change(std::optional<T>& original, T (RDefMan::*get)() const, void (RDefMan::*set)(T),
                         int value) {
  if (!original) original = (def_.*get)();
  (def_.*set)(static_cast<T>(value));
}

void RunSettings::setTransMax(int changes) {
  change(transMax_, &RDefMan::getTransMax, &RDefMan::setTransMax, changes);
}

void RunSettings::setRouteMax(int routes) {
  change(routeMax_, &RDefMan::getRouteMax, &RDefMan::setRouteMax, routes);
}

void RunSettings::setOutputMode(int mode) {
  change(outputMode_, &RDefMan::getOutputMode, &RDefMan::setOutputMode, mode);
}

void RunSettings::setRouteMode(int mode) {
  change(routeMode_, &RDefMan::getRouteMode, &RDefMan::setRouteMode, mode);
}

}  // namespace kiv::cli
