#include "TextBuild.h"

#include "Compiler.h"
#include "Emitter.h"
#include "FareCheck.h"

namespace kiv::data {

std::vector<std::string> buildFromSources(const std::vector<SourceFile>& files,
                                          const std::filesystem::path& outDir) {
  Diagnostics diag;
  const std::optional<DataSet> data = compileFiles(files, diag);
  if (!data) return diag.messages();
  std::vector<std::string> problems;
  std::string error;
  const bool written = writeDataSet(*data, outDir, error, [&](const std::filesystem::path& tmp) {
    problems = checkReductions(*data, tmp);
    return problems.empty();
  });
  if (!written && problems.empty()) problems.push_back(error);
  return problems;
}

}  // namespace kiv::data
