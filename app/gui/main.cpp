// kiv4: the windowed program. The engine is built before the window system
// starts and destroyed after it has ended; all windows are created once,
// the main window first.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "DataDirectory.h"
#include "Engine.h"
#include "Forms.h"
#include "HelpWindow.h"
#include "Pictures.h"
#include "SDIMain.h"

namespace {

int runWindows(int argc, char** argv, kiv::Engine& engine, const std::filesystem::path& dataDir,
               bool developerMode, const std::string& dataProblem) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kiv for Windows"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kiv for Windows"));
  QApplication::setDesktopFileName(QStringLiteral("kiv4"));
  QApplication::setWindowIcon(kiv::ui::programIcon());
  app.setProperty("helpFile", QString::fromLatin1(kiv::ui::kHelpFile));
  try {
    if (!dataProblem.empty()) std::fprintf(stderr, "kiv4: %s\n", dataProblem.c_str());
    kiv::ui::KivForms forms(engine, dataDir, developerMode);
    QObject::connect(&forms.app(), &kiv::ui::TAppForm::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    forms.app().show();
    QApplication::exec();
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
  try {
    kiv::EngineScope engine(dataDir);
    return runWindows(argc, argv, engine.engine(), dataDir, developerMode, problem);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kiv4: %s\n", e.what());
    return 0;
  }
}
