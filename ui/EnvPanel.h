// The environment dialog of the developer mode: the text editor's name,
// which nothing reads and nothing saves.
#pragma once

#include <QDialog>

class QLineEdit;

namespace kiv::ui {

class TEnvForm : public QDialog {
  Q_OBJECT
 public:
  TEnvForm();

 public slots:
  void Button1Click();

 private:
  QLineEdit* txtEditor_;
};

}  // namespace kiv::ui
