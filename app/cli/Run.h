// One run of kiv4cli: parse the command line, print help or the version, or
// build the engine in the data directory and run the command.
#pragma once

#include <string>
#include <vector>

namespace kiv::cli {

// Runs the command line (the arguments after the program name) and yields
// the exit status. What the command prints goes to standard output, its
// messages to standard error.
int run(const std::vector<std::string>& args);

// A standard stream the caller closed would leave its descriptor free for
// the next file the engine opens; each closed one is taken by /dev/null.
void occupyClosedStandardStreams();

}  // namespace kiv::cli
