// The same route query through the main window's route command (progress
// window and all, on the offscreen platform) and through kiv4cli, each timed
// by the wall clock: the two times, and their ratio. Not a test; run it by
// hand:
//   QT_QPA_PLATFORM=offscreen build/tests/ui/kiv_route_timing [FROM TO [H:MM [DAY [MODE]]]]
// MODE is best (the default) or classic; the limits are those of a new
// settings file unless KIV_TIMING_LIMITS="ROUTES CHANGES EXTRA DETOUR" says.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "Engine.h"
#include "Forms.h"
#include "Prompts.h"
#include "SDIMain.h"
#include "TempDir.h"

namespace {

class QuietPrompts : public kiv::ui::Prompts {
 public:
  kiv::ui::BoxAnswer showMessage(QWidget*, kiv::ui::BoxKind, const QString& text) override {
    std::fprintf(stderr, "(box) %s\n", text.trimmed().toUtf8().constData());
    return kiv::ui::BoxAnswer::kOk;
  }
  kiv::ui::SaveChoice askSaveFile(QWidget*) override { return {}; }
  int askChoice(QWidget*, const QString&, const QStringList&) override { return -1; }
  QString askOpenFile(QWidget*, const QString&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  const QString from = args.value(1, QStringLiteral("渋谷"));
  const QString to = args.value(2, QStringLiteral("成田空港"));
  const QString time = args.value(3, QStringLiteral("9:00"));
  const int day = args.value(4, QStringLiteral("1")).toInt();
  const QString mode = args.value(5, QStringLiteral("best"));
  const char* limits = std::getenv("KIV_TIMING_LIMITS");
  int routes = 0, changes = 0, extra = 0, detour = 0;

  kiv::test::TempDir dir;
  for (const auto& entry : std::filesystem::directory_iterator(KIV_SAMPLE_DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name != "Kiv4.def" && name[0] != '$')
      std::filesystem::copy_file(entry.path(), dir.path() / name);
  }

  QuietPrompts prompts;
  kiv::ui::ScopedPrompts prompting(prompts);
  double windowMs = 0;
  {
    kiv::Engine engine(dir.path());
    kiv::ui::KivForms forms(engine, dir.path(), false);
    kiv::RDefMan& def = engine.def;
    def.setUseSysTime(0);
    def.setDepHour(static_cast<std::int8_t>(time.section(QLatin1Char(':'), 0, 0).toInt()));
    def.setDepMinute(static_cast<std::int8_t>(time.section(QLatin1Char(':'), 1, 1).toInt()));
    def.setDepDay(static_cast<std::int8_t>(day));
    def.setRouteMode(mode == QStringLiteral("classic") ? 1 : 2);
    routes = def.getRouteMax();
    changes = def.getTransMax();
    extra = def.getDiffTime();
    detour = def.getDetour();
    if (limits) {
      std::istringstream in(limits);
      in >> routes >> changes >> extra >> detour;
    }
    def.setRouteMax(static_cast<std::int16_t>(routes));
    def.setTransMax(static_cast<std::int8_t>(changes));
    def.setDiffTime(static_cast<std::int8_t>(extra));
    def.setDetour(static_cast<std::int8_t>(detour));
    forms.app().setStationText(kiv::ui::TAppForm::kTargetDeparture, from);
    forms.app().setStationText(kiv::ui::TAppForm::kTargetArrival, to);
    forms.app().show();
    QElapsedTimer clock;
    clock.start();
    forms.app().ItemCalcClick();
    windowMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  }

  QProcess cli;
  cli.setWorkingDirectory(QString::fromStdString(dir.path().string()));
  const QStringList cliArgs = {QStringLiteral("route"),
                               from,
                               to,
                               QStringLiteral("--time"),
                               time,
                               QStringLiteral("--day"),
                               QString::number(day),
                               QStringLiteral("--mode"),
                               mode,
                               QStringLiteral("--routes"),
                               QString::number(routes),
                               QStringLiteral("--changes"),
                               QString::number(changes),
                               QStringLiteral("--extra"),
                               QString::number(extra),
                               QStringLiteral("--detour"),
                               QString::number(detour)};
  QElapsedTimer clock;
  clock.start();
  cli.start(QStringLiteral(KIV4CLI_PATH), cliArgs);
  cli.waitForFinished(-1);
  const double cliMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  if (cli.exitCode() != 0) std::fprintf(stderr, "%s", cli.readAllStandardError().constData());

  std::printf("%s -> %s %s day %d, %s, limits %d/%d/%d/%d\n", from.toUtf8().constData(),
              to.toUtf8().constData(), time.toUtf8().constData(), day, mode.toUtf8().constData(), routes,
              changes, extra, detour);
  std::printf("window route command: %9.1f ms\n", windowMs);
  std::printf("kiv4cli route:        %9.1f ms (exit %d)\n", cliMs, cli.exitCode());
  std::printf("window / kiv4cli:     %9.2f\n", cliMs > 0 ? windowMs / cliMs : 0.0);
  return 0;
}
