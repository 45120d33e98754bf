// reqtime and timetable: the required-time table command of the main window
// with the required-time window's save, and the station timetable command.
#include <string>

#include "CliErrors.h"
#include "Commands.h"
#include "Engine.h"
#include "JsonOutput.h"
#include "Output.h"
#include "StationArg.h"
#include "report/WorkFiles.h"
#include "text/Codec.h"

namespace kiv::cli {
namespace {

constexpr const char* kNoStationTimetable = "この駅の時刻データが存在しません";
constexpr const char* kNoDeparturesInHour = "この時間帯のデータが存在しません";

Json requiredTimesJson(const Engine& engine, const work_files::RequiredTimes& times,
                       std::optional<int> only) {
  Json tables = Json::array();
  for (const work_files::RequiredTimeTable& table : times.tables) {
    if (only && table.table != *only) continue;
    Json stations = Json::array();
    for (const work_files::StationMinutes& s : table.stations) {
      stations.push_back({{"station", stationJson(engine.staName, s.station)}, {"minutes", s.minutes}});
    }
    tables.push_back({{"table", table.table}, {"train", utf8(table.train)}, {"stations", stations}});
  }
  return {{"command", "reqtime"}, {"origin", stationJson(engine.staName, times.origin)}, {"tables", tables}};
}

Json timetableJson(const Engine& engine, StationNo station, int day, int hour, bool grouped,
                   const std::vector<work_files::StationDeparture>& departures) {
  Json companies = Json::array();
  int company = -1;
  for (const work_files::StationDeparture& d : departures) {
    if (d.network / 10 != company) {
      company = d.network / 10;
      char name[kCompanyNameSize] = {};
      engine.kiv.getCompanyName(company, name);
      companies.push_back({{"company", utf8(name)}, {"departures", Json::array()}});
    }
    Json departure = {{"network", d.network}, {"kind", d.interval ? "interval" : "timed"}};
    departure[d.interval ? "interval_minutes" : "minute"] = d.value;
    departure["train"] = utf8(d.train);
    departure["bound_for"] = stationJson(engine.staName, d.terminal);
    companies.back()["departures"].push_back(departure);
  }
  return {{"command", "timetable"},
          {"station", stationJson(engine.staName, station)},
          {"day", day},
          {"day_name", dayLetter(day)},
          {"hour", hour},
          {"grouped", grouped},
          {"companies", companies}};
}

}  // namespace

void runRequiredTime(Engine& engine, const Invocation& inv) {
  const ResolvedStation origin = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  engine.def.pushRecentDep(origin.name);
  if (engine.dia.buildRequiredTimeTable(origin.number) != 0) {
    if (engine.dia.departuresOf(origin.number).empty()) throw CommandFailure(kNoStationTimetable);
    throw CommandFailure(std::string("kiv4cli: cannot write ") + work_files::kRequiredTimes);
  }
  const auto times = work_files::readRequiredTimes(work_files::kRequiredTimes);
  if (!times) throw CommandFailure(std::string("kiv4cli: cannot read ") + work_files::kRequiredTimes);
  if (inv.part) {
    const int tables = static_cast<int>(times->tables.size());
    if (*inv.part >= tables) {
      throw CommandFailure("kiv4cli: the required-time tables of " + sjisToUtf8Lossy(origin.name) +
                           " have no table " + std::to_string(*inv.part) + " (its tables: 0.." +
                           std::to_string(tables - 1) + ")");
    }
  }
  if (inv.json) {
    printJson(inv, requiredTimesJson(engine, *times, inv.part));
    return;
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
    throw CommandFailure(std::string("kiv4cli: cannot write ") + work_files::kTimetableSource + " or " +
                         work_files::kTimetableReport);
  }
  if (inv.json) {
    const auto departures = work_files::readStationDepartures(work_files::kTimetableSource, inv.group);
    if (!departures)
      throw CommandFailure(std::string("kiv4cli: cannot read ") + work_files::kTimetableSource);
    printJson(inv, timetableJson(engine, station.number, day, hour, inv.group, *departures));
    return;
  }
  printWorkFile(work_files::kTimetableReport, inv.sjis);
}

}  // namespace kiv::cli
