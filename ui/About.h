// The about box: the program icon, name and version.
#pragma once

#include <QDialog>

namespace kiv::ui {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  TAboutBox();
};

}  // namespace kiv::ui
