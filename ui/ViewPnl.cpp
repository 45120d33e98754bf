#include "ViewPnl.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>

#include "Engine.h"
#include "KivText.h"
#include "SDIMain.h"
#include "WaitCursor.h"

namespace kiv::ui {
namespace {

QString number(int n) { return QString::number(n); }

int jrEdge(const Engine& e, int i, DistJREdge& edge) { return e.dist.getJrEdge(i, edge); }
int prEdge(const Engine& e, int i, DistPREdge& edge) { return e.dist.getPrEdge(i, edge); }

}  // namespace

TViewForm::TViewForm(const Engine& engine, const TAppForm& app) : engine_(engine), app_(app) {
  setObjectName(QStringLiteral("ViewForm"));
  setWindowTitle(QStringLiteral("Kiv4データ閲覧"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  resize(673, 529);
  const struct {
    const char* name;
    const char* caption;
    void (TViewForm::*handler)();
  } buttons[6] = {{"cmdDispTrain", "Train", &TViewForm::cmdDispTrainClick},
                  {"cmdDispDia", "Dia", &TViewForm::cmdDispDiaClick},
                  {"cmdDispCnct", "Transfer", &TViewForm::cmdDispCnctClick},
                  {"cmdDispStaName", "StaName", &TViewForm::cmdDispStaNameClick},
                  {"cmdDispDistJR", "DistJR", &TViewForm::cmdDispDistJRClick},
                  {"cmdDispDistPR", "DistPR", &TViewForm::cmdDispDistPRClick}};
  for (int i = 0; i < 6; ++i) {
    auto* b =
        makePushButton(this, QString::fromLatin1(buttons[i].name), QString::fromLatin1(buttons[i].caption));
    b->setGeometry(24 + 80 * i, 32, 75, 25);
    connect(b, &QPushButton::clicked, this, buttons[i].handler);
  }
  listView1_ = makeReportList(this, "ListView1", QStringLiteral("データ"), {});
  listView1_->setGeometry(16, 64, 633, 369);
  listView1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* clear = makePushButton(this, QStringLiteral("cmdClear"), QStringLiteral("クリア"));
  clear->setGeometry(280, 448, 107, 33);
  connect(clear, &QPushButton::clicked, this, &TViewForm::cmdClearClick);
  auto* ok = makePushButton(this, QStringLiteral("cmdOK"), QStringLiteral("閉じる"));
  ok->setDefault(true);
  ok->setGeometry(392, 448, 105, 33);
  connect(ok, &QPushButton::clicked, this, &TViewForm::cmdOKClick);
}

void TViewForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  listView1_->resize(event->size().width() - 40, listView1_->height());
}

void TViewForm::startTable(std::initializer_list<Column> columns) {
  cmdClearClick();
  setReportColumns(listView1_, columns);
}

QString TViewForm::stationName(int station) const {
  char name[kStationNameSize] = {};
  engine_.staName.getName(static_cast<StationNo>(station), name);
  return fromSjisField(name);
}

QString TViewForm::trainName(int train) const {
  char name[kTrainNameSize] = {};
  engine_.trains.getTrainName(static_cast<TrainNo>(train), name);
  return fromSjisField(name);
}

void TViewForm::cmdDispTrainClick() {
  startTable({{"No.", 60}, {"運賃区分", 90}, {"列車名", 300}});
  WaitCursor wait;
  for (int t = 1; t <= engine_.trains.getTrainCount(); ++t) {
    TrainRecord record;
    if (engine_.trains.getTrainRecord(static_cast<TrainNo>(t), record) != 0) continue;
    addReportRow(listView1_, {number(t), number(record.networkCode), trainName(t)});
  }
}

void TViewForm::cmdDispDiaClick() {
  startTable({{"No.", 60},
              {"発車駅", 100},
              {"分", 40},
              {"列車名", 200},
              {"次停車", 100},
              {"所要", 60},
              {"行先", 100},
              {"運区", 60},
              {"運行時", 60}});
  const std::optional<std::string> text = toSjis(app_.departureText());
  const StationNo station = text ? engine_.staName.findByName(*text) : StationNo{-1};
  if (station == -1) return;
  WaitCursor wait;
  for (int i = 0; i < engine_.dia.getRecordCount(); ++i) {
    DiaDepartureRecord r;
    if (engine_.dia.getRecord(i, r) != 0 || r.station != station) continue;
    addReportRow(listView1_, {number(i), stationName(r.station), number(r.minute), trainName(r.train),
                              stationName(r.nextStation), number(r.rideMinutes), stationName(r.terminal),
                              number(r.interval), QString::fromStdString(RDiaMan::hoursToText(r.hours))});
  }
}

void TViewForm::cmdDispCnctClick() {
  startTable({{"No.", 60}, {"接続駅", 100}, {"所要", 50}, {"列車名１", 250}, {"列車名２", 250}});
  WaitCursor wait;
  for (int i = 0; i < engine_.cnct.getTransferCount(); ++i) {
    TransferRecord r;
    if (engine_.cnct.getTransferRecord(i, r) != 0) continue;
    addReportRow(listView1_, {number(i), stationName(r.station), number(r.minutes), trainName(r.trainA),
                              trainName(r.trainB)});
  }
}

void TViewForm::cmdDispStaNameClick() {
  startTable({{"No.", 60}, {"漢字名称", 200}, {"かな名称", 300}});
  WaitCursor wait;
  for (int s = 1; s <= engine_.staName.getCount(); ++s) {
    char kana[kStationKanaSize] = {};
    if (engine_.staName.getKana(static_cast<StationNo>(s), kana) != 0) continue;
    addReportRow(listView1_, {number(s), stationName(s), fromSjisField(kana)});
  }
}

template <typename Edge>
void TViewForm::listEdges(int count, int (*get)(const Engine&, int, Edge&)) {
  startTable({{"No.", 60}, {"距離(100m)", 120}, {"駅名１", 200}, {"駅名２", 200}});
  WaitCursor wait;
  for (int e = 1; e <= count; ++e) {
    Edge edge;
    if (get(engine_, e, edge) != 0) continue;
    if (engine_.staName.checkNumber(edge.from) != 0 || engine_.staName.checkNumber(edge.to) != 0) continue;
    addReportRow(listView1_,
                 {number(e), number(edge.distance), stationName(edge.from), stationName(edge.to)});
  }
}

void TViewForm::cmdDispDistJRClick() { listEdges<DistJREdge>(engine_.dist.getJrEdgeCount(), jrEdge); }

void TViewForm::cmdDispDistPRClick() { listEdges<DistPREdge>(engine_.dist.getPrEdgeCount(), prEdge); }

void TViewForm::cmdClearClick() {
  listView1_->clear();
  setReportColumns(listView1_, {});
}

void TViewForm::cmdOKClick() {
  cmdClearClick();
  accept();
}

}  // namespace kiv::ui
