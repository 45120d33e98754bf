// The search-condition dialog: the departure time and day, whether the
// clock is used instead, the four search limits and the route search mode.
// Each edit is corrected when the focus leaves it, and a short note under
// the fields says what was corrected; the close button stores everything in
// the settings and writes the settings file.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kiv {
class RDefMan;
}

namespace kiv::ui {

class UpDownEdit;

class TDefForm : public QDialog {
  Q_OBJECT
 public:
  explicit TDefForm(RDefMan& def);

 public slots:
  void FormShow();
  void edtHourExit();
  void edtMntExit();
  void edtDetourExit();
  void edtDiffTimeExit();
  void edtTransMaxExit();
  void edtRouteMaxExit();
  void chkSysTimeClick();
  void cmdOkClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // The dialog has no cancel: Escape does not close it.
  void reject() override {}

 private:
  // Corrects the field into min..max (below gives low, above gives high)
  // and notes the correction under the fields.
  void correct(UpDownEdit* field, const QString& name, int min, int max, int low, int high);

  RDefMan& def_;
  QPushButton* cmdOk_;
  QLabel* lblNote_;
  UpDownEdit* hour_;
  UpDownEdit* minute_;
  UpDownEdit* routeMax_;
  UpDownEdit* transMax_;
  UpDownEdit* diffTime_;
  UpDownEdit* detour_;
  QComboBox* cmbDay_;
  QCheckBox* chkSysTime_;
  QComboBox* cmbRouteMode_;
};

}  // namespace kiv::ui
