// The fare table window: the fares from one station to every station of
// each company that serves it, one company at a time.
#pragma once

#include "TableWindow.h"
#include "report/WorkFiles.h"

namespace kiv::ui {

class TFtblForm : public TableWindow {
  Q_OBJECT
 public:
  TFtblForm();

  // Keeps the fare table and shows its first company.
  void showTable(work_files::FareTable table);
  // showTable, then the window comes to the front.
  void present(work_files::FareTable table);

 private:
  work_files::FareTable table_;  // what the saves write from
};

}  // namespace kiv::ui
