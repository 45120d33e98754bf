// One data file of the base data set (fuzz/base) replaced by the fuzzer's bytes (the
// file named by KIV_FUZZ_FILE); then the engine starts on the directory and
// answers a few queries. Exercises that file's reader, the engine's checks
// of its spans and counts, and every search that uses it.
#include <cstddef>
#include <cstdint>

#include "Engine.h"
#include "EngineQueries.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kiv::fuzz;
  static const bool prepared = (copyBaseData(scratchDir()), true);
  (void)prepared;
  writeScratchFile(KIV_FUZZ_FILE, {data, size});
  kiv::Engine engine(scratchDir());
  runEngineQueries(engine);
  return 0;
}
