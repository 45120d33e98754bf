#include "JourneyText.h"

#include <cstdio>

#include "Arguments.h"
#include "fare/UnknownFare.h"
#include "journey/ArrivingBy.h"

namespace kiv::cli {
namespace {

std::string clockText(int minutes) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d", (minutes % 1440) / 60, minutes % 60);
  return text;
}

}  // namespace

int dayOf(int minutes, int day) { return dayOfTime(minutes, day); }

std::string dayTimeText(int minutes, int day) {
  if (minutes < 0) return clockText(0);
  const int days = minutes / 1440;
  if (days == 0) return clockText(minutes);
  if (days == 1) return "翌 " + clockText(minutes);
  return std::string(dayLetter(dayOf(minutes, day))) + " " + clockText(minutes);
}

std::string marksText(const Journey& journey) {
  std::string marks;
  marks += journey.earliest ? "早" : "　";
  marks += journey.fewestChanges ? "楽" : "　";
  marks += journey.cheapest ? "安" : "　";
  return marks;
}

std::string listHead(const std::string& fromUtf8, const std::string& toUtf8, int askedMinutes, int day,
                     bool arriveBy) {
  return fromUtf8 + "→" + toUtf8 + "  " + std::string(dayLetter(dayOf(askedMinutes, day))) + "曜 " +
         clockText(askedMinutes) + (arriveBy ? " までに到着" : " 以降に出発");
}

std::string journeyOverview(const std::vector<Journey>& journeys, const std::string& head, int askedMinutes,
                            int day) {
  std::string out = head + "  (早: 最も早く着く  楽: 乗換が最も少ない  安: 運賃が最も安い)\n";
  if (!journeys.empty()) {
    if (serviceDayOf(journeys.front().departure) > serviceDayOf(askedMinutes)) {
      out += "  この日の列車は終わっています: " +
             std::string(dayLetter(dayOf(journeys.front().departure, day))) + "曜の始発からの経路です\n";
    }
  }
  int number = 0;
  for (const Journey& j : journeys) {
    const std::string fare = fareUnknown(j.route) ? "不明" : std::to_string(j.fare) + "円";
    char line[160];
    std::snprintf(line, sizeof line, "  No.%03d  %s  %s発 → %s着  乗換%d回  %s\n", ++number,
                  marksText(j).c_str(), dayTimeText(j.departure, day).c_str(),
                  dayTimeText(j.arrival, day).c_str(), j.changes, fare.c_str());
    out += line;
  }
  return out + "\n";
}

}  // namespace kiv::cli
