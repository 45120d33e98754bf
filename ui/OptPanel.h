// The connection-time dialog of the developer mode. It shows the three
// kinds of connection time but stores nothing: the searches use the fixed
// transfer rule.
#pragma once

#include <QDialog>

namespace kiv::ui {

class TOptForm : public QDialog {
  Q_OBJECT
 public:
  TOptForm();
};

}  // namespace kiv::ui
