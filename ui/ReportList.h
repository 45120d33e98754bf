// Helpers shared by the windows: the read-only report lists with their columns, the tool buttons and the
// push buttons.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Pictures.h"

class QAbstractItemModel;
class QTreeView;
class QTreeWidget;
class QWidget;
class QToolButton;
class QPushButton;
class QLayout;
class QMainWindow;
class QVBoxLayout;

namespace kiv::ui {

struct Column {
  const char* caption;
  int width;
};

// A read-only report list whose column headers do not react to clicks.
QTreeWidget* makeReportList(QWidget* parent, const char* objectName, const QString& accessibleName,
                            std::initializer_list<Column> columns);
// The same list as a view on `model`, which gives the captions; the
// columns get these widths.
QTreeView* makeReportView(QWidget* parent, const char* objectName, const QString& accessibleName,
                          QAbstractItemModel* model, std::initializer_list<int> widths);
// Gives the list these columns (captions and widths) in place of its own.
void setReportColumns(QTreeWidget* list, std::initializer_list<Column> columns);
// Cells of the columns in `numbers` are aligned to the right.
void addReportRow(QTreeWidget* list, const QStringList& cells, std::initializer_list<int> numbers = {});

// The body of a window with a tool bar: a central widget whose column
// holds the tool panel "SpeedPanel" first; the caller fills the panel and
// adds the rest of the window to the column.
struct ToolPanelWindow {
  QWidget* central;
  QWidget* speedPanel;
  QVBoxLayout* column;
};
ToolPanelWindow makeToolPanelWindow(QMainWindow* window);

// A hint "short | long" has the tooltip before the bar and the status-line
// text after it; a hint without a bar is both.
QString shortHint(const QString& hint);
QString longHint(const QString& hint);

// A flat 28 x 28 tool button with a picture and a hint, added to `row`.
QToolButton* makeToolButton(QWidget* parent, QLayout* row, const char* objectName, ToolPicture picture,
                            const QString& hint);

// A push button with its object name; its accessible name is its caption
// unless another is given.
QPushButton* makePushButton(QWidget* parent, const QString& objectName, const QString& caption,
                            const QString& accessibleName = {});

}  // namespace kiv::ui
