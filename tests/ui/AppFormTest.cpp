// The main window: start-up, the developer word, station resolution and the
// route command end to end with its progress window, messages and recent
// lists; the table and timetable commands.
#include <QAccessible>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "FtblPnl.h"
#include "ModelViews.h"
#include "ProgPnl.h"
#include "RoutePnl.h"
#include "RqTmPnl.h"
#include "SDIMain.h"
#include "TestRegistry.h"
#include "UiWorld.h"

using kiv::ui::BoxAnswer;
using kiv::ui::BoxKind;
using kiv::ui::TAppForm;

namespace kiv::test {
namespace {

const QString kBadDeparture = QStringLiteral("\n出発駅の入力が正しくありません");
const QString kBadArrival = QStringLiteral("\n到着駅の入力が正しくありません");

QComboBox* box(UiWorld& w, const char* name) { return w.find<QComboBox>(&w.forms->app(), name); }

void enterStations(UiWorld& w, const QString& from, const QString& to) {
  box(w, "cmbDep")->setEditText(from);
  box(w, "cmbArv")->setEditText(to);
}

QStringList items(QComboBox* combo) {
  QStringList out;
  for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
  return out;
}

}  // namespace

class AppFormTest : public QObject {
  Q_OBJECT
 private slots:
  void developerWordInAnyCase() {
    QVERIFY(ui::isDeveloperWord({"vord"}));
    QVERIFY(ui::isDeveloperWord({"VORD", "x"}));
    QVERIFY(ui::isDeveloperWord({"VoRd"}));
    QVERIFY(!ui::isDeveloperWord({}));
    QVERIFY(!ui::isDeveloperWord({"word"}));
    QVERIFY(!ui::isDeveloperWord({"x", "vord"}));
    QVERIFY(!ui::isDeveloperWord({"vord "}));
  }

  void developerControlsFollowTheMode() {
    for (bool developer : {false, true}) {
      UiWorld w;
      w.start(developer);
      TAppForm& app = w.forms->app();
      for (const char* name : {"ViewBtn", "TestBtn1", "TestBtn2"}) {
        QCOMPARE(w.find<QToolButton>(&app, name)->isVisibleTo(&app), developer);
      }
      QCOMPARE(w.find<QMenu>(&app, "ToolMenu")->menuAction()->isVisible(), developer);
      QVERIFY(w.find<QToolButton>(&app, "RouteBtn")->isVisibleTo(&app));
    }
  }

  void startsEmptyAtTheOriginWithoutSettings() {
    UiWorld w;
    w.start();
    TAppForm& app = w.forms->app();
    QCOMPARE(app.pos(), QPoint(0, 0));
    QCOMPARE(box(w, "cmbDep")->count(), 0);
    QCOMPARE(box(w, "cmbDep")->currentText(), QString());
    QCOMPARE(box(w, "cmbArv")->count(), 0);
    QVERIFY(!app.outputVisible());
    QVERIFY(w.prompts.boxes.empty());
  }

  // The start-up error names what the engine could not load, one reason a
  // line; a sound data set shows none.
  void startupErrorNamesTheDataFilesThatAreNotWhole() {
    UiWorld w;
    w.start();
    w.forms->app().showStartupProblems(w.dir.path(), w.engine->loadProblems());
    QVERIFY(w.prompts.boxes.empty());
    w.stop();
    std::filesystem::resize_file(w.file("Train.kv4"), 0);
    w.start();
    w.forms->app().showStartupProblems(w.dir.path(), w.engine->loadProblems());
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes.back().kind, BoxKind::kError);
    QCOMPARE(w.prompts.boxes.back().text,
             QStringLiteral("\nデータファイルを正しく読み込めません (%1)\nTrain.kv4 が空です")
                 .arg(QString::fromStdString(w.dir.path().string())));
  }

  void windowPlacementAndRecentStationsSurviveARestart() {
    UiWorld w;
    w.start();
    w.engine->def.pushRecentDep(sjis("新宿"));
    w.engine->def.pushRecentDep(sjis("東京"));
    w.forms->app().move(40, 30);
    QSignalSpy ended(&w.forms->app(), &TAppForm::closed);
    w.forms->app().close();
    QCOMPARE(ended.count(), 1);  // ends the program even with result windows open
    w.stop();
    w.start();
    TAppForm& app = w.forms->app();
    QCOMPARE(app.pos(), QPoint(40, 30));
    QCOMPARE(items(box(w, "cmbDep")), (QStringList{QStringLiteral("東京"), QStringLiteral("新宿")}));
    QCOMPARE(box(w, "cmbDep")->currentText(), QStringLiteral("東京"));
  }

  void unresolvedOrEqualStationsWarnAndChangeNothing() {
    struct Case {
      QString from, to, message;
    };
    const QString same = QStringLiteral("\n出発駅と到着駅が同じです");
    const Case cases[] = {
        // Text that names no station and comes near none keeps the plain warning.
        {QStringLiteral("xyzzy"), QStringLiteral("高崎"), kBadDeparture},
        {QStringLiteral(" "), QStringLiteral("高崎"), kBadDeparture},
        {QString(), QStringLiteral("高崎"), kBadDeparture},
        {QStringLiteral("新宿"), QStringLiteral("ｑｑｑｑｑ"), kBadArrival},
        {QStringLiteral("新宿"), QStringLiteral("Ω駅😀"), kBadArrival},  // not even Shift-JIS
        {QStringLiteral("新宿"), QStringLiteral("新宿"), same},
    };
    for (const Case& c : cases) {
      UiWorld w;
      w.start();
      enterStations(w, c.from, c.to);
      w.forms->app().ItemCalcClick();
      QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
      QCOMPARE(w.prompts.boxes[0].kind, BoxKind::kWarning);
      QCOMPARE(w.prompts.boxes[0].text, c.message);
      char buffer[kStationNameSize];
      QCOMPARE(w.engine->def.getRecentDep(0, buffer), -1);
      QCOMPARE(w.engine->def.getRecentArv(0, buffer), -1);
      QVERIFY(!std::filesystem::exists(w.file("$MltRtL1.kv4")));
      QVERIFY(!w.forms->route().isVisible());
    }
  }

  void routeCommandListsTheRoutesAndUpdatesRecentLists() {
    UiWorld w;
    w.start();
    w.engine->def.setUseSysTime(0);
    w.engine->def.setDepHour(9);
    w.engine->def.setDepMinute(0);
    // Room for every route of the limits, so that no route-limit box comes.
    w.engine->def.setRouteMax(300);
    w.engine->def.pushRecentDep(sjis("東京"));
    w.engine->def.pushRecentDep(sjis("新宿"));
    enterStations(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    w.forms->app().ItemCalcClick();
    QVERIFY(w.prompts.boxes.empty());
    // The used station stands first, once.
    QCOMPARE(items(box(w, "cmbDep")), (QStringList{QStringLiteral("新宿"), QStringLiteral("東京")}));
    QCOMPARE(items(box(w, "cmbArv")), QStringList{QStringLiteral("高崎")});
    ui::TRouteForm& routes = w.forms->route();
    QVERIFY(routes.isVisible());
    QCOMPARE(routes.windowTitle(), QStringLiteral("検出経路(新宿→高崎)"));
    auto* grid = w.find<QTableView>(&routes, "StrGrid1");
    QVERIFY(rowsOf(grid) >= 1);
    QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
    QVERIFY(!w.forms->app().findChild<ui::TProgForm*>());
  }

  void routeLimitGivesTheInformationBoxThenTheList() {
    UiWorld w;
    w.start();
    w.engine->def.setUseSysTime(0);
    w.engine->def.setDepHour(9);
    w.engine->def.setRouteMode(1);
    w.engine->def.setRouteMax(2);
    enterStations(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    w.forms->app().ItemCalcClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].kind, BoxKind::kInformation);
    QVERIFY(w.prompts.boxes[0].text.startsWith(QStringLiteral("\n検出経路数が設定値に達したため")));
    QCOMPARE(rowsOf(w.find<QTableView>(&w.forms->route(), "StrGrid1")), 2);
  }

  // A route search whose sorted list cannot be written names that file and
  // shows no list; it never says that there is no route.
  void aRouteListThatCannotBeWrittenIsReportedNotTakenForNoRoute() {
    UiWorld w;
    w.start();
    w.engine->def.setUseSysTime(0);
    w.engine->def.setDepHour(9);
    std::filesystem::create_directory(w.file("$MltRtL2.kv4"));
    enterStations(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    w.forms->app().ItemCalcClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].text, QStringLiteral("\n$MltRtL2.kv4 に保存できません"));
    QVERIFY(!w.forms->route().isVisible());
  }

  void progressWindowCountsAndCancelStopsTheSearch() {
    UiWorld w;
    w.start();
    w.engine->def.setRouteMode(1);
    w.engine->def.setUseSysTime(0);
    w.engine->def.setDepHour(9);
    w.engine->def.setRouteMax(300);
    enterStations(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    QStringList labels;
    int maximum = -1;
    // Runs inside the search, when the progress window hands control to
    // the event loop: note what it shows, then press its cancel button.
    QTimer::singleShot(0, [&] {
      auto* progress = w.forms->app().findChild<ui::TProgForm*>();
      QVERIFY(progress);
      QCOMPARE(progress->windowTitle(), QStringLiteral("検索中！！"));
      maximum = w.find<QProgressBar>(progress, "ProgressBar1")->maximum();
      labels << w.find<QLabel>(progress, "lblPercentage")->text();
      w.find<QPushButton>(progress, "btnCancel")->click();
    });
    w.forms->app().ItemCalcClick();
    QCOMPARE(maximum, 300);
    QCOMPARE(labels, QStringList{QStringLiteral("検出経路数:0")});
    // Stopped at the first route found; listed as stopped, not as cut by the limit.
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QVERIFY(w.prompts.boxes[0].text.startsWith(QStringLiteral("\n検索を中止しました")));
    QCOMPARE(rowsOf(w.find<QTableView>(&w.forms->route(), "StrGrid1")), 1);
    QVERIFY(!w.forms->app().findChild<ui::TProgForm*>());
  }

  void escapeOnTheProgressWindowCancelsInsteadOfHiding() {
    UiWorld w;
    w.start();
    ui::TProgForm progress(&w.forms->app(), 20);
    progress.show();
    QTest::keyClick(&progress, Qt::Key_Escape);
    QVERIFY(progress.cancelled());
    QVERIFY(progress.isVisible());
    progress.setPosition(3);
    QCOMPARE(w.find<QLabel>(&progress, "lblPercentage")->text(), QStringLiteral("検出経路数:3"));
    QCOMPARE(w.find<QProgressBar>(&progress, "ProgressBar1")->value(), 3);
  }

  void routeCommandUsesTheClockWhenAsked() {
    UiWorld w;
    w.start();
    w.engine->def.setUseSysTime(1);
    w.engine->def.setDepHour(3);
    w.forms->app().setClock([] { return QDateTime(QDate(2026, 12, 6), QTime(8, 7)); });  // a Sunday
    enterStations(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    w.forms->app().ItemCalcClick();
    QVERIFY(w.read("$MltRtL1.kv4").starts_with(sjis("0 新宿 高崎  8:07")));
  }

  void tableCommandsIgnoreTheArrivalBox() {
    UiWorld w;
    w.start();
    enterStations(w, QStringLiteral("東京"), QStringLiteral("どこでもない"));
    w.forms->app().ItemFTableClick();
    QVERIFY(w.prompts.boxes.empty());
    QVERIFY(w.forms->ftbl().isVisible());
    QCOMPARE(w.forms->ftbl().windowTitle(), QStringLiteral("運賃表(東京駅)"));
    w.forms->app().ItemRqTmTblClick();
    QVERIFY(w.prompts.boxes.empty());
    QVERIFY(w.forms->reqTime().isVisible());
    QCOMPARE(w.forms->reqTime().windowTitle(), QStringLiteral("所要時間表(東京駅)"));
    QCOMPARE(items(box(w, "cmbDep")), QStringList{QStringLiteral("東京")});
    QCOMPARE(box(w, "cmbArv")->count(), 0);

    box(w, "cmbDep")->setEditText(QStringLiteral("xyzzy"));
    w.forms->app().ItemFTableClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].text, kBadDeparture);
  }

  void stationTimetableAnsweredWithCancelDoesNothing() {
    UiWorld w;
    w.start();
    w.dir.writeText("$VTT.kv4", "old");
    box(w, "cmbDep")->setEditText(QStringLiteral("東京"));
    w.prompts.answer = BoxAnswer::kCancel;
    w.forms->app().ItemTTableClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].kind, BoxKind::kQuestion);
    QCOMPARE(w.prompts.boxes[0].text, QStringLiteral("\n列車単位でグループ分けをしますか？"));
    QCOMPARE(w.read("$VTT.kv4"), std::string("old"));
    QCOMPARE(box(w, "cmbDep")->count(), 0);
  }

  // The output pane has no height at the designed size: loading text into
  // it makes the window grow so the text can be read.
  void stationTimetableShowsInTheOutputPane() {
    UiWorld w;
    w.start();
    w.engine->def.setDepHour(9);
    w.engine->def.setUseSysTime(1);
    w.forms->app().show();
    const int compact = w.forms->app().height();
    box(w, "cmbDep")->setEditText(QStringLiteral("東京"));
    w.prompts.answer = BoxAnswer::kNo;
    w.forms->app().ItemTTableClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QVERIFY(w.forms->app().outputText().contains(QStringLiteral("東京")));
    QVERIFY(w.forms->app().outputVisible());
    QVERIFY(w.forms->app().height() > compact + 200);
    QVERIFY(std::filesystem::exists(w.file("$VTT.kv4")));
  }

  void stationTimetableOfAnEmptyHourSaysSo() {
    UiWorld w;
    w.start();
    w.engine->def.setDepHour(3);
    // 高崎 has no walking connection, which would serve every hour.
    box(w, "cmbDep")->setEditText(QStringLiteral("高崎"));
    w.prompts.answer = BoxAnswer::kYes;
    w.forms->app().ItemTTableClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{2});
    QCOMPARE(w.prompts.boxes[1].kind, BoxKind::kInformation);
    QCOMPARE(w.prompts.boxes[1].text, QStringLiteral("\nこの時間帯のデータが存在しません"));
    QVERIFY(!w.forms->app().outputVisible());
  }

  void stationBoxesCompleteByKanjiAndKana() {
    UiWorld w;
    w.start();
    QCompleter* completer = box(w, "cmbDep")->completer();
    QVERIFY(completer);
    auto offered = [completer](const QString& typed) {
      completer->setCompletionPrefix(typed);
      QStringList names;
      for (int i = 0; completer->setCurrentRow(i); ++i)
        names << completer->pathFromIndex(completer->currentIndex());
      return names;
    };
    QVERIFY(offered(QStringLiteral("しんじゅ")).contains(QStringLiteral("新宿")));
    QVERIFY(offered(QStringLiteral("シンジュ")).contains(QStringLiteral("新宿")));
    QVERIFY(!offered(QStringLiteral("しんじゅ")).contains(QStringLiteral("高崎")));
    QVERIFY(offered(QStringLiteral("高")).contains(QStringLiteral("高崎")));
    QVERIFY(offered(QStringLiteral("たかさ")).contains(QStringLiteral("高崎")));
    QVERIFY(offered(QStringLiteral("xyz")).isEmpty());
  }

  // Every control a user can reach has a name for screen readers.
  void everyControlHasAnAccessibleName() {
    UiWorld w;
    w.start(true);
    ui::KivForms& f = *w.forms;
    const QList<QWidget*> windows = {&f.app(), &f.route(), &f.ftbl(), &f.reqTime()};
    QStringList unnamed;
    auto check = [&](QWidget* window) {
      for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || control->focusPolicy() == Qt::NoFocus) continue;
        if (qobject_cast<QMenu*>(control) || control->inherits("QScrollBar")) continue;
        // A spin box's own edit is named by the spin box.
        if (control->parentWidget() && control->parentWidget()->inherits("QAbstractSpinBox")) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty()) {
          unnamed << window->objectName() + QLatin1Char('.') + control->objectName() + QLatin1Char('(') +
                         QString::fromLatin1(control->metaObject()->className()) + QLatin1Char(')');
        }
      }
    };
    for (QWidget* window : windows) check(window);
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->inherits("QDialog")) check(window);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
  }

  void helpCommandOpensTheUsage() {
    UiWorld w;
    w.start();
    w.forms->app().ItemKeywordClick();
    auto* help = w.forms->app().findChild<QDialog*>(QStringLiteral("HelpWindow"));
    QVERIFY(help && help->isVisible());
    QCOMPARE(w.prompts.boxes.size(), std::size_t{0});
  }

  void oldRouteCommandLoadsItsReport() {
    UiWorld w;
    w.start(true);
    w.engine->def.setUseSysTime(0);
    w.engine->def.setDepHour(9);
    enterStations(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    w.find<QToolButton>(&w.forms->app(), "TestBtn1")->click();
    QVERIFY(w.prompts.boxes.empty());
    QVERIFY(w.forms->app().outputText().contains(QStringLiteral("高崎")));
  }
};

KIV_UI_TEST(AppFormTest)

}  // namespace kiv::test

#include "AppFormTest.moc"
