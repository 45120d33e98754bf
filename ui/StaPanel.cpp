#include "StaPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "KivText.h"
#include "LineList.h"
#include "Prompts.h"
#include "ReportList.h"
#include "SDIMain.h"

namespace kiv::ui {

TStaForm::TStaForm(std::filesystem::path lineFile, TAppForm& app)
    : lineFile_(std::move(lineFile)), app_(app) {
  setObjectName(QStringLiteral("StaForm"));
  setWindowTitle(QStringLiteral("駅選択"));
  setModal(true);
  resize(557, 315);
  lstLine_ = new QListWidget(this);
  lstLine_->setObjectName(QStringLiteral("lstLine"));
  lstLine_->setAccessibleName(QStringLiteral("路線名"));
  lstSta_ = new QListWidget(this);
  lstSta_->setObjectName(QStringLiteral("lstSta"));
  lstSta_->setAccessibleName(QStringLiteral("駅名"));
  cmdOK_ = makePushButton(this, QStringLiteral("cmdOK"), QStringLiteral("確定"));
  cmdOK_->setDefault(true);
  auto* cmdCancel = makePushButton(this, QStringLiteral("cmdCancel"), QStringLiteral("取消"));
  // Typing narrows the line list to the lines whose name holds the text.
  auto* edtKeyword = new QLineEdit(this);
  edtKeyword->setObjectName(QStringLiteral("edtKeyword"));
  edtKeyword->setAccessibleName(QStringLiteral("路線名で絞り込み"));
  edtKeyword->setPlaceholderText(QStringLiteral("路線名で絞り込み"));
  edtKeyword->setClearButtonEnabled(true);
  connect(edtKeyword, &QLineEdit::textChanged, this, [this](const QString& text) {
    const QString key = text.trimmed();
    for (int i = 0; i < lstLine_->count(); ++i)
      lstLine_->item(i)->setHidden(!key.isEmpty() &&
                                   !lstLine_->item(i)->text().contains(key, Qt::CaseInsensitive));
  });

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("路線名"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("駅名"), this), 0, 1);
  grid->addWidget(edtKeyword, 1, 0);
  grid->addWidget(lstLine_, 2, 0);
  grid->addWidget(lstSta_, 1, 1, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, 3, 0, 1, 2);
  setTabOrder(lstSta_, edtKeyword);
  setTabOrder(edtKeyword, lstLine_);
  setTabOrder(lstLine_, cmdOK_);
  setTabOrder(cmdOK_, cmdCancel);

  connect(lstLine_, &QListWidget::itemClicked, this, &TStaForm::lstLineClick);
  connect(lstLine_, &QListWidget::currentRowChanged, this, &TStaForm::lstLineClick);
  connect(lstSta_, &QListWidget::itemClicked, this, &TStaForm::lstStaClick);
  connect(lstSta_, &QListWidget::currentRowChanged, this, &TStaForm::lstStaClick);
  connect(lstSta_, &QListWidget::itemDoubleClicked, this, &TStaForm::cmdOKClick);
  connect(cmdOK_, &QPushButton::clicked, this, &TStaForm::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &TStaForm::cmdCancelClick);

  cmdOK_->setEnabled(false);
  const auto names = readLineNames(lineFile_);
  if (!names) {
    prompts().showMessage(nullptr, BoxKind::kError, QStringLiteral("KIV4LINE.DAT が読み込めません"));
    return;
  }
  const QSignalBlocker quiet(lstLine_);
  for (const std::string& name : *names) lstLine_->addItem(fromSjis(name));
}

void TStaForm::lstLineClick() {
  const QListWidgetItem* line = lstLine_->currentItem();
  if (!line) return;
  cmdOK_->setEnabled(false);
  const QSignalBlocker quiet(lstSta_);
  lstSta_->clear();
  // The name in the list came from the file, so it converts back exactly.
  const std::string name = toSjis(line->text()).value_or(std::string());
  for (const std::string& station : readLineStations(lineFile_, name)) lstSta_->addItem(fromSjis(station));
}

void TStaForm::lstStaClick() { cmdOK_->setEnabled(lstSta_->currentItem() != nullptr); }

void TStaForm::cmdOKClick() {
  const QListWidgetItem* station = lstSta_->currentItem();
  if (!station) return;
  app_.setStationText(app_.stationTarget(), station->text());
  accept();
}

}  // namespace kiv::ui
