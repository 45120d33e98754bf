#include "DepartureTime.h"

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

}  // namespace kiv::cli
