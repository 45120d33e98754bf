#include "Forms.h"

#include "About.h"
#include "ColtdPnl.h"
#include "DefPanel.h"
#include "Engine.h"
#include "EnvPanel.h"
#include "FtblPnl.h"
#include "MkDiaPnl.h"
#include "OptPanel.h"
#include "RoutePnl.h"
#include "RqTmPnl.h"
#include "SDIMain.h"
#include "StaPanel.h"
#include "TrainPnl.h"
#include "TtblPnl.h"
#include "ViewPnl.h"

namespace kiv::ui {
namespace {

constexpr std::int8_t kBestRoutesModeSetting = 2;  // mode_route of Kiv4.def

}  // namespace

KivForms::KivForms(Engine& engine, const std::filesystem::path& dataDir, bool developerMode)
    : dataDir_(dataDir),
      app_(std::make_unique<TAppForm>(engine, *this, developerMode)),
      about_(std::make_unique<TAboutBox>()),
      def_(std::make_unique<TDefForm>(engine.def)),
      sta_(std::make_unique<TStaForm>(dataDir / "kiv4line.dat", *app_)),
      coltd_(std::make_unique<TColtdForm>(engine.kiv, engine.trains, *this)),
      train_(std::make_unique<TTrainForm>(engine.trains, *coltd_)),
      opt_(std::make_unique<TOptForm>()),
      view_(std::make_unique<TViewForm>(engine, *app_)),
      route_(std::make_unique<TRouteForm>(dataDir)),
      ftbl_(std::make_unique<TFtblForm>()),
      ttbl_(std::make_unique<TTtblForm>()),
      reqTime_(std::make_unique<TReqTimeForm>()),
      mkDia_(std::make_unique<TMkDiaForm>(dataDir)),
      env_(std::make_unique<TEnvForm>()) {
  // The windows start a traveller without a settings file in the best-routes
  // mode (the classic one leads wider limits to worse routes); an existing
  // Kiv4.def keeps its choice, and the command line its own default.
  std::error_code ec;
  if (!std::filesystem::exists(dataDir / kSettingsFileName, ec))
    engine.def.setRouteMode(kBestRoutesModeSetting);
}

KivForms::~KivForms() = default;

}  // namespace kiv::ui
