// The command line of the data compiler:
//   kivdata build SRC_DIR OUT_DIR
//   kivdata dump DATA_DIR
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kiv::data {

// args excludes the program name. Returns the process exit code: 0 success,
// 1 bad sources or a failed write, 2 wrong usage.
int runKivdata(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kiv::data
