// The command line of the data compiler:
//   kivdata build [--no-wait] SRC_DIR OUT_DIR
//   kivdata dump DATA_DIR
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kiv::data {

// args excludes the program name. build takes the lock of OUT_DIR, as
// kiv4cli does for its commands, waiting for a running command (saying so
// on err) or, with --no-wait, failing at once. Returns the process exit code: 0 success,
// 1 bad sources or a failed write, 2 wrong usage.
int runKivdata(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kiv::data
