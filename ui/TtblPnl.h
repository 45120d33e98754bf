// An empty window captioned "発車時刻データ閲覧" that nothing shows; the
// station timetable goes to the main window's output pane.
#pragma once

#include <QWidget>

namespace kiv::ui {

class TTtblForm : public QWidget {
  Q_OBJECT
 public:
  TTtblForm() {
    setObjectName(QStringLiteral("TtblForm"));
    setWindowTitle(QStringLiteral("発車時刻データ閲覧"));
  }
};

}  // namespace kiv::ui
