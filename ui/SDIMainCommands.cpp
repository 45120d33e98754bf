// The commands of the main window: the route commands, the fare table, the
// required-time table and the station timetable of the departure station,
// and the developer's data commands and windows.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <filesystem>

#include "About.h"
#include "Engine.h"
#include "EnvPanel.h"
#include "Forms.h"
#include "FtblPnl.h"
#include "JourneyTimes.h"
#include "KivText.h"
#include "MkDiaPnl.h"
#include "OptPanel.h"
#include "ProgPnl.h"
#include "Prompts.h"
#include "RoutePnl.h"
#include "RqTmPnl.h"
#include "SDIMain.h"
#include "ViewPnl.h"
#include "WaitCursor.h"
#include "journey/ArrivingBy.h"
#include "report/WorkFiles.h"
#include "timetable/RouteListView.h"

namespace kiv::ui {
namespace {

constexpr char kBadDeparture[] = "\n出発駅の入力が正しくありません";
constexpr char kBadArrival[] = "\n到着駅の入力が正しくありません";
constexpr char kSameStations[] = "\n出発駅と到着駅が同じです";
constexpr char kNoRoute[] = "\n経路が見当たりません";
constexpr char kRouteLimitReached[] =
    "\n検出経路数が設定値に達したため検出処理はここまでとします。\n"
    "他にも利用に適した経路があるかもしれませんので\n"
    "条件設定を見直すことをおすすめします";
constexpr char kSearchStopped[] =
    "\n検索を中止しました。\n"
    "中止までに見つかった経路だけを表示します";
constexpr char kSearchStoppedEmpty[] = "\n検索を中止しました。\n中止までに経路は見つかりませんでした";
constexpr char kNoTimetableData[] = "\nこの駅の時刻データが存在しません";
constexpr char kNoHourData[] = "\nこの時間帯のデータが存在しません";
constexpr char kAskGrouping[] = "\n列車単位でグループ分けをしますか？";

// Hands each found route to the progress window while the search runs and
// stops the search when the user cancels; detaches itself afterwards.
class ProgressHook {
 public:
  ProgressHook(RDiaMan& dia, TProgForm& progress) : dia_(dia) {
    dia_.setProgressCallback([&progress](int found, int) {
      progress.setPosition(found);
      return !progress.cancelled();
    });
  }
  ~ProgressHook() { dia_.setProgressCallback({}); }
  ProgressHook(const ProgressHook&) = delete;
  ProgressHook& operator=(const ProgressHook&) = delete;

 private:
  RDiaMan& dia_;
};

}  // namespace

bool TAppForm::resolveJourney(StationNo& from, StationNo& to) {
  from = resolveStation(cmbDep_, kBadDeparture);
  if (from == -1) return false;
  to = resolveStation(cmbArv_, kBadArrival);
  if (to == -1) return false;
  if (from == to) {
    warn(this, QString::fromUtf8(kSameStations));
    return false;
  }
  engine_.def.pushRecentDep(*toSjis(cmbDep_->currentText()));
  engine_.def.pushRecentArv(*toSjis(cmbArv_->currentText()));
  fillStationBox(cmbDep_, true);
  fillStationBox(cmbArv_, false);
  repaint();
  return true;
}

StationNo TAppForm::resolveTableOrigin() {
  const StationNo origin = resolveStation(cmbDep_, kBadDeparture);
  if (origin == -1) return -1;
  engine_.def.pushRecentDep(*toSjis(cmbDep_->currentText()));
  fillStationBox(cmbDep_, true);
  return origin;
}

Departure TAppForm::departureTime() const {
  if (engine_.def.getUseSysTime() == 1) {
    const QDateTime now = clock_();
    return {now.time().hour(), now.time().minute(), now.date().dayOfWeek() % 7};
  }
  return {engine_.def.getDepHour(), engine_.def.getDepMinute(), engine_.def.getDepDay()};
}

void TAppForm::ItemCalcClick() {
  StationNo from = -1;
  StationNo to = -1;
  if (!resolveJourney(from, to)) return;
  loadTimeFields();  // the time searched, when it follows the clock
  const Departure time = departureTime();
  if (chkArriveBy_->isChecked()) {
    runArriveBy(from, to, time);
    return;
  }
  const int diffTime = engine_.def.getDiffTime();
  const int routeMax = engine_.def.getRouteMax();
  const int detour = engine_.def.getDetour();

  const RouteQuery query =
      engine_.dia.routeQuery(from, to, time.hour, time.minute, time.day, detour, diffTime);
  RouteSearchResult list;
  {
    WaitCursor wait;
    TProgForm progress(this, routeMax);
    progress.show();
    progress.setPosition(0);
    ProgressHook hook(engine_.dia, progress);
    list = engine_.dia.searchRouteList(query);
  }
  const int found = list.found;
  const bool stopped = list.end == RouteListEnd::stopped;
  if (found < 1) {
    if (stopped && list.workFileProblem.empty()) {
      inform(this, QString::fromUtf8(kSearchStoppedEmpty));
    } else {
      warnNoRoute(list.workFileProblem);
    }
    return;
  }
  // A stopped search is never reported as one that reached the limit.
  if (stopped) {
    inform(this, QString::fromUtf8(kSearchStopped));
  } else if (found >= routeMax) {
    inform(this, QString::fromUtf8(kRouteLimitReached));
  }
  ShownSearch shown;
  shown.day = time.day;
  shown.asked = time.hour * 60 + time.minute;
  // The best-routes search wrote the list: its journeys carry the marks.
  for (const Journey& journey : list.journeys) shown.marks << marksText(journey);
  showRouteList(shown, routeListView(engine_.staName, query, list), stopped);
}

void TAppForm::showRouteList(const ShownSearch& shown, const RouteListView& view, bool partial) {
  TRouteForm& routes = forms_.route();
  routes.takeSearchResult(shown, view);
  routes.setPartial(partial);
  routes.setSortOrder(1);
  routes.show();
  routes.raise();
}

namespace {

ShownSearch shownJourneys(const ArrivingBy& found, ShownSearch::Kind kind) {
  ShownSearch shown;
  shown.day = found.day;
  shown.asked = found.arrival;
  shown.kind = kind;
  for (const Journey& journey : found.result.journeys) shown.marks << marksText(journey);
  return shown;
}

}  // namespace

void TAppForm::runArriveBy(StationNo from, StationNo to, const Departure& time) {
  ArrivingBy found;
  {
    WaitCursor wait;
    TProgForm progress(this, engine_.def.getRouteMax());
    progress.show();
    progress.setPosition(0);
    found = searchArrivingBy(engine_, from, to, time.hour * 60 + time.minute, time.day, [&progress](int n) {
      progress.setPosition(n);
      return !progress.cancelled();
    });
  }
  const bool stopped = found.result.stopped;
  if (found.result.journeys.empty()) {
    if (stopped) {
      inform(this, QString::fromUtf8(kSearchStoppedEmpty));
    } else {
      warn(this, QString::fromUtf8(kNoRoute));
    }
    return;
  }
  if (found.written < 0) {
    warnNoRoute(found.workFileProblem);
    return;
  }
  if (stopped) inform(this, QString::fromUtf8(kSearchStopped));
  showRouteList(shownJourneys(found, ShownSearch::Kind::kArriveBy),
                routeListView(engine_.staName, from, to, found), stopped);
}

void TAppForm::ItemLastTrainClick() {
  StationNo from = -1;
  StationNo to = -1;
  if (!resolveJourney(from, to)) return;
  loadTimeFields();
  const Departure time = departureTime();
  ArrivingBy found;
  {
    WaitCursor wait;
    found = searchLastTrain(engine_, from, to, time.day);
  }
  if (found.result.journeys.empty()) {
    warn(this, QString::fromUtf8(kNoRoute));
    return;
  }
  if (found.written < 0) {
    warnNoRoute(found.workFileProblem);
    return;
  }
  showRouteList(shownJourneys(found, ShownSearch::Kind::kLastTrain),
                routeListView(engine_.staName, from, to, found), false);
}

void TAppForm::warnNoRoute(const std::string& problem) {
  if (!problem.empty()) {
    reportSaveFailure(this, QString::fromStdString(problem));
    return;
  }
  warn(this, QString::fromUtf8(kNoRoute));
}

void TAppForm::TestBtn1Click() {
  StationNo from = -1;
  StationNo to = -1;
  if (!resolveJourney(from, to)) return;
  WaitCursor wait;
  const Departure time = departureTime();
  const FastestQuery query{from, to, time.hour, time.minute, time.day, engine_.def.getOutputMode() == 1};
  FastestResult found;
  if (engine_.dia.fastestRoute(query, found) == 0) {
    loadOutput(forms_.workFile("$TT$.kv4"));
  } else {
    warnNoRoute(found.workFileProblem);
  }
}

void TAppForm::ItemFTableClick() {
  const StationNo origin = resolveTableOrigin();
  if (origin == -1) return;
  work_files::FareTable table;
  const int built = whileWaiting([&] {
    table = engine_.fare.fareTable(origin);
    return work_files::saveFareTable(forms_.dataDir(), table) ? 0 : -1;
  });
  // The table is shown only once its work file is written too.
  if (built != 0) {
    reportSaveFailure(this, QString::fromUtf8(work_files::kFareTable));
    return;
  }
  forms_.ftbl().present(std::move(table));
}

void TAppForm::ItemRqTmTblClick() {
  const StationNo origin = resolveTableOrigin();
  if (origin == -1) return;
  std::optional<work_files::RequiredTimes> times;
  const int built = whileWaiting([&] {
    times = engine_.dia.requiredTimes(origin);
    return times && work_files::saveRequiredTimes(forms_.dataDir(), *times) ? 0 : -1;
  });
  // A station without departures has no tables: say so instead of showing
  // the previous station's.
  if (built != 0) {
    inform(this, QString::fromUtf8(kNoTimetableData));
    return;
  }
  forms_.reqTime().present(std::move(*times));
}

void TAppForm::ItemTTableClick() {
  const StationNo station = resolveStation(cmbDep_, kBadDeparture);
  if (station == -1) return;
  const BoxAnswer answer = prompts().showMessage(this, BoxKind::kQuestion, QString::fromUtf8(kAskGrouping));
  if (answer != BoxAnswer::kYes && answer != BoxAnswer::kNo) return;
  const bool grouping = answer == BoxAnswer::kYes;
  engine_.def.pushRecentDep(*toSjis(cmbDep_->currentText()));
  fillStationBox(cmbDep_, true);

  // The whole command at once: the departures are gathered, sorted and
  // reported in memory, and each work file is written once.
  const int lines =
      engine_.dia.buildStationTimetable(station, engine_.def.getDepDay(), engine_.def.getDepHour(), grouping);
  if (lines < 0) {
    inform(this, QString::fromUtf8(kNoTimetableData));
    return;
  }
  if (lines == 0) {
    inform(this, QString::fromUtf8(kNoHourData));
    return;
  }
  loadOutput(forms_.workFile("$VTT.kv4"));
}

void TAppForm::ItemEnvClick() { forms_.env().exec(); }

void TAppForm::ItemDiaClick() { forms_.mkDia().exec(); }

// The developer's data commands say nothing when they succeed, and name the
// file they could not write when they fail.
void TAppForm::Item101tokyoClick() {
  if (engine_.fare.buildTokyoZoneList() < 0)
    reportSaveFailure(this, QString::fromUtf8(work_files::kTokyoZoneList));
}

void TAppForm::ItemJRcheepClick() {
  if (engine_.dist.buildJrCheapestTable() < 0) {
    reportSaveFailure(this, QString::fromUtf8(work_files::kJrCheapestPairs) + QStringLiteral(", ") +
                                QString::fromUtf8(work_files::kJrCheapestCsv));
  }
}

void TAppForm::ItemStaListClick() {
  if (engine_.staName.writeStationList() != 0)
    reportSaveFailure(this, QString::fromUtf8(work_files::kStationList));
}

void TAppForm::About1Click() { forms_.about().exec(); }

void TAppForm::ViewBtnClick() { forms_.view().exec(); }

void TAppForm::TestBtn2Click() { forms_.opt().exec(); }

}  // namespace kiv::ui
