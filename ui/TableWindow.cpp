#include "TableWindow.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "KivText.h"
#include "Printing.h"
#include "Prompts.h"
#include "ReportList.h"
#include "WindowPlacement.h"

namespace kiv::ui {

TableWindow::TableWindow(const TableWindowTexts& texts, Export exportTable, int width, int height)
    : texts_(texts), export_(std::move(exportTable)) {
  setObjectName(QString::fromLatin1(texts_.formName));
  setWindowTitle(QString::fromUtf8(texts_.caption));
  resize(width, height);
  const auto [central, speedPanel, column] = makeToolPanelWindow(this);
  buildToolBar(speedPanel);
  filter_ = new QLineEdit(central);
  filter_->setObjectName(QStringLiteral("edtFilter"));
  filter_->setAccessibleName(QStringLiteral("駅名で絞り込み"));
  filter_->setPlaceholderText(QStringLiteral("駅名で絞り込み"));
  filter_->setClearButtonEnabled(true);
  connect(filter_, &QLineEdit::textChanged, this, &TableWindow::filterRows);
  model_ = new TableModel({QStringLiteral("駅名"), QString::fromUtf8(texts_.valueCaption)}, this);
  list_ = makeReportView(central, texts_.listName, QString::fromUtf8(texts_.caption), model_, {220, 80});
  column->addWidget(filter_);
  column->addWidget(list_, 1);
  buildMenus();
}

void TableWindow::buildToolBar(QWidget* panel) {
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(2);
  connect(makeToolButton(panel, row, "btnExit", ToolPicture::kExit, QString::fromUtf8(texts_.exitHint)),
          &QToolButton::clicked, this, &TableWindow::ItemExitClick);
  connect(makeToolButton(panel, row, "btnSave", ToolPicture::kSave, QString::fromUtf8(texts_.saveHint)),
          &QToolButton::clicked, this, &TableWindow::ItemSaveClick);
  connect(
      makeToolButton(panel, row, "btnSaveAll", ToolPicture::kSaveAll, QString::fromUtf8(texts_.saveAllHint)),
      &QToolButton::clicked, this, &TableWindow::ItemSaveAllClick);
  combo_ = new QComboBox(panel);
  combo_->setObjectName(QString::fromLatin1(texts_.comboName));
  combo_->setAccessibleName(QString::fromUtf8(texts_.comboAccessible));
  combo_->setMinimumWidth(texts_.comboWidth);
  connect(combo_, &QComboBox::activated, this, &TableWindow::comboClick);
  row->addSpacing(6);
  row->addWidget(combo_, 1);
}

void TableWindow::buildMenus() {
  auto add = [this](QMenu* menu, const char* name, const char* caption, void (TableWindow::*handler)()) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  add(file, "ItemSave", texts_.saveItem, &TableWindow::ItemSaveClick);
  add(file, "ItemSaveAll", texts_.saveAllItem, &TableWindow::ItemSaveAllClick);
  add(file, "ItemPrint", "印刷(&P)...", &TableWindow::ItemPrintClick)->setShortcut(QKeySequence::Print);
  file->addSeparator();
  add(file, "ItemExit", "閉じる(&C)", &TableWindow::ItemExitClick);
  QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
  itemFileCsv_ =
      add(options, "ItemFileCsv", "ファイルへの出力はCSV形式にする", &TableWindow::ItemFileCsvClick);
  itemFileCsv_->setCheckable(true);
}

void TableWindow::fill(TableContent content) {
  combo_->clear();
  if (!content.origin.empty()) {
    setWindowTitle(QString::fromUtf8(texts_.caption) + QStringLiteral("(") + fromSjis(content.origin) +
                   QStringLiteral("駅)"));
  }
  for (const TableBlock& block : content.blocks) combo_->addItem(fromSjis(block.heading));
  model_->setContent(std::move(content));
  combo_->setCurrentIndex(combo_->count() > 0 ? 0 : -1);
}

void TableWindow::present(TableContent content) {
  fill(std::move(content));
  showBlock(0);
  show();
  raise();
}

void TableWindow::showBlock(int i) {
  model_->showBlock(i);
  filterRows();
}

void TableWindow::filterRows() {
  const QString text = filter_->text().trimmed();
  for (int row = 0; row < model_->rowCount(); ++row) {
    list_->setRowHidden(row, QModelIndex(),
                        !text.isEmpty() && !model_->nameAt(row).contains(text, Qt::CaseInsensitive));
  }
}

void TableWindow::ItemPrintClick() {
  QString text = combo_->currentText() + QLatin1Char('\n');
  for (int row = 0; row < model_->rowCount(); ++row) {
    text += model_->nameAt(row) + QLatin1Char('\t') +
            model_->data(model_->index(row, TableModel::kValue)).toString() + QLatin1Char('\n');
  }
  printText(this, windowTitle(), text);
}

bool TableWindow::csvChecked() const { return itemFileCsv_->isChecked(); }

void TableWindow::comboClick() { showBlock(combo_->currentIndex()); }

void TableWindow::save(int block) {
  const SaveChoice choice = prompts().askSaveFile(this);
  if (choice.file.isEmpty()) return;
  if (export_(choice.file.toStdString(), block, csvChecked()) != 0 ||
      !recodeSavedFile(choice.file, choice.encoding)) {
    reportSaveFailure(this, choice.file);
  }
}

void TableWindow::ItemSaveClick() { save(combo_->currentIndex()); }

void TableWindow::ItemSaveAllClick() { save(-1); }

// The menu item's own check mark is the state; clicking it has toggled it.
void TableWindow::ItemFileCsvClick() {}

TableWindow::~TableWindow() {
  if (placed_ && isVisible()) savePlacement(this, objectName());
}

void TableWindow::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    restorePlacement(this, objectName());
  }
  QMainWindow::showEvent(event);
}

void TableWindow::closeEvent(QCloseEvent* event) {
  savePlacement(this, objectName());
  QMainWindow::closeEvent(event);
}

}  // namespace kiv::ui
