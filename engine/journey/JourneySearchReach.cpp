// The latest useful arrival at each station: the latest time a passenger may
// be at a station and still reach the goal by the deadline, found backwards
// from the goal over every departure record. Change minutes, service days
// and the day masks are left out and a frequent service is taken to leave at
// once, so the time is never earlier than any real journey allows: a label
// that arrives later cannot reach the goal in time and is not followed.
#include <algorithm>
#include <bit>
#include <climits>
#include <queue>
#include <utility>
#include <vector>

#include "journey/JourneySearch.h"
#include "timetable/RDiaMan.h"
#include "timetable/TimetableIndex.h"

namespace kiv::journey_search {

namespace {

constexpr int kNever = INT_MIN / 4;

// The latest hour h <= hour (h < hour when !withHour) among the 24 before
// it whose clock hour (h mod 24) is served; kNever when none is.
int latestServedHour(std::uint32_t hours, int hour, bool withHour) {
  const std::uint32_t served = hours & 0xFFFFFFu;
  if (served == 0) return kNever;
  const int clock = ((hour % 24) + 24) % 24;
  const std::uint32_t upTo = withHour ? (2u << clock) - 1 : (1u << clock) - 1;
  if ((served & upTo) != 0) return hour - clock + (31 - std::countl_zero(served & upTo));
  return hour - 24 - clock + (31 - std::countl_zero(served));
}

int floorHour(int minutes) { return minutes >= 0 ? minutes / 60 : -((59 - minutes) / 60); }

}  // namespace

int Search::latestReady(const DiaDepartureRecord& r, int leaveBy) const {
  // The latest time to be ready for record r and leave by `leaveBy`.
  if (leaveBy <= kNever) return kNever;
  // A frequent service leaves at once for a passenger who stays on it.
  if (r.interval != 0 || r.minute < 0 || r.minute > 59) return leaveBy;
  const int hour = floorHour(leaveBy);
  const int h = latestServedHour(r.hours, hour, r.minute <= leaveBy - hour * 60);
  return h == kNever ? kNever : h * 60 + r.minute;
}

void Search::findLatestUseful() {
  const auto size = bound_->size();
  const TimetableIndex& index = net_.timetable.index();
  // Rides of negative minutes would let a time grow round a loop: no bound.
  const auto records = static_cast<std::size_t>(std::max(net_.timetable.getRecordCount(), 0));
  if (!index.negativeRides.empty() || index.departuresIntoStart.size() < size + 1) {
    latestUseful_.assign(size, INT_MAX);
    recordLatest_.assign(records, INT_MAX);
    return;
  }
  latestUseful_.assign(size, kNever);
  recordLatest_.assign(records, kNever);
  const auto goal = static_cast<std::size_t>(query_.to);
  latestUseful_[goal] = deadline_;
  std::priority_queue<std::pair<int, StationNo>> queue;
  queue.emplace(deadline_, query_.to);
  while (!queue.empty()) {
    const auto [time, x] = queue.top();
    queue.pop();
    const auto xi = static_cast<std::size_t>(x);
    if (time != latestUseful_[xi]) continue;
    const auto first = static_cast<std::size_t>(index.departuresIntoStart[xi]);
    const auto end = static_cast<std::size_t>(index.departuresIntoStart[xi + 1]);
    for (std::size_t k = first; k < end; ++k) {
      const TimetableIndex::Departure into = index.departuresInto[k];
      const auto from = static_cast<std::size_t>(into.from);
      if (into.from < 1 || from >= size || from == goal) continue;
      const DiaDepartureRecord& r = net_.timetable.departureAt(into.record);
      if (r.train < 1 || static_cast<std::size_t>(r.train) >= use_.size() ||
          !use_[static_cast<std::size_t>(r.train)])
        continue;
      const int ready = latestReady(r, time - r.rideMinutes);
      if (static_cast<std::size_t>(into.record) < records)
        recordLatest_[static_cast<std::size_t>(into.record)] = ready;
      // No passenger is anywhere before the earliest departure: a time
      // before it rules the station out as surely as none.
      if (ready <= latestUseful_[from] || ready < query_.earliestDeparture) continue;
      latestUseful_[from] = ready;
      queue.emplace(ready, into.from);
    }
  }
}

}  // namespace kiv::journey_search
