// What a traveller meets in the windows: station input as forgiving as the
// command line (readings, variant forms, 「駅」, near matches to pick), the
// swap and Enter, an honest progress window and cancel message, the route
// text shared through save and copy alike, short tooltips, number fields
// that step and say what they corrected, and the best-routes default.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "DefPanel.h"
#include "KivText.h"
#include "ModelViews.h"
#include "ProgPnl.h"
#include "ReportList.h"
#include "RoutePnl.h"
#include "SDIMain.h"
#include "TestRegistry.h"
#include "UiWorld.h"
#include "UpDownEdit.h"

using kiv::ui::BoxKind;

namespace kiv::test {
namespace {

QComboBox* box(UiWorld& w, const char* name) { return w.find<QComboBox>(&w.forms->app(), name); }

// A started world at 9:00 on a Monday, room for every route.
void startForRoutes(UiWorld& w) {
  w.start();
  w.engine->def.setUseSysTime(0);
  w.engine->def.setDepHour(9);
  w.engine->def.setDepMinute(0);
  w.engine->def.setDepDay(1);
  w.engine->def.setRouteMax(300);
}

void search(UiWorld& w, const QString& from, const QString& to) {
  box(w, "cmbDep")->setEditText(from);
  box(w, "cmbArv")->setEditText(to);
  w.forms->app().ItemCalcClick();
}

QByteArray readFile(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

}  // namespace

class TravellerTest : public QObject {
  Q_OBJECT
 private slots:
  void stationsAreReadAsTheCommandLineReadsThem() {
    struct Case {
      QString typed, station;
    };
    const Case cases[] = {
        {QStringLiteral("たかさき"), QStringLiteral("高崎")},  // the reading, not picked from the pop-up
        {QStringLiteral("タカサキ"), QStringLiteral("高崎")},
        {QStringLiteral("鶯谷"), QStringLiteral("鴬谷")},  // the variant form the data writes
        {QStringLiteral("高崎駅"), QStringLiteral("高崎")},
        {QStringLiteral(" 高崎 "), QStringLiteral("高崎")},
    };
    for (const Case& c : cases) {
      UiWorld w;
      startForRoutes(w);
      search(w, QStringLiteral("新宿"), c.typed);
      // No warning (a route-limit note may come).
      for (const auto& b : w.prompts.boxes) QVERIFY2(b.kind != BoxKind::kWarning, qPrintable(c.typed));
      QCOMPARE(box(w, "cmbArv")->currentText(), c.station);
      QVERIFY(w.forms->route().isVisible());
      char buffer[kStationNameSize];
      QCOMPARE(w.engine->def.getRecentArv(0, buffer), 0);
      QCOMPARE(ui::fromSjisField(buffer), c.station);
    }
  }

  void aTypoOffersNearStationsToPick() {
    for (int pick : {-1, 0}) {
      UiWorld w;
      startForRoutes(w);
      if (pick == 0) w.prompts.pick = QStringLiteral("高崎 (");
      search(w, QStringLiteral("新宿"), QStringLiteral("高先"));
      QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
      QVERIFY(w.prompts.boxes[0].text.startsWith(
          QStringLiteral("\n到着駅の入力が正しくありません\n「高先」に近い駅")));
      QVERIFY(!w.prompts.choices.isEmpty() && w.prompts.choices.size() <= 5);
      QVERIFY(w.prompts.choices.contains(QStringLiteral("高崎 (たかさき)")));
      // Cancelled: nothing searched, the box as typed; picked: that station.
      QCOMPARE(w.forms->route().isVisible(), pick == 0);
      QCOMPARE(box(w, "cmbArv")->currentText(), pick == 0 ? QStringLiteral("高崎") : QStringLiteral("高先"));
    }
  }

  void swapAndEnter() {
    UiWorld w;
    startForRoutes(w);
    box(w, "cmbDep")->setEditText(QStringLiteral("高崎"));
    box(w, "cmbArv")->setEditText(QStringLiteral("新宿"));
    w.find<QToolButton>(&w.forms->app(), "btnSwap")->click();
    QCOMPARE(box(w, "cmbDep")->currentText(), QStringLiteral("新宿"));
    QCOMPARE(box(w, "cmbArv")->currentText(), QStringLiteral("高崎"));
    w.find<QAction>(&w.forms->app(), "ItemSwap")->trigger();
    QCOMPARE(box(w, "cmbDep")->currentText(), QStringLiteral("高崎"));
    QCOMPARE(w.find<QAction>(&w.forms->app(), "ItemSwap")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    w.forms->app().swapStations();
    QVERIFY(!w.forms->route().isVisible());
    QTest::keyClick(box(w, "cmbArv")->lineEdit(), Qt::Key_Return);
    QVERIFY(w.forms->route().isVisible());
    QCOMPARE(w.forms->route().windowTitle(), QStringLiteral("検出経路(新宿→高崎)"));
  }

  void progressRepaintsAtMostTenTimesASecond() {
    UiWorld w;
    w.start();
    ui::TProgForm progress(&w.forms->app(), 20);
    auto* label = w.find<QLabel>(&progress, "lblPercentage");
    progress.setPosition(1);
    QCOMPARE(label->text(), QStringLiteral("検出経路数:1"));
    progress.setPosition(2);  // too soon: taken, not drawn
    QCOMPARE(label->text(), QStringLiteral("検出経路数:1"));
    QTest::qWait(ui::TProgForm::kRepaintMs + 20);
    progress.setPosition(30);
    QCOMPARE(label->text(), QStringLiteral("検出経路数:30"));
    // Past the limit (the best-routes mode enumerates more than it keeps)
    // the bar runs busy instead of standing full.
    QCOMPARE(w.find<QProgressBar>(&progress, "ProgressBar1")->maximum(), 0);
  }

  void aCancelledSearchSaysSoAndListsWhatWasFound() {
    for (int mode : {1, 2}) {
      UiWorld w;
      startForRoutes(w);
      w.engine->def.setRouteMode(static_cast<std::int8_t>(mode));
      QTimer::singleShot(0, [&] {
        auto* progress = w.forms->app().findChild<ui::TProgForm*>();
        QVERIFY(progress);
        w.find<QPushButton>(progress, "btnCancel")->click();
      });
      search(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
      QVERIFY(w.engine->dia.routeSearchStopped());
      QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
      QCOMPARE(w.prompts.boxes[0].kind, BoxKind::kInformation);
      QVERIFY(w.prompts.boxes[0].text.startsWith(QStringLiteral("\n検索を中止しました")));
      QVERIFY(!w.prompts.boxes[0].text.contains(QStringLiteral("設定値に達した")));
      if (w.forms->route().isVisible())
        QVERIFY(w.forms->route().windowTitle().endsWith(QStringLiteral("中止までの検出分")));
    }
  }

  void saveAndCopyTakeTheShownRouteAsTheSameText() {
    UiWorld w;
    startForRoutes(w);
    w.engine->def.setRouteMax(5);
    w.engine->def.setRouteMode(1);
    search(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    ui::TRouteForm& routes = w.forms->route();
    QVERIFY(!w.find<QTableView>(&routes, "StrGrid1")->selectionModel()->hasSelection());
    const QString text = routes.chosenRoutesText();
    QVERIFY(text.contains(QStringLiteral("新宿")));
    w.find<QAction>(&routes, "ItemCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), text);

    const QString sjisFile = QString::fromStdString(w.file("route-sjis.txt").string());
    const QString utf8File = QString::fromStdString(w.file("route-utf8.txt").string());
    w.prompts.saveFile = sjisFile;
    routes.ItemSaveClick();
    w.prompts.saveFile = utf8File;
    w.prompts.saveEncoding = ui::TextEncoding::kUtf8;
    routes.ItemSaveClick();
    QCOMPARE(readFile(utf8File), text.toUtf8());
    const QByteArray sjis = readFile(sjisFile);
    QCOMPARE(sjis.toStdString(), kiv::test::sjis(text.toStdString()));
    QVERIFY(sjis.contains("\r\n"));
  }

#ifdef KIV4CLI_PATH
  // The command line keeps its work files elsewhere: a run in the same
  // directory leaves the window's list as it was, in every order.
  void aRouteListKeepsItsRowsAcrossACommandLineRun() {
    UiWorld w;
    startForRoutes(w);
    w.engine->def.setRouteMax(5);
    search(w, QStringLiteral("新宿"), QStringLiteral("高崎"));
    auto* grid = w.find<QTableView>(&w.forms->route(), "StrGrid1");
    const int rows = rowsOf(grid);
    QVERIFY(rows > 0);
    QProcess cli;
    cli.start(
        QStringLiteral(KIV4CLI_PATH),
        {QStringLiteral("-C"), QString::fromStdString(w.dir.path().string()), QStringLiteral("route"),
         QStringLiteral("東京"), QStringLiteral("大宮"), QStringLiteral("--routes"), QStringLiteral("2")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    w.forms->route().setSortOrder(2);
    QCOMPARE(rowsOf(grid), rows);
    QCOMPARE(w.forms->route().windowTitle(), QStringLiteral("検出経路(新宿→高崎)"));
  }
#endif

  void tooltipsShowTheShortHint() {
    QCOMPARE(ui::shortHint(QStringLiteral("検出結果を閉じる |")), QStringLiteral("検出結果を閉じる"));
    QCOMPARE(ui::shortHint(QStringLiteral("保存 | 選んだ経路をファイルに保存")), QStringLiteral("保存"));
    QCOMPARE(ui::longHint(QStringLiteral("保存 | 選んだ経路をファイルに保存")),
             QStringLiteral("選んだ経路をファイルに保存"));
    QCOMPARE(ui::longHint(QStringLiteral("保存 |")), QStringLiteral("保存"));
    UiWorld w;
    w.start();
    for (QWidget* window :
         {static_cast<QWidget*>(&w.forms->route()), static_cast<QWidget*>(&w.forms->app())}) {
      for (const QToolButton* b : window->findChildren<QToolButton*>())
        QVERIFY2(!b->toolTip().contains(QLatin1Char('|')), qPrintable(b->objectName()));
    }
    QCOMPARE(w.find<QToolButton>(&w.forms->route(), "btnExit")->toolTip(),
             QStringLiteral("検出結果を閉じる"));
  }

  void numberFieldsStepAndSayWhatTheyCorrected() {
    UiWorld w;
    w.start();
    ui::TDefForm& def = w.forms->def();
    def.show();
    QVERIFY(def.focusWidget());
    QCOMPARE(def.focusWidget()->objectName(), QStringLiteral("cmdOk"));
    auto* diff = w.find<ui::ExitEdit>(&def, "edtDiffTime");
    auto* field = qobject_cast<ui::UpDownEdit*>(diff->parentWidget());
    QCOMPARE(field->maximum(), 60);
    diff->setText(QStringLiteral("45"));
    field->stepBy(1);  // the up arrow on 45
    QCOMPARE(diff->text(), QStringLiteral("46"));
    QTest::keyClick(diff, Qt::Key_Up);
    QCOMPARE(diff->text(), QStringLiteral("47"));
    QTest::keyClick(diff, Qt::Key_Down);
    QTest::keyClick(diff, Qt::Key_Down);
    QCOMPARE(diff->text(), QStringLiteral("45"));
    QWheelEvent wheel(QPointF(5, 5), diff->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(diff, &wheel);
    QCOMPARE(diff->text(), QStringLiteral("46"));
    diff->setText(QStringLiteral("60"));
    QTest::keyClick(diff, Qt::Key_Up);  // no wrapping
    QCOMPARE(diff->text(), QStringLiteral("60"));

    auto* note = w.find<QLabel>(&def, "lblNote");
    auto* detour = w.find<ui::ExitEdit>(&def, "edtDetour");
    detour->setText(QStringLiteral("07"));
    def.edtDetourExit();
    QVERIFY(note->text().isEmpty());  // a leading zero is no correction
    detour->setText(QStringLiteral("21"));
    def.edtDetourExit();
    QCOMPARE(detour->text(), QStringLiteral("20"));
    QVERIFY(note->text().contains(QStringLiteral("3～20")));
    QVERIFY(note->text().contains(QStringLiteral("「21」を 20 に")));
  }

  void aNewSettingsFileStartsInBestRoutesModeAnOldOneKeepsItsChoice() {
    UiWorld w;
    w.start();
    QCOMPARE(int(w.engine->def.getRouteMode()), 2);
    w.engine->def.setRouteMode(1);
    w.stop();  // writes Kiv4.def
    w.start();
    QCOMPARE(int(w.engine->def.getRouteMode()), 1);
  }
};

KIV_UI_TEST(TravellerTest)

}  // namespace kiv::test

#include "TravellerTest.moc"
