#include "FastestRoute.h"

#include <cstdio>
#include <string_view>

#include "Engine.h"
#include "Output.h"
#include "fare/FareSections.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::cli {
namespace {

std::string nameOf(const Engine& engine, StationNo s) {
  char name[kStationNameSize] = {};
  engine.staName.getName(s, name);
  return name;
}

// The Shift-JIS line with its last "<fare>円" written as 不明 (unknown).
std::string withUnknownFare(const std::string& line, int fare) {
  const std::string price = std::to_string(fare) + *utf8ToSjis("円");
  const std::size_t at = line.rfind(price);
  if (at == std::string::npos) return line;
  return line.substr(0, at) + *utf8ToSjis("不明") + line.substr(at + price.size());
}

}  // namespace

FastestPath fastestPath(const FastestResult& found) {
  FastestPath path;
  for (const PathStop& stop : found.path) {
    path.stations.push_back(stop.station);
    path.trains.push_back(stop.trainOut);
  }
  path.stops = found.path;
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
    section.walking = true;
    for (int h = span.first; h <= span.last; ++h)
      section.walking = section.walking && hops[static_cast<std::size_t>(h)].walking;
    char company[kCompanyNameSize] = {};
    engine.kiv.getCompanyShortName(span.network / 10, company);
    section.company = company;
    sections.push_back(std::move(section));
  }
  return sections;
}

void warnUnknownFare(const std::string& from, const std::string& to, NetworkCode network) {
  std::fprintf(
      stderr, "kiv4cli: the fare data give no fare from %s to %s on network %d: the fare is unknown\n",
      escapeControls(sjisToUtf8Lossy(from)).c_str(), escapeControls(sjisToUtf8Lossy(to)).c_str(), network);
}

void printFareSections(Engine& engine, const FastestPath& path, bool sjis) {
  const std::vector<FareSection> sections = fareSections(engine, path);
  int total = 0;
  bool unknown = false;
  std::string lines;
  for (const FareSection& s : sections) {
    total += s.fare;
    std::string line =
        report_text::format(report_text::kFastestFareSection.c_str(), s.company.c_str(),
                            nameOf(engine, s.from).c_str(), nameOf(engine, s.to).c_str(), s.fare);
    if (s.fareUnknown()) {
      unknown = true;
      line = withUnknownFare(line, s.fare);
      warnUnknownFare(nameOf(engine, s.from), nameOf(engine, s.to), s.network);
    }
    lines += line;
  }
  std::string head = report_text::format(report_text::kFastestFareTotal.c_str(), total);
  if (unknown) head = withUnknownFare(head, total);
  const std::string text = head + lines;
  printText(sjis ? text : toTerminalText(text));
}

}  // namespace kiv::cli
