// Trains: stop lists, riding minutes, walking connections, and the
// departure patterns of the timetable with their station and link indexes.
#include <algorithm>
#include <cmath>
#include <map>

#include "Compilation.h"
#include "SourceText.h"

namespace kiv::data {

namespace {

constexpr int kMaxTrains = 32767;
constexpr long kMaxRideMinutes = 600;  // as for minutes given in a stop row
constexpr std::uint32_t kAllHours = 0xffffff;
constexpr std::uint8_t kAllDays = 0x7f;

// The hours mask seen `shift` whole hours later (hours past midnight wrap
// to the morning hours of the mask).
std::uint32_t shiftHours(std::uint32_t hours, int shift) {
  std::uint32_t out = 0;
  for (int h = 0; h < 24; ++h)
    if (hours & (1u << h)) out |= 1u << ((h + shift) % 24);
  return out;
}

bool usesReverse(const TrainDef& def) {
  return std::any_of(def.stops.begin(), def.stops.end(),
                     [](const StopItem& s) { return s.type == StopItem::Type::Reverse; });
}

// A word of small ASCII letters that names no station is a keyword written
// wrong (sped 40), not a stop with its riding minutes.
bool looksLikeKeyword(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

void Compilation::buildTrains() {
  trains_.assign(src_.trains.size(), std::nullopt);
  resolveState_.assign(src_.trains.size(), 0);
  for (std::size_t i = 0; i < src_.trains.size(); ++i) {
    const TrainDef& def = src_.trains[i];
    auto [it, fresh] = trainByName_.emplace(def.name, i);
    if (!fresh)
      diag_.error(def.loc, "train " + def.name + " is defined twice (first at " +
                               formatLoc(src_.trains[it->second].loc) + ")");
  }
  for (std::size_t i = 0; i < src_.trains.size(); ++i) resolveTrain(i);
  buildWalkingTrains();
  if (trains_.size() > static_cast<std::size_t>(kMaxTrains)) diag_.error("too many trains (at most 32767)");
  orderTrains();
  for (std::size_t i : trainOrder_) {
    const auto& t = trains_[i];
    std::string name = t ? t->name : src_.trains[i].name;
    out_.train.trains.push_back(TrainRecord{toSjis(name), static_cast<NetworkCode>(t ? t->network : 0)});
  }
}

// Trains are numbered in the order of the sources, and walking connections
// come last. A walk that is a change inside one company's fare follows the
// last train of that company instead, so that each company's trains keep one
// run of numbers.
void Compilation::orderTrains() {
  const std::size_t ordinary = src_.trains.size();
  std::map<int, std::size_t> lastOfCompany;
  for (std::size_t i = 0; i < ordinary; ++i)
    if (trains_[i]) lastOfCompany[trains_[i]->network / 10] = i;
  auto place = [&](std::size_t i) -> std::size_t {
    if (i < ordinary || trains_[i]->network == kWalkingNetwork) return i < ordinary ? i : trains_.size();
    auto it = lastOfCompany.find(trains_[i]->network / 10);
    return it != lastOfCompany.end() ? it->second : trains_.size();
  };
  trainOrder_.resize(trains_.size());
  for (std::size_t i = 0; i < trainOrder_.size(); ++i) trainOrder_[i] = i;
  std::stable_sort(trainOrder_.begin(), trainOrder_.end(),
                   [&](std::size_t a, std::size_t b) { return place(a) < place(b); });
  trainNumber_.assign(trains_.size(), 0);
  for (std::size_t k = 0; k < trainOrder_.size(); ++k) trainNumber_[trainOrder_[k]] = static_cast<int>(k + 1);
}

void Compilation::resolveTrain(std::size_t index) {
  if (resolveState_[index] != 0) return;
  resolveState_[index] = 1;
  const TrainDef& def = src_.trains[index];
  TrainInfo info;
  info.name = def.name;
  info.loc = def.loc;
  info.network = def.network;
  info.order = def.order;
  info.patterns = def.patterns;

  std::vector<std::optional<int>> given;  // minutes into each stop
  std::vector<SourceLoc> locs;
  bool failed = false;
  auto push = [&](int st, std::optional<int> minutes, const SourceLoc& loc, int wait = 0) {
    info.stops.push_back(st);
    given.push_back(minutes);
    locs.push_back(loc);
    info.wait.push_back(wait);
  };
  for (const StopItem& item : def.stops) {
    if (item.type == StopItem::Type::Stop) {
      if (looksLikeKeyword(item.station) && !stationByName_.contains(item.station)) {
        diag_.error(item.loc, "unknown keyword '" + item.station +
                                  "' in a train block (network, terminal, order, speed, every, at, along, "
                                  "reverse; a stop row begins with a station)");
        failed = true;
        continue;
      }
      int st = stationNo(item.station, item.loc);
      if (st < 0) {
        failed = true;
        continue;
      }
      push(st, item.minutes, item.loc, item.wait);
    } else if (item.type == StopItem::Type::Along) {
      auto it = lineByName_.find(item.line);
      if (it == lineByName_.end()) {
        diag_.error(item.loc, "unknown line " + item.line);
        failed = true;
        continue;
      }
      const LineDef& line = *it->second;
      if (line.network != def.network) {
        diag_.error(item.loc, "line " + line.name + " is on network " + std::to_string(line.network) +
                                  ", the train on network " + std::to_string(def.network));
        failed = true;
        continue;
      }
      auto find = [&](const std::string& name) {
        for (std::size_t r = 0; r < line.rows.size(); ++r)
          if (line.rows[r].name == name) return static_cast<int>(r);
        diag_.error(item.loc, name + " is not on line " + line.name);
        return -1;
      };
      int from = find(item.from);
      int to = find(item.to);
      if (from < 0 || to < 0) {
        failed = true;
        continue;
      }
      if (from == to) {
        diag_.error(item.loc, "'along' needs two different stations");
        failed = true;
        continue;
      }
      int step = from < to ? 1 : -1;
      for (int r = from;; r += step) {
        int st = stationByName_.at(line.rows[r].name);
        if (!(r == from && !info.stops.empty() && info.stops.back() == st)) push(st, std::nullopt, item.loc);
        if (r == to) break;
      }
    } else {
      auto it = trainByName_.find(item.train);
      if (it == trainByName_.end()) {
        diag_.error(item.loc, "unknown train " + item.train);
        failed = true;
        continue;
      }
      const TrainDef& other = src_.trains[it->second];
      if (it->second == index || usesReverse(other)) {
        diag_.error(item.loc,
                    "train " + other.name + " itself uses reverse; reverse a train with its own stops");
        failed = true;
        continue;
      }
      resolveTrain(it->second);
      const auto& base = trains_[it->second];
      if (!base) {
        failed = true;  // its own errors are reported already
        continue;
      }
      // The reversed train stands where the train it mirrors stands.
      int n = static_cast<int>(base->stops.size());
      for (int k = n - 1; k >= 0; --k) {
        int st = base->stops[k];
        if (k == n - 1) {
          if (info.stops.empty() || info.stops.back() != st) push(st, std::nullopt, item.loc);
        } else {
          push(st, base->ride[k], item.loc, base->wait[k]);
        }
      }
    }
  }

  if (!def.terminal) {
    diag_.error(def.loc, "train " + def.name + " has no terminal: add 'terminal STATION'");
    failed = true;
  } else {
    info.terminal = stationNo(*def.terminal, def.terminalLoc);
    if (info.terminal < 0) failed = true;
  }
  if (def.patterns.empty()) {
    diag_.error(def.loc, "train " + def.name + " has no service pattern: add 'every' or 'at'");
    failed = true;
  }
  if (!failed && info.stops.size() < 2) {
    diag_.error(def.loc, "train " + def.name + " needs at least two stops");
    failed = true;
  }
  if (!failed && given[0]) {
    diag_.error(locs[0], "riding minutes at the first stop: minutes stand at the stop they lead to");
    failed = true;
  }
  if (!failed && info.wait.front() > 0) {
    diag_.error(locs[0], "wait= at the first stop: the service pattern gives the departures there");
    failed = true;
  }
  if (!failed && info.wait.back() > 0) {
    diag_.error(locs.back(), "wait= at the last stop: no departure follows it");
    failed = true;
  }
  for (std::size_t k = 1; !failed && k < info.stops.size(); ++k) {
    int a = info.stops[k - 1];
    int b = info.stops[k];
    const SourceLoc& loc = locs[k];
    std::string net = std::to_string(def.network);
    if (a == b) {
      diag_.error(loc, "the train stops at " + stationName(a) + " twice in a row");
      failed = true;
      break;
    }
    for (int st : {a, b}) {
      if (!inNetwork(st, def.network)) {
        diag_.error(loc, stationName(st) + " is not a station of network " + net +
                             " (no line of it has the station)");
        failed = true;
      }
    }
    if (failed) break;
    int km = networkDistance(def.network, a, b);
    if (km < 0) {
      diag_.error(loc, "no line of network " + net + " joins " + stationName(a) + " and " + stationName(b));
      failed = true;
      break;
    }
    if (given[k]) {
      info.ride.push_back(*given[k]);
    } else if (def.speed > 0) {
      const long minutes = std::max(1L, std::lround(km / 10.0 * 60.0 / def.speed));
      if (minutes > kMaxRideMinutes) {
        diag_.error(loc, "riding minutes from " + stationName(a) + " to " + stationName(b) + " come to " +
                             std::to_string(minutes) + " at the train's speed, more than " +
                             std::to_string(kMaxRideMinutes) + ": give the minutes or a higher speed");
        failed = true;
        break;
      }
      info.ride.push_back(static_cast<int>(minutes));
    } else {
      diag_.error(loc, "no riding minutes from " + stationName(a) + " to " + stationName(b) +
                           " and no speed for the train");
      failed = true;
      break;
    }
  }
  resolveState_[index] = 2;
  if (!failed) trains_[index] = std::move(info);
}

void Compilation::buildWalkingTrains() {
  std::map<std::string, std::size_t> byName;
  std::map<std::tuple<std::string, int, int>, SourceLoc> pairs;
  for (const WalkDef& walk : src_.walks) {
    int a = stationNo(walk.a, walk.loc);
    int b = stationNo(walk.b, walk.loc);
    if (a < 0 || b < 0) continue;
    if (a == b) {
      diag_.error(walk.loc, "a walking connection needs two different stations");
      continue;
    }
    auto [at, fresh] = pairs.emplace(std::make_tuple(walk.name, std::min(a, b), std::max(a, b)), walk.loc);
    if (!fresh) {
      diag_.error(walk.loc, "walking connection " + walk.a + "-" + walk.b + " is given twice (also at " +
                                formatLoc(at->second) + ")");
      continue;
    }
    // A change inside one company's fare joins two stations of that network.
    const int network = walk.inFareNetwork != 0 ? walk.inFareNetwork : kWalkingNetwork;
    if (walk.inFareNetwork != 0) {
      bool ok = true;
      for (int st : {a, b}) {
        if (!inNetwork(st, network)) {
          diag_.error(walk.loc, stationName(st) + " is not a station of network " + std::to_string(network));
          ok = false;
        }
      }
      if (!ok) continue;
    }
    auto it = byName.find(walk.name);
    if (it == byName.end()) {
      TrainInfo info;
      info.name = walk.name;
      info.loc = walk.loc;
      info.network = network;
      info.walking = true;
      trains_.push_back(std::move(info));
      it = byName.emplace(walk.name, trains_.size() - 1).first;
    }
    TrainInfo& train = *trains_[it->second];
    if (train.network != network) {
      diag_.error(walk.loc, "all walks named " + walk.name + " must have the same infare= (see " +
                                formatLoc(train.loc) + ")");
      continue;
    }
    train.walks.push_back(&walk);
    for (int st : {a, b})
      if (std::find(train.stops.begin(), train.stops.end(), st) == train.stops.end())
        train.stops.push_back(st);
  }
}

void Compilation::buildTimetable() {
  std::vector<DiaDepartureRecord> records;
  for (std::size_t t : trainOrder_) {
    if (!trains_[t]) continue;
    const TrainInfo& train = *trains_[t];
    auto trainNo = static_cast<std::int16_t>(trainNumber_[t]);
    if (train.walking) {
      for (const WalkDef* walk : train.walks) {
        int a = stationByName_.at(walk->a);
        int b = stationByName_.at(walk->b);
        for (auto [from, to] : {std::make_pair(a, b), std::make_pair(b, a)}) {
          DiaDepartureRecord r;
          r.train = trainNo;
          r.station = static_cast<std::int16_t>(from);
          r.nextStation = static_cast<std::int16_t>(to);
          r.terminal = static_cast<std::int16_t>(to);
          r.rideMinutes = static_cast<std::int16_t>(walk->minutes);
          r.interval = 1;  // always ready: the expected wait of a 1-minute interval is 0
          r.days = kAllDays;
          r.hours = kAllHours;
          records.push_back(r);
        }
      }
      continue;
    }
    int elapsed = 0;  // riding and standing minutes from the first stop to the departure at stop k
    for (std::size_t k = 0; k + 1 < train.stops.size(); ++k) {
      elapsed += train.wait[k];
      for (const ServicePattern& p : train.patterns) {
        DiaDepartureRecord r;
        r.train = trainNo;
        r.station = static_cast<std::int16_t>(train.stops[k]);
        r.nextStation = static_cast<std::int16_t>(train.stops[k + 1]);
        r.terminal = static_cast<std::int16_t>(train.terminal);
        r.rideMinutes = static_cast<std::int16_t>(train.ride[k]);
        r.listOrder = static_cast<std::int8_t>(train.order);
        r.days = p.days;
        if (p.interval > 0) {
          r.interval = static_cast<std::int16_t>(p.interval);
          r.hours = shiftHours(p.hours, elapsed / 60);
          records.push_back(r);
        } else {
          for (int m : p.minutes) {
            int t0 = m + elapsed;
            r.minute = static_cast<std::int16_t>(t0 % 60);
            r.hours = shiftHours(p.hours, t0 / 60);
            records.push_back(r);
          }
        }
      }
      elapsed += train.ride[k];
    }
  }

  // Group by station, then by next station; within a link the records keep
  // train order and the order of their patterns.
  std::stable_sort(records.begin(), records.end(),
                   [](const DiaDepartureRecord& x, const DiaDepartureRecord& y) {
                     return std::tie(x.station, x.nextStation) < std::tie(y.station, y.nextStation);
                   });
  out_.diagram2.records = std::move(records);

  std::size_t n = stations_.size();
  out_.diaIdx1.records.assign(n, DiaStationRecord{});
  for (std::size_t s = 0; s < n; ++s) out_.diaIdx1.records[s].station = static_cast<std::int16_t>(s + 1);
  const std::vector<DiaDepartureRecord>& stored = out_.diagram2.records;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const DiaDepartureRecord& r = stored[i];
    auto number = static_cast<std::int32_t>(i + 1);
    std::vector<DiaLinkRecord>& links = out_.diaIdx2.records;
    if (links.empty() || links.back().from != r.station || links.back().to != r.nextStation)
      links.push_back(DiaLinkRecord{r.station, r.nextStation, number, number});
    links.back().lastDeparture = number;
    DiaStationRecord& st = out_.diaIdx1.records[r.station - 1];
    auto linkNo = static_cast<std::int32_t>(links.size());
    if (st.firstDeparture == 0) {
      st.firstDeparture = number;
      st.firstLink = linkNo;
    }
    st.lastDeparture = number;
    st.lastLink = linkNo;
  }
}

}  // namespace kiv::data
