#include "RouteListModel.h"

#include "RoutePnl.h"

namespace kiv::ui {

RouteListModel::RouteListModel(const QStringList& captions, QObject* parent)
    : QAbstractTableModel(parent), captions_(captions) {}

void RouteListModel::setRoutes(Orders orders) {
  showRows(0);
  orders_ = std::move(orders);
}

// Rows go and come rather than the model being reset, which would give the
// grid's columns their first widths and places again.
void RouteListModel::showRows(int order) {
  if (const int before = rowCount(); before > 0) {
    beginRemoveRows({}, 0, before - 1);
    order_ = 0;
    endRemoveRows();
  }
  const int after = order == 0 ? 0 : static_cast<int>(orders_[static_cast<std::size_t>(order - 1)].size());
  if (after == 0) {
    order_ = order;
    return;
  }
  beginInsertRows({}, 0, after - 1);
  order_ = order;
  endInsertRows();
}

const std::vector<RouteListModel::Row>& RouteListModel::rows() const {
  static const std::vector<Row> none;
  return order_ >= 1 && order_ <= 3 ? orders_[static_cast<std::size_t>(order_ - 1)] : none;
}

void RouteListModel::showOrder(int order) {
  if (order < 1 || order > 3) order = 0;
  const std::vector<Row>& from = rows();
  const std::vector<Row>& to = order == 0 ? from : orders_[static_cast<std::size_t>(order - 1)];
  if (order == 0 || from.empty() || from.size() != to.size()) {
    showRows(order);
    return;
  }
  // The same routes in another order: the views keep what they hold on them.
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> detections;
  for (const QModelIndex& index : before) detections.push_back(detectionAt(index.row()));
  order_ = order;
  QModelIndexList after;
  for (std::size_t i = 0; i < detections.size(); ++i) {
    const int row = rowOf(detections[i]);
    after.push_back(row < 0 ? QModelIndex() : index(row, before[static_cast<qsizetype>(i)].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int RouteListModel::detectionAt(int row) const {
  const std::vector<Row>& shown = rows();
  return row >= 0 && row < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(row)].detection
                                                          : -1;
}

int RouteListModel::rowOf(int detection) const {
  const std::vector<Row>& shown = rows();
  for (std::size_t r = 0; r < shown.size(); ++r)
    if (shown[r].detection == detection) return static_cast<int>(r);
  return -1;
}

int RouteListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows().size());
}

int RouteListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

Qt::Alignment RouteListModel::alignmentOf(int column) {
  if (column == TRouteForm::kMarksColumn) return Qt::AlignCenter;
  if (column == TRouteForm::kViaColumn) return Qt::AlignLeft | Qt::AlignVCenter;
  return Qt::AlignRight | Qt::AlignVCenter;
}

QVariant RouteListModel::data(const QModelIndex& index, int role) const {
  const std::vector<Row>& shown = rows();
  if (!index.isValid() || index.row() >= static_cast<int>(shown.size())) return {};
  const Row& row = shown[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole)
    return index.column() < row.cells.size() ? row.cells[index.column()] : QString();
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignmentOf(index.column()));
  return {};
}

QVariant RouteListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= captions_.size()) return {};
  if (role == Qt::DisplayRole) return captions_[section];
  if (role == Qt::ToolTipRole && section == TRouteForm::kMarksColumn)
    return QStringLiteral("早: 最も早く着く  楽: 乗換が最も少ない  安: 運賃が最も安い");
  return {};
}

}  // namespace kiv::ui
