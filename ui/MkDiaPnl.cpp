#include "MkDiaPnl.h"

#include <QDir>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

#include "ReportList.h"

namespace kiv::ui {

TMkDiaForm::TMkDiaForm(std::filesystem::path dataDir) : dataDir_(std::move(dataDir)) {
  setObjectName(QStringLiteral("MkDiaForm"));
  setWindowTitle(QStringLiteral("Kivダイヤデータ作成"));
  setModal(true);
  files_ = new QListWidget(this);
  files_->setObjectName(QStringLiteral("FileListBox1"));
  files_->setAccessibleName(QStringLiteral("ダイヤデータのファイル"));
  auto* make = makePushButton(this, QStringLiteral("BtnMake"), QStringLiteral("作成"));
  make->setEnabled(false);
  auto* close = makePushButton(this, QStringLiteral("BtnClose"), QStringLiteral("閉じる"));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* grid = new QGridLayout(this);
  grid->addWidget(files_, 0, 0, 3, 1);
  grid->addWidget(make, 0, 1);
  grid->addWidget(close, 1, 1);
}

void TMkDiaForm::showEvent(QShowEvent* event) {
  files_->clear();
  const QDir dir(QString::fromStdString(dataDir_.string()));
  files_->addItems(dir.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name));
  QDialog::showEvent(event);
}

}  // namespace kiv::ui
