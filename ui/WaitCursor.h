// The hourglass cursor for the whole screen while a command runs.
#pragma once

#include <QApplication>
#include <QCursor>

namespace kiv::ui {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// What `work` gives, with the hourglass shown while it runs.
template <class Work>
auto whileWaiting(Work&& work) {
  WaitCursor wait;
  return work();
}

}  // namespace kiv::ui
