// Change times between trains, special fares, reductions and linked stations.
#include <algorithm>

#include "Compilation.h"

namespace kiv::data {

bool Compilation::trainStopsAt(const TrainInfo& train, int station) const {
  return std::find(train.stops.begin(), train.stops.end(), station) != train.stops.end();
}

std::vector<int> Compilation::matchTrains(const std::string& pattern, const SourceLoc& loc) {
  std::vector<int> found;
  bool prefix = !pattern.empty() && pattern.back() == '*';
  std::string stem = prefix ? pattern.substr(0, pattern.size() - 1) : pattern;
  bool known = false;
  for (std::size_t i = 0; i < trains_.size(); ++i) {
    std::string name = i < src_.trains.size() ? src_.trains[i].name : (trains_[i] ? trains_[i]->name : "");
    bool match = prefix ? name.rfind(stem, 0) == 0 : name == stem;
    if (!match) continue;
    known = true;
    if (trains_[i]) found.push_back(static_cast<int>(i + 1));
  }
  if (!known) diag_.error(loc, prefix ? "no train name begins with " + stem : "unknown train " + stem);
  return found;
}

void Compilation::buildTransfers() {
  std::map<std::tuple<int, int, int>, std::pair<int, SourceLoc>> given;  // (station, lower, higher train)
  for (const ChangeDef& change : src_.changes) {
    int st = stationNo(change.station, change.loc);
    std::vector<int> as = matchTrains(change.trainA, change.loc);
    std::vector<int> bs = matchTrains(change.trainB, change.loc);
    if (st < 0 || as.empty() || bs.empty()) continue;
    bool any = false;
    for (int a : as) {
      if (!trainStopsAt(*trains_[a - 1], st)) continue;
      for (int b : bs) {
        if (a == b || !trainStopsAt(*trains_[b - 1], st)) continue;
        any = true;
        auto key = std::make_tuple(st, std::min(a, b), std::max(a, b));
        auto [at, fresh] = given.emplace(key, std::make_pair(change.minutes, change.loc));
        if (fresh) {
          out_.transfer.records.push_back(TransferRecord{
              static_cast<StationNo>(st), static_cast<TrainNo>(trainNumber_[a - 1]),
              static_cast<TrainNo>(trainNumber_[b - 1]), static_cast<std::int16_t>(change.minutes)});
        } else if (at->second.first != change.minutes) {
          diag_.error(change.loc, "the change between " + trains_[a - 1]->name + " and " +
                                      trains_[b - 1]->name + " at " + change.station +
                                      " is already given as " + std::to_string(at->second.first) +
                                      " minutes at " + formatLoc(at->second.second));
        }
      }
    }
    if (!any)
      diag_.error(change.loc, "no two different trains of " + change.trainA + " and " + change.trainB +
                                  " stop at " + change.station);
  }
}

void Compilation::buildFares() {
  std::map<std::tuple<bool, int, int, int>, SourceLoc> given;
  for (const FareDef& fare : src_.fares) {
    int a = stationNo(fare.a, fare.loc);
    int b = stationNo(fare.b, fare.loc);
    if (a < 0 || b < 0) continue;
    bool ok = true;
    for (int st : {a, b}) {
      if (!inNetwork(st, fare.network)) {
        diag_.error(fare.loc,
                    stationName(st) + " is not a station of network " + std::to_string(fare.network));
        ok = false;
      }
    }
    if (a == b) {
      diag_.error(fare.loc, "a fare needs two different stations");
      ok = false;
    }
    if (!ok) continue;
    auto [at, fresh] = given.emplace(
        std::make_tuple(fare.reduction, fare.network, std::min(a, b), std::max(a, b)), fare.loc);
    if (!fresh) {
      diag_.error(fare.loc, std::string(fare.reduction ? "reduction" : "special fare") + " " + fare.a + "-" +
                                fare.b + " is given twice (also at " + formatLoc(at->second) + ")");
      continue;
    }
    FarePairRecord rec{static_cast<std::int16_t>(fare.network), static_cast<std::int16_t>(a),
                       static_cast<std::int16_t>(b), static_cast<std::int16_t>(fare.yen / 10)};
    (fare.reduction ? out_.fareR.records : out_.fareF.records).push_back(rec);
    if (fare.reduction) out_.reductionPlaces.push_back(formatLoc(fare.loc));
  }
}

void Compilation::buildLinks() {
  std::set<std::pair<int, int>> seen;
  auto add = [&](const std::string& an, const std::string& bn, const SourceLoc& loc) {
    int a = stationNo(an, loc);
    int b = stationNo(bn, loc);
    if (a < 0 || b < 0) return;
    if (a == b) {
      diag_.error(loc, "a link needs two different stations");
      return;
    }
    if (seen.emplace(std::min(a, b), std::max(a, b)).second)
      out_.fareW.records.push_back(
          FareWRecord{0, static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), 0});
  };
  for (const LinkDef& link : src_.links) add(link.a, link.b, link.loc);
  // Walking connections were checked with their trains; only good ones link.
  for (const WalkDef& walk : src_.walks) {
    auto a = stationByName_.find(walk.a);
    auto b = stationByName_.find(walk.b);
    if (a != stationByName_.end() && b != stationByName_.end() && a->second != b->second)
      add(walk.a, walk.b, walk.loc);
  }
}

void Compilation::buildFareTables() {
  buildTransfers();
  buildFares();
  buildLinks();
  const std::size_t limit = 32767;
  if (out_.fareF.records.size() > limit || out_.fareR.records.size() > limit ||
      out_.fareW.records.size() > limit)
    diag_.error("too many fare or link records (at most 32767 per file)");
}

}  // namespace kiv::data
