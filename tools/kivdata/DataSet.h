// A compiled data set: the contents of every file the program reads, ready
// to be written through the engine's format modules.
#pragma once

#include <string>
#include <vector>

#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "data/DistIdxFile.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "data/FareFFile.h"
#include "data/FareIdxFile.h"
#include "data/FareRFile.h"
#include "data/FareWFile.h"
#include "data/StaAttrFile.h"
#include "data/StaFareFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"

namespace kiv::data {

struct DataSet {
  StaNameFile staName;
  StaAttrFile staAttr;
  StaIdxFile staIdx;
  StaFareFile staFare;
  TrainFile train;
  TransferFile transfer;
  DiaIdx1File diaIdx1;
  DiaIdx2File diaIdx2;
  Diagram2File diagram2;
  DistJRFile distJR;
  DistPRFile distPR;
  DistIdxFile distIdx;
  FareIdxFile fareIdx;
  FareFFile fareF;
  FareRFile fareR;
  FareWFile fareW;
  std::string lineList;  // kiv4line.dat: Shift-JIS, CR LF line ends
  // Where each record of fareR was given ("file:line"), for the checks that
  // run on the written set.
  std::vector<std::string> reductionPlaces;
};

}  // namespace kiv::data
