// Reading the windows' lists that show a model: the grid of the route list
// and the lists of the table windows.
#pragma once

#include <QAbstractItemView>
#include <QString>

namespace kiv::test {

inline int rowsOf(const QAbstractItemView* view) { return view->model()->rowCount(); }
inline QString cell(const QAbstractItemView* view, int row, int column) {
  return view->model()->index(row, column).data().toString();
}
inline QString caption(const QAbstractItemView* view, int column) {
  return view->model()->headerData(column, Qt::Horizontal).toString();
}

}  // namespace kiv::test
