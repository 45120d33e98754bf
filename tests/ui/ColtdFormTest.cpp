// The line (company) selection dialog and the train list: the three use
// pictures, toggling by picture, double-click and Enter, and the mixed
// state after single trains were switched.
#include <QListWidget>
#include <QTest>

#include "ColtdPnl.h"
#include "Pictures.h"
#include "TestRegistry.h"
#include "TrainPnl.h"
#include "UiWorld.h"
#include "UseList.h"
#include "network/RTrainMan.h"

namespace kiv::test {
namespace {

QPoint onPicture(ui::UseList* list, int row) {
  return {4, list->visualItemRect(list->item(row)).center().y()};
}
QPoint onText(ui::UseList* list, int row) { return {60, list->visualItemRect(list->item(row)).center().y()}; }

// Every train of company 0 (JR) and whether it is in use.
std::vector<int> jrUse(const RTrainMan& trains) {
  std::vector<int> use;
  for (int t = 1; t <= trains.getTrainCount(); ++t) {
    std::int16_t company = -1;
    trains.getCompany(static_cast<TrainNo>(t), company);
    if (company == 0) use.push_back(trains.getTrainUse(static_cast<TrainNo>(t)));
  }
  return use;
}

}  // namespace

class ColtdFormTest : public QObject {
  Q_OBJECT
 private slots:
  void picturesHaveTheirColours() {
    const QImage cross = ui::usePicture(0).toImage();
    const QImage circle = ui::usePicture(1).toImage();
    const QImage triangle = ui::usePicture(2).toImage();
    QCOMPARE(cross.size(), QSize(16, 16));
    QVERIFY(ui::usePicture(-1).isNull());
    auto dominant = [](const QImage& image) {
      long r = 0, g = 0, b = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const QColor c = image.pixelColor(x, y);
          r += c.red() * c.alpha();
          g += c.green() * c.alpha();
          b += c.blue() * c.alpha();
        }
      }
      return r > g && r > b ? 'r' : g > b ? 'g' : 'b';
    };
    QCOMPARE(dominant(cross), 'r');
    QCOMPARE(dominant(circle), 'b');
    QCOMPARE(dominant(triangle), 'g');
  }

  void companiesAreListedByNumberWithoutWalking() {
    UiWorld w;
    w.start();
    ui::UseList* list = w.forms->coltd().list();
    QCOMPARE(list->count(), 36);
    for (int row = 0; row < list->count(); ++row) QCOMPARE(w.forms->coltd().companyAt(row), row);
    QCOMPARE(list->stateOf(0), 1);  // JR, every train in use
    QCOMPARE(list->stateOf(5), w.engine->trains.getCompanyUse(5));
  }

  void pictureClickTogglesTextClickSelects() {
    UiWorld w;
    w.start();
    ui::TColtdForm& form = w.forms->coltd();
    form.show();
    ui::UseList* list = form.list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onPicture(list, 0));
    QCOMPARE(list->stateOf(0), 0);
    for (int use : jrUse(w.engine->trains)) QCOMPARE(use, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onPicture(list, 0));
    QCOMPARE(list->stateOf(0), 1);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onText(list, 0));
    QCOMPARE(list->stateOf(0), 1);
    QCOMPARE(list->currentRow(), 0);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(list->stateOf(0), 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onText(list, 0));
    QCOMPARE(list->stateOf(0), 1);
    form.hide();
  }

  void singleTrainsGiveTheMixedPicture() {
    UiWorld w;
    w.start();
    ui::TColtdForm& coltd = w.forms->coltd();
    coltd.show();
    coltd.list()->setCurrentRow(0);
    ui::TTrainForm& trains = w.forms->train();
    trains.show();  // beside the company list, on the company's first train
    QCOMPARE(trains.pos().x(), coltd.frameGeometry().right() + 3);
    ui::UseList* list = trains.list();
    QCOMPARE(list->count(), w.engine->trains.getTrainCount());
    std::int32_t first = 0, last = 0;
    w.engine->trains.findCompanyTrains(0, first, last);
    QCOMPARE(list->currentRow(), first - 1);
    QCOMPARE(list->stateOf(first - 1), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onText(list, first - 1));
    QCOMPARE(list->stateOf(first - 1), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onPicture(list, first - 1));
    QCOMPARE(list->stateOf(first - 1), 0);
    QCOMPARE(w.engine->trains.getTrainUse(static_cast<TrainNo>(first)), 0);
    trains.hide();
    QCOMPARE(coltd.list()->stateOf(0), 2);
    coltd.list()->toggleRow(0);  // mixed -> all in use
    QCOMPARE(coltd.list()->stateOf(0), 1);
    coltd.hide();
  }
};

KIV_UI_TEST(ColtdFormTest)

}  // namespace kiv::test

#include "ColtdFormTest.moc"
