// An owner-drawn list whose rows each show a use picture (Pictures.h) in
// front of their text: the company list of the line selection dialog and
// the train list. A press on the picture, a double-click and the Enter key
// toggle a row; a press on the text only selects it. The pictures are read
// from the use flags at every drawing, so they always show the current state.
#pragma once

#include <QListWidget>
#include <functional>

namespace kiv::ui {

class UseList : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 20;

  // stateOf(row) gives the picture number (-1: no picture); toggle(row)
  // switches the row's trains.
  UseList(std::function<int(int)> stateOf, std::function<void(int)> toggle, QWidget* parent = nullptr);

  int stateOf(int row) const { return stateOf_(row); }
  // Toggles the row's trains and redraws the list.
  void toggleRow(int row);

 signals:
  void toggled(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<int(int)> stateOf_;
  std::function<void(int)> toggle_;
};

}  // namespace kiv::ui
