// The common window of the fare table and the required-time table: both
// read a work file of the same shape (a head line "0 origin", headings
// "1 block name" and entries "2 block station number"), offer the headings
// in a drop-down list, show the entries of the chosen block and save the
// chosen block or all blocks as a report or as CSV through the engine.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>

class QAction;
class QComboBox;
class QTreeWidget;

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
  // export(file, block or -1 for all, csv) writes the file: 0, or -1.
  using Export = std::function<int(const std::filesystem::path&, int, bool)>;

  TableWindow(const TableWindowTexts& texts, std::filesystem::path workFile, Export exportTable, int width,
              int height);

  // Reads the work file: the caption from the head line, one entry of the
  // drop-down list per heading; selects the first entry.
  void fill();
  // Shows the entries of block i.
  void showBlock(int i);
  bool csvChecked() const;

 public slots:
  void comboClick();
  void ItemSaveClick();
  void ItemSaveAllClick();
  void ItemFileCsvClick();
  void ItemExitClick() { close(); }

 private:
  void buildToolBar(QWidget* panel);
  void buildMenus();
  void save(int block);

  const TableWindowTexts& texts_;
  std::filesystem::path workFile_;
  Export export_;
  QComboBox* combo_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QAction* itemFileCsv_ = nullptr;
};

}  // namespace kiv::ui
