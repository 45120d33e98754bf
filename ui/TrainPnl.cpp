#include "TrainPnl.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ColtdPnl.h"
#include "KivText.h"
#include "ReportList.h"
#include "UseList.h"
#include "network/RTrainMan.h"

namespace kiv::ui {

TTrainForm::TTrainForm(RTrainMan& trains, TColtdForm& coltd) : trains_(trains), coltd_(coltd) {
  setObjectName(QStringLiteral("TrainForm"));
  setWindowTitle(QStringLiteral("利用路線設定(路線/列車別)"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setFixedSize(332, 293);
  auto* label1 = new QLabel(QStringLiteral("路線 / 列車名"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  listBox1_ = new UseList([this](int row) { return trains_.getTrainUse(static_cast<TrainNo>(row + 1)); },
                          [this](int row) { trains_.setTrainUse(static_cast<TrainNo>(row + 1), 2); }, this);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  listBox1_->setAccessibleName(QStringLiteral("路線 / 列車名"));
  auto* close = makePushButton(this, QStringLiteral("CloseBtn"), QStringLiteral("閉じる"));
  close->setFixedSize(100, 32);
  connect(close, &QPushButton::clicked, this, &TTrainForm::CloseBtnClick);
  auto* column = new QVBoxLayout(this);
  column->addWidget(label1);
  column->addWidget(listBox1_, 1);
  column->addWidget(close, 0, Qt::AlignRight);

  char name[kTrainNameSize] = {};
  for (int t = 1; t <= trains_.getTrainCount(); ++t) {
    name[0] = '\0';
    trains_.getTrainName(static_cast<TrainNo>(t), name);
    listBox1_->addItem(fromSjisField(name));
  }
}

void TTrainForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TTrainForm::FormShow() {
  const QRect beside = coltd_.frameGeometry();
  move(beside.right() + 1 + 2, beside.top());
  const int row = coltd_.list()->currentRow();
  const int company = row < 0 ? 0 : coltd_.companyAt(row);
  std::int32_t first = -1;
  std::int32_t last = -1;
  trains_.findCompanyTrains(static_cast<std::int16_t>(company), first, last);
  listBox1_->clearSelection();
  if (first >= 1) {
    listBox1_->setCurrentRow(first - 1);
    listBox1_->scrollToItem(listBox1_->item(first - 1), QAbstractItemView::PositionAtTop);
  } else {
    listBox1_->setCurrentRow(-1);
  }
}

}  // namespace kiv::ui
