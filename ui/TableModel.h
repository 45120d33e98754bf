// The model of the table windows (fare table, required-time tables): its
// own copy of the whole table the engine returned (origin, blocks of
// entries), of which it shows one block as rows of a station and a number
// under the window's two column captions. Nothing is read from a file.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

namespace kiv::ui {

// What a table window shows (Shift-JIS texts): the origin and, per block,
// its heading and its entries.
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

// The content of an engine table value (fare table or required-time
// tables, which share their shape).
template <typename Table, typename Group, typename Entry>
TableContent tableContent(const Table& table, std::string Table::*origin, std::vector<Group> Table::*groups,
                          std::string Group::*heading, std::vector<Entry> Group::*entries,
                          std::string Entry::*name, int Entry::*value) {
  TableContent content{table.*origin, {}};
  for (const Group& g : table.*groups) {
    TableBlock& block = content.blocks.emplace_back(TableBlock{g.*heading, {}});
    for (const Entry& e : g.*entries) block.entries.push_back({e.*name, e.*value});
  }
  return content;
}

class TableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kValue, kColumns };

  TableModel(const QStringList& captions, QObject* parent);

  // Takes the table; no block is shown until showBlock.
  void setContent(TableContent content);
  const TableContent& content() const { return content_; }
  // Shows the entries of block i (none when i is not a block).
  void showBlock(int i);
  int shownBlock() const { return shown_; }
  // The station name of row `row` of the shown block, as shown.
  QString nameAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const std::vector<TableEntry>* entries() const;

  QStringList captions_;
  TableContent content_;
  int shown_ = -1;
};

}  // namespace kiv::ui
