// The main window: the tool bar, the two station boxes filled from the
// recent-station lists, the menus and their commands. The commands
// themselves (route, tables, timetable, data) are in SDIMainCommands.cpp.
#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Pictures.h"
#include "Types.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QTimeEdit;
class QPlainTextEdit;
class QToolButton;
class QMenu;

namespace kiv {
class Engine;
class StationSearch;
struct RouteListView;
}  // namespace kiv

namespace kiv::ui {

struct ShownSearch;
class KivForms;
class HelpWindow;

// True when the first program argument is the developer word "vord", in
// any letter case. `args` are the arguments after the program name.
bool isDeveloperWord(const std::vector<std::string>& args);

// The departure time of a route command: hour, minute and day of week
// (0 Sunday .. 6 Saturday).
struct Departure {
  int hour = 0;
  int minute = 0;
  int day = 0;
};

class TAppForm : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kTargetDeparture = 1;
  static constexpr int kTargetArrival = 2;

  TAppForm(Engine& engine, KivForms& forms, bool developerMode);
  ~TAppForm() override;

  bool developerMode() const { return developerMode_; }
  // 1 when the station selection dialog was opened for the departure box,
  // 2 for the arrival box.
  int stationTarget() const { return stationTarget_; }
  // Puts a chosen station into the edit text of the departure (target 1)
  // or the arrival box; the items and the recent lists stay as they are.
  void setStationText(int target, const QString& text);
  QString departureText() const;
  // The output pane's text; the pane shows once text is loaded into it.
  QString outputText() const;
  bool outputVisible() const;
  // The local clock the route command reads; tests set their own.
  void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
  // The start-up error: why the data of `dataDir` cannot serve every
  // command (a missing, unreadable, empty or damaged file, one reason a
  // line), in an error box over the main window; nothing when there is none.
  void showStartupProblems(const std::filesystem::path& dataDir, const std::vector<std::string>& problems);

 public slots:
  void ItemExitClick();
  void btnRefDepClick();
  void btnRefArvClick();
  void ItemCalcClick();
  // The last train of the day chosen: the latest departure that arrives by
  // 4:00 the next morning, shown in the route list.
  void ItemLastTrainClick();
  // Sets the time and day to now and keeps following the clock (the
  // condition dialog's 「現在の時刻・曜日を使用する」) until unpressed or
  // the time or day is changed.
  void btnNowClick(bool now);
  // Exchanges the texts of the departure and the arrival box.
  void swapStations();
  void ItemFTableClick();
  void ItemRqTmTblClick();
  void ItemTTableClick();
  void DefItemClick();
  void ColtdItemClick();
  void ItemEnvClick();
  void ItemDiaClick();
  void Item101tokyoClick();
  void ItemJRcheepClick();
  void ItemStaListClick();
  void ItemKeywordClick();
  void About1Click();
  void ViewBtnClick();
  void TestBtn1Click();
  void TestBtn2Click();

 signals:
  // The main window was closed: the program ends, whatever other windows
  // are still open.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildToolBar(QWidget* speedPanel);
  void buildStationPanel(QWidget* panel);
  void buildMenus();
  QToolButton* addToolButton(QWidget* panel, const char* name, const QString& hint, ToolPicture picture,
                             void (TAppForm::*handler)());
  void fillStationBox(QComboBox* box, bool departure);
  // The station number of the box's text, or -1 after the warning
  // `message`. The text is read as the command line reads it (exact name,
  // variant forms, kana reading, a trailing 駅); a station found so is put
  // into the box by its name. Text that fits several stations, or none but
  // some near ones, offers up to five of them to pick from.
  StationNo resolveStation(QComboBox* box, const char* message);
  const StationSearch& stationSearch();
  // Both stations of a route command, pushed to the recent lists; false
  // (after its warning, with nothing changed) when they do not resolve or
  // are the same station.
  bool resolveJourney(StationNo& from, StationNo& to);
  // The departure station of a table command, pushed to the recent list.
  StationNo resolveTableOrigin();
  Departure departureTime() const;
  // Puts the time and day of Kiv4.def (or the clock's when it is followed)
  // into the time field and day choice.
  void loadTimeFields();
  // The time field or day choice changed by the user: kept in Kiv4.def as
  // the condition dialog keeps them.
  void timeFieldsEdited();
  void buildTimeRow(QWidget* panel, QGridLayout* grid);
  // The arrive-by search: journeys arriving by the time on the day.
  void runArriveBy(StationNo from, StationNo to, const Departure& time);
  // Hands the route files just written to the route list and shows it.
  void showRouteList(const ShownSearch& shown, const RouteListView& view, bool partial);
  void loadOutput(const std::filesystem::path& file);
  // After a route search that yielded nothing: names the work file it could
  // not write, else says that there is no route.
  void warnNoRoute(const std::string& problem);
  void fitToContents();

  Engine& engine_;
  KivForms& forms_;
  bool developerMode_;
  int stationTarget_ = kTargetDeparture;
  std::function<QDateTime()> clock_;

  QComboBox* cmbDep_ = nullptr;
  QComboBox* cmbArv_ = nullptr;
  QPlainTextEdit* outputRE_ = nullptr;
  QLabel* lblTime_ = nullptr;
  QTimeEdit* timeDep_ = nullptr;
  QComboBox* cmbDepDay_ = nullptr;
  QToolButton* btnNow_ = nullptr;
  QCheckBox* chkArriveBy_ = nullptr;
  QMenu* toolMenu_ = nullptr;
  HelpWindow* help_ = nullptr;
  std::unique_ptr<StationSearch> search_;  // built on first use
};

}  // namespace kiv::ui
