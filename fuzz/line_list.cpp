// The line list kiv4line.dat of the station selection dialog, replaced by
// the fuzzer's bytes beside the base data set: its section names are read,
// then the stations of each section (and of a name no section has), and the
// engine starts on the directory and looks at the list with the data files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Engine.h"
#include "FuzzSupport.h"
#include "LineList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::fuzz;
  static const bool prepared = (copyBaseData(scratchDir()), true);
  (void)prepared;
  writeScratchFile("kiv4line.dat", {data, size});
  const std::filesystem::path file = scratchDir() / "kiv4line.dat";
  const auto names = kiv::ui::readLineNames(file);
  if (!names) std::abort();  // a regular file of any content is read
  // Every section and every station is one text line of the input at most.
  std::size_t stations = 0;
  for (std::size_t i = 0; i < names->size() && i < 64; ++i)
    stations += kiv::ui::readLineStations(file, (*names)[i]).size();
  const std::size_t outside = kiv::ui::readLineStations(file, "\x01no such line").size();
  if (names->size() > size + 1 || outside > size + 1) std::abort();
  (void)stations;
  kiv::Engine engine(scratchDir());
  (void)engine.dataFiles();
  return 0;
}
