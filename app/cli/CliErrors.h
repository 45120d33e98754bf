// The two ways a kiv4cli run can fail: a usage error (the command line itself
// is wrong; the usage text follows, exit status 2) and a command failure
// (the command ran and could not do its work; exit status 1).
#pragma once

#include <stdexcept>
#include <string>

namespace kiv::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// The command printed what it found, but the search was cut short by its
// work budget: the list may lack routes (see RouteListEnd.h).
constexpr int kExitSearchCut = 3;

// The message names what is wrong with the command line.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The message is printed to standard error as it is: one of the system's own
// message texts (UTF-8, without the message box's leading line break) or a
// sentence of the command line's own; empty when nothing is to be said
// (standard output was closed by its reader).
class CommandFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kiv::cli
