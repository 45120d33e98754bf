#include "ReportList.h"

#include <QHeaderView>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kiv::ui {

QTreeWidget* makeReportList(QWidget* parent, const char* objectName, const QString& accessibleName,
                            std::initializer_list<Column> columns) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromLatin1(objectName));
  list->setAccessibleName(accessibleName);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSortingEnabled(false);
  list->header()->setSectionsClickable(false);
  list->header()->setStretchLastSection(false);
  setReportColumns(list, columns);
  return list;
}

QTreeView* makeReportView(QWidget* parent, const char* objectName, const QString& accessibleName,
                          QAbstractItemModel* model, std::initializer_list<int> widths) {
  auto* view = new QTreeView(parent);
  view->setObjectName(QString::fromLatin1(objectName));
  view->setAccessibleName(accessibleName);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSortingEnabled(false);
  view->setModel(model);
  view->header()->setSectionsClickable(false);
  view->header()->setStretchLastSection(false);
  int i = 0;
  for (int width : widths) view->setColumnWidth(i++, width);
  return view;
}

void setReportColumns(QTreeWidget* list, std::initializer_list<Column> columns) {
  QStringList captions;
  for (const Column& c : columns) captions << QString::fromUtf8(c.caption);
  list->setColumnCount(static_cast<int>(columns.size()));
  list->setHeaderLabels(captions);
  int i = 0;
  for (const Column& c : columns) list->setColumnWidth(i++, c.width);
}

void addReportRow(QTreeWidget* list, const QStringList& cells, std::initializer_list<int> numbers) {
  auto* item = new QTreeWidgetItem(cells);
  for (int column : numbers) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  list->addTopLevelItem(item);
}

ToolPanelWindow makeToolPanelWindow(QMainWindow* window) {
  auto* central = new QWidget(window);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* speedPanel = new QWidget(central);
  speedPanel->setObjectName(QStringLiteral("SpeedPanel"));
  column->addWidget(speedPanel);
  window->setCentralWidget(central);
  return {central, speedPanel, column};
}

QString shortHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return (bar < 0 ? hint : hint.left(bar)).trimmed();
}

QString longHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  const QString text = bar < 0 ? QString() : hint.mid(bar + 1).trimmed();
  return text.isEmpty() ? shortHint(hint) : text;
}

QToolButton* makeToolButton(QWidget* parent, QLayout* row, const char* objectName, ToolPicture picture,
                            const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setFixedSize(28, 28);
  button->setIconSize(QSize(24, 24));
  button->setAutoRaise(true);
  button->setIcon(toolIcon(picture));
  button->setToolTip(shortHint(hint));
  button->setStatusTip(longHint(hint));
  button->setAccessibleName(shortHint(hint));
  row->addWidget(button);
  return button;
}

QPushButton* makePushButton(QWidget* parent, const QString& objectName, const QString& caption,
                            const QString& accessibleName) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setAccessibleName(accessibleName.isEmpty() ? caption : accessibleName);
  return button;
}

}  // namespace kiv::ui
