// The fare table window: the fares from one station to every station of
// each company that serves it, one company at a time.
#pragma once

#include "TableWindow.h"

namespace kiv {
class RFareMan;
}

namespace kiv::ui {

class TFtblForm : public TableWindow {
  Q_OBJECT
 public:
  TFtblForm(RFareMan& fare, const std::filesystem::path& dataDir);
};

}  // namespace kiv::ui
