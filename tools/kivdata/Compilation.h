// The working state of one compilation, shared by the stages that build the
// station and distance tables, the trains and timetable, and the fare tables.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "DataSet.h"
#include "Diagnostics.h"
#include "SourceModel.h"

namespace kiv::data {

struct StationInfo {
  std::string name;  // UTF-8
  std::string kana;
  SourceLoc loc;  // first row
  SourceLoc kanaLoc;
  std::set<int> networks;
};

// One direction of a line section.
struct EdgeInfo {
  int network = 0;
  int from = 0;
  int to = 0;
  int distance = 0;      // 100 m
  int fareDistance = 0;  // 100 m
  int kind = 0;
  int zone = 0;
  SourceLoc loc;
};

// A train with its stops resolved to station numbers.
struct TrainInfo {
  std::string name;
  SourceLoc loc;
  int network = 0;
  bool walking = false;
  int terminal = 0;
  int order = 0;
  std::vector<int> stops;  // station numbers
  std::vector<int> ride;   // ride[k]: minutes from stops[k] to stops[k + 1]
  std::vector<int> wait;   // wait[k]: minutes the train stands at stops[k]
  std::vector<ServicePattern> patterns;
  std::vector<const WalkDef*> walks;  // walking trains: their connections
};

class Compilation {
 public:
  Compilation(const SourceSet& sources, Diagnostics& diag) : src_(sources), diag_(diag) {}

  // Stages, in this order.
  void buildNetwork();     // stations, networks, distance edges, line list
  void buildTrains();      // stop lists, riding minutes, walking trains
  void buildTimetable();   // departure records and their indexes
  void buildFareTables();  // change times, special fares, reductions, links
  void writeStationTables();

  DataSet takeResult() { return std::move(out_); }

 private:
  // Station number of a name, or -1 after reporting it as unknown at loc.
  int stationNo(const std::string& name, const SourceLoc& loc);
  const std::string& stationName(int no) const { return stations_[no - 1].name; }
  bool inNetwork(int station, int network) const;
  // Shortest distance between two stations inside a network; -1 when no path.
  int networkDistance(int network, int from, int to);

  int registerStation(const LineRow& row);
  void buildLine(const LineDef& line);
  void addEdge(const EdgeInfo& edge);
  void writeDistanceTables();

  void resolveTrain(std::size_t index);
  void buildWalkingTrains();
  void orderTrains();
  bool trainStopsAt(const TrainInfo& train, int station) const;
  std::vector<int> matchTrains(const std::string& pattern, const SourceLoc& loc);
  void buildTransfers();
  void buildFares();
  void buildLinks();

  const SourceSet& src_;
  Diagnostics& diag_;
  DataSet out_;

  std::vector<StationInfo> stations_;  // station k is stations_[k - 1]
  std::map<std::string, int> stationByName_;
  std::map<std::string, const LineDef*> lineByName_;
  std::map<std::tuple<int, int, int>, EdgeInfo> edges_;                       // (network, from, to)
  std::map<int, std::map<int, std::vector<std::pair<int, int>>>> adjacency_;  // network -> from -> (to, km)
  std::map<std::tuple<int, int, int>, int> distanceCache_;  // (network, from, to) -> distance

  std::vector<std::optional<TrainInfo>> trains_;  // train k is trains_[k - 1]; nullopt after an error
  // The numbers the trains get in the data files: trainNumber_[k - 1] for
  // train k, and trainOrder_ the train indexes in number order (see orderTrains).
  std::vector<int> trainNumber_;
  std::vector<std::size_t> trainOrder_;
  std::vector<int> resolveState_;  // 0 not yet, 1 in progress, 2 done
  std::map<std::string, std::size_t> trainByName_;
};

}  // namespace kiv::data
