// The ten engine objects of a run, owned together. They are members in the
// order the program needs them, so they are built in that order and destroyed
// in the reverse one: the fare rules and the trains first, the settings third
// (its destruction writes Kiv4.def once more, after the program's own
// reported save), the station directory before the
// timetable and the fare tables, which size per-station tables by its station
// count. Each object is handed references to the collaborators it works with;
// a reference to a member declared further down is only kept, never used while
// constructing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/DataDirFiles.h"
#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "settings/RDefMan.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

class Engine {
  // What the data files looked like as the objects read them; first, so
  // that it is taken before they load.
  std::vector<DataFileStatus> files_;
  // The data files' fields out of their ranges (checkDataFields), one
  // sentence per damaged file.
  std::vector<std::string> fieldProblems_;

 public:
  // Reads every data file of dataDir, which is also where Kiv4.def and the
  // work files are written.
  explicit Engine(const std::filesystem::path& dataDir);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // What was wrong with the data files at load, one sentence per file that
  // did not fit the others (that file's table was then left unused), then
  // one per file holding a field out of its range (a station or train number
  // outside the data set, negative minutes, ...); empty when the data set is
  // consistent.
  std::vector<std::string> dataProblems() const;

  // Every file of the data directory as the engine found it at load (the
  // binary data files, the line list, the settings file), each with its
  // state: the objects themselves stay silent about a file they could not
  // read and leave their table empty.
  const std::vector<DataFileStatus>& dataFiles() const { return files_; }

  // Everything that keeps the engine from answering as it should, one
  // sentence each: every data file it reads (so not the line list) that is
  // missing, unreadable, empty or cut short, then dataProblems(). Empty when
  // the data set is sound.
  std::vector<std::string> loadProblems() const;

  // Declaration order is construction order; do not reorder.
  RKivMan kiv;
  RTrainMan trains;
  RDefMan def;
  RStaName staName;
  RDiaMan dia;
  RCnctMan cnct;
  RDistMan dist;
  RStaFare staFare;
  RStaMan sta;
  RFareMan fare;
};

// The one engine of a running program. The program entry creates an
// EngineScope before the window system starts and lets it end after the
// window system has ended, and hands engine() down to the windows and
// commands by reference. Only one scope may exist at a time.
class EngineScope {
 public:
  // Builds the engine; throws std::logic_error when another scope is alive.
  explicit EngineScope(const std::filesystem::path& dataDir);
  ~EngineScope();
  EngineScope(const EngineScope&) = delete;
  EngineScope& operator=(const EngineScope&) = delete;

  Engine& engine() { return engine_; }

 private:
  // Claims the process-wide slot before the engine is built, so a second
  // scope fails without reading any file.
  struct Claim {
    Claim();
    ~Claim();
  };
  Claim claim_;
  Engine engine_;
};

}  // namespace kiv
