// Printing of a result window's text through the platform's print dialog.
#pragma once

#include <QString>

class QWidget;

namespace kiv::ui {

// Asks for a printer in the print dialog and prints `text` under the heading
// `title`, in the fixed-width font of the reports (their columns line up by
// character cells). Nothing when the dialog is cancelled.
void printText(QWidget* parent, const QString& title, const QString& text);

}  // namespace kiv::ui
