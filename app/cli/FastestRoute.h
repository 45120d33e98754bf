// The stations and trains of a fastest route, and its fare section by
// section, priced as the route list prices the routes it finds: each run of
// trains of one network is one journey.
#pragma once

#include <string>
#include <vector>

#include "Types.h"
#include "fare/UnknownFare.h"
#include "timetable/FastestSearch.h"

namespace kiv {
class Engine;
}

namespace kiv::cli {

struct FastestPath {
  std::vector<StationNo> stations;  // start .. destination
  std::vector<TrainNo> trains;      // train from each station to the next; -1 at the destination
  std::vector<PathStop> stops;      // the times at each station, in path order
};

struct FareSection {
  NetworkCode network = 0;
  std::string company;  // short name, Shift-JIS
  StationNo from = 0;
  StationNo to = 0;
  int fare = 0;          // yen
  bool walking = false;  // every train of the section is a walking connection
  // A section between two stations, not walked, that the fare data price at
  // 0 yen (or not at all): its fare is unknown, never a price of 0 yen.
  bool fareUnknown() const { return kiv::fareUnknown(fare, walking, from == to); }
};

// The stations and trains of the route found.
FastestPath fastestPath(const FastestResult& found);

// The fare sections of the path, in path order.
std::vector<FareSection> fareSections(Engine& engine, const FastestPath& path);

// Says on standard error that the fare data give no fare from one station
// to the other (Shift-JIS names) on the network: the fare shown is unknown.
void warnUnknownFare(const std::string& from, const std::string& to, NetworkCode network);

// Prints the total fare and the fare of each section after the report, as
// text (or Shift-JIS bytes with CR LF when sjis). A section whose fare is
// unknown is shown as 不明 (and so is the total), and standard error says so.
void printFareSections(Engine& engine, const FastestPath& path, bool sjis);

}  // namespace kiv::cli
