// Writing a compiled data set to disk without ever leaving partial output.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "DataSet.h"

namespace kiv::data {

// The names of the files a data set consists of, in writing order.
const std::vector<std::string>& dataFileNames();

// Writes every file into a fresh temporary directory beside outDir and moves
// them into place only when all were written. A missing outDir is created by
// renaming the temporary directory; an existing one keeps its other files
// (settings, work files) and gets the data files replaced. `verify`, when
// given, is asked about the written temporary directory before anything is
// moved; false stops the write. On failure false, a message in `error`, and
// outDir as it was.
bool writeDataSet(const DataSet& data, const std::filesystem::path& outDir, std::string& error,
                  const std::function<bool(const std::filesystem::path&)>& verify = {});

}  // namespace kiv::data
