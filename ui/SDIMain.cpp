#include "SDIMain.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "ColtdPnl.h"
#include "DataDirectory.h"
#include "DefPanel.h"
#include "Engine.h"
#include "Forms.h"
#include "HelpWindow.h"
#include "JourneyTimes.h"
#include "KivText.h"
#include "Prompts.h"
#include "ReportList.h"
#include "StaPanel.h"
#include "StationCompleter.h"
#include "WindowPlacement.h"
#include "network/StationSearch.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::ui {
namespace {

constexpr int kClientWidth = 359;
constexpr int kToolBarHeight = 36;
constexpr int kStationPanelHeight = 104;
// The size the window grows to once a command loads text into the output
// pane: wide enough for the report lines, high enough for an hour's trains.
constexpr int kOutputWidth = 680;
constexpr int kOutputHeight = 420;
constexpr std::size_t kNearMatches = 5;

// The reports pad their columns by Shift-JIS bytes, one column per byte:
// they line up only in a font whose full-width letters are exactly two
// half-width ones wide, as in the Japanese gothic fixed fonts.
QFont reportFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"), font.family()});
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

bool isDeveloperWord(const std::vector<std::string>& args) {
  if (args.empty()) return false;
  std::string word = args.front();
  std::transform(word.begin(), word.end(), word.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return word == "vord";
}

TAppForm::TAppForm(Engine& engine, KivForms& forms, bool developerMode)
    : engine_(engine),
      forms_(forms),
      developerMode_(developerMode),
      clock_([] { return QDateTime::currentDateTime(); }) {
  setObjectName(QStringLiteral("AppForm"));
  setWindowTitle(QStringLiteral("Kiv for Windows"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

  const auto [central, speedPanel, column] = makeToolPanelWindow(this);
  speedPanel->setFixedHeight(kToolBarHeight);
  buildToolBar(speedPanel);
  auto* panel1 = new QWidget(central);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setFixedHeight(kStationPanelHeight);
  buildStationPanel(panel1);
  outputRE_ = new QPlainTextEdit(central);
  outputRE_->setObjectName(QStringLiteral("OutputRE"));
  outputRE_->setAccessibleName(QStringLiteral("出力"));
  outputRE_->setReadOnly(true);
  outputRE_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  outputRE_->setFont(reportFont());
  outputRE_->setLineWrapMode(QPlainTextEdit::NoWrap);
  outputRE_->hide();
  column->addWidget(panel1);
  column->addWidget(outputRE_, 1);
  buildMenus();

  move(engine_.def.getWindowX(), engine_.def.getWindowY());
  fillStationBox(cmbDep_, true);
  fillStationBox(cmbArv_, false);
  loadTimeFields();
  fitToContents();
}

TAppForm::~TAppForm() = default;

QToolButton* TAppForm::addToolButton(QWidget* panel, const char* name, const QString& hint,
                                     ToolPicture picture, void (TAppForm::*handler)()) {
  QToolButton* button = makeToolButton(panel, panel->layout(), name, picture, hint);
  connect(button, &QToolButton::clicked, this, handler);
  return button;
}

void TAppForm::buildToolBar(QWidget* speedPanel) {
  auto* row = new QHBoxLayout(speedPanel);
  row->setContentsMargins(4, 4, 4, 4);
  row->setSpacing(1);
  addToolButton(speedPanel, "ExitBtn", QStringLiteral("Kiv for Windows の終了"), ToolPicture::kExit,
                &TAppForm::ItemExitClick);
  row->addSpacing(6);
  addToolButton(speedPanel, "RouteBtn", QStringLiteral("運賃・時間計算"), ToolPicture::kRoute,
                &TAppForm::ItemCalcClick);
  addToolButton(speedPanel, "FareTblBtn", QStringLiteral("運賃表作成"), ToolPicture::kFareTable,
                &TAppForm::ItemFTableClick);
  addToolButton(speedPanel, "RqTmTblBtn", QStringLiteral("所要時間表作成"), ToolPicture::kRequiredTime,
                &TAppForm::ItemRqTmTblClick);
  addToolButton(speedPanel, "TTableBtn", QStringLiteral("駅時刻表作成"), ToolPicture::kTimetable,
                &TAppForm::ItemTTableClick);
  row->addSpacing(6);
  addToolButton(speedPanel, "DefBtn", QStringLiteral("条件設定"), ToolPicture::kConditions,
                &TAppForm::DefItemClick);
  addToolButton(speedPanel, "CoLtdbtn", QStringLiteral("利用路線設定"), ToolPicture::kLines,
                &TAppForm::ColtdItemClick);
  row->addSpacing(6);
  QToolButton* view = addToolButton(speedPanel, "ViewBtn", QStringLiteral("データ閲覧"),
                                    ToolPicture::kDataView, &TAppForm::ViewBtnClick);
  QToolButton* test1 =
      addToolButton(speedPanel, "TestBtn1", QString(), ToolPicture::kRoute, &TAppForm::TestBtn1Click);
  test1->setIcon(QIcon());
  test1->setText(QStringLiteral("旧"));
  test1->setAccessibleName(QStringLiteral("旧"));
  QToolButton* test2 = addToolButton(speedPanel, "TestBtn2", QStringLiteral("経路一覧サンプル"),
                                     ToolPicture::kRoute, &TAppForm::TestBtn2Click);
  test2->setIcon(QIcon());
  test2->setText(QStringLiteral("R"));
  row->addStretch(1);
  for (QToolButton* b : {view, test1, test2}) b->setVisible(developerMode_);
}

void TAppForm::buildStationPanel(QWidget* panel) {
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(8);
  auto makeButton = [&](const char* name, const QString& caption, const QString& hint, int row,
                        void (TAppForm::*handler)()) {
    auto* button = makePushButton(panel, QString::fromLatin1(name), caption, hint);
    button->setToolTip(hint);
    button->setFixedWidth(80);
    connect(button, &QPushButton::clicked, this, handler);
    grid->addWidget(button, row, 0);
    return button;
  };
  auto makeBox = [&](const char* name, const QString& accessible, int row) {
    auto* box = new QComboBox(panel);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessible);
    box->setEditable(true);
    box->lineEdit()->setAccessibleName(accessible);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setFixedWidth(240);
    box->setCompleter(new StationCompleter(engine_.staName, box));
    // Enter runs the route search, as the route button does.
    connect(box->lineEdit(), &QLineEdit::returnPressed, this, &TAppForm::ItemCalcClick);
    grid->addWidget(box, row, 1);
    return box;
  };
  QPushButton* dep = makeButton("btnRefDep", QStringLiteral("From..."), QStringLiteral("出発駅設定"), 0,
                                &TAppForm::btnRefDepClick);
  QPushButton* arv = makeButton("btnRefArv", QStringLiteral("To..."), QStringLiteral("目的駅設定"), 1,
                                &TAppForm::btnRefArvClick);
  cmbDep_ = makeBox("cmbDep", QStringLiteral("出発駅"), 0);
  cmbArv_ = makeBox("cmbArv", QStringLiteral("到着駅"), 1);
  auto* swap = new QToolButton(panel);
  swap->setObjectName(QStringLiteral("btnSwap"));
  swap->setText(QStringLiteral("⇅"));
  swap->setAccessibleName(QStringLiteral("出発駅と目的駅を入れ替え"));
  swap->setToolTip(QStringLiteral("出発駅と目的駅を入れ替え (Ctrl+R)"));
  swap->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  connect(swap, &QToolButton::clicked, this, &TAppForm::swapStations);
  grid->addWidget(swap, 0, 2, 2, 1);
  buildTimeRow(panel, grid);
  grid->setColumnStretch(3, 1);  // the boxes stay beside their buttons when the window grows
  setTabOrder(dep, arv);
  setTabOrder(arv, cmbDep_);
  setTabOrder(cmbDep_, cmbArv_);
  setTabOrder(cmbArv_, swap);
  setTabOrder(swap, timeDep_);
  setTabOrder(timeDep_, cmbDepDay_);
  setTabOrder(cmbDepDay_, btnNow_);
  setTabOrder(btnNow_, chkArriveBy_);
}

void TAppForm::buildTimeRow(QWidget* panel, QGridLayout* grid) {
  lblTime_ = new QLabel(QStringLiteral("出発時刻"), panel);
  lblTime_->setObjectName(QStringLiteral("lblTime"));
  lblTime_->setAlignment(Qt::AlignCenter);
  grid->addWidget(lblTime_, 2, 0);
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  timeDep_ = new QTimeEdit(panel);
  timeDep_->setObjectName(QStringLiteral("timeDep"));
  timeDep_->setAccessibleName(QStringLiteral("時刻"));
  timeDep_->setDisplayFormat(QStringLiteral("H:mm"));
  timeDep_->setWrapping(true);
  lblTime_->setBuddy(timeDep_);
  cmbDepDay_ = new QComboBox(panel);
  cmbDepDay_->setObjectName(QStringLiteral("cmbDepDay"));
  cmbDepDay_->setAccessibleName(QStringLiteral("曜日"));
  for (int day = 0; day < 7; ++day) cmbDepDay_->addItem(dayName(day) + QStringLiteral("曜"));
  btnNow_ = new QToolButton(panel);
  btnNow_->setObjectName(QStringLiteral("btnNow"));
  btnNow_->setText(QStringLiteral("今"));
  btnNow_->setAccessibleName(QStringLiteral("現在の時刻・曜日"));
  btnNow_->setToolTip(QStringLiteral("現在の時刻・曜日を使用する"));
  btnNow_->setCheckable(true);
  chkArriveBy_ = new QCheckBox(QStringLiteral("到着時刻で検索"), panel);
  chkArriveBy_->setObjectName(QStringLiteral("chkArriveBy"));
  chkArriveBy_->setToolTip(QStringLiteral("この時刻までに着く経路を、出発の遅い順に探す"));
  row->addWidget(timeDep_);
  row->addWidget(cmbDepDay_);
  row->addWidget(btnNow_);
  row->addSpacing(6);
  row->addWidget(chkArriveBy_);
  row->addStretch(1);
  grid->addLayout(row, 2, 1, 1, 3);
  connect(timeDep_, &QTimeEdit::timeChanged, this, &TAppForm::timeFieldsEdited);
  connect(cmbDepDay_, &QComboBox::currentIndexChanged, this, &TAppForm::timeFieldsEdited);
  connect(btnNow_, &QToolButton::toggled, this, &TAppForm::btnNowClick);
  connect(chkArriveBy_, &QCheckBox::toggled, this, [this](bool arriveBy) {
    lblTime_->setText(arriveBy ? QStringLiteral("到着時刻") : QStringLiteral("出発時刻"));
  });
}

void TAppForm::loadTimeFields() {
  const Departure time = departureTime();
  const QSignalBlocker quietTime(timeDep_);
  const QSignalBlocker quietDay(cmbDepDay_);
  const QSignalBlocker quietNow(btnNow_);
  timeDep_->setTime(QTime(std::clamp(time.hour, 0, 23), std::clamp(time.minute, 0, 59)));
  cmbDepDay_->setCurrentIndex(std::clamp(time.day, 0, 6));
  btnNow_->setChecked(engine_.def.getUseSysTime() == 1);
}

void TAppForm::timeFieldsEdited() {
  engine_.def.setDepHour(static_cast<std::int8_t>(timeDep_->time().hour()));
  engine_.def.setDepMinute(static_cast<std::int8_t>(timeDep_->time().minute()));
  engine_.def.setDepDay(static_cast<std::int8_t>(cmbDepDay_->currentIndex()));
  engine_.def.setUseSysTime(0);
  const QSignalBlocker quiet(btnNow_);
  btnNow_->setChecked(false);
}

void TAppForm::btnNowClick(bool now) {
  if (now) {
    const QDateTime clock = clock_();
    engine_.def.setDepHour(static_cast<std::int8_t>(clock.time().hour()));
    engine_.def.setDepMinute(static_cast<std::int8_t>(clock.time().minute()));
    engine_.def.setDepDay(static_cast<std::int8_t>(clock.date().dayOfWeek() % 7));
  }
  engine_.def.setUseSysTime(now ? 1 : 0);
  loadTimeFields();
}

void TAppForm::buildMenus() {
  auto add = [this](QMenu* menu, const QString& caption, const QKeySequence& key, void (TAppForm::*handler)(),
                    const QString& hint = QString()) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(key);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  add(file, QStringLiteral("Kiv の終了(&X)"), {}, &TAppForm::ItemExitClick, QStringLiteral("Kiv を終了する"));

  QMenu* functions = menuBar()->addMenu(QStringLiteral("機能(&Z)"));
  QMenu* stations = functions->addMenu(QStringLiteral("駅入力(&S)"));
  add(stations, QStringLiteral("出発駅(&D)..."), QKeySequence(Qt::CTRL | Qt::Key_F1),
      &TAppForm::btnRefDepClick);
  add(stations, QStringLiteral("目的駅(&A)..."), QKeySequence(Qt::CTRL | Qt::Key_F2),
      &TAppForm::btnRefArvClick);
  add(stations, QStringLiteral("出発駅と目的駅を入れ替え(&W)"), QKeySequence(Qt::CTRL | Qt::Key_R),
      &TAppForm::swapStations)
      ->setObjectName(QStringLiteral("ItemSwap"));
  add(functions, QStringLiteral("運賃・時間計算(&C)"), QKeySequence(Qt::CTRL | Qt::Key_F5),
      &TAppForm::ItemCalcClick, QStringLiteral("出発駅から目的駅までの運賃と時間を計算する"));
  add(functions, QStringLiteral("最終列車(&L)"), QKeySequence(Qt::CTRL | Qt::Key_L),
      &TAppForm::ItemLastTrainClick, QStringLiteral("選んだ曜日の最終列車で出発駅から目的駅へ行く経路を探す"))
      ->setObjectName(QStringLiteral("ItemLastTrain"));
  add(functions, QStringLiteral("運賃表作成(&F)"), QKeySequence(Qt::CTRL | Qt::Key_F6),
      &TAppForm::ItemFTableClick, QStringLiteral("出発駅の運賃表を作成する"));
  add(functions, QStringLiteral("所要時間表作成(&R)"), QKeySequence(Qt::CTRL | Qt::Key_F7),
      &TAppForm::ItemRqTmTblClick);
  add(functions, QStringLiteral("駅時刻表作成(&T)"), QKeySequence(Qt::CTRL | Qt::Key_F8),
      &TAppForm::ItemTTableClick, QStringLiteral("出発駅の発車時刻表を作成する"));

  QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
  add(options, QStringLiteral("条件設定(&D)..."), QKeySequence(Qt::CTRL | Qt::Key_F3),
      &TAppForm::DefItemClick, QStringLiteral("探索条件を設定する"));
  add(options, QStringLiteral("利用路線設定(&U)..."), QKeySequence(Qt::CTRL | Qt::Key_F4),
      &TAppForm::ColtdItemClick, QStringLiteral("利用する路線を設定する"));

  toolMenu_ = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
  toolMenu_->setObjectName(QStringLiteral("ToolMenu"));
  add(toolMenu_, QStringLiteral("環境設定(&E)..."), {}, &TAppForm::ItemEnvClick);
  add(toolMenu_, QStringLiteral("ダイヤデータ作成(&D)..."), {}, &TAppForm::ItemDiaClick);
  QMenu* data = toolMenu_->addMenu(QStringLiteral("各種データ作成(&P)"));
  add(data, QStringLiteral("Tokyo101-200km(&T)"), {}, &TAppForm::Item101tokyoClick);
  add(data, QStringLiteral("JR最廉経路(&F)"), {}, &TAppForm::ItemJRcheepClick);
  add(data, QStringLiteral("駅名リスト(&S)"), {}, &TAppForm::ItemStaListClick);
  toolMenu_->menuAction()->setVisible(developerMode_);

  QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  add(help, QStringLiteral("トピックの検索(&H)..."), QKeySequence(Qt::Key_F1), &TAppForm::ItemKeywordClick);
  help->addSeparator();
  add(help, QStringLiteral("バージョン情報(&A)..."), {}, &TAppForm::About1Click);
}

void TAppForm::fillStationBox(QComboBox* box, bool departure) {
  box->clear();
  box->setEditText(QString());
  char buffer[kStationNameSize] = {};
  for (int i = 0; i < RDefMan::kRecentCount; ++i) {
    const int got = departure ? engine_.def.getRecentDep(i, buffer) : engine_.def.getRecentArv(i, buffer);
    if (got == 0) box->addItem(fromSjisField(buffer));
  }
  if (box->count() > 0) box->setCurrentIndex(0);
}

void TAppForm::setStationText(int target, const QString& text) {
  (target == kTargetDeparture ? cmbDep_ : cmbArv_)->setEditText(text);
}

QString TAppForm::departureText() const { return cmbDep_->currentText(); }

QString TAppForm::outputText() const { return outputRE_->toPlainText(); }

bool TAppForm::outputVisible() const { return outputRE_->isVisibleTo(this) && outputRE_->height() > 0; }

const StationSearch& TAppForm::stationSearch() {
  if (!search_) search_ = std::make_unique<StationSearch>(engine_.staName);
  return *search_;
}

StationNo TAppForm::resolveStation(QComboBox* box, const char* message) {
  const QString typed = box->currentText();
  if (const std::optional<std::string> sjis = toSjis(typed)) {
    if (const StationNo exact = engine_.staName.findByName(*sjis); exact > 0) return exact;
  }
  const QString trimmed = typed.trimmed();
  if (trimmed.isEmpty()) {
    warn(this, QString::fromUtf8(message));
    return -1;
  }
  const StationSearch& search = stationSearch();
  StationLookup lookup = search.resolve(trimmed.toStdString());
  // 「新宿駅」 names 新宿 when no station is called so itself.
  const QString station = QStringLiteral("駅");
  if (lookup.stations.empty() && trimmed.size() > 1 && trimmed.endsWith(station)) {
    lookup = search.resolve(trimmed.chopped(station.size()).toStdString());
  }
  std::vector<StationNo> offered = lookup.stations;
  if (offered.size() == 1) {
    box->setEditText(QString::fromStdString(search.name(offered.front())));
    return offered.front();
  }
  if (offered.empty()) offered = search.nearMatches(trimmed.toStdString(), kNearMatches);
  if (offered.size() > kNearMatches) offered.resize(kNearMatches);
  if (offered.empty()) {
    warn(this, QString::fromUtf8(message));
    return -1;
  }
  QStringList choices;
  for (const StationNo s : offered) {
    choices << QString::fromStdString(search.name(s)) + QStringLiteral(" (") +
                   QString::fromStdString(search.reading(s)) + QStringLiteral(")");
  }
  const QString text = QString::fromUtf8(message) + QStringLiteral("\n「") + trimmed +
                       (lookup.stations.empty() ? QStringLiteral("」に近い駅から選んでください")
                                                : QStringLiteral("」に当たる駅から選んでください"));
  const int picked = prompts().askChoice(this, text, choices);
  if (picked < 0 || picked >= static_cast<int>(offered.size())) return -1;
  const StationNo chosen = offered[static_cast<std::size_t>(picked)];
  box->setEditText(QString::fromStdString(search.name(chosen)));
  return chosen;
}

void TAppForm::swapStations() {
  const QString from = cmbDep_->currentText();
  cmbDep_->setEditText(cmbArv_->currentText());
  cmbArv_->setEditText(from);
}

void TAppForm::fitToContents() {
  const bool output = outputRE_->isVisibleTo(this);
  const int menus = menuBar()->sizeHint().height();
  // Never narrower than its menus (none hides behind a »), nor lower than
  // the station boxes; it grows with the output pane and may be enlarged.
  const QSize compact(std::max(kClientWidth, menuBar()->sizeHint().width()),
                      kToolBarHeight + kStationPanelHeight + menus);
  setMinimumSize(compact.expandedTo(centralWidget()->minimumSizeHint()));
  const QSize wanted = output ? QSize(kOutputWidth, compact.height() + kOutputHeight) : compact;
  resize(output ? wanted.expandedTo(size()) : wanted.expandedTo(minimumSize()));
  fitToScreen(this);
}

void TAppForm::loadOutput(const std::filesystem::path& file) {
  outputRE_->setPlainText(QString());
  std::vector<std::string> lines;
  QString text;
  if (report_text::readLines(file, lines)) {
    for (const std::string& line : lines) text += fromSjis(line) + QLatin1Char('\n');
  }
  outputRE_->setPlainText(text);
  if (!outputRE_->isVisibleTo(this)) {
    outputRE_->show();
    fitToContents();
  }
}

void TAppForm::showStartupProblems(const std::filesystem::path& dataDir,
                                   const std::vector<std::string>& problems) {
  if (problems.empty()) return;
  QString text = QStringLiteral("\nデータファイルを正しく読み込めません (%1)")
                     .arg(QString::fromStdString(dataDir.string()));
  for (const std::string& problem : problems)
    text += QLatin1Char('\n') + QString::fromStdString(problemInJapanese(problem));
  prompts().showMessage(this, BoxKind::kError, text);
}

void TAppForm::closeEvent(QCloseEvent* event) {
  const QRect frame = frameGeometry();
  engine_.def.setWindowX(static_cast<std::int16_t>(frame.x()));
  engine_.def.setWindowY(static_cast<std::int16_t>(frame.y()));
  engine_.def.setWindowW(static_cast<std::int16_t>(frame.width()));
  engine_.def.setWindowH(static_cast<std::int16_t>(frame.height()));
  engine_.def.saveSettings();
  QMainWindow::closeEvent(event);
  emit closed();
}

void TAppForm::ItemExitClick() { close(); }

void TAppForm::btnRefDepClick() {
  stationTarget_ = kTargetDeparture;
  forms_.sta().exec();
}

void TAppForm::btnRefArvClick() {
  stationTarget_ = kTargetArrival;
  forms_.sta().exec();
}

void TAppForm::DefItemClick() {
  forms_.def().exec();
  loadTimeFields();
}

void TAppForm::ColtdItemClick() { forms_.coltd().exec(); }

void TAppForm::ItemKeywordClick() {
  if (!help_) help_ = new HelpWindow(this);
  help_->showTopics();
}

}  // namespace kiv::ui
