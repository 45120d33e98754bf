// kiv4cli: the searches and tables of Kiv for scripts and terminals.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "CliErrors.h"
#include "Run.h"

int main(int argc, char** argv) {
  // A closed standard output is reported by the write, so that the engine
  // still ends in order and writes the settings file.
  std::signal(SIGPIPE, SIG_IGN);
  kiv::cli::occupyClosedStandardStreams();
  try {
    return kiv::cli::run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kiv4cli: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "kiv4cli: unexpected failure\n");
  }
  return kiv::cli::kExitFailure;
}
