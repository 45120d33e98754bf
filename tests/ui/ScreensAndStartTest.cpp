// Around the windows: Qt's own dialogs in Japanese, the start-up problems
// in Japanese, which data directory is used and why (a broken working
// directory stays and is called broken), search boxes over long lists,
// windows that fit the screen and come back where they were left, and
// termination signals that close the windows as the user would.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>
#include <csignal>

#include "DataDirectory.h"
#include "FtblPnl.h"
#include "RoutePnl.h"
#include "StaPanel.h"
#include "TempDir.h"
#include "TerminationSignals.h"
#include "TestRegistry.h"
#include "Translations.h"
#include "UiWorld.h"
#include "WindowPlacement.h"

namespace kiv::test {
namespace {

int shownItems(const QListWidget* list) {
  int n = 0;
  for (int i = 0; i < list->count(); ++i) n += list->item(i)->isHidden() ? 0 : 1;
  return n;
}

int shownRows(const QTreeView* list) {
  int n = 0;
  for (int i = 0; i < list->model()->rowCount(); ++i) n += list->isRowHidden(i, QModelIndex()) ? 0 : 1;
  return n;
}

}  // namespace

class ScreensAndStartTest : public QObject {
  Q_OBJECT
 private slots:
  void qtDialogsSpeakJapanese() {
    if (!ui::installQtJapanese(*QCoreApplication::instance()))
      QSKIP("Qt's Japanese translations are not installed (qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));
  }

  void startupProblemsInJapanese() {
    QCOMPARE(ui::problemInJapanese("Train.kv4 is missing"), std::string("Train.kv4 がありません"));
    QCOMPARE(ui::problemInJapanese("Train.kv4 is empty"), std::string("Train.kv4 が空です"));
    QCOMPARE(ui::problemInJapanese("Diagram2.kv4 is cut short: its header counts 9 records, 3 are whole"),
             std::string("Diagram2.kv4 が途中で切れています: 見出しでは 9 件、完全なのは 3 件です"));
    QCOMPARE(ui::problemInJapanese("something else"), std::string("something else"));
  }

  void theDataDirectoryIsNamedWithItsReason() {
    TempDir cwd, home, sample;
    sample.writeText("StaName.kv4", "stations");
    ui::DataChoice choice = ui::chooseData({cwd.path(), home.path(), sample.path()});
    QCOMPARE(choice.dir, home.path() / "kiv");
    QVERIFY(choice.problem.empty());
    QVERIFY(choice.why.find("現在のディレクトリにデータがないため") != std::string::npos);
    QVERIFY(choice.why.find((home.path() / "kiv").string()) != std::string::npos);
    cwd.writeText("StaName.kv4", "x");
    choice = ui::chooseData({cwd.path(), home.path(), sample.path()});
    QCOMPARE(choice.dir, cwd.path());
    QVERIFY(choice.why.find("現在のディレクトリのデータを使います") != std::string::npos);
  }

  void aBrokenWorkingDirectoryIsReportedNotReplaced() {
    TempDir cwd, home, sample;
    sample.writeText("StaName.kv4", "stations");
    cwd.writeText("Train.kv4", "trains");  // a data directory without its station file
    const ui::DataChoice choice = ui::chooseData({cwd.path(), home.path(), sample.path()});
    QCOMPARE(choice.dir, cwd.path());
    QVERIFY(choice.problem.find("壊れています") != std::string::npos);
    QVERIFY(choice.problem.find("StaName.kv4") != std::string::npos);
    QVERIFY(!std::filesystem::exists(home.path() / "kiv"));
  }

  void missingSampleIsSaidOnce() {
    TempDir cwd, home, sample;
    const ui::DataChoice choice = ui::chooseData({cwd.path(), home.path(), sample.path()});
    QCOMPARE(choice.dir, home.path() / "kiv");
    QVERIFY(choice.problem.find("サンプルデータがインストールされていません") != std::string::npos);
  }

  void searchBoxesNarrowTheLineListAndTheFareTable() {
    UiWorld w;
    w.start();
    ui::TStaForm& sta = w.forms->sta();
    auto* lines = w.find<QListWidget>(&sta, "lstLine");
    const int all = shownItems(lines);
    QVERIFY(all > 3);
    w.find<QLineEdit>(&sta, "edtKeyword")->setText(QStringLiteral("山手"));
    QVERIFY(shownItems(lines) >= 1 && shownItems(lines) < all);
    for (int i = 0; i < lines->count(); ++i) {
      if (!lines->item(i)->isHidden()) QVERIFY(lines->item(i)->text().contains(QStringLiteral("山手")));
    }
    w.find<QLineEdit>(&sta, "edtKeyword")->clear();
    QCOMPARE(shownItems(lines), all);

    ui::TFtblForm& fares = w.forms->ftbl();
    fares.present(w.engine->fare.fareTable(w.engine->staName.findByName(sjis("東京"))));
    auto* list = fares.findChild<QTreeView*>();
    const int rows = shownRows(list);
    w.find<QLineEdit>(&fares, "edtFilter")->setText(QStringLiteral("新宿"));
    QVERIFY(shownRows(list) >= 1 && shownRows(list) < rows);
    fares.showBlock(0);  // the filter stays over another block
    QVERIFY(shownRows(list) < rows);
  }

  void windowsFitTheScreenAndComeBackWhereTheyWereLeft() {
    QStandardPaths::setTestModeEnabled(true);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    UiWorld w;
    w.start();
    ui::TRouteForm& routes = w.forms->route();
    routes.resize(area.width() * 2, area.height() * 2);
    routes.move(area.right() + 500, area.bottom() + 500);
    ui::fitToScreen(&routes);
    QVERIFY(routes.width() <= area.width() && routes.height() <= area.height());
    QVERIFY(area.contains(routes.frameGeometry().topLeft()));
    routes.show();
    routes.resize(area.width() / 2, area.height() / 2);
    routes.move(area.left() + 10, area.top() + 20);
    const QSize left = routes.size();
    routes.close();
    w.stop();
    w.start();
    w.forms->route().show();
    QCOMPARE(w.forms->route().size(), left);
  }

  void aTerminationSignalClosesAsTheUserWould() {
    ui::catchTerminationSignals();
    QObject owner;
    int closed = 0;
    ui::watchTerminationSignals(&owner, [&closed] { ++closed; });
    std::raise(SIGTERM);  // caught: the program lives on
    QTRY_COMPARE(closed, 1);
    std::signal(SIGTERM, SIG_DFL);
  }
};

KIV_UI_TEST(ScreensAndStartTest)

}  // namespace kiv::test

#include "ScreensAndStartTest.moc"
