// The help of kiv4: a window of its own with the program's usage, opened by
// the help command (the platform has no help viewer of the system's kind).
#pragma once

#include <QDialog>

namespace kiv::ui {

// The program's help file name, set once at start-up.
inline constexpr char kHelpFile[] = "WinKiv.HLP";

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* owner);
  // Opens the help at its list of topics.
  void showTopics();
};

}  // namespace kiv::ui
