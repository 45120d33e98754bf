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

void RunSettings::setTransMax(int changes) {
  if (!transMax_) transMax_ = def_.getTransMax();
  def_.setTransMax(static_cast<std::int8_t>(changes));
}

void RunSettings::setRouteMax(int routes) {
  if (!routeMax_) routeMax_ = def_.getRouteMax();
  def_.setRouteMax(static_cast<std::int16_t>(routes));
}

void RunSettings::setOutputMode(int mode) {
  if (!outputMode_) outputMode_ = def_.getOutputMode();
  def_.setOutputMode(static_cast<std::int8_t>(mode));
}

void RunSettings::setRouteMode(int mode) {
  if (!routeMode_) routeMode_ = def_.getRouteMode();
  def_.setRouteMode(static_cast<std::int8_t>(mode));
}

}  // namespace kiv::cli
