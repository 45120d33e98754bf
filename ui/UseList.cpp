#include "UseList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "Pictures.h"

namespace kiv::ui {
namespace {

class UseDelegate : public QStyledItemDelegate {
 public:
  explicit UseDelegate(UseList& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    p->fillRect(r, selected ? pal.highlight() : pal.base());
    const QPixmap picture = usePicture(list_.stateOf(index.row()));
    if (!picture.isNull()) p->drawPixmap(r.left(), r.top() + 2, picture);
    p->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    const QRect text(r.left() + kUsePictureSize + 4, r.top() + 2, r.width() - kUsePictureSize - 4,
                     r.height() - 2);
    p->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width() + kUsePictureSize + 4, UseList::kRowHeight};
  }

 private:
  UseList& list_;
};

}  // namespace

UseList::UseList(std::function<int(int)> stateOf, std::function<void(int)> toggle, QWidget* parent)
    : QListWidget(parent), stateOf_(std::move(stateOf)), toggle_(std::move(toggle)) {
  setItemDelegate(new UseDelegate(*this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void UseList::toggleRow(int row) {
  if (row < 0 || row >= count()) return;
  toggle_(row);
  viewport()->update();
  emit toggled(row);
}

void UseList::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && event->position().x() < kUsePictureSize) toggleRow(index.row());
}

void UseList::mouseDoubleClickEvent(QMouseEvent* event) {
  QListWidget::mouseDoubleClickEvent(event);
  if (currentItem() && currentItem()->isSelected()) toggleRow(currentRow());
}

void UseList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (currentItem() && currentItem()->isSelected()) toggleRow(currentRow());
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace kiv::ui
