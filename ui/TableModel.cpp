#include "TableModel.h"

#include "KivText.h"

namespace kiv::ui {

TableModel::TableModel(const QStringList& captions, QObject* parent)
    : QAbstractTableModel(parent), captions_(captions) {}

void TableModel::setContent(TableContent content) {
  showBlock(-1);
  content_ = std::move(content);
}

// Rows go and come rather than the model being reset, which would give the
// list's columns their first widths again.
void TableModel::showBlock(int i) {
  if (const int before = rowCount(); before > 0) {
    beginRemoveRows({}, 0, before - 1);
    shown_ = -1;
    endRemoveRows();
  }
  const int block = i >= 0 && i < static_cast<int>(content_.blocks.size()) ? i : -1;
  const int after =
      block < 0 ? 0 : static_cast<int>(content_.blocks[static_cast<std::size_t>(block)].entries.size());
  if (after == 0) {
    shown_ = block;
    return;
  }
  beginInsertRows({}, 0, after - 1);
  shown_ = block;
  endInsertRows();
}

const std::vector<TableEntry>* TableModel::entries() const {
  return shown_ < 0 ? nullptr : &content_.blocks[static_cast<std::size_t>(shown_)].entries;
}

QString TableModel::nameAt(int row) const { return data(index(row, kName)).toString(); }

int TableModel::rowCount(const QModelIndex& parent) const {
  const auto* shown = entries();
  return parent.isValid() || !shown ? 0 : static_cast<int>(shown->size());
}

int TableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant TableModel::data(const QModelIndex& index, int role) const {
  const auto* shown = entries();
  if (!index.isValid() || !shown || index.row() >= static_cast<int>(shown->size())) return {};
  const TableEntry& entry = (*shown)[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole)
    return index.column() == kName ? fromSjis(entry.name) : QString::number(entry.value);
  if (role == Qt::TextAlignmentRole && index.column() == kValue)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < captions_.size())
    return captions_[section];
  return {};
}

}  // namespace kiv::ui
