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

// Writes every file into a fresh hidden directory inside outDir (made when
// missing) and moves them into place only when all were written and flushed
// to the disk, so that a kill at any point leaves the whole old set or the
// whole new one (see data/DataSetReplace.h). The other files of outDir
// (settings, work files) stay. `verify`, when given, is asked about the
// written directory before anything is moved; false stops the write. On
// failure false, a message in `error`, and outDir as it was.
bool writeDataSet(const DataSet& data, const std::filesystem::path& outDir, std::string& error,
                  const std::function<bool(const std::filesystem::path&)>& verify = {});

}  // namespace kiv::data
