// The common window of the fare table and the required-time table: both
// keep the table the engine returned, of the same shape (an origin, blocks
// with a heading and entries of a station and a number), in their own model,
// offer the headings in a drop-down list, show the entries of the chosen
// block and save the chosen block or all blocks as a report or as CSV
// through the engine. Another program writing the work files of the data
// directory changes nothing here.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TableModel.h"

class QAction;
class QComboBox;
class QLineEdit;
class QTreeView;

namespace kiv::ui {

struct TableWindowTexts {
  const char* formName;
  const char* caption;    // at design time; "caption(origin駅)" once filled
  const char* comboName;  // the drop-down list of the blocks
  const char* comboAccessible;
  int comboWidth;
  const char* listName;
  const char* valueCaption;  // the second column
  const char* exitHint;
  const char* saveHint;
  const char* saveAllHint;
  const char* saveItem;     // menu item that saves the chosen block
  const char* saveAllItem;  // menu item that saves all blocks
};

class TableWindow : public QMainWindow {
  Q_OBJECT
 public:
  // export(file, block or -1 for all, csv) writes the file from the table
  // the window shows: 0, or -1.
  using Export = std::function<int(const std::filesystem::path&, int, bool)>;

  TableWindow(const TableWindowTexts& texts, Export exportTable, int width, int height);
  // Keeps the place of a window still open when the program ends.
  ~TableWindow() override;

  // Keeps the table: the caption from its origin, one entry of the
  // drop-down list per heading; selects the first entry.
  void fill(TableContent content);
  // Shows the entries of block i.
  void showBlock(int i);
  // Keeps the table, shows its first block and brings the window to the
  // front: what the commands that build the table do last.
  void present(TableContent content);
  bool csvChecked() const;
  const TableModel& model() const { return *model_; }

 public slots:
  void comboClick();
  void ItemSaveClick();
  void ItemSaveAllClick();
  void ItemFileCsvClick();
  // Prints the shown block through the print dialog.
  void ItemPrintClick();
  // Shows only the stations whose name contains the search box's text.
  void filterRows();
  void ItemExitClick() { close(); }

 protected:
  // The first showing comes back where the window was last closed (fitted
  // to the screen); closing keeps the place for the next run.
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildToolBar(QWidget* panel);
  void buildMenus();
  void save(int block);

  const TableWindowTexts& texts_;
  Export export_;
  TableModel* model_ = nullptr;
  QComboBox* combo_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QTreeView* list_ = nullptr;
  QAction* itemFileCsv_ = nullptr;
  bool placed_ = false;
};

}  // namespace kiv::ui
