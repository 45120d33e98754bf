// kiv4: the windowed program. The engine is built before the window system
// starts and destroyed after it has ended; all windows are created once,
// the main window first.
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
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
#include "TerminationSignals.h"
#include "Translations.h"

namespace {

// The settings once more after the window system has ended, as the engine's
// own last write would, but with a failure said.
void saveSettingsOrReport(kiv::Engine& engine, const std::filesystem::path& dataDir) {
  if (engine.def.saveSettings() == 0) return;
  const std::filesystem::path file = dataDir / kiv::kSettingsFileName;
  std::fprintf(stderr, "kiv4: cannot write %s: the settings and recent stations are not saved\n",
               file.c_str());
  kiv::ui::reportSaveFailure(nullptr, QString::fromStdString(file.string()));
}

// Closes the open dialogs and message boxes, then the main window (when it
// exists yet), which saves the settings as when the user closes it.
void closeAsTheUserWould(QWidget* mainWindow) {
  for (int k = 0; k < 16; ++k) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == mainWindow) break;
    modal->hide();
  }
  if (mainWindow) mainWindow->close();
}

int runWindows(int argc, char** argv, kiv::Engine& engine, const kiv::ui::DataChoice& data,
               bool developerMode) {
  const std::filesystem::path& dataDir = data.dir;
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  kiv::ui::installQtJapanese(app);
  QApplication::setApplicationName(QStringLiteral("Kiv for Windows"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kiv for Windows"));
  QApplication::setDesktopFileName(QStringLiteral("kiv4"));
  QApplication::setWindowIcon(kiv::ui::programIcon());
  app.setProperty("helpFile", QString::fromLatin1(kiv::ui::kHelpFile));
  // Watched before any window: a box shown while the windows are built (an
  // unreadable line list) is closed by a signal too.
  QPointer<QWidget> mainWindow;
  bool terminated = false;
  kiv::ui::watchTerminationSignals(&app, [&mainWindow, &terminated] {
    terminated = true;
    closeAsTheUserWould(mainWindow);
  });
  try {
    std::vector<std::string> problems;
    if (!data.problem.empty()) problems.push_back(data.problem);
    std::vector<std::string> files = engine.loadProblems();
    // A directory without a single data file is one problem, not one per file.
    if (!data.problem.empty() && files.size() + 1 >= kiv::kDataFileNames.size()) files.clear();
    for (std::string& problem : files) problems.push_back(std::move(problem));
    if (!problems.empty()) problems.push_back(data.why);
    for (const std::string& problem : problems) std::fprintf(stderr, "kiv4: %s\n", problem.c_str());
    kiv::ui::KivForms forms(engine, dataDir, developerMode);
    mainWindow = &forms.app();
    if (terminated) {
      saveSettingsOrReport(engine, dataDir);
      return 0;
    }
    QObject::connect(&forms.app(), &kiv::ui::TAppForm::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
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
  // Before anything can show a window: a termination signal from now on
  // waits for the event loop, which closes the windows and saves.
  kiv::ui::catchTerminationSignals();
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const bool developerMode = kiv::ui::isDeveloperWord(args);
  const kiv::ui::DataChoice data = kiv::ui::chooseData(kiv::ui::dataPlacesOfThisRun());
  std::fprintf(stderr, "kiv4: %s\n", data.why.c_str());
  // Before the engine reads the data: what a killed build or program left
  // is finished or removed, and the directory stays in use until the end.
  for (const std::string& done : kiv::ui::holdDataDirectory(data.dir))
    std::fprintf(stderr, "kiv4: %s\n", done.c_str());
  try {
    kiv::EngineScope engine(data.dir);
    return runWindows(argc, argv, engine.engine(), data, developerMode);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kiv4: %s\n", e.what());
    return 0;
  }
}
