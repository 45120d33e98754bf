// Qt's own Japanese texts (the buttons and the file and print dialogs of
// the toolkit), from the translations installed with Qt.
#pragma once

class QCoreApplication;

namespace kiv::ui {

// Installs Qt's Japanese translations into `app`; false when they are not
// installed (the toolkit's dialogs then stay in English).
bool installQtJapanese(QCoreApplication& app);

}  // namespace kiv::ui
