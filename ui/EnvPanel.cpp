#include "EnvPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Prompts.h"
#include "ReportList.h"

namespace kiv::ui {

TEnvForm::TEnvForm() {
  setObjectName(QStringLiteral("EnvForm"));
  setWindowTitle(QStringLiteral("環境設定"));
  setModal(true);
  txtEditor_ = new QLineEdit(QStringLiteral("Notepad"), this);
  txtEditor_->setObjectName(QStringLiteral("txtEditor"));
  txtEditor_->setAccessibleName(QStringLiteral("テキストエディタ"));
  txtEditor_->setMinimumWidth(240);
  auto* browse = makePushButton(this, QStringLiteral("Button1"), QStringLiteral("参照.."),
                                QStringLiteral("テキストエディタを参照"));
  auto* close = makePushButton(this, QStringLiteral("BtnClose"), QStringLiteral("閉じる"));
  connect(browse, &QPushButton::clicked, this, &TEnvForm::Button1Click);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("テキストエディタ"), this), 0, 0);
  grid->addWidget(txtEditor_, 1, 0);
  grid->addWidget(browse, 1, 1);
  grid->addWidget(close, 2, 1);
}

void TEnvForm::Button1Click() {
  const QString file = prompts().askOpenFile(this, QStringLiteral("/"));
  if (!file.isEmpty()) txtEditor_->setText(file);
}

}  // namespace kiv::ui
