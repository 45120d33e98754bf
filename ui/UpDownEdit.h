// A number edit with an attached up-down control. The edit takes any typed
// text (its owner corrects it when the focus leaves, signal `exited`); the
// up and down buttons, the arrow keys and the mouse wheel step the edit's
// value by 1 inside the field's range, without wrapping.
#pragma once

#include <QLineEdit>

class QToolButton;

namespace kiv::ui {

// The standard text-to-integer conversion: an optional sign and the leading
// digits; 0 when the text does not begin with a number.
int leadingNumber(const QString& text);

class ExitEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 signals:
  void exited();
  // Up arrow or wheel forward (+1), down arrow or wheel back (-1).
  void stepRequested(int delta);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

class UpDownEdit : public QWidget {
  Q_OBJECT
 public:
  // editName / upDownName are the object names of the edit and the up-down
  // control; maxLength limits the typed characters.
  UpDownEdit(const char* editName, const char* upDownName, int minimum, int maximum, int maxLength,
             QWidget* parent);

  ExitEdit* edit() const { return edit_; }
  QWidget* upDown() const { return upDown_; }
  int value() const { return leadingNumber(edit_->text()); }
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  void setValue(int v) { edit_->setText(QString::number(v)); }

 public slots:
  void stepBy(int delta);

 private:
  ExitEdit* edit_;
  QWidget* upDown_;
  int minimum_;
  int maximum_;
};

}  // namespace kiv::ui
