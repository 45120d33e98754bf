#include "StationArg.h"

#include <algorithm>
#include <cstdio>

#include "CliErrors.h"
#include "Output.h"
#include "network/RStaName.h"
#include "network/StationSearch.h"
#include "text/Codec.h"

namespace kiv::cli {
namespace {

constexpr std::size_t kNearMatches = 5;

// "#" followed by 1 to 5 decimal digits; the number, or -1.
int stationNumberOf(const std::string& operand) {
  if (operand.size() < 2 || operand.size() > 6 || operand[0] != '#') return -1;
  if (!std::all_of(operand.begin() + 1, operand.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(operand.substr(1));
}

std::string boxMessage(StationRole role) {
  return role == StationRole::kDeparture ? "出発駅の入力が正しくありません"
                                         : "到着駅の入力が正しくありません";
}

// "新宿 (しんじゅく, #17), ..." for the stations.
std::string listed(const StationSearch& search, const std::vector<StationNo>& stations) {
  std::string text;
  for (const StationNo s : stations) {
    if (!text.empty()) text += ", ";
    text += escapeControls(search.name(s)) + " (" + escapeControls(search.reading(s)) + ", #" +
            std::to_string(s) + ")";
  }
  return text;
}

ResolvedStation byNumber(const RStaName& names, const std::string& operand, StationRole role) {
  const int number = stationNumberOf(operand);
  if (number < 1 || number > 32767 || names.checkNumber(static_cast<StationNo>(number)) != 0) {
    throw CommandFailure(boxMessage(role) + "\nkiv4cli: " + operand +
                         " is no station number (stations #1..#" + std::to_string(names.getCount()) + ")");
  }
  char buf[kStationNameSize] = {};
  names.getName(static_cast<StationNo>(number), buf);
  return {static_cast<StationNo>(number), buf};
}

}  // namespace

ResolvedStation resolveStation(const RStaName& names, const std::string& operand, StationRole role) {
  if (!operand.empty() && operand[0] == '#' && stationNumberOf(operand) >= 0) {
    return byNumber(names, operand, role);
  }
  // The exact name, as the station boxes take it, needs no search.
  if (const auto sjis = utf8ToSjis(operand)) {
    if (const StationNo exact = names.findByName(*sjis); exact > 0) return {exact, *sjis};
  }
  const StationSearch search(names);
  const StationLookup lookup = search.resolve(operand);
  if (lookup.stations.size() == 1) {
    const StationNo s = lookup.stations[0];
    if (lookup.match != StationMatch::kExact) {
      std::fprintf(stderr, "kiv4cli: taking '%s' as %s (#%d)\n", operand.c_str(),
                   escapeControls(search.name(s)).c_str(), s);
    }
    char buf[kStationNameSize] = {};
    names.getName(s, buf);
    return {s, buf};
  }
  std::string message = boxMessage(role) + "\nkiv4cli: '" + operand + "' ";
  if (!lookup.stations.empty()) {
    message += "fits several stations: " + listed(search, lookup.stations) + "; give one by name or #N";
  } else {
    const std::vector<StationNo> near = search.nearMatches(operand, kNearMatches);
    message += near.empty() ? "names no station (kiv4cli find TEXT lists stations)"
                            : "names no station; near matches: " + listed(search, near);
  }
  throw CommandFailure(message);
}

void requireDifferentStations(const ResolvedStation& from, const ResolvedStation& to) {
  if (from.number == to.number) throw CommandFailure("出発駅と到着駅が同じです");
}

}  // namespace kiv::cli
