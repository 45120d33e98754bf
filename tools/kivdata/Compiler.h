// Resolving the parsed sources into a data set: station numbers, networks,
// distance edges, trains and their departure patterns, change times, fares.
#pragma once

#include <filesystem>
#include <optional>

#include "DataSet.h"
#include "Diagnostics.h"
#include "Parser.h"
#include "SourceModel.h"

namespace kiv::data {

// nullopt when any error was reported (the reasons are in diag).
std::optional<DataSet> compileSources(const SourceSet& sources, Diagnostics& diag);

// Parses and compiles source files given as text, in the order given.
std::optional<DataSet> compileFiles(const std::vector<SourceFile>& files, Diagnostics& diag);

// Reads, parses and compiles every source file below dir.
std::optional<DataSet> compileDirectory(const std::filesystem::path& dir, Diagnostics& diag);

}  // namespace kiv::data
