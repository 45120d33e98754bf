#include "OptPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ReportList.h"

namespace kiv::ui {

TOptForm::TOptForm() {
  setObjectName(QStringLiteral("OptForm"));
  setWindowTitle(QStringLiteral("オプションの設定"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  auto* group = new QGroupBox(QStringLiteral("列車接続時間"), this);
  auto* grid = new QGridLayout(group);
  const char* rows[3] = {"1. 同一列車名同士の乗り換え", "2. 同一会社間の乗り換え", "3. 他社間の乗り換え"};
  for (int i = 0; i < 3; ++i) {
    const QString caption = QString::fromUtf8(rows[i]);
    grid->addWidget(new QLabel(caption, group), i, 0);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QStringLiteral("edtConnect%1").arg(i + 1));
    edit->setAccessibleName(caption);
    edit->setFixedWidth(40);
    grid->addWidget(edit, i, 1);
    // Free-standing: not attached to the edit, as in the system's dialog.
    auto* upDown = new QSpinBox(group);
    upDown->setObjectName(QStringLiteral("updConnect%1").arg(i + 1));
    upDown->setAccessibleName(caption);
    upDown->setRange(0, 100);
    upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    upDown->setFixedWidth(20);
    grid->addWidget(upDown, i, 2);
    grid->addWidget(new QLabel(QStringLiteral("分"), group), i, 3);
  }
  auto* ok = makePushButton(this, QStringLiteral("cmdOK"), QStringLiteral("閉じる"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* column = new QVBoxLayout(this);
  column->addWidget(group);
  column->addWidget(new QLabel(QStringLiteral("但し、個別設定のある場合を除きます"), this));
  column->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace kiv::ui
