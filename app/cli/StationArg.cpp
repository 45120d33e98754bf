#include "StationArg.h"

#include <algorithm>

#include "CliErrors.h"
#include "Codec.h"
#include "RStaName.h"

namespace kiv::cli {
namespace {

// "#" followed by 1 to 5 decimal digits; the number, or -1.
int stationNumberOf(const std::string& operand) {
  if (operand.size() < 2 || operand.size() > 6 || operand[0] != '#') return -1;
  if (!std::all_of(operand.begin() + 1, operand.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(operand.substr(1));
}

}  // namespace

ResolvedStation resolveStation(const RStaName& names, const std::string& operand, StationRole role) {
  ResolvedStation station;
  const int number = stationNumberOf(operand);
  if (number >= 0) {
    if (number <= 32767 && names.checkNumber(static_cast<StationNo>(number)) == 0) {
      char buf[kStationNameSize] = {};
      names.getName(static_cast<StationNo>(number), buf);
      station.number = static_cast<StationNo>(number);
      station.name = buf;
    }
  } else if (const auto sjis = utf8ToSjis(operand)) {
    station.number = names.findByName(*sjis);
    station.name = *sjis;
  }
  if (station.number < 1) {
    throw CommandFailure(role == StationRole::kDeparture ? "出発駅の入力が正しくありません"
                                                         : "到着駅の入力が正しくありません");
  }
  return station;
}

void requireDifferentStations(const ResolvedStation& from, const ResolvedStation& to) {
  if (from.number == to.number) throw CommandFailure("出発駅と到着駅が同じです");
}

}  // namespace kiv::cli
