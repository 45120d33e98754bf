// Checks of the compiled fares that need the fare rules of the engine: a
// reduction must not be larger than the fare it reduces.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "DataSet.h"

namespace kiv::data {

// The reductions of `data` larger than the distance fare of their pair, one
// message each, priced by the engine on the data set as written into
// `dataDir` (which it leaves as it found it).
std::vector<std::string> checkReductions(const DataSet& data, const std::filesystem::path& dataDir);

}  // namespace kiv::data
