// The one place that shows message boxes and asks for file names. Windows
// call the functions below; a test replaces the prompts with its own
// recorder (ScopedPrompts) instead of driving the platform's dialogs.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kiv::ui {

enum class BoxKind { kWarning, kInformation, kQuestion, kError };
enum class BoxAnswer { kOk, kYes, kNo, kCancel };
// The encoding a saved text file is written in: the engine's own Shift-JIS,
// or UTF-8 for today's editors.
enum class TextEncoding { kShiftJis, kUtf8 };
struct SaveChoice {
  QString file;  // empty when the user cancels
  TextEncoding encoding = TextEncoding::kShiftJis;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Warning, information and error boxes have one OK button; the question
  // box has yes, no and cancel.
  virtual BoxAnswer showMessage(QWidget* parent, BoxKind kind, const QString& text) = 0;
  // The file to save to and its encoding (asking before an existing file
  // is overwritten), starting in the user's documents folder; an empty
  // file name when the user cancels.
  virtual SaveChoice askSaveFile(QWidget* parent) = 0;
  // A warning `text` with `choices` to pick from: the index picked, or -1
  // when the user cancels.
  virtual int askChoice(QWidget* parent, const QString& text, const QStringList& choices) = 0;
  // An existing file to open, starting in `folder`; empty when cancelled.
  virtual QString askOpenFile(QWidget* parent, const QString& folder) = 0;
};

// The prompts in effect: the platform's dialogs unless a test replaced them.
Prompts& prompts();

// Puts `replacement` in effect for its lifetime.
class ScopedPrompts {
 public:
  explicit ScopedPrompts(Prompts& replacement);
  ~ScopedPrompts();
  ScopedPrompts(const ScopedPrompts&) = delete;
  ScopedPrompts& operator=(const ScopedPrompts&) = delete;

 private:
  Prompts* previous_;
};

// The caption of a box kind: "警告", "情報", "確認", "エラー".
QString boxCaption(BoxKind kind);

inline void warn(QWidget* parent, const QString& text) {
  prompts().showMessage(parent, BoxKind::kWarning, text);
}
inline void inform(QWidget* parent, const QString& text) {
  prompts().showMessage(parent, BoxKind::kInformation, text);
}

// The folder a save dialog opens in: the user's documents folder, else the
// home folder.
QString saveFolder();

// Rewrites a text file the engine wrote in Shift-JIS as UTF-8 (unchanged for
// kShiftJis); false when it cannot be read or written.
bool recodeSavedFile(const QString& file, TextEncoding encoding);

// The error box of a save that could not write its file.
void reportSaveFailure(QWidget* parent, const QString& file);

}  // namespace kiv::ui
