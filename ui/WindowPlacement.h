// Windows that fit the screen they open on, whatever its scale factor, and
// result windows that come back where the user left them. The places are
// kept in the user's own configuration (QSettings), not in Kiv4.def, which
// holds the main window's only.
#pragma once

#include <QString>

class QWidget;

namespace kiv::ui {

// Shrinks the window to the available area of its screen (it scrolls
// inside) and moves it fully onto that area.
void fitToScreen(QWidget* window);

// The size and position kept under `key`, fitted to the screen; only the
// fitting when nothing is kept.
void restorePlacement(QWidget* window, const QString& key);
void savePlacement(const QWidget* window, const QString& key);

}  // namespace kiv::ui
