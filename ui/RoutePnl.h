// The route list window: the routes of the last search in detection, time
// or fare order, the trains, changes and fare sections of the selected
// route, and the text export of the selected routes. It keeps the routes a
// search hands over in its own model and reads no file after that: another
// program writing the work files of the directory (kiv4cli) changes
// nothing here until the next search.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "report/WorkFiles.h"
#include "timetable/RouteListView.h"

class QAction;
class QLabel;
class QTableView;
class QToolButton;
class QTreeWidget;

namespace kiv::ui {

class RouteListModel;

// What a search tells the route list besides its files: the day it ran on,
// the time asked and, in best-routes mode, the marks of each route.
struct ShownSearch {
  enum class Kind { kDeparture, kArriveBy, kLastTrain };
  int day = -1;   // day code of the search's day; -1 unknown (the files' times shown as they are)
  int asked = 0;  // minutes after midnight of that day
  Kind kind = Kind::kDeparture;
  QStringList marks;  // by detection number; empty outside best-routes mode
};

class TRouteForm : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kViaColumn = 8;
  static constexpr int kDetectionColumn = 9;
  // Shown second, after No., and only when the search gave marks.
  static constexpr int kMarksColumn = 10;
  // The first ride's departure, shown before the arrival.
  static constexpr int kDepartureColumn = 11;

  explicit TRouteForm(const std::filesystem::path& dataDir);
  // Keeps the place of a window still open when the program ends.
  ~TRouteForm() override;

  // Orders 1 detection, 2 time, 3 fare: marks the order, loads its list and
  // shows the details of its first route. Any other value only makes the
  // remembered order 1.
  void setSortOrder(int order);
  int sortOrder() const { return sortOrder_; }
  // Shows the kept routes in the list order; the detection number of the
  // first route, or -1 when there is none (0 for an unknown order).
  int loadRouteList(int order);
  // Fills the three detail lists with the records of route n.
  void showRouteDetail(int n);
  // Takes the route lists and details of a search into the window's model:
  // from then on the window shows them, in any order, without reading a
  // file. `shown` says the search's day and marks, kept with them.
  void takeSearchResult(const ShownSearch& shown, const RouteListView& view);
  // The same for the lists and details in the route files, read once (a
  // list another program wrote).
  void takeSearchResult(const ShownSearch& shown = {});
  const RouteListModel& model() const { return *model_; }
  // Marks the list as what a stopped search found (in the caption).
  void setPartial(bool partial) { partial_ = partial; }
  // The text the save writes for the selected rows, or for the row of the
  // shown route when none is selected; empty when the list is empty.
  QString chosenRoutesText() const;

 public slots:
  void ItemSortPickupClick() { setSortOrder(1); }
  void ItemSortTimeClick() { setSortOrder(2); }
  void ItemSortFareClick() { setSortOrder(3); }
  void StrGrid1Click();
  void ItemSaveClick();
  // Puts the text of the selected (or shown) routes on the clipboard.
  void ItemCopyClick();
  // Prints the text of every route of the list through the print dialog.
  void ItemPrintClick();
  void ItemExitClick() { close(); }

 protected:
  // The first showing comes back where the window was last closed (fitted
  // to the screen); closing keeps the place for the next run.
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildToolBar(QWidget* panel);
  void buildMenus();
  // Checks the menu item and presses the tool button of the order (1..3).
  void markOrder(int order);
  // The first and last row of the selection, else the shown route's row;
  // false when there is none.
  bool chosenRows(int& top, int& bottom) const;
  // Writes rows top..bottom to `file` as the engine's Shift-JIS text: 0, or -1.
  int writeRows(const QString& file, int top, int bottom) const;
  // A time of the files as the traveller reads it: with its day once the
  // search's day is known.
  QString shownTime(const std::string& fileText, int minutes) const;
  void showSearchHead(const QString& fileDeparture);
  // The line above the list when the first trains of its routes (by
  // detection number in `departures`) leave on a later day than asked.
  void showDayNote(const std::vector<work_files::RouteSummary>& routes,
                   const std::map<int, work_files::ClockTime>& departures);
  QString rowsText(int top, int bottom) const;
  // The grid's rows of the kept list of each order.
  void fillModel();

  std::filesystem::path dataDir_;
  // The routes of the last search: the list of each order and the details
  // of every route (nullopt: not had).
  std::optional<work_files::RouteList> lists_[3];
  std::optional<work_files::RouteDetail> details_;
  int sortOrder_ = 1;
  int shownDetection_ = -1;  // the route in the detail lists
  bool partial_ = false;
  ShownSearch shown_;
  bool placed_ = false;

  QLabel* label1_ = nullptr;
  QLabel* pnlDepTime_ = nullptr;
  QLabel* lblDayNote_ = nullptr;
  QToolButton* sortButtons_[3] = {};
  QAction* sortItems_[3] = {};
  RouteListModel* model_ = nullptr;
  QTableView* strGrid1_ = nullptr;
  QTreeWidget* lvTrain_ = nullptr;
  QTreeWidget* lvFare_ = nullptr;
  QTreeWidget* lvSta_ = nullptr;
};

}  // namespace kiv::ui
