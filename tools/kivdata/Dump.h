// Printing a compiled data set as readable UTF-8 text, table by table, so
// that data sets can be inspected and compared with diff.
#pragma once

#include <filesystem>
#include <ostream>

namespace kiv::data {

// Prints every table of the data directory; a missing file is noted as such.
// False when the directory does not exist.
bool dumpDataDir(const std::filesystem::path& dir, std::ostream& out);

}  // namespace kiv::data
