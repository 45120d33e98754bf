#include "ProgPnl.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ReportList.h"

namespace kiv::ui {

TProgForm::TProgForm(QWidget* owner, int maximum) : QDialog(owner) {
  setObjectName(QStringLiteral("ProgForm"));
  setWindowTitle(QStringLiteral("検索中！！"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(286, 108);
  auto* column = new QVBoxLayout(this);
  lblPercentage_ = new QLabel(this);
  lblPercentage_->setObjectName(QStringLiteral("lblPercentage"));
  lblPercentage_->setAccessibleName(QStringLiteral("検出経路数"));
  progressBar1_ = new QProgressBar(this);
  progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  progressBar1_->setAccessibleName(QStringLiteral("進行状況"));
  progressBar1_->setFixedWidth(217);
  progressBar1_->setRange(0, maximum);
  progressBar1_->setTextVisible(false);
  lblNext_ = new QLabel(this);
  auto* lblNext = lblNext_;
  lblNext->setObjectName(QStringLiteral("lblNext"));
  lblNext->setAccessibleName(QStringLiteral("次"));
  btnCancel_ =
      makePushButton(this, QStringLiteral("btnCancel"), QStringLiteral("中止"), QStringLiteral("検索を中止"));
  btnCancel_->setToolTip(QStringLiteral("検索を中止し、ここまでに見つかった経路を表示します"));
  connect(btnCancel_, &QPushButton::clicked, this, &TProgForm::btnCancelClick);
  auto* row = new QHBoxLayout;
  row->addWidget(progressBar1_);
  row->addWidget(btnCancel_);
  column->addWidget(lblPercentage_);
  column->addLayout(row);
  column->addWidget(lblNext);
  running_.start();
  showCount(0);
}

void TProgForm::showCount(int n) {
  // The best-routes mode enumerates more routes than it keeps: past the
  // limit the bar runs as busy instead of standing full.
  if (n > progressBar1_->maximum() && progressBar1_->maximum() > 0) progressBar1_->setRange(0, 0);
  if (progressBar1_->maximum() > 0) progressBar1_->setValue(n);
  lblPercentage_->setText(QStringLiteral("検出経路数:") + QString::number(n));
  // A long search that finds nothing yet still shows that it runs.
  const qint64 seconds = running_.isValid() ? running_.elapsed() / 1000 : 0;
  lblNext_->setText(seconds > 0 ? QStringLiteral("経過時間: %1 秒").arg(seconds) : QString());
}

void TProgForm::setPosition(int n) {
  if (sinceShown_.isValid() && sinceShown_.elapsed() < kRepaintMs) return;
  showCount(n);
  repaint();
  QCoreApplication::processEvents();
  sinceShown_.start();
}

void TProgForm::btnCancelClick() {
  cancelled_ = true;
  btnCancel_->setEnabled(false);
}

}  // namespace kiv::ui
