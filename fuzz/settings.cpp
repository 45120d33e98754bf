// The settings file Kiv4.def: read, used, written back and read again; the
// second reading must give what was written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "settings/RDefMan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::fuzz;
  writeScratchFile("Kiv4.def", {data, size});
  kiv::RDefMan def(scratchDir());
  char buffer[kiv::kStationNameSize];
  for (int i = 0; i < kiv::RDefMan::kRecentCount; ++i) {
    def.getRecentDep(i, buffer);
    def.getRecentArv(i, buffer);
  }
  char day[kiv::RDefMan::kDayNameSize];
  def.getDayName(day);
  if (def.getDepHour() < 0 || def.getDepHour() > 23 || def.getDepDay() < 0 || def.getDepDay() > 6)
    std::abort();
  def.pushRecentDep("x");
  if (def.saveSettings() != 0) return 0;
  kiv::RDefMan again(scratchDir());
  if (again.getDepHour() != def.getDepHour() || again.getDetour() != def.getDetour()) std::abort();
  return 0;
}
