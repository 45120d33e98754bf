// The best-routes search as the windows show it: the marks of each route,
// the search's day and the next day's times, the arrive-by and last-train
// searches of the main window, and its time and day kept in Kiv4.def.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "JourneyTimes.h"
#include "ModelViews.h"
#include "RoutePnl.h"
#include "SDIMain.h"
#include "TestRegistry.h"
#include "UiWorld.h"
#include "report/WorkFiles.h"

namespace kiv::test {
namespace {

constexpr int kArrival = 1;  // 予想到着

// A fresh run in best-routes mode with the two stations, the time and the
// day entered in the main window.
class BestWorld : public UiWorld {
 public:
  BestWorld(const QString& from, const QString& to, QTime time, int day) {
    start();
    engine->def.setRouteMode(2);
    app().findChild<QComboBox*>(QStringLiteral("cmbDep"))->setEditText(from);
    app().findChild<QComboBox*>(QStringLiteral("cmbArv"))->setEditText(to);
    find<QTimeEdit>(&app(), "timeDep")->setTime(time);
    find<QComboBox>(&app(), "cmbDepDay")->setCurrentIndex(day);
    grid = find<QTableView>(&forms->route(), "StrGrid1");
  }
  ui::TAppForm& app() { return forms->app(); }
  QString panelText() { return find<QLabel>(&forms->route(), "pnlDepTime")->text(); }
  QString timeLabel() { return find<QLabel>(&forms->route(), "Label1")->text(); }
  // The first ride's departure of each route of the detail file, by detection number.
  std::vector<int> departures() {
    const auto all = work_files::readRouteDetails(file("$MltRtDt.kv4"));
    std::vector<int> out;
    for (int n = 0; n < rowsOf(grid); ++n) {
      const work_files::RouteDetail one = work_files::detailOf(*all, n);
      out.push_back(one.rides.empty() ? -1 : one.rides.front().departure.minutes);
    }
    return out;
  }
  std::vector<int> arrivals() {
    const auto list = work_files::readRouteList(file("$MltRtL1.kv4"));
    std::vector<int> out;
    if (list) {
      for (const auto& r : list->routes) out.push_back(r.arrival.minutes);
    }
    return out;
  }
  QTableView* grid = nullptr;
};

}  // namespace

class BestRoutesWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void dayTimesAndNotes() {
    QCOMPARE(ui::dayTimeText(9 * 60 + 24, 1), QStringLiteral("9:24"));
    QCOMPARE(ui::dayTimeText(1440 + 12, 6), QStringLiteral("翌 0:12"));
    QCOMPARE(ui::dayTimeText(2 * 1440 + 6 * 60 + 35, 1), QStringLiteral("水 6:35"));
    QCOMPARE(ui::dayTimeText(2 * 1440, 6), QStringLiteral("月 0:00"));
    // Service days turn at 4:00: 翌 1:00 is still the day's service.
    QVERIFY(ui::laterDayNote(23 * 60, 1440 + 60, 6).isEmpty());
    QCOMPARE(ui::laterDayNote(23 * 60, 1440 + 5 * 60, 6),
             QStringLiteral("この日の列車は終わっています: 日曜の始発からの経路です"));
    // Asked before 4:00, a journey after it is on the next service day.
    QVERIFY(!ui::laterDayNote(2 * 60, 5 * 60, 1).isEmpty());
  }

  void marksColumnFollowsTheBestRoutes() {
    BestWorld w(QStringLiteral("池袋"), QStringLiteral("大宮"), QTime(9, 0), 1);
    w.app().ItemCalcClick();
    QVERIFY(w.prompts.boxes.empty() || w.prompts.boxes.front().kind == ui::BoxKind::kInformation);
    // The same search again, as a value: the window shows its journeys.
    Engine& e = *w.engine;
    const RouteQuery query =
        e.dia.routeQuery(e.staName.findByName(sjis("池袋")), e.staName.findByName(sjis("大宮")), 9, 0, 1,
                         e.def.getDetour(), e.def.getDiffTime());
    const std::vector<Journey> best = e.dia.findRouteList(query).journeys;
    QVERIFY(rowsOf(w.grid) >= 3);
    QCOMPARE(rowsOf(w.grid), int(best.size()));
    QVERIFY(!w.grid->isColumnHidden(ui::TRouteForm::kMarksColumn));
    // Shown second, after the row number.
    QCOMPARE(w.grid->horizontalHeader()->visualIndex(ui::TRouteForm::kMarksColumn), 1);
    w.find<QToolButton>(&w.forms->route(), "btnSortFare")->click();  // marks go by detection number
    QSet<QString> seen;
    for (int r = 0; r < rowsOf(w.grid); ++r) {
      const int detection = cell(w.grid, r, ui::TRouteForm::kDetectionColumn).toInt();
      const QString marks = cell(w.grid, r, ui::TRouteForm::kMarksColumn);
      QCOMPARE(marks, ui::marksText(best[std::size_t(detection)]));
      QCOMPARE(marks.size(), 3);
      seen.insert(marks);
    }
    QVERIFY(seen.size() >= 2);
    QVERIFY(best.front().earliest);
    QCOMPARE(w.panelText(), QStringLiteral("月曜 9:00"));
    QCOMPARE(w.timeLabel(), QStringLiteral("出発時刻"));
    QVERIFY(!w.find<QLabel>(&w.forms->route(), "lblDayNote")->isVisibleTo(&w.forms->route()));
  }

  void classicListHasNoMarks() {
    BestWorld w(QStringLiteral("池袋"), QStringLiteral("大宮"), QTime(9, 0), 1);
    w.engine->def.setRouteMode(1);
    w.app().ItemCalcClick();
    QVERIFY(rowsOf(w.grid) > 0);
    QVERIFY(w.grid->isColumnHidden(ui::TRouteForm::kMarksColumn));
    QCOMPARE(w.panelText(), QStringLiteral("月曜 9:00"));
  }

  void nextDayJourneyCarriesItsDay() {
    BestWorld w(QStringLiteral("渋谷"), QStringLiteral("二子玉川園"), QTime(23, 45), 6);
    w.app().ItemCalcClick();
    QVERIFY(rowsOf(w.grid) >= 1);
    ui::TRouteForm& form = w.forms->route();
    QCOMPARE(w.panelText(), QStringLiteral("土曜 23:45"));
    // The files keep hours past 24; the window says 翌.
    QVERIFY(w.read("$MltRtL1.kv4").find(" 29:") != std::string::npos);
    QVERIFY(cell(w.grid, 0, kArrival).startsWith(QStringLiteral("翌 5:")));
    auto* trains = w.find<QTreeWidget>(&form, "lvTrain");
    QVERIFY(trains->topLevelItemCount() > 0);
    QVERIFY(trains->topLevelItem(0)->text(2).startsWith(QStringLiteral("翌 ")));
    QVERIFY(trains->topLevelItem(0)->text(3).startsWith(QStringLiteral("翌 ")));
    auto* note = w.find<QLabel>(&form, "lblDayNote");
    QVERIFY(note->isVisibleTo(&form));
    QCOMPARE(note->text(), QStringLiteral("この日の列車は終わっています: 日曜の始発からの経路です"));
    // The window's copy keeps its days when kiv4cli-like writers replace the files.
    std::filesystem::remove(w.file("$MltRtL1.kv4"));
    form.setSortOrder(1);
    QVERIFY(cell(w.grid, 0, kArrival).startsWith(QStringLiteral("翌 5:")));
  }

  void classicListShowsNextDayTimes() {
    BestWorld w(QStringLiteral("渋谷"), QStringLiteral("二子玉川園"), QTime(23, 45), 6);
    w.engine->def.setRouteMode(1);
    w.app().ItemCalcClick();
    QVERIFY(rowsOf(w.grid) >= 1);
    QVERIFY(w.grid->isColumnHidden(ui::TRouteForm::kMarksColumn));
    QCOMPARE(cell(w.grid, 0, ui::TRouteForm::kDepartureColumn), QStringLiteral("23:54"));
    QVERIFY(cell(w.grid, 0, kArrival).startsWith(QStringLiteral("翌 5:")));
    // Its first train leaves on the day asked (it waits overnight at a
    // change), so the day's trains have not all gone.
    QVERIFY(!w.find<QLabel>(&w.forms->route(), "lblDayNote")->isVisibleTo(&w.forms->route()));
  }

  void arriveByListsLatestDepartureFirst() {
    BestWorld w(QStringLiteral("池袋"), QStringLiteral("大宮"), QTime(9, 0), 1);
    w.find<QCheckBox>(&w.app(), "chkArriveBy")->setChecked(true);
    w.app().ItemCalcClick();
    QVERIFY(rowsOf(w.grid) >= 2);
    QCOMPARE(w.timeLabel(), QStringLiteral("到着時刻"));
    QCOMPARE(w.panelText(), QStringLiteral("月曜 9:00 まで"));
    const std::vector<int> leave = w.departures();
    for (std::size_t i = 1; i < leave.size(); ++i)
      QVERIFY2(leave[i - 1] >= leave[i], "latest departure first");
    for (const int arrival : w.arrivals()) QVERIFY(arrival <= 9 * 60);
    QVERIFY(!w.grid->isColumnHidden(ui::TRouteForm::kMarksColumn));
  }

  void arriveByEarlyMorningLeavesTheEveningBefore() {
    BestWorld w(QStringLiteral("新宿"), QStringLiteral("高崎"), QTime(1, 0), 1);
    w.find<QCheckBox>(&w.app(), "chkArriveBy")->setChecked(true);
    w.app().ItemCalcClick();
    QVERIFY(rowsOf(w.grid) >= 1);
    QCOMPARE(w.panelText(), QStringLiteral("月曜 1:00 まで"));
    for (const int arrival : w.arrivals()) QVERIFY(arrival <= 1440 + 60);
  }

  void lastTrainOfTheDay() {
    BestWorld w(QStringLiteral("新宿"), QStringLiteral("高崎"), QTime(9, 0), 1);
    auto* item = w.app().findChild<QAction*>(QStringLiteral("ItemLastTrain"));
    QVERIFY(item);
    item->trigger();
    QCOMPARE(rowsOf(w.grid), 1);
    QCOMPARE(w.timeLabel(), QStringLiteral("最終列車"));
    QCOMPARE(w.panelText(), QStringLiteral("月曜の最終"));
    QVERIFY(w.arrivals().front() <= 28 * 60);
    // No later departure arrives by 4:00: the search's own answer at 21:00
    // and after is the same journey.
    QVERIFY(w.departures().front() >= 21 * 60);
    QVERIFY(w.prompts.boxes.empty());
  }

  void timeAndDayKeptInTheSettings() {
    UiWorld w;
    w.start();
    ui::TAppForm& app = w.forms->app();
    w.find<QTimeEdit>(&app, "timeDep")->setTime(QTime(7, 35));
    w.find<QComboBox>(&app, "cmbDepDay")->setCurrentIndex(6);
    QCOMPARE(w.engine->def.getUseSysTime(), 0);
    w.stop();
    w.start();
    QCOMPARE(int(w.engine->def.getDepHour()), 7);
    QCOMPARE(int(w.engine->def.getDepMinute()), 35);
    QCOMPARE(int(w.engine->def.getDepDay()), 6);
    QCOMPARE(w.find<QTimeEdit>(&w.forms->app(), "timeDep")->time(), QTime(7, 35));
    QCOMPARE(w.find<QComboBox>(&w.forms->app(), "cmbDepDay")->currentIndex(), 6);
    QVERIFY(!w.find<QToolButton>(&w.forms->app(), "btnNow")->isChecked());
  }

  void nowFollowsTheClockUntilTheTimeIsChanged() {
    UiWorld w;
    w.start();
    ui::TAppForm& app = w.forms->app();
    app.setClock([] { return QDateTime(QDate(2026, 12, 9), QTime(18, 42)); });  // a Wednesday
    auto* now = w.find<QToolButton>(&app, "btnNow");
    // A new settings file follows the clock; a time entered stops that.
    QVERIFY(now->isChecked());
    w.find<QTimeEdit>(&app, "timeDep")->setTime(QTime(6, 0));
    QVERIFY(!now->isChecked());
    now->click();
    QVERIFY(now->isChecked());
    QCOMPARE(w.find<QTimeEdit>(&app, "timeDep")->time(), QTime(18, 42));
    QCOMPARE(w.find<QComboBox>(&app, "cmbDepDay")->currentIndex(), 3);
    QCOMPARE(w.engine->def.getUseSysTime(), 1);
    w.find<QComboBox>(&app, "cmbDepDay")->setCurrentIndex(5);
    QVERIFY(!now->isChecked());
    QCOMPARE(w.engine->def.getUseSysTime(), 0);
    QCOMPARE(int(w.engine->def.getDepDay()), 5);
    QCOMPARE(int(w.engine->def.getDepHour()), 18);
  }
};

KIV_UI_TEST(BestRoutesWindowTest)

}  // namespace kiv::test

#include "BestRoutesWindowTest.moc"
