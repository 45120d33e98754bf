// The station selection dialog: the railway lines of the line list file on
// the left, the stations of the chosen line on the right; confirming puts
// the station's name into the departure or the arrival box of the main
// window. Both lists and their choice stay between showings.
#pragma once

#include <QDialog>
#include <filesystem>

class QListWidget;
class QPushButton;

namespace kiv::ui {

class TAppForm;

class TStaForm : public QDialog {
  Q_OBJECT
 public:
  // Reads the line names of `lineFile` at once; a file that cannot be read
  // gives the error box and an empty line list for the whole run.
  TStaForm(std::filesystem::path lineFile, TAppForm& app);

 public slots:
  void lstLineClick();
  void lstStaClick();
  void cmdOKClick();
  void cmdCancelClick() { reject(); }

 private:
  std::filesystem::path lineFile_;
  TAppForm& app_;
  QListWidget* lstLine_;
  QListWidget* lstSta_;
  QPushButton* cmdOK_;
};

}  // namespace kiv::ui
