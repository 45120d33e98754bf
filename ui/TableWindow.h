// The common window of the fare table and the required-time table: both
// read a work file of the same shape (an origin, blocks with a heading and
// entries of a station and a number; report/WorkFiles.h), offer the headings
// in a drop-down list, show the entries of the chosen block and save the
// chosen block or all blocks as a report or as CSV through the engine.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLineEdit;
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

// What the window shows of its work file (Shift-JIS texts): the origin and,
// per block, its heading and its entries.
struct TableEntry {
  std::string name;
  int value = 0;
};
struct TableBlock {
  std::string heading;
  std::vector<TableEntry> entries;
};
struct TableContent {
  std::string origin;
  std::vector<TableBlock> blocks;
};

// The content of a table read with its work-file reader (fare table or
// required-time tables, which share their shape); nullopt when unreadable.
template <typename Table, typename Group, typename Entry>
std::optional<TableContent> tableContent(const std::optional<Table>& table, std::string Table::*origin,
                                         std::vector<Group> Table::*groups, std::string Group::*heading,
                                         std::vector<Entry> Group::*entries, std::string Entry::*name,
                                         int Entry::*value) {
  if (!table) return std::nullopt;
  TableContent content{(*table).*origin, {}};
  for (const Group& g : (*table).*groups) {
    TableBlock& block = content.blocks.emplace_back(TableBlock{g.*heading, {}});
    for (const Entry& e : g.*entries) block.entries.push_back({e.*name, e.*value});
  }
  return content;
}

class TableWindow : public QMainWindow {
  Q_OBJECT
 public:
  // export(file, block or -1 for all, csv) writes the file: 0, or -1.
  using Export = std::function<int(const std::filesystem::path&, int, bool)>;
  // Reads the work file.
  using Read = std::function<std::optional<TableContent>()>;

  TableWindow(const TableWindowTexts& texts, Read read, Export exportTable, int width, int height);
  // Keeps the place of a window still open when the program ends.
  ~TableWindow() override;

  // Reads the work file: the caption from the head line, one entry of the
  // drop-down list per heading; selects the first entry.
  void fill();
  // Shows the entries of block i.
  void showBlock(int i);
  // Reads the work file afresh, shows its first block and brings the window
  // to the front: what the commands that build the table do last.
  void present();
  bool csvChecked() const;

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
  Read read_;
  Export export_;
  QComboBox* combo_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QAction* itemFileCsv_ = nullptr;
  bool placed_ = false;
};

}  // namespace kiv::ui
