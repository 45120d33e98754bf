// The hold on the signals that end a command: a signal that comes while
// the settings are saved takes effect only once they are written.
#include <gtest/gtest.h>

#include <csignal>

#include "CommandGuard.h"

namespace kiv::cli {
namespace {

volatile std::sig_atomic_t received = 0;

TEST(TerminationSignalsHeld, ASignalTakesEffectWhenTheHoldEnds) {
  received = 0;
  const auto previous = std::signal(SIGTERM, [](int) { received = 1; });
  {
    TerminationSignalsHeld held;
    std::raise(SIGTERM);
    EXPECT_EQ(received, 0);
  }
  EXPECT_EQ(received, 1);
  // The hold ends with the signals as they were: no longer held.
  received = 0;
  std::raise(SIGTERM);
  EXPECT_EQ(received, 1);
  std::signal(SIGTERM, previous);
}

}  // namespace
}  // namespace kiv::cli
