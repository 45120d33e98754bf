#include "StationCompleter.h"

#include <QStandardItemModel>

#include "KivText.h"
#include "network/RStaName.h"

namespace kiv::ui {
namespace {

constexpr int kKanjiRole = Qt::UserRole + 1;
constexpr int kMatchRole = Qt::UserRole + 2;

// Hiragana and katakana readings match each other: typing either finds the
// station whatever the file holds.
QString toHiragana(const QString& text) {
  QString out = text;
  for (QChar& c : out) {
    if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6) c = QChar(c.unicode() - 0x60);
  }
  return out;
}

}  // namespace

StationCompleter::StationCompleter(const RStaName& stations, QObject* parent) : QCompleter(parent) {
  auto* model = new QStandardItemModel(this);
  char kanji[kStationNameSize] = {};
  char kana[kStationKanaSize] = {};
  for (int s = 1; s <= stations.getCount(); ++s) {
    if (stations.getName(static_cast<StationNo>(s), kanji) != 0) continue;
    const QString name = fromSjisField(kanji);
    kana[0] = '\0';
    stations.getKana(static_cast<StationNo>(s), kana);
    const QString reading = toHiragana(fromSjisField(kana));
    const QString shown =
        reading.isEmpty() ? name : name + QStringLiteral("  (") + reading + QStringLiteral(")");
    for (const QString& key : {name, reading}) {
      if (key.isEmpty() || (key == reading && reading == name)) continue;
      auto* item = new QStandardItem(shown);
      item->setData(name, kKanjiRole);
      item->setData(key, kMatchRole);
      model->appendRow(item);
    }
  }
  setModel(model);
  setCompletionRole(kMatchRole);
  setCaseSensitivity(Qt::CaseInsensitive);
  setFilterMode(Qt::MatchStartsWith);
  setCompletionMode(QCompleter::PopupCompletion);
  setMaxVisibleItems(12);
}

QString StationCompleter::pathFromIndex(const QModelIndex& index) const {
  return index.data(kKanjiRole).toString();
}

QStringList StationCompleter::splitPath(const QString& path) const { return {toHiragana(path)}; }

}  // namespace kiv::ui
