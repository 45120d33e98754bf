// The data browser: each table's rows, their numbering, and a second press
// of a button giving the same list once.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "SDIMain.h"
#include "TestRegistry.h"
#include "UiWorld.h"
#include "ViewPnl.h"

namespace kiv::test {

class ViewFormTest : public QObject {
  Q_OBJECT
 private slots:
  void rowsAndTheirNumbers() {
    UiWorld w;
    w.start(true);
    ui::TViewForm& form = w.forms->view();
    QTreeWidget* list = form.list();
    const Engine& e = *w.engine;
    const struct {
      const char* button;
      int rows;
      const char* firstNumber;
      int columns;
    } tables[] = {
        {"cmdDispTrain", e.trains.getTrainCount(), "1", 3},
        {"cmdDispCnct", e.cnct.getTransferCount(), "0", 5},
        {"cmdDispStaName", e.staName.getCount(), "1", 3},
        {"cmdDispDistJR", e.dist.getJrEdgeCount(), "1", 4},
    };
    for (const auto& t : tables) {
      for (int press = 0; press < 2; ++press)
        form.findChild<QPushButton*>(QString::fromLatin1(t.button))->click();
      QCOMPARE(list->columnCount(), t.columns);
      QCOMPARE(list->topLevelItemCount(), t.rows);
      QVERIFY(t.rows > 0);
      QCOMPARE(list->topLevelItem(0)->text(0), QString::fromLatin1(t.firstNumber));
    }
    form.findChild<QPushButton*>(QStringLiteral("cmdDispStaName"))->click();
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("かな名称"));
    QVERIFY(!list->topLevelItem(0)->text(2).isEmpty());
    form.findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
    QCOMPARE(list->topLevelItemCount(), 0);
    QCOMPARE(list->columnCount(), 0);
  }

  void timetableRecordsOfTheDepartureBox() {
    UiWorld w;
    w.start(true);
    ui::TViewForm& form = w.forms->view();
    auto* dep = w.forms->app().findChild<QComboBox*>(QStringLiteral("cmbDep"));
    auto* dia = form.findChild<QPushButton*>(QStringLiteral("cmdDispDia"));
    dep->setEditText(QStringLiteral("どこでもない"));
    dia->click();
    QCOMPARE(form.list()->columnCount(), 9);
    QCOMPARE(form.list()->topLevelItemCount(), 0);
    dep->setEditText(QStringLiteral("東京"));
    dia->click();
    const int departures =
        static_cast<int>(w.engine->dia.departuresOf(w.engine->staName.findByName(sjis("東京"))).size());
    QCOMPARE(form.list()->topLevelItemCount(), departures);
    QTreeWidgetItem* first = form.list()->topLevelItem(0);
    QCOMPARE(first->text(1), QStringLiteral("東京"));
    QCOMPARE(first->text(8).size(), 24);
  }
};

KIV_UI_TEST(ViewFormTest)

}  // namespace kiv::test

#include "ViewFormTest.moc"
