// The station selection dialog and the line list file: sections, comments,
// stations before the first section, repeated line names, and where the
// chosen station goes.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "LineList.h"
#include "SDIMain.h"
#include "StaPanel.h"
#include "TestRegistry.h"
#include "UiWorld.h"

namespace kiv::test {
namespace {

QStringList texts(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// Picks a line and a station as a user clicks them.
void choose(QListWidget* list, int row) {
  list->setCurrentRow(row);
  emit list->itemClicked(list->item(row));
}

}  // namespace

class StaFormTest : public QObject {
  Q_OBJECT
 private slots:
  void sectionsCommentsAndSharedStations() {
    UiWorld w;
    w.dir.writeText("kiv4line.dat", sjis("前駅\r\n#山手線\r\n東京\r\n;品川\r\n\r\n新宿\r\n"
                                         "# 中央線\r\n高尾\r\n#山手線\r\n池袋\r\n;#コメント\r\n"));
    QCOMPARE(*ui::readLineNames(w.file("kiv4line.dat")),
             (std::vector<std::string>{sjis("山手線"), sjis(" 中央線"), sjis("山手線")}));
    QCOMPARE(ui::readLineStations(w.file("kiv4line.dat"), sjis("山手線")),
             (std::vector<std::string>{sjis("前駅"), sjis("東京"), "", sjis("新宿"), sjis("池袋")}));
    QCOMPARE(ui::readLineStations(w.file("kiv4line.dat"), sjis(" 中央線")),
             (std::vector<std::string>{sjis("前駅"), sjis("高尾")}));
    QVERIFY(!ui::readLineNames(w.file("missing.dat")));
    QVERIFY(ui::readLineStations(w.file("missing.dat"), "x").empty());
  }

  void choosingAStationFillsOnlyTheTargetBox() {
    UiWorld w;
    w.dir.writeText("kiv4line.dat", sjis("#高崎線\n上野\n高崎\n#山手線\n東京\n"));
    w.start();
    ui::TStaForm& form = w.forms->sta();
    auto* lines = form.findChild<QListWidget*>(QStringLiteral("lstLine"));
    auto* stations = form.findChild<QListWidget*>(QStringLiteral("lstSta"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(texts(lines), (QStringList{QStringLiteral("高崎線"), QStringLiteral("山手線")}));
    QVERIFY(!ok->isEnabled());
    choose(lines, 0);
    QCOMPARE(texts(stations), (QStringList{QStringLiteral("上野"), QStringLiteral("高崎")}));
    QVERIFY(!ok->isEnabled());
    choose(stations, 1);
    QVERIFY(ok->isEnabled());

    auto* dep = w.forms->app().findChild<QComboBox*>(QStringLiteral("cmbDep"));
    auto* arv = w.forms->app().findChild<QComboBox*>(QStringLiteral("cmbArv"));
    dep->setEditText(QStringLiteral("新宿"));
    QTimer::singleShot(0, ok, &QPushButton::click);
    w.forms->app().btnRefArvClick();  // modal; the click above confirms
    QCOMPARE(arv->currentText(), QStringLiteral("高崎"));
    QCOMPARE(dep->currentText(), QStringLiteral("新宿"));
    QCOMPARE(arv->count(), 0);

    // The choice survives to the next showing; a new line disables the button.
    QCOMPARE(stations->currentItem()->text(), QStringLiteral("高崎"));
    choose(lines, 1);
    QVERIFY(!ok->isEnabled());
    QCOMPARE(texts(stations), QStringList{QStringLiteral("東京")});
  }

  void missingLineListIsReportedOnceAtStartUp() {
    UiWorld w;
    std::filesystem::remove(w.file("kiv4line.dat"));
    w.start();
    QCOMPARE(w.prompts.boxes.size(), std::size_t{1});
    QCOMPARE(w.prompts.boxes[0].kind, ui::BoxKind::kError);
    QCOMPARE(w.prompts.boxes[0].text, QStringLiteral("KIV4LINE.DAT が読み込めません"));
    QCOMPARE(w.forms->sta().findChild<QListWidget*>(QStringLiteral("lstLine"))->count(), 0);
  }
};

KIV_UI_TEST(StaFormTest)

}  // namespace kiv::test

#include "StaFormTest.moc"
