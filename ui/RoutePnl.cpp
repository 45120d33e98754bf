#include "RoutePnl.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <set>

#include "JourneyTimes.h"
#include "KivText.h"
#include "Printing.h"
#include "Prompts.h"
#include "ReportList.h"
#include "RouteListModel.h"
#include "WindowPlacement.h"
#include "fare/UnknownFare.h"
#include "report/RouteListExport.h"
#include "report/WorkFiles.h"

namespace kiv::ui {
namespace {

const char* const kListFiles[3] = {work_files::kRouteListFound, work_files::kRouteListTime,
                                   work_files::kRouteListFare};
constexpr int kColumns = 12;
constexpr int kGridWidths[kColumns] = {39, 72, 64, 56, 52, 48, 48, 48, 176, 7, 48, 64};

// A fare the fare data do not give, in the grid and the fare list.
const QString kUnknownFare = QStringLiteral("不明");

QString minutesText(int total) { return QString::asprintf("%2d:%02d", total / 60, total % 60); }

}  // namespace

TRouteForm::TRouteForm(const std::filesystem::path& dataDir) : dataDir_(dataDir) {
  setObjectName(QStringLiteral("RouteForm"));
  setWindowTitle(QStringLiteral("経路の検出結果(開発中サンプル)"));
  resize(720, 568);

  const auto [central, speedPanel, column] = makeToolPanelWindow(this);
  buildToolBar(speedPanel);

  lblDayNote_ = new QLabel(central);
  lblDayNote_->setObjectName(QStringLiteral("lblDayNote"));
  lblDayNote_->setWordWrap(true);
  lblDayNote_->setStyleSheet(QStringLiteral("color: #a03000; padding: 2px 4px;"));
  lblDayNote_->hide();
  column->addWidget(lblDayNote_);

  model_ = new RouteListModel(
      {QStringLiteral("No."), QStringLiteral("予想到着"), QStringLiteral("予想所要"), QStringLiteral("運賃"),
       QStringLiteral("乗換数"), QStringLiteral("乗車"), QStringLiteral("徒歩"), QStringLiteral("待ち"),
       QStringLiteral("途中乗り継ぎ"), QString(), QStringLiteral("早楽安"), QStringLiteral("出発")},
      this);
  strGrid1_ = new QTableView(central);
  strGrid1_->setObjectName(QStringLiteral("StrGrid1"));
  strGrid1_->setAccessibleName(QStringLiteral("検出経路の一覧"));
  strGrid1_->setModel(model_);
  strGrid1_->verticalHeader()->hide();
  strGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  strGrid1_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  strGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  strGrid1_->horizontalHeader()->setSectionsMovable(true);
  strGrid1_->horizontalHeader()->setSectionsClickable(false);
  strGrid1_->verticalHeader()->setDefaultSectionSize(strGrid1_->fontMetrics().height() + 6);
  for (int c = 0; c < kColumns; ++c) strGrid1_->setColumnWidth(c, kGridWidths[c]);
  strGrid1_->horizontalHeader()->moveSection(kMarksColumn, 1);
  strGrid1_->horizontalHeader()->moveSection(kDepartureColumn, 2);
  strGrid1_->setColumnHidden(kMarksColumn, true);
  // The detection number is the key of a row's details, not for reading.
  strGrid1_->setColumnHidden(kDetectionColumn, true);
  connect(strGrid1_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TRouteForm::StrGrid1Click);

  lvTrain_ = makeReportList(
      central, "lvTrain", QStringLiteral("列車"),
      {{"列車/徒歩", 240}, {"区間", 200}, {"乗車時刻", 80}, {"降車時刻", 80}, {"所要時間", 80}});
  lvFare_ =
      makeReportList(central, "lvFare", QStringLiteral("運賃"), {{"切符", 120}, {"区間", 180}, {"運賃", 60}});
  lvSta_ = makeReportList(central, "lvSta", QStringLiteral("乗継駅"),
                          {{"乗継駅", 120}, {"徒歩時間", 80}, {"待ち時間", 80}});
  auto* bottom = new QSplitter(Qt::Horizontal, central);
  bottom->addWidget(lvFare_);
  bottom->addWidget(lvSta_);
  auto* splitter2 = new QSplitter(Qt::Vertical, central);
  splitter2->setObjectName(QStringLiteral("Splitter2"));
  splitter2->addWidget(lvTrain_);
  splitter2->addWidget(bottom);
  auto* splitter1 = new QSplitter(Qt::Vertical, central);
  splitter1->setObjectName(QStringLiteral("Splitter1"));
  splitter1->addWidget(strGrid1_);
  splitter1->addWidget(splitter2);
  splitter1->setSizes({220, 300});
  column->addWidget(splitter1, 1);
  buildMenus();
  // Detection order is marked from the start; the lists are read only when
  // a search has written them.
  markOrder(1);
}

void TRouteForm::markOrder(int order) {
  sortItems_[order - 1]->setChecked(true);
  sortButtons_[order - 1]->setChecked(true);
}

void TRouteForm::buildToolBar(QWidget* panel) {
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(2);
  connect(makeToolButton(panel, row, "btnExit", ToolPicture::kExit, QStringLiteral("検出結果を閉じる |")),
          &QToolButton::clicked, this, &TRouteForm::ItemExitClick);
  connect(makeToolButton(
              panel, row, "btnSave", ToolPicture::kSave,
              QStringLiteral("経路を保存 | 選択した経路 (選択がなければ表示中の経路) をファイルに保存")),
          &QToolButton::clicked, this, &TRouteForm::ItemSaveClick);
  row->addSpacing(12);
  label1_ = new QLabel(QStringLiteral("出発時刻"), panel);
  label1_->setObjectName(QStringLiteral("Label1"));
  row->addWidget(label1_);
  pnlDepTime_ = new QLabel(panel);
  pnlDepTime_->setObjectName(QStringLiteral("pnlDepTime"));
  pnlDepTime_->setAccessibleName(QStringLiteral("出発時刻"));
  pnlDepTime_->setFrameShape(QFrame::Panel);
  pnlDepTime_->setFrameShadow(QFrame::Sunken);
  pnlDepTime_->setMinimumWidth(56);
  pnlDepTime_->setContentsMargins(6, 0, 6, 0);
  pnlDepTime_->setAlignment(Qt::AlignCenter);
  row->addWidget(pnlDepTime_);
  row->addSpacing(12);
  auto* group = new QButtonGroup(panel);
  const struct {
    const char* name;
    ToolPicture picture;
    const char* hint;
    void (TRouteForm::*handler)();
  } sorts[3] = {
      {"btnSortPickup", ToolPicture::kSortFound, "検出順にソート", &TRouteForm::ItemSortPickupClick},
      {"btnSortTime", ToolPicture::kSortTime, "到着順にソート", &TRouteForm::ItemSortTimeClick},
      {"btnSortFare", ToolPicture::kSortFare, "運賃の安い順にソート", &TRouteForm::ItemSortFareClick}};
  for (int i = 0; i < 3; ++i) {
    QToolButton* b =
        makeToolButton(panel, row, sorts[i].name, sorts[i].picture, QString::fromUtf8(sorts[i].hint));
    b->setCheckable(true);
    group->addButton(b);
    connect(b, &QToolButton::clicked, this, sorts[i].handler);
    sortButtons_[i] = b;
  }
  row->addStretch(1);
}

void TRouteForm::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  QAction* save = file->addAction(QStringLiteral("選択した経路を保存(&S)..."));
  save->setObjectName(QStringLiteral("ItemSave"));
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, &TRouteForm::ItemSaveClick);
  QAction* copy = file->addAction(QStringLiteral("選択した経路をコピー(&C)"));
  copy->setObjectName(QStringLiteral("ItemCopy"));
  copy->setShortcut(QKeySequence::Copy);
  connect(copy, &QAction::triggered, this, &TRouteForm::ItemCopyClick);
  QAction* print = file->addAction(QStringLiteral("経路一覧を印刷(&P)..."));
  print->setObjectName(QStringLiteral("ItemPrint"));
  print->setShortcut(QKeySequence::Print);
  connect(print, &QAction::triggered, this, &TRouteForm::ItemPrintClick);
  file->addSeparator();
  QAction* exit = file->addAction(QStringLiteral("閉じる(&C)"));
  exit->setObjectName(QStringLiteral("ItemExit"));
  connect(exit, &QAction::triggered, this, &TRouteForm::ItemExitClick);

  QMenu* sort = menuBar()->addMenu(QStringLiteral("ソート(&S)"));
  auto* group = new QActionGroup(this);
  const struct {
    const char* name;
    const char* caption;
    void (TRouteForm::*handler)();
  } items[3] = {{"ItemSortPickup", "検出順(&P)", &TRouteForm::ItemSortPickupClick},
                {"ItemSortTime", "時間順(&T)", &TRouteForm::ItemSortTimeClick},
                {"ItemSortFare", "運賃順(&F)", &TRouteForm::ItemSortFareClick}};
  for (int i = 0; i < 3; ++i) {
    QAction* a = sort->addAction(QString::fromUtf8(items[i].caption));
    a->setObjectName(QString::fromLatin1(items[i].name));
    a->setCheckable(true);
    group->addAction(a);
    connect(a, &QAction::triggered, this, items[i].handler);
    sortItems_[i] = a;
  }
}

void TRouteForm::setSortOrder(int order) {
  if (order < 1 || order > 3) {
    sortOrder_ = 1;
    return;
  }
  markOrder(order);
  sortOrder_ = order;
  showRouteDetail(loadRouteList(order));
}

int TRouteForm::loadRouteList(int order) {
  if (order < 1 || order > 3) return 0;
  // The shown route is chosen afresh (setSortOrder), not kept from the last order.
  strGrid1_->clearSelection();
  model_->showOrder(order);
  const auto& list = lists_[order - 1];
  if (!list) return -1;
  const work_files::RouteListHead& head = list->head;
  if (!head.from.empty()) {
    setWindowTitle(QStringLiteral("検出経路(") + fromSjis(head.from) + QStringLiteral("→") +
                   fromSjis(head.to) + QStringLiteral(")") +
                   (partial_ ? QStringLiteral(" - 中止までの検出分") : QString()));
    showSearchHead(fromSjis(head.departure.text));
  }
  // The first train of each route, from the details (a route may begin with a walk).
  std::map<int, work_files::ClockTime> firstTrains;
  if (details_) {
    for (const work_files::RouteRide& ride : details_->rides)
      if (ride.ridingMinutes > 0) firstTrains.try_emplace(ride.detection, ride.departure);
  }
  showDayNote(list->routes, firstTrains);
  return list->routes.empty() ? -1 : list->routes.front().detection;
}

void TRouteForm::fillModel() {
  // The first ride's departure of each route, from the details.
  std::map<int, work_files::ClockTime> departures;
  std::set<int> unknownFares;  // routes over a fare the data do not give
  if (details_) {
    for (const work_files::RouteRide& ride : details_->rides)
      departures.try_emplace(ride.detection, ride.departure);
    unknownFares = routesOfUnknownFare(*details_);
  }
  const auto number = [](int n) { return QString::number(n); };
  RouteListModel::Orders orders;
  for (int k = 0; k < 3; ++k) {
    if (!lists_[k]) continue;
    for (const work_files::RouteSummary& r : lists_[k]->routes) {
      const auto leave = departures.find(r.detection);
      const QStringList cells = {
          number(r.position + 1),
          shownTime(r.arrival.text, r.arrival.minutes),
          minutesText(r.totalMinutes),
          unknownFares.contains(r.detection) ? kUnknownFare : number(r.fare),
          number(r.changes),
          number(r.ridingMinutes),
          number(r.walkingMinutes),
          number(r.waitingMinutes),
          fromSjis(r.via),
          number(r.detection),
          r.detection >= 0 && r.detection < shown_.marks.size() ? shown_.marks[r.detection] : QString(),
          leave == departures.end() ? QString() : shownTime(leave->second.text, leave->second.minutes)};
      orders[static_cast<std::size_t>(k)].push_back({r.detection, cells});
    }
  }
  model_->setRoutes(std::move(orders));
}

void TRouteForm::showRouteDetail(int n) {
  lvTrain_->clear();
  lvSta_->clear();
  lvFare_->clear();
  shownDetection_ = n;
  if (!details_) return;
  const work_files::RouteDetail route = work_files::detailOf(*details_, n);
  const QString arrow = QStringLiteral("→");
  for (const work_files::RouteStop& s : route.stops) {
    addReportRow(lvSta_,
                 {fromSjis(s.station), QString::number(s.walkingMinutes), QString::number(s.waitingMinutes)},
                 {1, 2});
  }
  for (const work_files::RouteRide& r : route.rides) {
    addReportRow(
        lvTrain_,
        {fromSjis(r.train), fromSjis(r.from) + arrow + fromSjis(r.to),
         shownTime(r.departure.text, r.departure.minutes), shownTime(r.arrival.text, r.arrival.minutes),
         QString::number(r.ridingMinutes + r.walkingMinutes)},
        {4});
  }
  for (const work_files::RouteFareSection& f : route.fares)
    addReportRow(lvFare_,
                 {fromSjis(f.company), fromSjis(f.from) + arrow + fromSjis(f.to),
                  kiv::fareUnknown(f) ? kUnknownFare : QString::number(f.fare)},
                 {2});
}

void TRouteForm::StrGrid1Click() {
  const QModelIndexList selected = strGrid1_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return;
  int top = selected.front().row();
  for (const QModelIndex& index : selected) top = std::min(top, index.row());
  showRouteDetail(model_->detectionAt(top));
}

void TRouteForm::showDayNote(const std::vector<work_files::RouteSummary>& routes,
                             const std::map<int, work_files::ClockTime>& departures) {
  // When even the earliest train of the list leaves on a later service day
  // than the time asked, that day's trains have gone.
  int earliest = -1;
  for (const work_files::RouteSummary& r : routes) {
    const auto leave = departures.find(r.detection);
    if (leave != departures.end() && (earliest < 0 || leave->second.minutes < earliest))
      earliest = leave->second.minutes;
  }
  const QString note = shown_.kind == ShownSearch::Kind::kDeparture && shown_.day >= 0 && earliest >= 0
                           ? laterDayNote(shown_.asked, earliest, shown_.day)
                           : QString();
  lblDayNote_->setText(note);
  lblDayNote_->setVisible(!note.isEmpty());
}

QString TRouteForm::shownTime(const std::string& fileText, int minutes) const {
  if (shown_.day < 0) return fromSjis(fileText);
  return dayTimeText(minutes, shown_.day);
}

void TRouteForm::showSearchHead(const QString& fileDeparture) {
  using Kind = ShownSearch::Kind;
  if (shown_.day < 0) {
    label1_->setText(QStringLiteral("出発時刻"));
    pnlDepTime_->setText(fileDeparture);
    return;
  }
  const QString day = dayName(dayOfTime(shown_.asked, shown_.day)) + QStringLiteral("曜");
  const QString clock = QString::asprintf("%d:%02d", (shown_.asked % 1440) / 60, shown_.asked % 60);
  switch (shown_.kind) {
    case Kind::kDeparture:
      label1_->setText(QStringLiteral("出発時刻"));
      pnlDepTime_->setText(day + QLatin1Char(' ') + clock);
      break;
    case Kind::kArriveBy:
      label1_->setText(QStringLiteral("到着時刻"));
      pnlDepTime_->setText(day + QLatin1Char(' ') + clock + QStringLiteral(" まで"));
      break;
    case Kind::kLastTrain:
      label1_->setText(QStringLiteral("最終列車"));
      pnlDepTime_->setText(dayName(shown_.day) + QStringLiteral("曜の最終"));
      break;
  }
}

void TRouteForm::takeSearchResult(const ShownSearch& shown, const RouteListView& view) {
  shown_ = shown;
  strGrid1_->setColumnHidden(kMarksColumn, shown_.marks.isEmpty());
  for (std::size_t k = 0; k < 3; ++k) lists_[k] = view.lists[k];
  details_ = view.details;
  fillModel();
}

void TRouteForm::takeSearchResult(const ShownSearch& shown) {
  shown_ = shown;
  strGrid1_->setColumnHidden(kMarksColumn, shown_.marks.isEmpty());
  for (int k = 0; k < 3; ++k) lists_[k] = work_files::readRouteList(dataDir_ / kListFiles[k]);
  details_ = work_files::readRouteDetails(dataDir_ / work_files::kRouteDetails);
  fillModel();
}

bool TRouteForm::chosenRows(int& top, int& bottom) const {
  const QModelIndexList selected = strGrid1_->selectionModel()->selectedIndexes();
  if (!selected.isEmpty()) {
    top = selected.front().row();
    bottom = top;
    for (const QModelIndex& index : selected) {
      top = std::min(top, index.row());
      bottom = std::max(bottom, index.row());
    }
    return true;
  }
  // Right after a search the first route is shown but no row is selected.
  const int row = model_->rowOf(shownDetection_);
  if (row < 0) return false;
  top = bottom = row;
  return true;
}

int TRouteForm::writeRows(const QString& file, int top, int bottom) const {
  const auto& list = lists_[sortOrder_ - 1];
  if (!list || !details_) return -1;
  std::vector<int> detections;
  for (int row = top; row <= bottom; ++row) detections.push_back(model_->detectionAt(row));
  return writeRouteDescriptions(*list, *details_, file.toStdString(), sortOrder_, top + 1, detections);
}

QString TRouteForm::rowsText(int top, int bottom) const {
  // The same writer as the save, into a scratch file, so that both agree.
  const QTemporaryDir scratch;
  if (!scratch.isValid()) return {};
  const QString file = scratch.filePath(QStringLiteral("routes.txt"));
  if (writeRows(file, top, bottom) != 0) return {};
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = in.readAll();
  return fromSjis(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString TRouteForm::chosenRoutesText() const {
  int top = 0;
  int bottom = -1;
  return chosenRows(top, bottom) ? rowsText(top, bottom) : QString();
}

void TRouteForm::ItemSaveClick() {
  int top = 0;
  int bottom = -1;
  if (!chosenRows(top, bottom)) return;
  const SaveChoice choice = prompts().askSaveFile(this);
  if (choice.file.isEmpty()) return;
  if (writeRows(choice.file, top, bottom) != 0 || !recodeSavedFile(choice.file, choice.encoding)) {
    reportSaveFailure(this, choice.file);
  }
}

void TRouteForm::ItemCopyClick() {
  const QString text = chosenRoutesText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void TRouteForm::ItemPrintClick() {
  if (model_->rowCount() == 0) return;
  printText(this, windowTitle(), rowsText(0, model_->rowCount() - 1));
}

TRouteForm::~TRouteForm() {
  if (placed_ && isVisible()) savePlacement(this, objectName());
}

void TRouteForm::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    restorePlacement(this, objectName());
  }
  QMainWindow::showEvent(event);
}

void TRouteForm::closeEvent(QCloseEvent* event) {
  savePlacement(this, objectName());
  QMainWindow::closeEvent(event);
}

}  // namespace kiv::ui
