// Building a data set from sources held in memory: what `kivdata build` does
// with a source directory, for callers (the tests) that have the sources as
// text and want the data files without running the command.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Parser.h"

namespace kiv::data {

// Parses and compiles `files` (in the order given) and writes the data set
// into outDir, all or nothing, with the reductions checked against the fares
// as the command does. Empty on success; otherwise every message, and
// nothing written.
std::vector<std::string> buildFromSources(const std::vector<SourceFile>& files,
                                          const std::filesystem::path& outDir);

}  // namespace kiv::data
