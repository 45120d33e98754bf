// fare and faretable: the station-to-station fare, and the fare table
// command of the main window with the fare table window's save.
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

std::string utf8Name(const ResolvedStation& station) { return sjisToUtf8Lossy(station.name); }

// stationFare yields no fare for a station outside the network; this names it.
void requireInNetwork(const RStaMan& sta, NetworkCode network, const ResolvedStation& station) {
  if (sta.findPosition(network, station.number) < 1) {
    throw CommandFailure("kiv4cli: " + utf8Name(station) + " is not a station of network " +
                         std::to_string(network));
  }
}

std::string companyOf(const Engine& engine, NetworkCode network) {
  char company[kCompanyNameSize] = {};
  engine.kiv.getCompanyName(network / 10, company);
  return utf8(company);
}

Json fareTableJson(const Engine& engine, const work_files::FareTable& table, std::optional<int> only) {
  Json blocks = Json::array();
  for (const work_files::FareBlock& block : table.blocks) {
    if (only && block.block != *only) continue;
    Json fares = Json::array();
    for (const work_files::StationFare& f : block.fares) {
      fares.push_back({{"station", stationJson(engine.staName, f.station)}, {"fare", f.fare}});
    }
    blocks.push_back({{"block", block.block}, {"company", utf8(block.company)}, {"fares", fares}});
  }
  return {
      {"command", "faretable"}, {"origin", stationJson(engine.staName, table.origin)}, {"blocks", blocks}};
}

}  // namespace

void runFare(Engine& engine, const Invocation& inv) {
  const ResolvedStation from = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  const ResolvedStation to = resolveStation(engine.staName, inv.stations[1], StationRole::kArrival);
  requireDifferentStations(from, to);
  requireInNetwork(engine.sta, inv.network, from);
  requireInNetwork(engine.sta, inv.network, to);
  const int fare = engine.fare.stationFare(inv.network, from.number, to.number, inv.tokyoRule ? 1 : 0);
  if (fare <= 0) {
    throw CommandFailure("kiv4cli: no fare from " + utf8Name(from) + " to " + utf8Name(to) + " on network " +
                         std::to_string(inv.network));
  }
  if (inv.json) {
    printJson(inv, {{"command", "fare"},
                    {"from", stationJson(engine.staName, from.number)},
                    {"to", stationJson(engine.staName, to.number)},
                    {"network", inv.network},
                    {"company", companyOf(engine, inv.network)},
                    {"tokyo_rule", inv.tokyoRule},
                    {"fare", fare}});
  } else if (inv.verbose) {
    printText(utf8Name(from) + "→" + utf8Name(to) + "  " + std::to_string(fare) + "円  (" +
              companyOf(engine, inv.network) + (inv.tokyoRule ? "" : ", without the Tokyo-zone rule") +
              ")\n");
  } else {
    printText(std::to_string(fare) + "\n");
  }
}

void runFareTable(Engine& engine, const Invocation& inv) {
  const ResolvedStation origin = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  engine.def.pushRecentDep(origin.name);
  // A table that was not written would leave the one of an earlier station.
  if (engine.fare.buildFareTable(origin.number) != 0) {
    throw CommandFailure(std::string("kiv4cli: cannot write ") + work_files::kFareTable);
  }
  const auto table = work_files::readFareTable(work_files::kFareTable);
  if (!table) throw CommandFailure(std::string("kiv4cli: cannot read ") + work_files::kFareTable);
  if (inv.part) {
    const int blocks = static_cast<int>(table->blocks.size());
    if (*inv.part >= blocks) {
      throw CommandFailure(
          "kiv4cli: the fare table of " + utf8Name(origin) + " has no block " + std::to_string(*inv.part) +
          " (its blocks: " + (blocks == 0 ? std::string("none") : "0.." + std::to_string(blocks - 1)) + ")");
    }
  }
  if (inv.json) {
    printJson(inv, fareTableJson(engine, *table, inv.part));
    return;
  }
  saveOrPrint(inv, [&](const std::filesystem::path& file) {
    return engine.fare.exportFareTable(file, inv.part.value_or(-1), inv.csv);
  });
}

}  // namespace kiv::cli
