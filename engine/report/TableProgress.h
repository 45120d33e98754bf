// Progress of the long table builds (the JR cheapest-route table, the
// Tokyo-zone list): reported after each step to whoever shows it, which
// answers whether to go on. The engine itself prints nothing.
#pragma once

#include <functional>

namespace kiv {

struct TableProgress {
  int done = 0;      // steps finished (origins of the JR table, 101-200 km stations of the Tokyo list)
  int total = 0;     // steps in all
  int found = 0;     // lines written so far
  int maxDepth = 0;  // the longest route explored so far (JR table only)
};

// Returns false to stop the build after the step: the file then holds the
// lines of the steps done, and the build yields their number.
using TableProgressCallback = std::function<bool(const TableProgress&)>;

}  // namespace kiv
