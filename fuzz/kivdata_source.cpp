// The data compiler's source parser on one source file of the fuzzer's
// bytes, and the compiler on what it parsed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Compiler.h"
#include "Parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kiv::data::Diagnostics diag;
  const kiv::data::SourceFile file{"fuzz.txt", std::string(reinterpret_cast<const char*>(data), size)};
  const kiv::data::SourceSet sources = kiv::data::parseSources({file}, diag);
  if (!diag.hasErrors()) kiv::data::compileSources(sources, diag);
  return 0;
}
