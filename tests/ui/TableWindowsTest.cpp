// The fare table and required-time windows of 東京: their blocks, and the
// report and CSV exports, which are the engine's own (as kiv4cli -o writes).
#include <QAction>
#include <QComboBox>
#include <QProcess>
#include <QTest>
#include <QTreeView>

#include "FtblPnl.h"
#include "KivText.h"
#include "ModelViews.h"
#include "RqTmPnl.h"
#include "SDIMain.h"
#include "TestRegistry.h"
#include "UiWorld.h"
#include "report/WorkFiles.h"

namespace kiv::test {
namespace {

// The records "2 <block> ..." of a work file.
int entries(const std::string& work, int block) {
  int n = 0;
  const std::string head = "2 " + std::to_string(block) + " ";
  for (std::size_t at = 0; (at = work.find(head, at)) != std::string::npos; ++at) {
    if (at == 0 || work[at - 1] == '\n') ++n;
  }
  return n;
}

}  // namespace

class TableWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void fareTableBlocksAndExports() {
    UiWorld w;
    w.start();
    const StationNo tokyo = w.engine->staName.findByName(sjis("東京"));
    QCOMPARE(w.engine->fare.buildFareTable(tokyo), 0);
    ui::TFtblForm& form = w.forms->ftbl();
    form.showTable(w.engine->fare.fareTable(tokyo));
    QCOMPARE(form.windowTitle(), QStringLiteral("運賃表(東京駅)"));
    auto* companies = w.find<QComboBox>(&form, "cmbColtd");
    auto* fares = w.find<QTreeView>(&form, "lvFare");
    QVERIFY(companies->count() >= 1);
    QCOMPARE(companies->currentIndex(), 0);
    const std::string work = w.read("$FareTbl.kv4");
    QCOMPARE(rowsOf(fares), entries(work, 0));
    QVERIFY(rowsOf(fares) > 10);
    QCOMPARE(caption(fares, 1), QStringLiteral("運賃"));

    w.prompts.saveFile = QString::fromStdString(w.file("block0.txt").string());
    form.ItemSaveClick();
    QCOMPARE(w.engine->fare.exportFareTable(w.file("expected.txt"), 0, false), 0);
    QCOMPARE(w.read("block0.txt"), w.read("expected.txt"));
    QVERIFY(w.read("block0.txt").starts_with(sjis("  東京 からの運賃(円)  ～ ")));

    w.find<QAction>(&form, "ItemFileCsv")->trigger();
    QVERIFY(form.csvChecked());
    w.prompts.saveFile = QString::fromStdString(w.file("all.csv").string());
    form.ItemSaveAllClick();
    QCOMPARE(w.engine->fare.exportFareTable(w.file("expected.csv"), -1, true), 0);
    QCOMPARE(w.read("all.csv"), w.read("expected.csv"));
    QVERIFY(w.read("all.csv").starts_with(sjis("From,会社,To,運賃\r\n")));
    w.find<QAction>(&form, "ItemFileCsv")->trigger();
    QVERIFY(!form.csvChecked());
  }

  void requiredTimeTablesAndExports() {
    UiWorld w;
    w.start();
    const StationNo tokyo = w.engine->staName.findByName(sjis("東京"));
    QCOMPARE(w.engine->dia.buildRequiredTimeTable(tokyo), 0);
    ui::TReqTimeForm& form = w.forms->reqTime();
    form.loadTrainList(*w.engine->dia.requiredTimes(tokyo));
    form.showRequiredTimes(0);
    QCOMPARE(form.windowTitle(), QStringLiteral("所要時間表(東京駅)"));
    auto* trains = w.find<QComboBox>(&form, "cmbTrain");
    auto* times = w.find<QTreeView>(&form, "lvReqTime");
    QVERIFY(trains->count() >= 2);
    const std::string work = w.read("$RqTmTbl.kv4");
    QCOMPARE(rowsOf(times), entries(work, 0));
    trains->setCurrentIndex(1);
    emit trains->activated(1);
    QCOMPARE(rowsOf(times), entries(work, 1));
    QCOMPARE(caption(times, 1), QStringLiteral("所要(分)"));

    w.prompts.saveFile = QString::fromStdString(w.file("one.txt").string());
    form.ItemSaveClick();
    QCOMPARE(w.engine->dia.exportRequiredTimeTable(w.file("expected.txt"), 1, false), 0);
    QCOMPARE(w.read("one.txt"), w.read("expected.txt"));

    w.find<QAction>(&form, "ItemFileCsv")->trigger();
    w.prompts.saveFile = QString::fromStdString(w.file("all.csv").string());
    form.ItemSaveAllClick();
    QCOMPARE(w.engine->dia.exportRequiredTimeTable(w.file("expected.csv"), -1, true), 0);
    QCOMPARE(w.read("all.csv"), w.read("expected.csv"));
    QVERIFY(w.read("all.csv").starts_with(sjis("From,列車,To,所要(分)\r\n")));
  }

  // The windows show and save the tables the engine returned: another
  // program writing the work files of the directory changes nothing in them.
  void theTablesStayAfterAnotherProgramWritesTheWorkFiles() {
    UiWorld w;
    w.start();
    auto* dep = w.forms->app().findChild<QComboBox*>(QStringLiteral("cmbDep"));
    dep->setEditText(QStringLiteral("東京"));
    w.forms->app().ItemFTableClick();
    w.forms->app().ItemRqTmTblClick();
    QVERIFY(w.prompts.boxes.empty());
    ui::TFtblForm& fares = w.forms->ftbl();
    ui::TReqTimeForm& times = w.forms->reqTime();
    auto* fareList = w.find<QTreeView>(&fares, "lvFare");
    auto* timeList = w.find<QTreeView>(&times, "lvReqTime");
    auto* companies = w.find<QComboBox>(&fares, "cmbColtd");
    auto* trains = w.find<QComboBox>(&times, "cmbTrain");
    const auto shown = [](const QAbstractItemView* list) {
      QStringList rows;
      for (int r = 0; r < rowsOf(list); ++r) rows << cell(list, r, 0) + QLatin1Char(' ') + cell(list, r, 1);
      return rows;
    };
    const QStringList fareRows = shown(fareList);
    const QStringList timeRows = shown(timeList);
    const int companyCount = companies->count();
    const int trainCount = trains->count();
    QVERIFY(fareRows.size() > 10 && timeRows.size() > 1 && trainCount > 1);

#ifdef KIV4CLI_PATH
    for (const char* command : {"faretable", "reqtime"}) {
      QProcess cli;
      cli.start(QStringLiteral(KIV4CLI_PATH),
                {QStringLiteral("-C"), QString::fromStdString(w.dir.path().string()),
                 QString::fromLatin1(command), QStringLiteral("高崎")});
      QVERIFY(cli.waitForFinished(60000));
      QCOMPARE(cli.exitCode(), 0);
    }
    QVERIFY(w.read("$FareTbl.kv4").starts_with(sjis("0 高崎\r\n")));
    QVERIFY(w.read("$RqTmTbl.kv4").starts_with(sjis("0 高崎\r\n")));
#endif
    // Written over once more with tables no window could confuse with its own.
    w.dir.writeText("$FareTbl.kv4", sjis("0 何処\r\n1 0 某社\r\n2 0 某駅 10\r\n"));
    w.dir.writeText("$RqTmTbl.kv4", sjis("0 何処\r\n1 0 某線\r\n2 0 某駅 1\r\n"));

    QCOMPARE(fares.windowTitle(), QStringLiteral("運賃表(東京駅)"));
    QCOMPARE(times.windowTitle(), QStringLiteral("所要時間表(東京駅)"));
    QCOMPARE(companies->count(), companyCount);
    QCOMPARE(trains->count(), trainCount);
    trains->setCurrentIndex(1);
    emit trains->activated(1);
    trains->setCurrentIndex(0);
    emit trains->activated(0);
    QCOMPARE(shown(fareList), fareRows);
    QCOMPARE(shown(timeList), timeRows);

    // The saves write the shown tables.
    const StationNo tokyo = w.engine->staName.findByName(sjis("東京"));
    w.prompts.saveFile = QString::fromStdString(w.file("fares.txt").string());
    fares.ItemSaveAllClick();
    QVERIFY(work_files::exportFareTable(w.file("expected-fares.txt"), w.engine->fare.fareTable(tokyo), -1,
                                        false));
    QCOMPARE(w.read("fares.txt"), w.read("expected-fares.txt"));
    w.prompts.saveFile = QString::fromStdString(w.file("times.txt").string());
    times.ItemSaveAllClick();
    QVERIFY(work_files::exportRequiredTimes(w.file("expected-times.txt"), *w.engine->dia.requiredTimes(tokyo),
                                            -1, false));
    QCOMPARE(w.read("times.txt"), w.read("expected-times.txt"));
    QVERIFY(w.read("times.txt").starts_with(sjis("  東京 ")));
  }

  void cancelledSaveWritesNothing() {
    UiWorld w;
    w.start();
    w.forms->ftbl().showTable(w.engine->fare.fareTable(w.engine->staName.findByName(sjis("東京"))));
    w.prompts.saveFile.clear();
    w.forms->ftbl().ItemSaveAllClick();
    QVERIFY(w.prompts.boxes.empty());
  }

  // A fare table that cannot be written is reported by its file, and the
  // window does not show the table left by an earlier station.
  void aFareTableThatCannotBeWrittenIsReportedNotShown() {
    UiWorld w;
    w.start();
    std::filesystem::create_directory(w.file("$FareTbl.kv4"));
    auto* dep = w.forms->app().findChild<QComboBox*>(QStringLiteral("cmbDep"));
    dep->setEditText(QStringLiteral("東京"));
    w.forms->app().ItemFTableClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].text, QStringLiteral("\n$FareTbl.kv4 に保存できません"));
    QVERIFY(!w.forms->ftbl().isVisible());

    // The developer's tables likewise.
    std::filesystem::create_directory(w.file("$TKY101.KV4"));
    w.forms->app().Item101tokyoClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{2});
    QCOMPARE(w.prompts.boxes[1].text, QStringLiteral("\n$TKY101.KV4 に保存できません"));
  }

  // A station without departures leaves the previous station's work file:
  // the window must not show that station's tables as this one's.
  void requiredTimesOfAStationWithoutDeparturesAreNotShown() {
    UiWorld w;
    w.start();
    w.engine->dia.buildRequiredTimeTable(w.engine->staName.findByName(sjis("東京")));
    const std::string before = w.read("$RqTmTbl.kv4");
    // A station of the directory that no train leaves: the first station
    // without departures, if the sample has one.
    StationNo idle = -1;
    for (int s = 1; s <= w.engine->staName.getCount() && idle == -1; ++s) {
      if (w.engine->dia.departuresOf(static_cast<StationNo>(s)).empty()) idle = static_cast<StationNo>(s);
    }
    if (idle == -1) QSKIP("every sample station has departures");
    char name[kStationNameSize] = {};
    w.engine->staName.getName(idle, name);
    auto* dep = w.forms->app().findChild<QComboBox*>(QStringLiteral("cmbDep"));
    dep->setEditText(ui::fromSjisField(name));
    w.forms->app().ItemRqTmTblClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].text, QStringLiteral("\nこの駅の時刻データが存在しません"));
    QVERIFY(!w.forms->reqTime().isVisible());
    QCOMPARE(w.read("$RqTmTbl.kv4"), before);
  }
};

KIV_UI_TEST(TableWindowsTest)

}  // namespace kiv::test

#include "TableWindowsTest.moc"
