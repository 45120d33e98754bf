#include "Compiler.h"

#include "Compilation.h"
#include "Parser.h"

namespace kiv::data {

std::optional<DataSet> compileSources(const SourceSet& sources, Diagnostics& diag) {
  Compilation c(sources, diag);
  c.buildNetwork();
  c.buildTrains();
  c.buildTimetable();
  c.buildFareTables();
  c.writeStationTables();
  if (diag.hasErrors()) return std::nullopt;
  return c.takeResult();
}

std::optional<DataSet> compileFiles(const std::vector<SourceFile>& files, Diagnostics& diag) {
  SourceSet sources = parseSources(files, diag);
  if (diag.hasErrors()) return std::nullopt;
  return compileSources(sources, diag);
}

std::optional<DataSet> compileDirectory(const std::filesystem::path& dir, Diagnostics& diag) {
  // Unreadable files are reported together with the mistakes in the others.
  return compileFiles(readSourceDir(dir, diag), diag);
}

}  // namespace kiv::data
