// The timetable-data dialog of the developer mode: lists the *.dat files
// of the data directory; its build button stays disabled.
#pragma once

#include <QDialog>
#include <filesystem>

class QListWidget;

namespace kiv::ui {

class TMkDiaForm : public QDialog {
  Q_OBJECT
 public:
  explicit TMkDiaForm(std::filesystem::path dataDir);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::filesystem::path dataDir_;
  QListWidget* files_;
};

}  // namespace kiv::ui
