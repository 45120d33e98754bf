// The timetable data: loading, the span checks, the basic lookups every
// search is built from and the indexes built once at load.
#include "timetable/Timetable.h"

#include <algorithm>

#include "data/SpanCheck.h"
#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"

namespace kiv {

namespace {

// Bit (value mod period) of mask, also for negative values.
int bitOf(std::uint32_t mask, int value, int period) {
  const int bit = ((value % period) + period) % period;
  return static_cast<int>((mask >> bit) & 1u);
}

const DiaDepartureRecord kNoDeparture{};

// Groups the items that eachItem(visit) hands to visit(x, item) by their
// station x (1..size - 1): those of x are items[start[x] .. start[x + 1]),
// in the order they were visited.
template <typename Item, typename EachItem>
void groupByStation(std::size_t size, const EachItem& eachItem, std::vector<std::int32_t>& start,
                    std::vector<Item>& items) {
  start.assign(size + 1, 0);
  eachItem([&](StationNo x, Item) { ++start[static_cast<std::size_t>(x) + 1]; });
  for (std::size_t s = 1; s < start.size(); ++s) start[s] += start[s - 1];
  items.resize(static_cast<std::size_t>(start.back()));
  std::vector<std::int32_t> fill(start.begin(), start.end() - 1);
  eachItem([&](StationNo x, Item item) {
    items[static_cast<std::size_t>(fill[static_cast<std::size_t>(x)]++)] = item;
  });
}

}  // namespace

Timetable::Timetable(const std::filesystem::path& dataDir, int stationCount, const RTrainMan& trains)
    : stationCount_(std::max(0, stationCount)) {
  load(dataDir);
  buildIndex(trains);
  buildTrainLinks(trains.getTrainCount());
  trainHops_ = TrainHopIndex::build(*this);
}

int Timetable::load(const std::filesystem::path& dataDir) {
  auto idx1 = readDiaIdx1File(dataDir / "DiaIdx1.kv4");
  if (!idx1) return -1;
  stations_ = std::move(idx1->records);

  auto idx2 = readDiaIdx2File(dataDir / "DiaIdx2.kv4");
  if (!idx2) return -1;
  links_ = std::move(idx2->records);

  auto dia = readDiagram2File(dataDir / "Diagram2.kv4");
  if (!dia) return -1;
  departures_ = std::move(dia->records);
  // Spans past the end of their records are cut where they are used; spans
  // that claim far more records than exist leave the timetable unused.
  bool unusable = false;
  dataProblem_ = checkSpans(unusable);
  if (unusable) {
    stations_.clear();
    links_.clear();
    departures_.clear();
  }
  return 0;
}

std::string Timetable::checkSpans(bool& unusable) const {
  std::string problem;
  const auto note = [&problem](const char* file, const char* of, const std::string& what) {
    if (problem.empty()) problem = std::string(file) + " does not fit " + of + " (" + what + ")";
  };
  const auto claim = [](const std::string& owner, const char* what, std::int64_t first, std::int64_t last,
                        std::size_t count) {
    return owner + " claims " + what + " " + SpanCheck::text(first, last) + " of " + std::to_string(count);
  };
  SpanCheck links(links_.size());
  SpanCheck departures(departures_.size());
  for (std::size_t k = 0; k < stations_.size(); ++k) {
    const DiaStationRecord& r = stations_[k];
    const std::string owner = "station " + std::to_string(k + 1);
    if (!links.add(r.firstLink, r.lastLink)) {
      note("DiaIdx1.kv4", "DiaIdx2.kv4", claim(owner, "links", r.firstLink, r.lastLink, links_.size()));
    }
    if (!departures.add(r.firstDeparture, r.lastDeparture)) {
      note("DiaIdx1.kv4", "Diagram2.kv4",
           claim(owner, "departures", r.firstDeparture, r.lastDeparture, departures_.size()));
    }
  }
  SpanCheck linkDepartures(departures_.size());
  for (std::size_t k = 0; k < links_.size(); ++k) {
    const DiaLinkRecord& r = links_[k];
    if (!linkDepartures.add(r.firstDeparture, r.lastDeparture)) {
      note("DiaIdx2.kv4", "Diagram2.kv4",
           claim("link " + std::to_string(k + 1), "departures", r.firstDeparture, r.lastDeparture,
                 departures_.size()));
    }
  }
  const auto overclaimed = [&](const SpanCheck& check, const char* file, const char* of, const char* what,
                               std::size_t count) {
    if (!check.claimsTooMuch()) return;
    unusable = true;
    problem = std::string(file) + " does not fit " + of + " (its spans claim " +
              std::to_string(check.claimed()) + " " + what + " of " + std::to_string(count) +
              "): the timetable is not used";
  };
  overclaimed(links, "DiaIdx1.kv4", "DiaIdx2.kv4", "links", links_.size());
  overclaimed(departures, "DiaIdx1.kv4", "Diagram2.kv4", "departures", departures_.size());
  overclaimed(linkDepartures, "DiaIdx2.kv4", "Diagram2.kv4", "departures", departures_.size());
  if (!unusable && !problem.empty()) problem += ": cut to the records that exist";
  return problem;
}

int Timetable::clampSpan(std::int32_t first1, std::int32_t last1, std::size_t size, int& first, int& last) {
  first = -1;
  last = -1;
  // 1-based in the file; 0 (or anything below) means no records.
  if (first1 < 1 || last1 < 1 || first1 > last1) return -1;
  const auto count = static_cast<std::int64_t>(size);
  if (first1 > count) return -1;
  first = first1 - 1;
  last = static_cast<int>(std::min<std::int64_t>(last1, count)) - 1;
  return last - first + 1;
}

const DiaStationRecord* Timetable::stationRecord(StationNo station) const {
  if (station < 1 || static_cast<std::size_t>(station) > stations_.size()) return nullptr;
  return &stations_[static_cast<std::size_t>(station) - 1];
}

int Timetable::getDepartureRange(StationNo station, int& first, int& last) const {
  first = last = -1;
  const auto* rec = stationRecord(station);
  if (!rec) return -1;
  return clampSpan(rec->firstDeparture, rec->lastDeparture, departures_.size(), first, last);
}

int Timetable::getLinkRange(StationNo station, int& first, int& last) const {
  first = last = -1;
  const auto* rec = stationRecord(station);
  if (!rec) return -1;
  return clampSpan(rec->firstLink, rec->lastLink, links_.size(), first, last);
}

int Timetable::getLinkDepartures(StationNo station, StationNo next, int& first, int& last) const {
  first = last = -1;
  int linkFirst = 0;
  int linkLast = 0;
  if (getLinkRange(station, linkFirst, linkLast) < 0) return -1;
  for (int i = linkFirst; i <= linkLast; ++i) {
    const auto& link = links_[static_cast<std::size_t>(i)];
    if (link.from == station && link.to == next) {
      return clampSpan(link.firstDeparture, link.lastDeparture, departures_.size(), first, last);
    }
  }
  return -1;
}

std::span<const DiaDepartureRecord> Timetable::departuresOf(StationNo station) const {
  int first = 0;
  int last = 0;
  if (getDepartureRange(station, first, last) < 0) return {};
  return std::span(departures_)
      .subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
}

std::span<const DiaLinkRecord> Timetable::linksOf(StationNo station) const {
  int first = 0;
  int last = 0;
  if (getLinkRange(station, first, last) < 0) return {};
  return std::span(links_).subspan(static_cast<std::size_t>(first),
                                   static_cast<std::size_t>(last - first + 1));
}

std::span<const DiaDepartureRecord> Timetable::departuresTowards(StationNo station, StationNo next) const {
  int first = 0;
  int last = 0;
  if (getLinkDepartures(station, next, first, last) < 0) return {};
  return std::span(departures_)
      .subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
}

const DiaDepartureRecord& Timetable::departureAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= departures_.size()) return kNoDeparture;
  return departures_[static_cast<std::size_t>(index)];
}

int Timetable::isHourServed(std::uint32_t hours, int hour) { return bitOf(hours, hour, 24); }

int Timetable::isDayServed(std::uint8_t days, int day) { return bitOf(days, day, 7); }

int Timetable::nextServedHour(std::uint32_t hours, int minute, TimeOfDay time) {
  return nextServedHour(hours, 0, -1, minute, time);
}

int Timetable::nextServedHour(std::uint32_t hours, std::uint8_t days, int day, int minute, TimeOfDay time) {
  // An hour of the search is served when its clock hour is and, when days
  // are tested, the pattern runs on the day that hour falls on.
  auto served = [&](int h) {
    if (!isHourServed(hours, h)) return false;
    return day < 0 || isDayServed(days, day + (h >= 0 ? h / 24 : 0)) != 0;
  };
  if (served(time.hour) && minute >= time.minute) return time.hour;
  for (int h = time.hour + 1; h <= time.hour + 24; ++h) {
    if (served(h)) return h;
  }
  return -1;
}

bool Timetable::recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure) {
  // The served hours looked for one by one.
  return fast_departures::departureBy(
      r, time, day, departure, [](std::uint32_t hours, std::uint8_t days, int d, int minute, TimeOfDay t) {
        return nextServedHour(hours, days, d, minute, t);
      });
}

int Timetable::nextDeparture(StationNo station, StationNo next, TrainNo train, TimeOfDay time,
                             TimeOfDay& departure, int* recordIndex) const {
  return nextDepartureOn(station, next, train, time, -1, departure, recordIndex);
}

int Timetable::nextDepartureOn(StationNo station, StationNo next, TrainNo train, TimeOfDay time, int day,
                               TimeOfDay& departure, int* recordIndex) const {
  int best = -1;
  TimeOfDay bestDeparture{};
  int first = 0;
  int last = 0;
  if (getDepartureRange(station, first, last) < 0) return -1;
  for (int i = first; i <= last; ++i) {
    const auto& r = departures_[static_cast<std::size_t>(i)];
    if (r.train != train || r.nextStation != next) continue;
    TimeOfDay dep{};
    if (!recordDeparture(r, time, day, dep)) continue;
    // Ties keep the earlier record.
    if (best < 0 || dep.totalMinutes() < bestDeparture.totalMinutes()) {
      best = i;
      bestDeparture = dep;
    }
  }
  if (best < 0) return -1;
  if (recordIndex) *recordIndex = best;
  departure = bestDeparture;
  return 0;
}

std::string Timetable::hoursToText(std::uint32_t hours) {
  std::string text(24, '0');
  for (int h = 0; h < 24; ++h) {
    if ((hours >> h) & 1u) text[static_cast<std::size_t>(h)] = '1';
  }
  return text;
}

// The least riding minutes into each station from each station before it,
// drawn from departuresInto, whose departures into one station come by
// station before it, in station order.
void Timetable::buildLeastRides() {
  TimetableIndex& index = index_;
  const std::size_t stations = index.departuresIntoStart.size() - 1;
  index.leastRidesIntoStart.assign(stations + 1, 0);
  auto& rides = index.leastRidesInto;
  for (std::size_t x = 0; x < stations; ++x) {
    for (auto k = index.departuresIntoStart[x]; k < index.departuresIntoStart[x + 1]; ++k) {
      const TimetableIndex::Departure d = index.departuresInto[static_cast<std::size_t>(k)];
      const std::int32_t ride = departures_[static_cast<std::size_t>(d.record)].rideMinutes;
      if (k > index.departuresIntoStart[x] && rides.back().from == d.from) {
        rides.back().minutes = std::min(rides.back().minutes, ride);
      } else {
        rides.push_back({d.from, ride});
      }
    }
    index.leastRidesIntoStart[x + 1] = static_cast<std::int32_t>(rides.size());
  }
}

void Timetable::buildIndex(const RTrainMan& trains) {
  TimetableIndex* index = &index_;
  const int n = stationCount_;
  const auto size = static_cast<std::size_t>(n) + 1;
  const auto spanOf = [](int count, int first) {
    return count < 0 ? TimetableIndex::Span{} : TimetableIndex::Span{first, count};
  };
  index->stationDepartures.resize(size);
  index->stationLinks.resize(size);
  index->linkDepartures.resize(links_.size());
  for (int s = 1; s <= n; ++s) {
    int first = 0;
    int last = 0;
    const auto station = static_cast<StationNo>(s);
    const int departures = getDepartureRange(station, first, last);
    index->stationDepartures[static_cast<std::size_t>(s)] = spanOf(departures, first);
    const int links = getLinkRange(station, first, last);
    index->stationLinks[static_cast<std::size_t>(s)] = spanOf(links, first);
    for (int k = 0; k < links; ++k) {
      const DiaLinkRecord& link = links_[static_cast<std::size_t>(first + k)];
      int depFirst = 0;
      int depLast = 0;
      const int count = getLinkDepartures(station, link.to, depFirst, depLast);
      index->linkDepartures[static_cast<std::size_t>(first + k)] = spanOf(count, depFirst);
    }
  }
  const auto eachHop = [&](auto visit) {
    for (int a = 1; a <= n; ++a) {
      const TimetableIndex::Span links = index->stationLinks[static_cast<std::size_t>(a)];
      for (int k = links.first; k < links.first + links.count; ++k) {
        const StationNo x = links_[static_cast<std::size_t>(k)].to;
        if (x >= 1 && x <= n) visit(x, TimetableIndex::Hop{static_cast<StationNo>(a), k});
      }
    }
  };
  groupByStation(size, eachHop, index->intoStart, index->hopsInto);
  // The same for the departures into each station.
  const auto eachDeparture = [&](auto visit) {
    for (int a = 1; a <= n; ++a) {
      const TimetableIndex::Span span = index->stationDepartures[static_cast<std::size_t>(a)];
      for (int k = span.first; k < span.first + span.count; ++k) {
        const StationNo x = departures_[static_cast<std::size_t>(k)].nextStation;
        if (x >= 1 && x <= n) visit(x, TimetableIndex::Departure{static_cast<StationNo>(a), k});
      }
    }
  };
  groupByStation(size, eachDeparture, index->departuresIntoStart, index->departuresInto);
  eachDeparture([&](StationNo, TimetableIndex::Departure d) {
    if (departures_[static_cast<std::size_t>(d.record)].rideMinutes < 0)
      index->negativeRides.push_back(d.record);
  });
  buildLeastRides();
  for (const DiaDepartureRecord& r : departures_) {
    if (r.minute < 0 || r.minute > 59 || r.interval < 0 || r.rideMinutes < 0) index->clockwise = false;
  }
  const int trainCount = trains.getTrainCount();
  index->walking.assign(static_cast<std::size_t>(std::max(trainCount, 0)) + 1, 0);
  for (int t = 1; t <= trainCount; ++t) {
    index->walking[static_cast<std::size_t>(t)] = trains.isWalking(static_cast<TrainNo>(t)) == 1 ? 1 : 0;
  }
}

std::span<const DiaDepartureRecord> Timetable::indexedDeparturesOf(StationNo station) const {
  const auto& spans = index_.stationDepartures;
  if (station < 0 || static_cast<std::size_t>(station) >= spans.size()) return departuresOf(station);
  const TimetableIndex::Span span = spans[static_cast<std::size_t>(station)];
  return std::span(departures_)
      .subspan(static_cast<std::size_t>(span.first), static_cast<std::size_t>(span.count));
}

std::span<const DiaDepartureRecord> Timetable::indexedLinkDepartures(std::span<const DiaLinkRecord> links,
                                                                     std::size_t k) const {
  const auto index = static_cast<std::size_t>(links.data() - links_.data()) + k;
  const TimetableIndex::Span span = index_.linkDepartures[index];
  return std::span(departures_)
      .subspan(static_cast<std::size_t>(span.first), static_cast<std::size_t>(span.count));
}

void Timetable::forEachTrainLink(
    int trainCount, const std::function<void(TrainNo, const TrainLinkIndex::Link&)>& visit) const {
  const int n = stationCount_;
  // The last link in which each train was seen, so that only its first
  // departure record on a link counts.
  std::vector<int> seenOnLink(static_cast<std::size_t>(std::max(trainCount, 0)) + 1, -1);
  int linkNumber = 0;
  for (StationNo p = 1; p <= n; ++p) {
    for (const DiaLinkRecord& link : linksOf(p)) {
      ++linkNumber;
      // A neighbour outside the station directory cannot be listed or followed.
      if (link.to < 1 || link.to > n) continue;
      int first = 0;
      int last = 0;
      if (clampSpan(link.firstDeparture, link.lastDeparture, departures_.size(), first, last) < 0) continue;
      for (int k = first; k <= last; ++k) {
        const DiaDepartureRecord& r = departures_[static_cast<std::size_t>(k)];
        if (r.train < 1 || r.train > trainCount) continue;
        int& seen = seenOnLink[static_cast<std::size_t>(r.train)];
        if (seen == linkNumber) continue;
        seen = linkNumber;
        visit(r.train, {p, link.to, r.rideMinutes});
      }
    }
  }
}

void Timetable::buildTrainLinks(int trainCount) {
  trainLinks_.begin(trainCount);
  forEachTrainLink(trainCount,
                   [this](TrainNo t, const TrainLinkIndex::Link& link) { trainLinks_.add(t, link); });
  trainLinks_.finish();
}

int Timetable::getRecord(int index, DiaDepartureRecord& record) const {
  if (index < 0 || static_cast<std::size_t>(index) >= departures_.size()) return -1;
  record = departures_[static_cast<std::size_t>(index)];
  return 0;
}

}  // namespace kiv
