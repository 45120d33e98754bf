// The search-condition dialog: the corrections when an edit is left, the
// clock check box, and what the close button stores.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "DefPanel.h"
#include "TestRegistry.h"
#include "UiWorld.h"
#include "UpDownEdit.h"

namespace kiv::test {

class DefFormTest : public QObject {
  Q_OBJECT
 private slots:
  void leadingNumberReadsSignAndDigits() {
    QCOMPARE(ui::leadingNumber(QString()), 0);
    QCOMPARE(ui::leadingNumber(QStringLiteral("abc")), 0);
    QCOMPARE(ui::leadingNumber(QStringLiteral("07")), 7);
    QCOMPARE(ui::leadingNumber(QStringLiteral("-1")), -1);
    QCOMPARE(ui::leadingNumber(QStringLiteral("12x4")), 12);
    QCOMPARE(ui::leadingNumber(QStringLiteral("99999999999999")), 1'000'000'000);
  }

  void exitCorrections_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("corrected");
    const struct {
      const char* edit;
      const char* typed;
      const char* corrected;
    } rows[] = {
        {"edtHour", "24", "12"},     {"edtHour", "-1", "12"},       {"edtHour", "", "0"},
        {"edtHour", "07", "7"},      {"edtMnt", "60", "0"},         {"edtMnt", "59", "59"},
        {"edtMnt", "-5", "0"},       {"edtRouteMax", "0", "1"},     {"edtRouteMax", "301", "300"},
        {"edtRouteMax", "", "1"},    {"edtTransMax", "101", "100"}, {"edtTransMax", "-1", "0"},
        {"edtDiffTime", "45", "45"}, {"edtDiffTime", "61", "60"},   {"edtDetour", "2", "3"},
        {"edtDetour", "21", "20"},   {"edtDetour", "", "3"},        {"edtDetour", "x9", "3"},
    };
    for (const auto& r : rows) {
      QTest::addRow("%s '%s'", r.edit, r.typed)
          << QString::fromLatin1(r.edit) << QString::fromLatin1(r.typed) << QString::fromLatin1(r.corrected);
    }
  }

  void exitCorrections() {
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QString, corrected);
    UiWorld w;
    w.start();
    ui::TDefForm& form = w.forms->def();
    form.FormShow();
    auto* field = form.findChild<ui::ExitEdit*>(edit);
    QVERIFY(field);
    field->setText(typed);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &leave);
    QCOMPARE(field->text(), corrected);
  }

  void upDownStepsInsideItsRangeWithoutWrapping() {
    UiWorld w;
    w.start();
    ui::TDefForm& form = w.forms->def();
    form.FormShow();
    auto* hour = form.findChild<QLineEdit*>(QStringLiteral("edtHour"));
    auto* hourUpDown = qobject_cast<ui::UpDownEdit*>(hour->parentWidget());
    hour->setText(QStringLiteral("23"));
    hourUpDown->stepBy(1);
    QCOMPARE(hour->text(), QStringLiteral("23"));
    hour->setText(QStringLiteral("0"));
    hourUpDown->stepBy(-1);
    QCOMPARE(hour->text(), QStringLiteral("0"));
    auto* diffTime = form.findChild<QLineEdit*>(QStringLiteral("edtDiffTime"));
    // The up arrow steps from the typed value in the field's whole range.
    diffTime->setText(QStringLiteral("45"));
    qobject_cast<ui::UpDownEdit*>(diffTime->parentWidget())->stepBy(1);
    QCOMPARE(diffTime->text(), QStringLiteral("46"));
  }

  void clockCheckBoxGreysTheTimeControls() {
    UiWorld w;
    w.start();
    ui::TDefForm& form = w.forms->def();
    form.FormShow();  // defaults: the clock is used
    auto* check = form.findChild<QCheckBox*>(QStringLiteral("chkSysTime"));
    QVERIFY(check->isChecked());
    for (const char* name : {"edtHour", "edtMnt", "updHour", "updMnt", "cmbDay"}) {
      QVERIFY2(!form.findChild<QWidget*>(QString::fromLatin1(name))->isEnabled(), name);
    }
    check->click();
    for (const char* name : {"edtHour", "edtMnt", "updHour", "updMnt", "cmbDay"}) {
      QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name))->isEnabled(), name);
    }
    QVERIFY(form.findChild<QWidget*>(QStringLiteral("edtDetour"))->isEnabled());
  }

  void closeStoresEverythingAndWritesTheSettingsFile() {
    UiWorld w;
    w.start();
    ui::TDefForm& form = w.forms->def();
    form.FormShow();
    auto set = [&](const char* name, const char* text) {
      form.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    };
    form.findChild<QCheckBox*>(QStringLiteral("chkSysTime"))->click();  // off
    set("edtHour", "9");
    set("edtMnt", "5");
    form.findChild<QComboBox*>(QStringLiteral("cmbDay"))->setCurrentIndex(6);
    set("edtDetour", "15");
    set("edtRouteMax", "40");
    set("edtTransMax", "2");
    set("edtDiffTime", "30");
    // Enter on the close button while an edit still holds a wrong value:
    // it is corrected before it is stored.
    set("edtTransMax", "250");
    form.findChild<QComboBox*>(QStringLiteral("cmbRouteMode"))->setCurrentIndex(1);
    form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    const RDefMan& def = w.engine->def;
    QCOMPARE(int(def.getDepHour()), 9);
    QCOMPARE(int(def.getDepMinute()), 5);
    QCOMPARE(int(def.getDepDay()), 6);
    QCOMPARE(int(def.getUseSysTime()), 0);
    QCOMPARE(int(def.getDetour()), 15);
    QCOMPARE(int(def.getRouteMax()), 40);
    QCOMPARE(int(def.getTransMax()), 100);
    QCOMPARE(int(def.getDiffTime()), 30);
    QCOMPARE(int(def.getRouteMode()), 2);
    const std::string file = w.read("Kiv4.def");
    for (const char* line : {"dep_h = 9\r\n", "dep_m = 5\r\n", "dep_day = 6\r\n", "dep_systime = 0\r\n",
                             "mode_route = 2\r\n", "detour = 15\r\n"}) {
      QVERIFY2(file.find(line) != std::string::npos, line);
    }

    // A new start reads the stored time back into the dialog.
    w.stop();
    w.start();
    w.forms->def().FormShow();
    QCOMPARE(w.forms->def().findChild<QLineEdit*>(QStringLiteral("edtHour"))->text(), QStringLiteral("9"));
    QCOMPARE(w.forms->def().findChild<QComboBox*>(QStringLiteral("cmbDay"))->currentIndex(), 6);
    QCOMPARE(int(w.engine->def.getRouteMode()), 2);
  }

  void unstoredEditsAreLostAtTheNextShowing() {
    UiWorld w;
    w.start();
    ui::TDefForm& form = w.forms->def();
    form.FormShow();
    form.findChild<QLineEdit*>(QStringLiteral("edtDetour"))->setText(QStringLiteral("17"));
    form.FormShow();
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("edtDetour"))->text(),
             QString::number(w.engine->def.getDetour()));
  }
};

KIV_UI_TEST(DefFormTest)

}  // namespace kiv::test

#include "DefFormTest.moc"
