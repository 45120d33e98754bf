// The required-time window: for each train leaving one station, the
// stations it reaches and the riding minutes to each.
#pragma once

#include "TableWindow.h"
#include "report/WorkFiles.h"

namespace kiv::ui {

class TReqTimeForm : public TableWindow {
  Q_OBJECT
 public:
  TReqTimeForm();

  // Keeps the tables: one entry of the train list per table.
  void loadTrainList(work_files::RequiredTimes times);
  void showRequiredTimes(int table) { showBlock(table); }
  // loadTrainList, the first table, and the window comes to the front.
  void present(work_files::RequiredTimes times);

 private:
  work_files::RequiredTimes times_;  // what the saves write from
};

}  // namespace kiv::ui
