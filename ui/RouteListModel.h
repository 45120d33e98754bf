// The model of the route list window's grid: the window's own copy of the
// routes of one search, in each of the three list orders (detection, time,
// fare), each route a row of cells as the grid shows them. Changing the
// order re-orders the rows; nothing is read from a file.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <array>
#include <vector>

namespace kiv::ui {

class RouteListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  struct Row {
    int detection = 0;  // the key of the route's details
    QStringList cells;  // one per column
  };
  using Orders = std::array<std::vector<Row>, 3>;  // detection, time and fare order

  RouteListModel(const QStringList& captions, QObject* parent);

  // Takes the rows of a search in the three orders and shows none.
  void setRoutes(Orders orders);
  // Shows the rows in order 1..3 (the rows of a list that could not be had
  // are none); a row that stays keeps its selection and current cell.
  void showOrder(int order);
  int shownOrder() const { return order_; }
  // The detection number of a shown row; -1 outside.
  int detectionAt(int row) const;
  // The shown row of a route; -1 when it is not shown.
  int rowOf(int detection) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // Right-aligned numbers, the marks centred, the via text to the left.
  static Qt::Alignment alignmentOf(int column);

 private:
  const std::vector<Row>& rows() const;
  void showRows(int order);

  QStringList captions_;
  Orders orders_;
  int order_ = 0;  // 0: none shown
};

}  // namespace kiv::ui
