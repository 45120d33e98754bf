#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace kiv::ui {
namespace {

// A title bar and borders, when the window manager has not drawn them yet.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 36;

QString settingsKey(const QString& key) {
  return QStringLiteral("windows/") + key + QStringLiteral("/geometry");
}

}  // namespace

void fitToScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // The frame of the window manager around the client area; before the
  // first showing it is not known yet, so room is kept for a usual one.
  QSize frame = window->frameGeometry().size() - window->geometry().size();
  if (frame.width() <= 0 && frame.height() <= 0) frame = QSize(kFrameWidth, kFrameHeight);
  const QSize room(std::max(1, area.width() - frame.width()), std::max(1, area.height() - frame.height()));
  const QSize size = window->size().boundedTo(room);
  if (size != window->size()) {
    window->setMinimumSize(window->minimumSize().boundedTo(size));
    window->resize(size);
  }
  QRect placed = window->frameGeometry();
  placed.moveLeft(
      std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() - placed.width() + 1)));
  placed.moveTop(
      std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() - placed.height() + 1)));
  if (placed.topLeft() != window->frameGeometry().topLeft()) window->move(placed.topLeft());
}

void restorePlacement(QWidget* window, const QString& key) {
  const QSettings settings(QStringLiteral("kiv"), QStringLiteral("kiv4"));
  const QByteArray kept = settings.value(settingsKey(key)).toByteArray();
  if (!kept.isEmpty()) window->restoreGeometry(kept);
  fitToScreen(window);
}

void savePlacement(const QWidget* window, const QString& key) {
  QSettings settings(QStringLiteral("kiv"), QStringLiteral("kiv4"));
  settings.setValue(settingsKey(key), window->saveGeometry());
}

}  // namespace kiv::ui
