// Reading and parsing the source files of a data set (format: data/README.md).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Diagnostics.h"
#include "SourceModel.h"

namespace kiv::data {

struct SourceFile {
  std::string name;  // path relative to the source directory, '/' separated
  std::string text;  // UTF-8
};

// Every *.txt file below dir (hidden files and directories skipped), sorted by
// relative path. An unreadable directory or file is reported.
std::vector<SourceFile> readSourceDir(const std::filesystem::path& dir, Diagnostics& diag);

// Parses one file and appends its items to `into`. Syntax errors and names
// that cannot be stored are reported with file and line.
void parseSource(const SourceFile& file, SourceSet& into, Diagnostics& diag);

SourceSet parseSources(const std::vector<SourceFile>& files, Diagnostics& diag);

}  // namespace kiv::data
