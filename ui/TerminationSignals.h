// The termination signals of kiv4 (SIGINT, SIGTERM, SIGHUP). The handlers
// are installed first thing, before any window can be shown; a signal only
// writes a byte to a pipe. Once the window system runs, the pipe is watched:
// a signal then closes the open message boxes and the main window as the
// user would, so that the window placement and the settings are saved. A
// second signal ends the program at once.
#pragma once

#include <functional>

class QObject;

namespace kiv::ui {

// Installs the handlers; a signal that comes before watchTerminationSignals
// waits in the pipe.
void catchTerminationSignals();

// Calls `close` from the event loop on the first signal (also one caught
// before this call); the watcher lives as long as `owner`.
void watchTerminationSignals(QObject* owner, std::function<void()> close);

}  // namespace kiv::ui
