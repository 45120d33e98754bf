// The hourglass cursor for the whole screen while a command runs; the
// command holds the data directory's lock meanwhile (see DataDirHold.h).
#pragma once

#include <QApplication>
#include <QCursor>

#include "DataDirHold.h"

namespace kiv::ui {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  DataDirWork work_;
};

// What `work` gives, with the hourglass shown while it runs.
template <class Work>
auto whileWaiting(Work&& work) {
  WaitCursor wait;
  return work();
}

}  // namespace kiv::ui
