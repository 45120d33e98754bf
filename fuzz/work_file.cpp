// A work file the programs read back, made of the fuzzer's bytes (the kind
// named by KIV_FUZZ_WORK), in a directory with the base data set (fuzz/base): the
// route lists and details, the fare table, the required-time table or the
// station timetable source, each read by what the programs use.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Engine.h"
#include "FuzzSupport.h"

namespace {

using namespace kiv::fuzz;

void routeLists(kiv::Engine& engine, Pieces& pieces) {
  writeScratchFile("$MltRtL1.kv4", pieces.next());
  writeScratchFile("$MltRtDt.kv4", pieces.next());
  engine.dia.sortRouteLists(300);
  for (int order = 1; order <= 3; ++order) {
    for (int detection = 0; detection <= 3; ++detection) {
      engine.dia.writeRouteDetail(scratchDir() / "detail.txt", detection == 0 ? "w" : "a", detection, order,
                                  1);
    }
  }
}

void fareTable(kiv::Engine& engine, Pieces& pieces) {
  writeScratchFile("$FareTbl.kv4", pieces.next());
  for (int block = -1; block <= 1; ++block) {
    engine.fare.exportFareTable(scratchDir() / "fares.txt", block, false);
    engine.fare.exportFareTable(scratchDir() / "fares.csv", block, true);
  }
}

void requiredTimeTable(kiv::Engine& engine, Pieces& pieces) {
  writeScratchFile("$RqTmTbl.kv4", pieces.next());
  for (int table = -1; table <= 1; ++table) {
    engine.dia.exportRequiredTimeTable(scratchDir() / "times.txt", table, false);
    engine.dia.exportRequiredTimeTable(scratchDir() / "times.csv", table, true);
  }
}

void timetableSource(kiv::Engine& engine, Pieces& pieces) {
  writeScratchFile("TTSrc.kv4", pieces.next());
  engine.dia.sortStationDepartures();
  engine.dia.writeStationTimetable(1, "\x8c\x8e", 9, false);
  engine.dia.writeStationTimetable(1, "\x8c\x8e", 9, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool prepared = (copyBaseData(scratchDir()), true);
  (void)prepared;
  static kiv::Engine engine(scratchDir());
  Pieces pieces(data, size);
  constexpr std::string_view kind = KIV_FUZZ_WORK;
  if (kind == "route_lists") routeLists(engine, pieces);
  if (kind == "fare_table") fareTable(engine, pieces);
  if (kind == "reqtime_table") requiredTimeTable(engine, pieces);
  if (kind == "timetable_source") timetableSource(engine, pieces);
  return 0;
}
