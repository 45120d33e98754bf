#include "TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace kiv::ui {
namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int signal) {
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  std::signal(signal, SIG_DFL);
}

}  // namespace

void catchTerminationSignals() {
  if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, onTerminationSignal);
}

void watchTerminationSignals(QObject* owner, std::function<void()> close) {
  if (signalPipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [notifier, close = std::move(close)] {
    char byte = 0;
    while (read(signalPipe[0], &byte, 1) > 0) {
    }
    notifier->setEnabled(false);
    close();
  });
}

}  // namespace kiv::ui
