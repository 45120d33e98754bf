#include "ColtdPnl.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "Forms.h"
#include "KivText.h"
#include "ReportList.h"
#include "TrainPnl.h"
#include "UseList.h"
#include "network/RKivMan.h"
#include "network/RTrainMan.h"

namespace kiv::ui {

TColtdForm::TColtdForm(const RKivMan& kiv, RTrainMan& trains, KivForms& forms)
    : trains_(trains), forms_(forms) {
  setObjectName(QStringLiteral("ColtdForm"));
  setWindowTitle(QStringLiteral("利用路線設定(会社別)"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setFixedSize(331, 293);
  listBox1_ = new UseList(
      [this](int row) { return trains_.getCompanyUse(static_cast<std::int16_t>(companyAt(row))); },
      [this](int row) { trains_.setCompanyUse(static_cast<std::int16_t>(companyAt(row)), 2); }, this);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  listBox1_->setAccessibleName(QStringLiteral("会社名"));
  auto* detail = makePushButton(this, QStringLiteral("DetailBtn"), QStringLiteral("路線別設定"));
  auto* ok = makePushButton(this, QStringLiteral("OkBtn"), QStringLiteral("閉じる"));
  connect(detail, &QPushButton::clicked, this, &TColtdForm::DetailBtnClick);
  connect(ok, &QPushButton::clicked, this, &TColtdForm::OkBtnClick);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("会社名"), this), 0, 0);
  grid->addWidget(listBox1_, 1, 0, 1, 3);
  grid->addWidget(detail, 2, 0);
  grid->setColumnStretch(1, 1);
  grid->addWidget(ok, 2, 2);
  setTabOrder(listBox1_, detail);
  setTabOrder(detail, ok);

  char name[kCompanyNameSize] = {};
  for (int i = 0; i < kiv.getCompanyCount(); ++i) {
    if (kiv.getCompanyName(i, name) != 0) continue;
    auto* item = new QListWidgetItem(fromSjisField(name), listBox1_);
    item->setData(Qt::UserRole, i);
  }
}

int TColtdForm::companyAt(int row) const {
  const QListWidgetItem* item = listBox1_->item(row);
  return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TColtdForm::DetailBtnClick() {
  forms_.train().exec();
  listBox1_->viewport()->update();
}

}  // namespace kiv::ui
