// reqtime and timetable: the required-time table command of the main window
// with the required-time window's save, and the station timetable command.
#include <string>

#include "CliErrors.h"
#include "Codec.h"
#include "Commands.h"
#include "Engine.h"
#include "Output.h"
#include "StationArg.h"

namespace kiv::cli {
namespace {

constexpr const char* kRequiredTimeFile = "$RqTmTbl.kv4";
constexpr const char* kTimetableReport = "$VTT.kv4";
constexpr const char* kNoStationTimetable = "この駅の時刻データが存在しません";
constexpr const char* kNoDeparturesInHour = "この時間帯のデータが存在しません";

}  // namespace

void runRequiredTime(Engine& engine, const Invocation& inv) {
  const ResolvedStation origin = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  engine.def.pushRecentDep(origin.name);
  if (engine.dia.buildRequiredTimeTable(origin.number) != 0) {
    if (engine.dia.departuresOf(origin.number).empty()) throw CommandFailure(kNoStationTimetable);
    throw CommandFailure(std::string("kiv4cli: cannot write ") + kRequiredTimeFile);
  }
  if (inv.part) {
    const int tables = countRecords(kRequiredTimeFile, '1');
    if (*inv.part >= tables) {
      throw CommandFailure("kiv4cli: the required-time tables of " + sjisToUtf8Lossy(origin.name) +
                           " have no table " + std::to_string(*inv.part) + " (its tables: 0.." +
                           std::to_string(tables - 1) + ")");
    }
  }
  saveOrPrint(inv, [&](const std::filesystem::path& file) {
    return engine.dia.exportRequiredTimeTable(file, inv.part.value_or(-1), inv.csv);
  });
}

void runTimetable(Engine& engine, const Invocation& inv) {
  const ResolvedStation station = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  engine.def.pushRecentDep(station.name);
  // This command takes the stored day and hour, never the clock.
  const int day = inv.day.value_or(engine.def.getDepDay());
  const int hour = inv.hour.value_or(engine.def.getDepHour());
  const int lines = engine.dia.buildStationTimetable(station.number, day, hour, inv.group);
  if (lines == 0) throw CommandFailure(kNoDeparturesInHour);
  if (lines < 0) {
    if (engine.dia.departuresOf(station.number).empty()) throw CommandFailure(kNoStationTimetable);
    throw CommandFailure("kiv4cli: cannot write TTSrc.kv4 or $VTT.kv4");
  }
  printWorkFile(kTimetableReport, inv.sjis);
}

}  // namespace kiv::cli
