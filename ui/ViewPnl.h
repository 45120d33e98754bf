// The data browser of the developer mode: the raw trains, the timetable
// records of the departure station, the transfers, the stations and the JR
// and private distance edges, one table at a time.
#pragma once

#include <QDialog>
#include <initializer_list>

#include "ReportList.h"

class QTreeWidget;

namespace kiv {
class Engine;
}

namespace kiv::ui {

class TAppForm;

class TViewForm : public QDialog {
  Q_OBJECT
 public:
  TViewForm(const Engine& engine, const TAppForm& app);

  QTreeWidget* list() const { return listView1_; }

 public slots:
  void cmdDispTrainClick();
  void cmdDispDiaClick();
  void cmdDispCnctClick();
  void cmdDispStaNameClick();
  void cmdDispDistJRClick();
  void cmdDispDistPRClick();
  void cmdClearClick();
  void cmdOKClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Empties the list and gives it the columns of the next table.
  void startTable(std::initializer_list<Column> columns);
  QString stationName(int station) const;
  QString trainName(int train) const;
  // The edges of one distance network whose two stations both have names.
  template <typename Edge>
  void listEdges(int count, int (*get)(const Engine&, int, Edge&));

  const Engine& engine_;
  const TAppForm& app_;
  QTreeWidget* listView1_;
};

}  // namespace kiv::ui
