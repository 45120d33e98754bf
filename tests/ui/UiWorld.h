// A running kiv4 for one test: a copy of the compiled sample network in a
// fresh directory, the engine on it, all windows, and prompts that record
// the message boxes and answer the file dialogs instead of showing them.
#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Engine.h"
#include "Forms.h"
#include "Prompts.h"
#include "TempDir.h"

namespace kiv::test {

class RecordingPrompts : public ui::Prompts {
 public:
  struct Box {
    ui::BoxKind kind;
    QString text;
  };

  ui::BoxAnswer showMessage(QWidget*, ui::BoxKind kind, const QString& text) override {
    boxes.push_back({kind, text});
    return kind == ui::BoxKind::kQuestion ? answer : ui::BoxAnswer::kOk;
  }
  ui::SaveChoice askSaveFile(QWidget*) override { return {saveFile, saveEncoding}; }
  int askChoice(QWidget*, const QString& text, const QStringList& offered) override {
    boxes.push_back({ui::BoxKind::kWarning, text});
    choices = offered;
    if (!pick.isEmpty()) {
      for (int i = 0; i < offered.size(); ++i)
        if (offered[i].startsWith(pick)) return i;
    }
    return choice;
  }
  QString askOpenFile(QWidget*, const QString& folder) override {
    openFolder = folder;
    return openFile;
  }

  std::vector<Box> boxes;
  ui::BoxAnswer answer = ui::BoxAnswer::kCancel;  // to the question box
  QString saveFile;                               // empty: the user cancels
  ui::TextEncoding saveEncoding = ui::TextEncoding::kShiftJis;
  QString openFile;
  QString openFolder;
  QStringList choices;  // offered by the last choice box
  int choice = -1;      // picked there; -1 cancels
  QString pick;         // else the first choice that begins with this
};

class UiWorld {
 public:
  // Copies the sample data (without its settings file) into a fresh directory.
  UiWorld() {
    for (const auto& entry : std::filesystem::directory_iterator(KIV_SAMPLE_DATA_DIR)) {
      const std::string name = entry.path().filename().string();
      if (entry.is_regular_file() && name != "Kiv4.def" && name[0] != '$') {
        std::filesystem::copy_file(entry.path(), dir.path() / name);
      }
    }
  }
  ~UiWorld() { stop(); }

  // Builds the engine and the windows, as the program does at start-up.
  void start(bool developerMode = false) {
    engine = std::make_unique<Engine>(dir.path());
    forms = std::make_unique<ui::KivForms>(*engine, dir.path(), developerMode);
  }
  // Ends the run: windows first, then the engine (which writes Kiv4.def).
  void stop() {
    forms.reset();
    engine.reset();
  }

  std::filesystem::path file(const std::string& name) const { return dir.path() / name; }
  std::string read(const std::string& name) const { return dir.readText(name); }

  template <typename W>
  W* find(QWidget* in, const char* name) const {
    return in->findChild<W*>(QString::fromLatin1(name));
  }

  TempDir dir;
  RecordingPrompts prompts;
  ui::ScopedPrompts prompting{prompts};
  std::unique_ptr<Engine> engine;
  std::unique_ptr<ui::KivForms> forms;
};

// UTF-8 text as the engine's Shift-JIS bytes, for comparing work files.
std::string sjis(const std::string& utf8);

}  // namespace kiv::test
