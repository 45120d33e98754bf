// The required-time window: for each train leaving one station, the
// stations it reaches and the riding minutes to each.
#pragma once

#include "TableWindow.h"

namespace kiv {
class RDiaMan;
}

namespace kiv::ui {

class TReqTimeForm : public TableWindow {
  Q_OBJECT
 public:
  TReqTimeForm(RDiaMan& dia, const std::filesystem::path& dataDir);

  void loadTrainList() { fill(); }
  void showRequiredTimes(int table) { showBlock(table); }
};

}  // namespace kiv::ui
