// kiv4: the windowed program. The engine is built before the window system
// starts and destroyed after it has ended; all windows are created once,
// the main window first.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "DataDirHold.h"
#include "DataDirectory.h"
#include "Engine.h"
#include "Forms.h"
#include "HelpWindow.h"
#include "Pictures.h"
#include "Prompts.h"
#include "SDIMain.h"

namespace {

// A termination signal (SIGINT, SIGTERM, SIGHUP) closes the main window as
// the user would, so that the window placement and the settings are saved;
// a second one ends the program at once. The handler only writes to a pipe
// that the event loop watches.
int signalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int signal) {
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  std::signal(signal, SIG_DFL);
}

void closeOnTerminationSignals(QWidget& mainWindow) {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &mainWindow);
  QObject::connect(notifier, &QSocketNotifier::activated, &mainWindow, [&mainWindow, notifier] {
    char byte = 0;
    while (read(signalPipe[0], &byte, 1) > 0) {
    }
    notifier->setEnabled(false);
    mainWindow.close();
  });
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, onTerminationSignal);
}

// The settings once more after the window system has ended, as the engine's
// own last write would, but with a failure said.
void saveSettingsOrReport(kiv::Engine& engine, const std::filesystem::path& dataDir) {
  if (engine.def.saveSettings() == 0) return;
  const std::filesystem::path file = dataDir / kiv::kSettingsFileName;
  std::fprintf(stderr, "kiv4: cannot write %s: the settings and recent stations are not saved\n",
               file.c_str());
  kiv::ui::reportSaveFailure(nullptr, QString::fromStdString(file.string()));
}

int runWindows(int argc, char** argv, kiv::Engine& engine, const std::filesystem::path& dataDir,
               bool developerMode, const std::string& dataProblem) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kiv for Windows"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kiv for Windows"));
  QApplication::setDesktopFileName(QStringLiteral("kiv4"));
  QApplication::setWindowIcon(kiv::ui::programIcon());
  app.setProperty("helpFile", QString::fromLatin1(kiv::ui::kHelpFile));
  try {
    std::vector<std::string> problems;
    if (!dataProblem.empty()) problems.push_back(dataProblem);
    for (std::string& problem : engine.loadProblems()) problems.push_back(std::move(problem));
    for (const std::string& problem : problems) std::fprintf(stderr, "kiv4: %s\n", problem.c_str());
    kiv::ui::KivForms forms(engine, dataDir, developerMode);
    QObject::connect(&forms.app(), &kiv::ui::TAppForm::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    closeOnTerminationSignals(forms.app());
    forms.app().show();
    // From inside the message loop, so that closing the program while the
    // box is open ends that loop too.
    QTimer::singleShot(0, &forms.app(),
                       [&forms, &dataDir, &problems] { forms.app().showStartupProblems(dataDir, problems); });
    QApplication::exec();
    saveSettingsOrReport(engine, dataDir);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Kiv for Windows"), QString::fromLocal8Bit(e.what()));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const bool developerMode = kiv::ui::isDeveloperWord(args);
  std::string problem;
  const std::filesystem::path dataDir = kiv::ui::chooseDataDirectory(kiv::ui::dataPlacesOfThisRun(), problem);
  // Before the engine reads the data: what a killed build or program left
  // is finished or removed, and the directory stays in use until the end.
  for (const std::string& done : kiv::ui::holdDataDirectory(dataDir))
    std::fprintf(stderr, "kiv4: %s\n", done.c_str());
  try {
    kiv::EngineScope engine(dataDir);
    return runWindows(argc, argv, engine.engine(), dataDir, developerMode, problem);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kiv4: %s\n", e.what());
    return 0;
  }
}
