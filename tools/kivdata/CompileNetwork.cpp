// Stations, network membership, distance edges and the line list.
#include <algorithm>
#include <queue>
#include <unordered_map>

#include "Compilation.h"
#include "SourceText.h"

namespace kiv::data {

namespace {

constexpr int kMaxStations = 32767;
constexpr int kMaxRecords16 = 32767;
constexpr std::size_t kMaxTitleBytes = 250;  // the line list is read 254 characters at a time

// Cumulative fare kilometres of a row on a local line.
int fareKmOf(const LineRow& row) { return row.fareKm ? *row.fareKm : (row.km * 11 + 5) / 10; }

std::string kmText(int km) { return std::to_string(km / 10) + "." + std::to_string(km % 10); }

}  // namespace

int Compilation::stationNo(const std::string& name, const SourceLoc& loc) {
  auto it = stationByName_.find(name);
  if (it != stationByName_.end()) return it->second;
  diag_.error(loc, "unknown station " + name + " (stations are introduced by the rows of a line)");
  return -1;
}

bool Compilation::inNetwork(int station, int network) const {
  return station >= 1 && station <= static_cast<int>(stations_.size()) &&
         stations_[station - 1].networks.count(network) > 0;
}

int Compilation::registerStation(const LineRow& row) {
  auto it = stationByName_.find(row.name);
  if (it == stationByName_.end()) {
    if (static_cast<int>(stations_.size()) >= kMaxStations) {
      diag_.error(row.loc, "too many stations (at most 32767)");
      return -1;
    }
    stations_.push_back(
        StationInfo{row.name, row.kana, row.loc, row.kana.empty() ? SourceLoc{} : row.loc, {}});
    int no = static_cast<int>(stations_.size());
    stationByName_.emplace(row.name, no);
    return no;
  }
  StationInfo& st = stations_[it->second - 1];
  if (!row.kana.empty()) {
    if (st.kana.empty()) {
      st.kana = row.kana;
      st.kanaLoc = row.loc;
    } else if (st.kana != row.kana) {
      diag_.error(row.loc, "kana of " + row.name + " is " + row.kana + " here but " + st.kana + " at " +
                               formatLoc(st.kanaLoc));
    }
  }
  return it->second;
}

void Compilation::addEdge(const EdgeInfo& edge) {
  auto key = std::make_tuple(edge.network, edge.from, edge.to);
  auto it = edges_.find(key);
  if (it == edges_.end()) {
    edges_.emplace(key, edge);
    adjacency_[edge.network][edge.from].emplace_back(edge.to, edge.distance);
    return;
  }
  const EdgeInfo& old = it->second;
  if (old.distance != edge.distance || old.fareDistance != edge.fareDistance || old.kind != edge.kind ||
      old.zone != edge.zone) {
    diag_.error(edge.loc, "section " + stationName(edge.from) + "-" + stationName(edge.to) +
                              " differs from the same section at " + formatLoc(old.loc) +
                              " (kilometres, line kind, fare kilometres or zone)");
  }
}

void Compilation::buildLine(const LineDef& line) {
  if (!lineByName_.emplace(line.name, &line).second) {
    diag_.error(line.loc, "line " + line.name + " is defined twice (first at " +
                              formatLoc(lineByName_[line.name]->loc) + ")");
  }
  bool jr = line.network == kJrNetwork;
  if (jr && line.zoneLoc) diag_.error(*line.zoneLoc, "zone is for private lines; JR lines use kind");
  if (!jr && line.kindLoc) diag_.error(*line.kindLoc, "kind is for JR lines; private lines use zone");
  if (line.rows.size() < 2) diag_.error(line.loc, "line " + line.name + " needs at least two stations");
  if (line.listed) {
    std::string title = toSjis(line.title);
    if (title.empty())
      diag_.error(line.loc, "title '" + line.title + "' cannot be written in Shift-JIS");
    else if (title.size() > kMaxTitleBytes)
      diag_.error(line.loc, "title is longer than " + std::to_string(kMaxTitleBytes) + " Shift-JIS bytes");
  }

  std::map<int, SourceLoc> seen;
  int prevNo = -1;
  const LineRow* prev = nullptr;
  for (std::size_t i = 0; i < line.rows.size(); ++i) {
    const LineRow& row = line.rows[i];
    int no = registerStation(row);
    if (no < 0) return;
    stations_[no - 1].networks.insert(line.network);
    auto [at, fresh] = seen.emplace(no, row.loc);
    bool closesRing = i + 1 == line.rows.size() && i >= 3 && row.name == line.rows[0].name;
    if (!fresh && !closesRing)
      diag_.error(row.loc, row.name + " appears twice in line " + line.name + " (also at " +
                               formatLoc(at->second) + ")");
    if (prev) {
      EdgeInfo edge;
      edge.network = line.network;
      edge.from = prevNo;
      edge.to = no;
      edge.distance = row.km - prev->km;
      edge.loc = row.loc;
      if (edge.distance <= 0) {
        diag_.error(row.loc, "kilometres do not increase: " + row.name + " " + kmText(row.km) + " after " +
                                 prev->name + " " + kmText(prev->km));
      } else if (edge.distance >= 32000) {
        diag_.error(row.loc, "section " + prev->name + "-" + row.name + " is 3200 km or longer");
      } else if (jr && row.kind == kKindNone) {
        diag_.error(row.loc, "no line kind for the section " + prev->name + "-" + row.name +
                                 ": put 'kind 山手線内|電車特定区間|幹線|地方交通線' before it");
      } else {
        edge.kind = jr ? row.kind : 0;
        edge.zone = jr ? 0 : row.zone;
        edge.fareDistance = edge.distance;
        if (jr && row.kind == kKindLocal) {
          edge.fareDistance = fareKmOf(row) - fareKmOf(*prev);
          if (edge.fareDistance <= 0 || edge.fareDistance >= 32000) {
            diag_.error(row.loc, "fare kilometres do not increase from " + prev->name + " to " + row.name);
            edge.fareDistance = edge.distance;
          }
        }
        addEdge(edge);
        if (!row.oneWay) {
          std::swap(edge.from, edge.to);
          addEdge(edge);
        }
      }
    }
    prev = &row;
    prevNo = no;
  }
}

void Compilation::buildNetwork() {
  for (const LineDef& line : src_.lines) buildLine(line);
  if (src_.lines.empty()) diag_.error("the sources define no line, so no station: nothing to compile");
  for (const StationInfo& st : stations_)
    if (st.kana.empty()) diag_.error(st.loc, "station " + st.name + " has no kana: give it at its first row");

  // The station-selection list: one section per listed line.
  std::string& list = out_.lineList;
  for (const LineDef& line : src_.lines) {
    if (!line.listed) continue;
    // Appended piece by piece: "#" + std::string trips GCC 12's -Wrestrict
    // false positive in Release builds.
    list.append("#").append(toSjis(line.title)).append("\r\n");
    for (std::size_t i = 0; i < line.rows.size(); ++i) {
      bool closesRing = i + 1 == line.rows.size() && i >= 3 && line.rows[i].name == line.rows[0].name;
      if (!closesRing) list += toSjis(line.rows[i].name) + "\r\n";
    }
  }
}

int Compilation::networkDistance(int network, int from, int to) {
  const auto key = std::make_tuple(network, from, to);
  if (const auto cached = distanceCache_.find(key); cached != distanceCache_.end()) return cached->second;
  // The search ends as soon as `to` is settled and keeps only the stations
  // it reached: a train's next stop is near, so the cost of a train grows
  // with its length, not with its length times the network's size.
  std::unordered_map<int, int> dist;
  const auto& adj = adjacency_[network];
  using Item = std::pair<int, int>;  // (distance, station)
  std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
  dist[from] = 0;
  queue.emplace(0, from);
  int found = -1;
  while (!queue.empty()) {
    auto [d, s] = queue.top();
    queue.pop();
    if (d != dist[s]) continue;
    if (s == to) {
      found = d;
      break;
    }
    auto it = adj.find(s);
    if (it == adj.end()) continue;
    for (auto [t, km] : it->second) {
      const auto known = dist.find(t);
      if (known == dist.end() || d + km < known->second) {
        dist[t] = d + km;
        queue.emplace(d + km, t);
      }
    }
  }
  distanceCache_.emplace(key, found);
  return found;
}

void Compilation::writeStationTables() {
  for (const StationInfo& st : stations_)
    out_.staName.stations.push_back(StaNameRecord{toSjis(st.name), toSjis(st.kana)});

  std::map<int, std::vector<int>> members;  // network -> stations in number order
  for (std::size_t i = 0; i < stations_.size(); ++i)
    for (int net : stations_[i].networks) members[net].push_back(static_cast<int>(i + 1));
  int entries = 0;
  for (const auto& [net, list] : members) entries += static_cast<int>(list.size());
  if (entries > kMaxRecords16) diag_.error("too many station entries in the networks (at most 32767)");
  for (const auto& [net, list] : members) {
    int first = static_cast<int>(out_.staAttr.entries.size()) + 1;
    for (int st : list)
      out_.staAttr.entries.push_back(
          StaAttrEntry{static_cast<std::int16_t>(net), static_cast<StationNo>(st), 0});
    int last = static_cast<int>(out_.staAttr.entries.size());
    out_.staIdx.networks.push_back(StaIdxRecord{
        static_cast<NetworkCode>(net), static_cast<std::int16_t>(first), static_cast<std::int16_t>(last)});
  }
  for (const StationInfo& st : stations_)
    out_.staFare.stations.emplace_back(st.networks.begin(), st.networks.end());

  for (std::size_t i = 0; i < stations_.size(); ++i) {
    FareIdxRecord rec;
    rec.bytes[0] = static_cast<std::uint8_t>((i + 1) & 0xff);
    rec.bytes[1] = static_cast<std::uint8_t>((i + 1) >> 8);
    out_.fareIdx.records.push_back(rec);
  }
  writeDistanceTables();
}

void Compilation::writeDistanceTables() {
  // edges_ is ordered by (network, from, to): the edges leaving one station of
  // one network stand together, as the index requires.
  int jrCount = 0;
  int prCount = 0;
  for (const auto& [key, e] : edges_) (e.network == kJrNetwork ? jrCount : prCount)++;
  if (jrCount > kMaxRecords16 || prCount > kMaxRecords16) {
    diag_.error("too many distance edges (at most 32767 per file)");
    return;
  }
  std::vector<DistIdxEntry>& index = out_.distIdx.entries;
  for (const auto& [key, e] : edges_) {
    int number;
    if (e.network == kJrNetwork) {
      out_.distJR.edges.push_back(
          DistJREdge{static_cast<std::int16_t>(e.from), static_cast<std::int16_t>(e.to),
                     static_cast<std::int16_t>(e.distance), static_cast<std::int16_t>(e.fareDistance),
                     static_cast<std::int8_t>(e.kind)});
      number = static_cast<int>(out_.distJR.edges.size());
    } else {
      out_.distPR.edges.push_back(
          DistPREdge{static_cast<std::int16_t>(e.network), static_cast<std::int16_t>(e.from),
                     static_cast<std::int16_t>(e.to), static_cast<std::int16_t>(e.distance),
                     static_cast<std::int8_t>(e.zone)});
      number = static_cast<int>(out_.distPR.edges.size());
    }
    if (index.empty() || index.back().network != e.network || index.back().station != e.from)
      index.push_back(DistIdxEntry{static_cast<std::int16_t>(e.network), static_cast<std::int16_t>(e.from),
                                   static_cast<std::int16_t>(number), 0});
    index.back().last = static_cast<std::int16_t>(number);
  }
  if (out_.distIdx.entries.size() > static_cast<std::size_t>(kMaxRecords16))
    diag_.error("too many distance index entries (at most 32767)");
}

}  // namespace kiv::data
