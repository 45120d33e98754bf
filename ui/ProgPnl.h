// The progress window of the route search: the number of routes found so
// far, a bar up to the route limit, and a cancel button that stops the
// search (the routes found so far are then listed). It is created for one
// search and blocks the other windows while the search runs.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kiv::ui {

class TProgForm : public QDialog {
  Q_OBJECT
 public:
  TProgForm(QWidget* owner, int maximum);

  // Takes n routes found. The search runs on this thread, so this is also
  // where the cancel button gets its click: the window is repainted and
  // events are handled at most every kRepaintMs, the search is not held up
  // by drawing between them.
  void setPosition(int n);
  static constexpr int kRepaintMs = 100;
  bool cancelled() const { return cancelled_; }

 public slots:
  void btnCancelClick();

 protected:
  // Escape (or closing the window) cancels the search instead of hiding
  // the window while the search goes on.
  void reject() override { btnCancelClick(); }

 private:
  void showCount(int n);

  QLabel* lblPercentage_;
  QProgressBar* progressBar1_;
  QPushButton* btnCancel_;
  bool cancelled_ = false;
  QLabel* lblNext_;
  QElapsedTimer sinceShown_;  // invalid until the first count is shown
  QElapsedTimer running_;
};

}  // namespace kiv::ui
