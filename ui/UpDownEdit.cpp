#include "UpDownEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace kiv::ui {

int leadingNumber(const QString& text) {
  int i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
    value = std::min<long long>(value * 10 + (text[i].unicode() - u'0'), 1'000'000'000);
  }
  return static_cast<int>(negative ? -value : value);
}

void ExitEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit exited();
}

void ExitEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    emit stepRequested(event->key() == Qt::Key_Up ? 1 : -1);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void ExitEdit::wheelEvent(QWheelEvent* event) {
  const int dy = event->angleDelta().y();
  if (dy == 0 || !isEnabled()) {
    QLineEdit::wheelEvent(event);
    return;
  }
  emit stepRequested(dy > 0 ? 1 : -1);
  event->accept();
}

UpDownEdit::UpDownEdit(const char* editName, const char* upDownName, int minimum, int maximum, int maxLength,
                       QWidget* parent)
    : QWidget(parent),
      edit_(new ExitEdit(this)),
      upDown_(new QWidget(this)),
      minimum_(minimum),
      maximum_(maximum) {
  edit_->setObjectName(QString::fromLatin1(editName));
  edit_->setMaxLength(maxLength);
  edit_->setFixedWidth(40);
  edit_->setAlignment(Qt::AlignRight);
  upDown_->setObjectName(QString::fromLatin1(upDownName));
  auto* arrows = new QVBoxLayout(upDown_);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  auto makeArrow = [this, arrows](Qt::ArrowType type, int delta, const QString& name) {
    auto* b = new QToolButton(upDown_);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setFixedSize(16, 11);
    b->setAccessibleName(name);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, delta] { stepBy(delta); });
    arrows->addWidget(b);
  };
  makeArrow(Qt::UpArrow, 1, QStringLiteral("増やす"));
  makeArrow(Qt::DownArrow, -1, QStringLiteral("減らす"));
  connect(edit_, &ExitEdit::stepRequested, this, &UpDownEdit::stepBy);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  row->addWidget(edit_);
  row->addWidget(upDown_);
}

void UpDownEdit::stepBy(int delta) { setValue(std::clamp(value() + delta, minimum_, maximum_)); }

}  // namespace kiv::ui
