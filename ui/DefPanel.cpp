#include "DefPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ReportList.h"
#include "UpDownEdit.h"
#include "settings/RDefMan.h"

namespace kiv::ui {
namespace {

QLabel* label(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace

TDefForm::TDefForm(RDefMan& def) : def_(def) {
  setObjectName(QStringLiteral("DefForm"));
  setWindowTitle(QStringLiteral("条件設定"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setMinimumSize(469, 302);

  auto* cmdOk = makePushButton(this, QStringLiteral("cmdOk"), QStringLiteral("閉じる"));
  cmdOk_ = cmdOk;
  cmdOk->setDefault(true);
  lblNote_ = new QLabel(this);
  lblNote_->setObjectName(QStringLiteral("lblNote"));
  lblNote_->setAccessibleName(QStringLiteral("入力の訂正"));
  lblNote_->setWordWrap(true);
  connect(cmdOk, &QPushButton::clicked, this, &TDefForm::cmdOkClick);

  auto* group2 = new QGroupBox(QStringLiteral("出発時刻・曜日"), this);
  group2->setObjectName(QStringLiteral("GroupBox2"));
  hour_ = new UpDownEdit("edtHour", "updHour", 0, 23, 2, group2);
  minute_ = new UpDownEdit("edtMnt", "updMnt", 0, 59, 2, group2);
  for (UpDownEdit* e : {hour_, minute_}) e->edit()->setAttribute(Qt::WA_InputMethodEnabled, false);
  hour_->edit()->setAccessibleName(QStringLiteral("出発時刻 時"));
  minute_->edit()->setAccessibleName(QStringLiteral("出発時刻 分"));
  cmbDay_ = new QComboBox(group2);
  cmbDay_->setObjectName(QStringLiteral("cmbDay"));
  cmbDay_->setAccessibleName(QStringLiteral("曜日"));
  for (const char* day : {"日", "月", "火", "水", "木", "金", "土"}) cmbDay_->addItem(QString::fromUtf8(day));
  chkSysTime_ = new QCheckBox(QStringLiteral("現在の時刻・曜日を使用する"), group2);
  chkSysTime_->setObjectName(QStringLiteral("chkSysTime"));
  chkSysTime_->setAccessibleName(chkSysTime_->text());
  connect(chkSysTime_, &QCheckBox::clicked, this, &TDefForm::chkSysTimeClick);
  auto* timeRow = new QHBoxLayout;
  timeRow->addWidget(hour_);
  timeRow->addWidget(label("時", group2));
  timeRow->addSpacing(8);
  timeRow->addWidget(minute_);
  timeRow->addWidget(label("分", group2));
  timeRow->addSpacing(16);
  timeRow->addWidget(cmbDay_);
  timeRow->addWidget(label("曜日", group2));
  timeRow->addStretch(1);
  auto* group2Column = new QVBoxLayout(group2);
  group2Column->addLayout(timeRow);
  group2Column->addWidget(chkSysTime_);

  auto* group1 = new QGroupBox(QStringLiteral("検索限度"), this);
  group1->setObjectName(QStringLiteral("GroupBox1"));
  routeMax_ = new UpDownEdit("edtRouteMax", "updRouteMax", 1, 300, 3, group1);
  transMax_ = new UpDownEdit("edtTransMax", "updTransMax", 0, 100, 3, group1);
  diffTime_ = new UpDownEdit("edtDiffTime", "updDiffTime", 0, 60, 2, group1);
  detour_ = new UpDownEdit("edtDetour", "updDetour", 3, 20, 2, group1);
  routeMax_->edit()->setAccessibleName(QStringLiteral("検出経路数上限"));
  transMax_->edit()->setAccessibleName(QStringLiteral("乗換回数"));
  diffTime_->edit()->setAccessibleName(QStringLiteral("最短所要時間からの余裕(分)"));
  detour_->edit()->setAccessibleName(QStringLiteral("迂回距離上限(km)"));
  cmbRouteMode_ = new QComboBox(group1);
  cmbRouteMode_->setObjectName(QStringLiteral("cmbRouteMode"));
  cmbRouteMode_->setAccessibleName(QStringLiteral("経路の検索方式"));
  cmbRouteMode_->addItems({QStringLiteral("従来の検索"), QStringLiteral("最良経路")});
  auto* grid = new QGridLayout(group1);
  auto addRow = [&](int row, const char* caption, const char* prefix, UpDownEdit* field, const char* unit) {
    grid->addWidget(label(caption, group1), row, 0);
    if (prefix) grid->addWidget(label(prefix, group1), row, 1);
    grid->addWidget(field, row, 2);
    if (unit) grid->addWidget(label(unit, group1), row, 3);
  };
  addRow(0, "検出経路数上限：", nullptr, routeMax_, nullptr);
  addRow(1, "乗換回数：", nullptr, transMax_, "回まで");
  addRow(2, "所要時間：", "最短所要＋", diffTime_, "分まで");
  addRow(3, "迂回距離上限：", nullptr, detour_, "km");
  grid->addWidget(label("検索方式：", group1), 4, 0);
  grid->addWidget(cmbRouteMode_, 4, 1, 1, 3);
  grid->setColumnStretch(4, 1);

  auto* top = new QHBoxLayout;
  top->addStretch(1);
  top->addWidget(cmdOk);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(group2);
  column->addWidget(group1);
  column->addWidget(lblNote_);

  connect(hour_->edit(), &ExitEdit::exited, this, &TDefForm::edtHourExit);
  connect(minute_->edit(), &ExitEdit::exited, this, &TDefForm::edtMntExit);
  connect(detour_->edit(), &ExitEdit::exited, this, &TDefForm::edtDetourExit);
  connect(diffTime_->edit(), &ExitEdit::exited, this, &TDefForm::edtDiffTimeExit);
  connect(transMax_->edit(), &ExitEdit::exited, this, &TDefForm::edtTransMaxExit);
  connect(routeMax_->edit(), &ExitEdit::exited, this, &TDefForm::edtRouteMaxExit);

  setTabOrder(cmdOk, hour_->edit());
  setTabOrder(hour_->edit(), minute_->edit());
  setTabOrder(minute_->edit(), cmbDay_);
  setTabOrder(cmbDay_, chkSysTime_);
  setTabOrder(chkSysTime_, detour_->edit());
  setTabOrder(detour_->edit(), routeMax_->edit());
  setTabOrder(routeMax_->edit(), transMax_->edit());
  setTabOrder(transMax_->edit(), diffTime_->edit());
  setTabOrder(diffTime_->edit(), cmbRouteMode_);
}

void TDefForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
  cmdOk_->setFocus();
}

void TDefForm::FormShow() {
  hour_->setValue(def_.getDepHour());
  minute_->setValue(def_.getDepMinute());
  cmbDay_->setCurrentIndex(def_.getDepDay());
  chkSysTime_->setChecked(def_.getUseSysTime() != 0);
  detour_->setValue(def_.getDetour());
  diffTime_->setValue(def_.getDiffTime());
  transMax_->setValue(def_.getTransMax());
  routeMax_->setValue(def_.getRouteMax());
  cmbRouteMode_->setCurrentIndex(def_.getRouteMode() == 2 ? 1 : 0);
  lblNote_->clear();
  chkSysTimeClick();
}

void TDefForm::correct(UpDownEdit* field, const QString& name, int min, int max, int low, int high) {
  const QString typed = field->edit()->text();
  const int v = field->value();
  const int corrected = v < min ? low : v > max ? high : v;
  field->setValue(corrected);
  // Only a value outside the range is worth a word; "07" for 7 is not.
  if (corrected == v) return;
  lblNote_->setText(QStringLiteral("%1は %2～%3 の範囲です。「%4」を %5 にしました")
                        .arg(name)
                        .arg(min)
                        .arg(max)
                        .arg(typed)
                        .arg(corrected));
}

void TDefForm::edtHourExit() { correct(hour_, QStringLiteral("出発時刻の時"), 0, 23, 12, 12); }
void TDefForm::edtMntExit() { correct(minute_, QStringLiteral("出発時刻の分"), 0, 59, 0, 0); }
void TDefForm::edtRouteMaxExit() { correct(routeMax_, QStringLiteral("検出経路数上限"), 1, 300, 1, 300); }
void TDefForm::edtTransMaxExit() { correct(transMax_, QStringLiteral("乗換回数"), 0, 100, 0, 100); }
void TDefForm::edtDiffTimeExit() { correct(diffTime_, QStringLiteral("所要時間の余裕(分)"), 0, 60, 0, 60); }
void TDefForm::edtDetourExit() { correct(detour_, QStringLiteral("迂回距離上限(km)"), 3, 20, 3, 20); }

void TDefForm::chkSysTimeClick() {
  const bool manual = !chkSysTime_->isChecked();
  for (UpDownEdit* e : {hour_, minute_}) {
    e->edit()->setEnabled(manual);
    e->upDown()->setEnabled(manual);
  }
  cmbDay_->setEnabled(manual);
}

void TDefForm::cmdOkClick() {
  // The close button may be pressed with Enter while an edit has the focus:
  // correct every edit, as leaving them would.
  edtHourExit();
  edtMntExit();
  edtDetourExit();
  edtDiffTimeExit();
  edtTransMaxExit();
  edtRouteMaxExit();
  def_.setDepHour(static_cast<std::int8_t>(hour_->value()));
  def_.setDepMinute(static_cast<std::int8_t>(minute_->value()));
  def_.setDepDay(static_cast<std::int8_t>(cmbDay_->currentIndex()));
  def_.setUseSysTime(chkSysTime_->isChecked() ? 1 : 0);
  def_.setDetour(static_cast<std::int8_t>(detour_->value()));
  def_.setDiffTime(static_cast<std::int8_t>(diffTime_->value()));
  def_.setTransMax(static_cast<std::int8_t>(transMax_->value()));
  def_.setRouteMax(static_cast<std::int16_t>(routeMax_->value()));
  def_.setRouteMode(static_cast<std::int8_t>(cmbRouteMode_->currentIndex() + 1));
  def_.saveSettings();
  accept();
}

}  // namespace kiv::ui
