// Completion of station names in the station boxes: typing the beginning of
// a kanji name or of a kana reading offers the matching stations; choosing
// one puts its kanji name into the box.
#pragma once

#include <QCompleter>

namespace kiv {
class RStaName;
}

namespace kiv::ui {

class StationCompleter : public QCompleter {
  Q_OBJECT
 public:
  StationCompleter(const RStaName& stations, QObject* parent);

  QString pathFromIndex(const QModelIndex& index) const override;
  QStringList splitPath(const QString& path) const override;
};

}  // namespace kiv::ui
