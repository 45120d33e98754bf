// The route list window on the routes of a real search: its rows in the
// three orders, the details of the chosen route, and the export of the
// chosen rows, which writes what the command line prints.
#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <fstream>

#include "ModelViews.h"
#include "RoutePnl.h"
#include "TestRegistry.h"
#include "UiWorld.h"
#include "report/RouteListExport.h"

namespace kiv::test {
namespace {

struct Row {
  int total;
  int fare;
  int changes;
  int detection;
};

std::vector<Row> rows(QTableView* grid) {
  std::vector<Row> out;
  for (int r = 0; r < rowsOf(grid); ++r) {
    const QStringList hm = cell(grid, r, 2).trimmed().split(QLatin1Char(':'));
    out.push_back({hm[0].toInt() * 60 + hm[1].toInt(), cell(grid, r, 3).toInt(), cell(grid, r, 4).toInt(),
                   cell(grid, r, 9).toInt()});
  }
  return out;
}

int countRecords(const std::string& text, const std::string& prefix) {
  int n = 0;
  for (std::size_t at = 0; (at = text.find(prefix, at)) != std::string::npos; ++at) {
    if (at == 0 || text[at - 1] == '\n') ++n;
  }
  return n;
}

class RouteWorld : public UiWorld {
 public:
  explicit RouteWorld(int minute = 5) {
    start();
    // The classic search, which finds eight routes here.
    engine->def.setRouteMode(1);
    engine->def.setRouteMax(8);
    const StationNo from = engine->staName.findByName(sjis("新宿"));
    const StationNo to = engine->staName.findByName(sjis("高崎"));
    const RouteQuery query = engine->dia.routeQuery(from, to, 9, minute, 1, 10, 30);
    const RouteSearchResult list = engine->dia.searchRouteList(query);
    found = list.found;
    // Handed to the window as the route command hands it: the list itself.
    forms->route().takeSearchResult({}, routeListView(engine->staName, query, list));
    grid = find<QTableView>(&forms->route(), "StrGrid1");
  }
  int found = 0;
  QTableView* grid = nullptr;
};

}  // namespace

class RouteFormTest : public QObject {
  Q_OBJECT
 private slots:
  void detectionOrderRows() {
    RouteWorld w;
    QVERIFY(w.found >= 3);
    ui::TRouteForm& form = w.forms->route();
    form.setSortOrder(1);
    QCOMPARE(form.windowTitle(), QStringLiteral("検出経路(新宿→高崎)"));
    QCOMPARE(w.find<QLabel>(&form, "pnlDepTime")->text(), QStringLiteral("9:05"));
    QCOMPARE(rowsOf(w.grid), w.found);
    QCOMPARE(w.grid->model()->columnCount(), 12);
    QCOMPARE(caption(w.grid, 8), QStringLiteral("途中乗り継ぎ"));
    for (int r = 0; r < w.found; ++r) {
      QCOMPARE(cell(w.grid, r, 0), QString::number(r + 1));
      QCOMPARE(cell(w.grid, r, 9), QString::number(r));
      QVERIFY(!cell(w.grid, r, 8).isEmpty());
    }
    QVERIFY(w.find<QAction>(&form, "ItemSortPickup")->isChecked());
    QVERIFY(w.find<QToolButton>(&form, "btnSortPickup")->isChecked());
  }

  void timeAndFareOrders() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    w.find<QToolButton>(&form, "btnSortTime")->click();
    QCOMPARE(form.sortOrder(), 2);
    QVERIFY(w.find<QAction>(&form, "ItemSortTime")->isChecked());
    std::vector<Row> byTime = rows(w.grid);
    QCOMPARE(int(byTime.size()), w.found);
    for (std::size_t i = 1; i < byTime.size(); ++i) {
      const Row& a = byTime[i - 1];
      const Row& b = byTime[i];
      QVERIFY(std::tie(a.total, a.fare, a.changes) <= std::tie(b.total, b.fare, b.changes));
    }
    w.find<QAction>(&form, "ItemSortFare")->trigger();
    QCOMPARE(form.sortOrder(), 3);
    QVERIFY(w.find<QToolButton>(&form, "btnSortFare")->isChecked());
    std::vector<Row> byFare = rows(w.grid);
    for (std::size_t i = 1; i < byFare.size(); ++i) {
      const Row& a = byFare[i - 1];
      const Row& b = byFare[i];
      QVERIFY(std::tie(a.fare, a.total, a.changes) <= std::tie(b.fare, b.total, b.changes));
    }
    form.setSortOrder(7);
    QCOMPARE(form.sortOrder(), 1);
  }

  void detailsFollowTheChosenRow() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    form.setSortOrder(1);
    auto* trains = w.find<QTreeWidget>(&form, "lvTrain");
    auto* fares = w.find<QTreeWidget>(&form, "lvFare");
    auto* stations = w.find<QTreeWidget>(&form, "lvSta");
    const std::string detail = w.read("$MltRtDt.kv4");
    for (int r : {0, w.found - 1}) {
      w.grid->selectRow(r);
      QCOMPARE(trains->topLevelItemCount(), countRecords(detail, "2 " + std::to_string(r) + " "));
      QCOMPARE(fares->topLevelItemCount(), countRecords(detail, "3 " + std::to_string(r) + " "));
      QCOMPARE(stations->topLevelItemCount(), countRecords(detail, "1 " + std::to_string(r) + " "));
    }
    QVERIFY(trains->topLevelItem(0)->text(1).contains(QStringLiteral("→")));
    QCOMPARE(fares->headerItem()->text(0), QStringLiteral("切符"));
    // The first station row is the start station.
    w.grid->selectRow(0);
    QCOMPARE(stations->topLevelItem(0)->text(0), QStringLiteral("新宿"));
    QCOMPARE(stations->topLevelItem(0)->text(1), QStringLiteral("0"));
  }

  void savingSelectedRowsWritesWhatTheCommandLinePrints() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    form.setSortOrder(2);
    const std::vector<Row> shown = rows(w.grid);
    w.grid->selectionModel()->select(
        QItemSelection(w.grid->model()->index(1, 0), w.grid->model()->index(3, 9)),
        QItemSelectionModel::Select);
    w.prompts.saveFile = QString::fromStdString(w.file("saved.txt").string());
    form.ItemSaveClick();
    const std::string saved = w.read("saved.txt");
    QVERIFY(!saved.empty());
    QCOMPARE(writeRouteDescriptions(w.engine->dia, w.file("expected.txt"), 2, 2,
                                    {shown[1].detection, shown[2].detection, shown[3].detection}),
             0);
    QCOMPARE(saved, w.read("expected.txt"));
    QCOMPARE(countRecords(saved, "--<<"), 3);
    QVERIFY(saved.starts_with(sjis("--<<  新宿→高崎  No.002/時間順  >>--\r\n")));
    QVERIFY(saved.find(sjis("No.004/時間順")) != std::string::npos);
  }

#ifdef KIV4CLI_PATH
  // The window's export of every route and the command line's route list
  // are one piece of code: the same bytes.
  void savingAllRowsEqualsTheCommandLinesList() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    form.setSortOrder(3);
    w.grid->selectAll();
    w.prompts.saveFile = QString::fromStdString(w.file("saved.txt").string());
    form.ItemSaveClick();
    QProcess cli;
    cli.start(QStringLiteral(KIV4CLI_PATH),
              {QStringLiteral("-C"),        QString::fromStdString(w.dir.path().string()),
               QStringLiteral("--sjis"),    QStringLiteral("route"),
               QStringLiteral("新宿"),      QStringLiteral("高崎"),
               QStringLiteral("--time"),    QStringLiteral("9:05"),
               QStringLiteral("--day"),     QStringLiteral("1"),
               QStringLiteral("--order"),   QStringLiteral("fare"),
               QStringLiteral("--routes"),  QStringLiteral("8"),
               QStringLiteral("--extra"),   QStringLiteral("30"),
               QStringLiteral("--detour"),  QStringLiteral("10"),
               QStringLiteral("--changes"), QStringLiteral("4"),
               QStringLiteral("--mode"),    QStringLiteral("classic")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray printed = cli.readAllStandardOutput();
    QCOMPARE(std::string(printed.constData(), static_cast<std::size_t>(printed.size())), w.read("saved.txt"));
  }
#endif

  void withoutSelectionTheShownRouteIsSavedNothingWhenTheDialogIsCancelled() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    form.setSortOrder(1);
    w.grid->clearSelection();
    w.prompts.saveFile = QString::fromStdString(w.file("shown.txt").string());
    form.ItemSaveClick();
    // Right after a search route 1 is shown: it is what the save takes.
    QVERIFY(w.read("shown.txt").find(sjis("新宿")) != std::string::npos);
    w.grid->selectRow(0);
    w.prompts.saveFile.clear();
    form.ItemSaveClick();
    QVERIFY(!std::filesystem::exists(w.file("saved.txt")));
    QVERIFY(w.prompts.boxes.empty());
    // A file that cannot be written is reported.
    w.prompts.saveFile = QString::fromStdString((w.file("no-such-dir") / "x.txt").string());
    form.ItemSaveClick();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].kind, ui::BoxKind::kError);
  }

  // The window keeps the routes it was handed: with the route files written
  // over by another program, every order, the details and the save give
  // what they gave before, so changing the order reads no file.
  void theOrdersDetailsAndSaveStayAfterTheRouteFilesAreWrittenOver() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    auto* trains = w.find<QTreeWidget>(&form, "lvTrain");
    const auto shown = [&w] {
      QStringList rows;
      for (int r = 0; r < rowsOf(w.grid); ++r) {
        QStringList cells;
        for (int c = 0; c < w.grid->model()->columnCount(); ++c) cells << cell(w.grid, r, c);
        rows << cells.join(QLatin1Char('|'));
      }
      return rows;
    };
    QStringList before[3];
    for (int order : {1, 2, 3}) {
      form.setSortOrder(order);
      before[order - 1] = shown();
    }
    w.grid->selectRow(2);
    const int rides = trains->topLevelItemCount();
    w.prompts.saveFile = QString::fromStdString(w.file("before.txt").string());
    form.ItemSaveClick();

    // One route from 東京 to 上野 in every list, and no details.
    const std::string other = sjis("0 東京 上野  9:05\r\n9 0 0  9:16  7 150 0 7 0 0 なし\r\n");
    for (const char* name : {"$MltRtL1.kv4", "$MltRtL2.kv4", "$MltRtL3.kv4"}) w.dir.writeText(name, other);
    std::filesystem::remove(w.file("$MltRtDt.kv4"));

    for (int order : {2, 1, 3}) {
      form.setSortOrder(order);
      QCOMPARE(shown(), before[order - 1]);
      QCOMPARE(form.windowTitle(), QStringLiteral("検出経路(新宿→高崎)"));
    }
    w.grid->selectRow(2);
    QCOMPARE(trains->topLevelItemCount(), rides);
    w.prompts.saveFile = QString::fromStdString(w.file("after.txt").string());
    form.ItemSaveClick();
    QCOMPARE(w.read("after.txt"), w.read("before.txt"));
    QVERIFY(w.prompts.boxes.empty());
  }

  // A section the fare data price at nothing is no price of 0 yen: the
  // grid, the fare list and the saved text say the fare is unknown, for the
  // section and for the route's total, and leave the other routes alone.
  void aFareTheDataDoNotGiveIsShownAsUnknown() {
    RouteWorld w;
    ui::TRouteForm& form = w.forms->route();
    // Route 0's first fare section that is ridden loses its fare.
    const std::string details = w.read("$MltRtDt.kv4");
    std::size_t at = 0;
    while ((at = details.find("\n3 0 ", at)) != std::string::npos && details.compare(at + 5, 4, "0900") == 0)
      ++at;
    QVERIFY(at != std::string::npos);
    const std::size_t end = details.find("\r\n", at);
    const std::size_t fare = details.rfind(' ', end) + 1;
    std::ofstream(w.file("$MltRtDt.kv4"), std::ios::binary)
        << details.substr(0, fare) + "0" + details.substr(end);
    form.takeSearchResult();  // as a search hands its files over
    form.setSortOrder(1);
    QCOMPARE(cell(w.grid, 0, 3), QStringLiteral("不明"));
    for (int r = 1; r < rowsOf(w.grid); ++r) QVERIFY(cell(w.grid, r, 3).toInt() > 0);
    w.grid->selectRow(0);
    auto* fares = w.find<QTreeWidget>(&form, "lvFare");
    QStringList shown;
    for (int i = 0; i < fares->topLevelItemCount(); ++i) shown << fares->topLevelItem(i)->text(2);
    QVERIFY2(shown.contains(QStringLiteral("不明")), qPrintable(shown.join(u' ')));
    QVERIFY(!shown.contains(QStringLiteral("0")));
    const QString text = form.chosenRoutesText();
    QVERIFY2(text.contains(QStringLiteral("  運賃  不明")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral(" 0円")), qPrintable(text));
  }

  void missingRouteFilesGiveEmptyLists() {
    UiWorld w;
    w.start();
    ui::TRouteForm& form = w.forms->route();
    QCOMPARE(form.loadRouteList(1), -1);
    QCOMPARE(rowsOf(w.find<QTableView>(&form, "StrGrid1")), 0);
    QCOMPARE(form.loadRouteList(4), 0);
  }
};

KIV_UI_TEST(RouteFormTest)

}  // namespace kiv::test

#include "RouteFormTest.moc"
