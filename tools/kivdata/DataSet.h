// A compiled data set: the contents of every file the program reads, ready
// to be written through the engine's format modules.
#pragma once

#include <string>

#include "formats/DiaIdx1File.h"
#include "formats/DiaIdx2File.h"
#include "formats/Diagram2File.h"
#include "formats/DistIdxFile.h"
#include "formats/DistJRFile.h"
#include "formats/DistPRFile.h"
#include "formats/FareFFile.h"
#include "formats/FareIdxFile.h"
#include "formats/FareRFile.h"
#include "formats/FareWFile.h"
#include "formats/StaAttrFile.h"
#include "formats/StaFareFile.h"
#include "formats/StaIdxFile.h"
#include "formats/StaNameFile.h"
#include "formats/TrainFile.h"
#include "formats/TransferFile.h"

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
};

}  // namespace kiv::data
