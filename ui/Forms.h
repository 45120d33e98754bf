// All windows of kiv4, created once at start-up in the system's order (the
// main window first) and destroyed in the reverse order. A window that
// opens another one reaches it through this set.
#pragma once

#include <filesystem>
#include <memory>

namespace kiv {
class Engine;
}

namespace kiv::ui {

class TAppForm;
class TAboutBox;
class TDefForm;
class TStaForm;
class TColtdForm;
class TTrainForm;
class TOptForm;
class TViewForm;
class TRouteForm;
class TFtblForm;
class TTtblForm;
class TReqTimeForm;
class TMkDiaForm;
class TEnvForm;

class KivForms {
 public:
  // dataDir is where the engine reads its data and writes its work files,
  // and where the line list file kiv4line.dat stands.
  KivForms(Engine& engine, const std::filesystem::path& dataDir, bool developerMode);
  ~KivForms();
  KivForms(const KivForms&) = delete;
  KivForms& operator=(const KivForms&) = delete;

  TAppForm& app() { return *app_; }
  TAboutBox& about() { return *about_; }
  TDefForm& def() { return *def_; }
  TStaForm& sta() { return *sta_; }
  TColtdForm& coltd() { return *coltd_; }
  TTrainForm& train() { return *train_; }
  TOptForm& opt() { return *opt_; }
  TViewForm& view() { return *view_; }
  TRouteForm& route() { return *route_; }
  TFtblForm& ftbl() { return *ftbl_; }
  TTtblForm& ttbl() { return *ttbl_; }
  TReqTimeForm& reqTime() { return *reqTime_; }
  TMkDiaForm& mkDia() { return *mkDia_; }
  TEnvForm& env() { return *env_; }

  // A work or data file of the data directory.
  std::filesystem::path workFile(const char* name) const { return dataDir_ / name; }
  const std::filesystem::path& dataDir() const { return dataDir_; }

 private:
  std::filesystem::path dataDir_;
  // Declaration order is creation order; do not reorder.
  std::unique_ptr<TAppForm> app_;
  std::unique_ptr<TAboutBox> about_;
  std::unique_ptr<TDefForm> def_;
  std::unique_ptr<TStaForm> sta_;
  std::unique_ptr<TColtdForm> coltd_;
  std::unique_ptr<TTrainForm> train_;
  std::unique_ptr<TOptForm> opt_;
  std::unique_ptr<TViewForm> view_;
  std::unique_ptr<TRouteForm> route_;
  std::unique_ptr<TFtblForm> ftbl_;
  std::unique_ptr<TTtblForm> ttbl_;
  std::unique_ptr<TReqTimeForm> reqTime_;
  std::unique_ptr<TMkDiaForm> mkDia_;
  std::unique_ptr<TEnvForm> env_;
};

}  // namespace kiv::ui
