#include "Engine.h"

#include <stdexcept>

#include "data/DataFieldCheck.h"

namespace kiv {

Engine::Engine(const std::filesystem::path& dataDir)
    : files_(inspectDataDirectory(dataDir)),
      fieldProblems_(checkDataFields(dataDir)),
      kiv(),
      trains(dataDir),
      def(dataDir),
      staName(dataDir),
      dia(dataDir, staName, trains, cnct, def, dist, fare, kiv),
      cnct(dataDir, trains),
      dist(dataDir, staName, sta, staFare, kiv, fare),
      staFare(dataDir),
      sta(dataDir, staName),
      fare(dataDir, staName, sta, staFare, dist, kiv) {}

std::vector<std::string> Engine::dataProblems() const {
  std::vector<std::string> problems;
  for (const std::string* p : {&sta.dataProblem(), &dia.dataProblem(), &dist.dataProblem()}) {
    if (!p->empty()) problems.push_back(*p);
  }
  problems.insert(problems.end(), fieldProblems_.begin(), fieldProblems_.end());
  return problems;
}

std::vector<std::string> Engine::loadProblems() const {
  std::vector<std::string> problems;
  // The line list is the station selection dialog's, which names it itself.
  for (const DataFileStatus& file : files_)
    if (!file.fine() && file.name != kLineListFileName) problems.push_back(file.reason());
  for (std::string& problem : dataProblems()) problems.push_back(std::move(problem));
  return problems;
}

namespace {

// Set while an EngineScope exists.
bool scopeClaimed = false;

}  // namespace

EngineScope::Claim::Claim() {
  if (scopeClaimed) throw std::logic_error("an engine already exists");
  scopeClaimed = true;
}

EngineScope::Claim::~Claim() { scopeClaimed = false; }

EngineScope::EngineScope(const std::filesystem::path& dataDir) : engine_(dataDir) {}

EngineScope::~EngineScope() = default;

}  // namespace kiv
