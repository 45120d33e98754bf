#include "About.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "Pictures.h"
#include "ReportList.h"

namespace kiv::ui {

TAboutBox::TAboutBox() {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setModal(true);
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(programIcon().pixmap(48, 48));
  icon->setAccessibleName(QStringLiteral("プログラムのアイコン"));
  auto* product = new QLabel(QStringLiteral("Kiv for Windows"), this);
  product->setObjectName(QStringLiteral("ProductName"));
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  product->setFont(big);
  auto* version = new QLabel(QStringLiteral("Version 4.03"), this);
  version->setObjectName(QStringLiteral("Version"));
  auto* ok = makePushButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(20, 20, 20, 16);
  grid->setHorizontalSpacing(16);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(product, 0, 1);
  grid->addWidget(version, 1, 1);
  grid->addWidget(ok, 2, 0, 1, 2, Qt::AlignCenter);
}

}  // namespace kiv::ui
