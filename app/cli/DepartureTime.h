// The departure time of the route commands: the local clock or the
// settings, then --time and --day of the invocation.
#pragma once

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

// Hour, minute and day of week from the local clock when dep_systime is 1,
// else from the settings; a --time or --day of the invocation replaces its
// part.
DepartureTime routeDepartureTime(const RDefMan& def, const Invocation& inv);

}  // namespace kiv::cli
