#include "FastestRoute.h"

#include <string_view>

#include "Engine.h"
#include "Output.h"
#include "fare/FareSections.h"
#include "text/ReportText.h"

namespace kiv::cli {
namespace {

std::string nameOf(const Engine& engine, StationNo s) {
  char name[kStationNameSize] = {};
  engine.staName.getName(s, name);
  return name;
}

}  // namespace

FastestPath fastestPath(const Engine& engine, StationNo start) {
  const std::vector<SearchNode>& table = engine.dia.searchTable();
  FastestPath path;
  StationNo s = start;
  // The path pass links the route through succ; a route visits each station once.
  while (s > 0 && static_cast<std::size_t>(s) < table.size() && path.stations.size() < table.size()) {
    const SearchNode& node = table[static_cast<std::size_t>(s)];
    path.stations.push_back(s);
    path.trains.push_back(node.succ == -1 ? TrainNo{-1} : node.trainOut);
    s = node.succ;
  }
  return path;
}

std::vector<FareSection> fareSections(Engine& engine, const FastestPath& path) {
  std::vector<FareHop> hops;
  for (std::size_t k = 0; k + 1 < path.stations.size(); ++k) {
    FareHop& hop = hops.emplace_back();
    engine.trains.getNetworkCode(path.trains[k], hop.network);
    hop.walking = engine.trains.isWalking(path.trains[k]) == 1;
  }
  std::vector<FareSection> sections;
  for (const FareSectionSpan& span : kiv::fareSections(hops)) {
    FareSection section;
    section.network = span.network;
    section.from = path.stations[static_cast<std::size_t>(span.first)];
    section.to = path.stations[static_cast<std::size_t>(span.last) + 1];
    // Priced from the section's end to its start, as the route search does.
    section.fare = engine.fare.stationFare(span.network, section.to, section.from, 1);
    char company[kCompanyNameSize] = {};
    engine.kiv.getCompanyShortName(span.network / 10, company);
    section.company = company;
    sections.push_back(std::move(section));
  }
  return sections;
}

void printFareSections(Engine& engine, const FastestPath& path, bool sjis) {
  const std::vector<FareSection> sections = fareSections(engine, path);
  int total = 0;
  std::string lines;
  for (const FareSection& s : sections) {
    total += s.fare;
    lines += report_text::format(report_text::kFastestFareSection.c_str(), s.company.c_str(),
                                 nameOf(engine, s.from).c_str(), nameOf(engine, s.to).c_str(), s.fare);
  }
  const std::string text = report_text::format(report_text::kFastestFareTotal.c_str(), total) + lines;
  printText(sjis ? text : toTerminalText(text));
}

}  // namespace kiv::cli
