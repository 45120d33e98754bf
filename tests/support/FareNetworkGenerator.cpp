#include "FareNetworkGenerator.h"

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>

#include "data/DistIdxFile.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "data/FareFFile.h"
#include "data/FareIdxFile.h"
#include "data/FareRFile.h"
#include "data/FareWFile.h"
#include "data/StaAttrFile.h"
#include "data/StaFareFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "text/Codec.h"

namespace kiv::test {

namespace {

// Some stations of the Tokyo-zone rule's two lists, so that the rule and its
// difference list have pairs to work on; 東京 first.
constexpr const char* kTokyoZoneNames[] = {
    "東京", "熱海",           "新宿", "高崎",           "品川",     "宇都宮", "上野", "水戸",
    "池袋", "井野（群馬県）", "鴬谷", "大和（茨城県）", "千駄ヶ谷", "前橋",   "渋谷", "勝田"};

// Private network codes with fare rules of their own, the walking network
// last; neighbouring codes of one company (10 and 11, 60 to 62) share a
// block of the fare table.
constexpr NetworkCode kPrivateCodes[] = {10, 11, 20, 21, 30, 31, 40, 50, 60, 61, 62, 70, 80, 90, 120, 900};

struct Edge {
  StationNo to;
  Distance distance;
  Distance fareDistance;  // JR only
  std::int8_t kindOrZone;
};

struct Network {
  NetworkCode code = 0;
  std::vector<StationNo> members;                // position order
  std::map<StationNo, std::vector<Edge>> edges;  // leaving each station
};

class Generator {
 public:
  explicit Generator(const FareNetworkShape& shape) : shape_(shape), rng_(shape.seed) {}

  GeneratedFareNetwork run(const std::filesystem::path& dir);

 private:
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(int percent) { return pick(0, 99) < percent; }
  template <typename T>
  void shuffle(std::vector<T>& v) {
    std::shuffle(v.begin(), v.end(), rng_);
  }
  template <typename T>
  const T& anyOf(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(pick(0, static_cast<int>(v.size()) - 1))];
  }

  void assignMembers();
  void buildLines(Network& net);
  void connect(Network& net, StationNo a, StationNo b, std::int8_t kindOrZone);
  // Many edges of equal length, so that routes of equal length are common.
  Distance edgeDistance() { return static_cast<Distance>(chance(80) ? pick(1, 12) * 5 : pick(3, 70)); }
  std::int8_t lineKind();
  std::int8_t zone();

  void writeStations(const std::filesystem::path& dir);
  void writeDistances(const std::filesystem::path& dir);
  void writeFares(const std::filesystem::path& dir);

  FareNetworkShape shape_;
  std::mt19937 rng_;
  int n_ = 0;
  std::vector<Network> networks_;  // JR first
};

GeneratedFareNetwork Generator::run(const std::filesystem::path& dir) {
  n_ = std::max(shape_.stations, 20);
  assignMembers();
  for (Network& net : networks_) buildLines(net);
  writeStations(dir);
  writeDistances(dir);
  writeFares(dir);

  GeneratedFareNetwork out;
  out.stations = n_;
  for (const Network& net : networks_) {
    out.networks.push_back(net.code);
    out.members.push_back(net.members);
  }
  out.tokyo = networks_.front().members.empty() ? StationNo{-1} : StationNo{1};
  return out;
}

void Generator::assignMembers() {
  std::vector<StationNo> order;
  for (int s = 1; s <= n_; ++s) order.push_back(static_cast<StationNo>(s));
  // Station 1 onwards carry the Tokyo-zone names and are JR stations.
  const int named = std::min<int>(std::size(kTokyoZoneNames), n_ / 4);
  std::shuffle(order.begin() + named, order.end(), rng_);

  const int privateCount = std::clamp(2 + n_ / 120, 2, static_cast<int>(std::size(kPrivateCodes)));
  const int jrCount = std::max(named + 4, n_ * shape_.jrPercent / 100);
  networks_.assign(static_cast<std::size_t>(privateCount) + 1, Network{});
  networks_[0].members.assign(order.begin(), order.begin() + jrCount);
  for (int k = 1; k <= privateCount; ++k) networks_[static_cast<std::size_t>(k)].code = kPrivateCodes[k - 1];
  // Every other station belongs to one private network, and each private
  // network shares a few stations with JR and the other networks.
  for (std::size_t i = static_cast<std::size_t>(jrCount); i < order.size(); ++i)
    networks_[static_cast<std::size_t>(pick(1, privateCount))].members.push_back(order[i]);
  for (std::size_t k = 1; k < networks_.size(); ++k) {
    Network& net = networks_[k];
    const int shared = 2 + static_cast<int>(net.members.size()) / 8;
    for (int i = 0; i < shared; ++i) {
      const StationNo s = order[static_cast<std::size_t>(pick(0, n_ - 1))];
      if (std::find(net.members.begin(), net.members.end(), s) == net.members.end()) net.members.push_back(s);
    }
  }
  for (Network& net : networks_) shuffle(net.members);
}

std::int8_t Generator::lineKind() {
  const int r = pick(0, 99);
  if (r < 20) return 1;
  if (r < 45) return 2;
  if (r < 75) return 3;
  return static_cast<std::int8_t>(anyOf(std::vector<int>{0, 4, 5}));
}

std::int8_t Generator::zone() {
  const int r = pick(0, 99);
  if (r < 50) return 0;
  if (r < 70) return 1;
  if (r < 88) return 2;
  if (r < 95) return static_cast<std::int8_t>(pick(3, 9));
  return 10;
}

void Generator::connect(Network& net, StationNo a, StationNo b, std::int8_t kindOrZone) {
  const Distance d = edgeDistance();
  const bool jr = net.code == 0;
  // The fare distance counts on local lines only; elsewhere it is noise the fares must ignore.
  auto fareDistance = [&](Distance distance) {
    const bool local = kindOrZone < 1 || kindOrZone > 3;
    return static_cast<Distance>(local ? distance + distance / 10 + pick(0, 2) : pick(0, 99));
  };
  const std::int8_t there = jr ? kindOrZone : (chance(90) ? kindOrZone : zone());
  net.edges[a].push_back({b, d, jr ? fareDistance(d) : Distance{0}, there});
  if (chance(5)) return;  // a one-way connection
  const Distance back = chance(4) ? edgeDistance() : d;
  net.edges[b].push_back({a, back, jr ? fareDistance(back) : Distance{0}, there});
}

void Generator::buildLines(Network& net) {
  std::vector<StationNo> order = net.members;
  shuffle(order);
  if (order.empty()) return;
  // Lines grow from stations already placed, so every network is connected.
  std::vector<StationNo> placed{order.front()};
  StationNo tail = order.front();
  std::int8_t kind = net.code == 0 ? lineKind() : zone();
  for (std::size_t i = 1; i < order.size(); ++i) {
    if (chance(15)) {
      tail = anyOf(placed);
      kind = net.code == 0 ? lineKind() : zone();
    }
    connect(net, tail, order[i], kind);
    placed.push_back(order[i]);
    tail = order[i];
  }
  const int chords = static_cast<int>(order.size()) * shape_.chordPercent / 100;
  for (int c = 0; c < chords; ++c) {
    const StationNo a = anyOf(placed);
    const StationNo b = anyOf(placed);
    if (a != b) connect(net, a, b, net.code == 0 ? lineKind() : zone());
  }
  for (auto& [station, leaving] : net.edges) shuffle(leaving);
}

void Generator::writeStations(const std::filesystem::path& dir) {
  StaNameFile names;
  for (int s = 1; s <= n_; ++s) {
    const bool named = s <= static_cast<int>(std::size(kTokyoZoneNames)) && s <= n_ / 4;
    const std::string kanji = named ? kTokyoZoneNames[s - 1] : "駅" + std::to_string(s);
    names.stations.push_back({utf8ToSjis(kanji).value_or(std::string()), "eki" + std::to_string(s)});
  }
  writeStaNameFile(dir / "StaName.kv4", names);

  // Networks stand in the station index in a shuffled order; once in a
  // while a network lists one of its stations twice (the first counts).
  std::vector<std::size_t> order(networks_.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  shuffle(order);
  StaAttrFile attr;
  StaIdxFile idx;
  for (std::size_t k : order) {
    const Network& net = networks_[k];
    const auto first = static_cast<std::int16_t>(attr.entries.size() + 1);
    for (StationNo s : net.members) attr.entries.push_back({0, s, 0});
    if (chance(10)) attr.entries.push_back({0, anyOf(net.members), 0});
    idx.networks.push_back({net.code, first, static_cast<std::int16_t>(attr.entries.size())});
  }
  writeStaAttrFile(dir / "StaAttr.kv4", attr);
  writeStaIdxFile(dir / "StaIdx.kv4", idx);

  StaFareFile codes;
  codes.stations.resize(static_cast<std::size_t>(n_));
  for (const Network& net : networks_)
    for (StationNo s : net.members) codes.stations[static_cast<std::size_t>(s - 1)].push_back(net.code);
  for (auto& list : codes.stations)
    if (chance(50)) shuffle(list);
  writeStaFareFile(dir / "StaFare.kv4", codes);
}

void Generator::writeDistances(const std::filesystem::path& dir) {
  DistJRFile jr;
  DistPRFile pr;
  DistIdxFile index;
  std::vector<std::size_t> order(networks_.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  shuffle(order);
  for (std::size_t k : order) {
    const Network& net = networks_[k];
    std::vector<StationNo> starts = net.members;
    shuffle(starts);
    for (StationNo s : starts) {
      const auto found = net.edges.find(s);
      if (found == net.edges.end()) continue;
      const std::size_t before = net.code == 0 ? jr.edges.size() : pr.edges.size();
      for (const Edge& e : found->second) {
        if (net.code == 0) {
          jr.edges.push_back({s, e.to, e.distance, e.fareDistance, e.kindOrZone});
        } else {
          pr.edges.push_back({static_cast<std::int16_t>(pick(-5, 5)), s, e.to, e.distance, e.kindOrZone});
        }
      }
      const std::size_t after = net.code == 0 ? jr.edges.size() : pr.edges.size();
      const DistIdxEntry entry{net.code, s, static_cast<std::int16_t>(before + 1),
                               static_cast<std::int16_t>(after)};
      index.entries.push_back(entry);
      // A second entry for the same station is never followed.
      if (chance(2)) index.entries.push_back({net.code, s, entry.first, entry.first});
    }
  }
  writeDistJRFile(dir / "DistJR.kv4", jr);
  writeDistPRFile(dir / "DistPR.kv4", pr);
  writeDistIdxFile(dir / "DistIdx.kv4", index);
}

void Generator::writeFares(const std::filesystem::path& dir) {
  writeFareIdxFile(dir / "FAREIDX.KV4",
                   FareIdxFile{std::vector<FareIdxRecord>(static_cast<std::size_t>(n_))});

  // Station pairs of one network; now and then the same pair again, either
  // way round, with another amount (the first record counts).
  auto pairs = [&](int count, int lo, int hi) {
    std::vector<FarePairRecord> records;
    for (int i = 0; i < count; ++i) {
      const Network& net = anyOf(networks_);
      if (net.members.size() < 2) continue;
      const StationNo a = anyOf(net.members);
      const StationNo b = anyOf(net.members);
      if (a == b) continue;
      records.push_back({net.code, a, b, static_cast<std::int16_t>(pick(lo, hi))});
      if (chance(15)) records.push_back({net.code, b, a, static_cast<std::int16_t>(pick(lo, hi))});
    }
    return records;
  };
  writeFareFFile(dir / "FAREF.KV4", FareFFile{pairs(n_ / 12 + 2, 13, 150)});
  writeFareRFile(dir / "FARER.KV4", FareRFile{pairs(n_ / 12 + 2, 1, 5)});

  // Linked stations, and one station with more links than the search follows.
  FareWFile links;
  for (int i = 0; i < n_ / 25 + 2; ++i)
    links.records.push_back({0, static_cast<StationNo>(pick(1, n_)), static_cast<StationNo>(pick(1, n_)), 0});
  const auto hub = static_cast<StationNo>(pick(1, n_));
  for (int i = 0; i < 7; ++i) links.records.push_back({0, hub, static_cast<StationNo>(pick(1, n_)), 0});
  writeFareWFile(dir / "FAREW.KV4", links);
}

}  // namespace

GeneratedFareNetwork writeFareNetwork(const std::filesystem::path& dir, const FareNetworkShape& shape) {
  return Generator(shape).run(dir);
}

}  // namespace kiv::test
