#include "RDistMan.h"

namespace kiv {

int RDistMan::buildJrCheapestTable() { return 0; }

}  // namespace kiv
