// The train list: every train with its use picture; toggling a row lets
// the route searches use that single train or not. Opened from the line
// selection dialog, beside it, with the first train of the company chosen
// there selected.
#pragma once

#include <QDialog>

namespace kiv {
class RTrainMan;
}

namespace kiv::ui {

class TColtdForm;
class UseList;

class TTrainForm : public QDialog {
  Q_OBJECT
 public:
  TTrainForm(RTrainMan& trains, TColtdForm& coltd);

  UseList* list() const { return listBox1_; }

 public slots:
  void FormShow();
  void CloseBtnClick() { accept(); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  RTrainMan& trains_;
  TColtdForm& coltd_;
  UseList* listBox1_;
};

}  // namespace kiv::ui
