// The line (company) selection dialog: every railway company with a
// picture of how many of its trains the route searches may use (all, none,
// some); toggling a company switches all its trains at once. "路線別設定"
// opens the train list for single trains.
#pragma once

#include <QDialog>

namespace kiv {
class RKivMan;
class RTrainMan;
}  // namespace kiv

namespace kiv::ui {

class KivForms;
class UseList;

class TColtdForm : public QDialog {
  Q_OBJECT
 public:
  TColtdForm(const RKivMan& kiv, RTrainMan& trains, KivForms& forms);

  UseList* list() const { return listBox1_; }
  // The company number of a row of the list; -1 for no row.
  int companyAt(int row) const;

 public slots:
  void DetailBtnClick();
  void OkBtnClick() { accept(); }

 private:
  RTrainMan& trains_;
  KivForms& forms_;
  UseList* listBox1_;
};

}  // namespace kiv::ui
