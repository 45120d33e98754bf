#include "settings/RDefMan.h"

#include <cstring>

#include "text/ReportText.h"

namespace kiv {

RDefMan::RDefMan(const std::filesystem::path& dataDir) : file_(dataDir / "Kiv4.def") { loadSettings(); }

RDefMan::~RDefMan() { saveSettings(); }

void RDefMan::setDepHour(std::int8_t hour) { depHour_ = (hour >= 0 && hour <= 23) ? hour : 12; }

void RDefMan::setDepMinute(std::int8_t minute) { depMinute_ = (minute >= 0 && minute <= 59) ? minute : 0; }

void RDefMan::setDepDay(std::int8_t day) { depDay_ = (day >= 0 && day <= 6) ? day : 1; }

int RDefMan::getRecent(const RecentList& list, int index, char* buffer) {
  if (index < 0 || index >= kRecentCount) index = 0;
  const std::string& entry = list[static_cast<std::size_t>(index)];
  if (entry.empty()) return kNotFound;
  std::memcpy(buffer, entry.c_str(), entry.size() + 1);
  return 0;
}

int RDefMan::getRecentDep(int index, char* buffer) const { return getRecent(recentDep_, index, buffer); }

int RDefMan::getRecentArv(int index, char* buffer) const { return getRecent(recentArv_, index, buffer); }

// The text goes to the top; the entries above its old place (or all of them,
// when it is new) move down by one, so a new text drops the tenth entry. If
// the text stands more than once, its last place counts.
void RDefMan::pushRecent(RecentList& list, std::string_view station) {
  if (station.empty()) return;
  const std::string text(station.substr(0, kStationTextMax));
  std::size_t place = kRecentCount - 1;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) place = i;
  }
  for (std::size_t k = place; k > 0; --k) list[k] = std::move(list[k - 1]);
  list[0] = text;
}

void RDefMan::pushRecentDep(std::string_view station) { pushRecent(recentDep_, station); }

void RDefMan::pushRecentArv(std::string_view station) { pushRecent(recentArv_, station); }

void RDefMan::getDayName(char* buffer) const {
  if (depDay_ < 0 || depDay_ > 6) return;
  std::memcpy(buffer, report_text::kDayNames[depDay_].c_str(), kDayNameSize);
}

}  // namespace kiv
