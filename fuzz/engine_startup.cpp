// The whole engine start-up on a data directory made of the fuzzer's bytes:
// the input is cut into pieces (16-bit length, then the bytes), one per data
// file in the order the engine reads them, then the settings file; the
// engine then answers a few queries.
#include <cstddef>
#include <cstdint>

#include "Engine.h"
#include "EngineQueries.h"
#include "FuzzSupport.h"
#include "data/DataDirFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::fuzz;
  clearScratchDir();
  Pieces pieces(data, size);
  for (std::string_view name : kiv::kDataFileNames) writeScratchFile(name, pieces.next());
  writeScratchFile("Kiv4.def", pieces.next());
  kiv::Engine engine(scratchDir());
  runEngineQueries(engine);
  return 0;
}
