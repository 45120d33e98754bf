#include "Prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kiv::ui {
namespace {

// The save dialogs of the result windows offer every file.
const char kAllFiles[] = "すべてのﾌｧｲﾙ (*)";

class PlatformPrompts : public Prompts {
 public:
  BoxAnswer showMessage(QWidget* parent, BoxKind kind, const QString& text) override {
    QMessageBox box(parent);
    box.setWindowTitle(boxCaption(kind));
    box.setText(text);
    switch (kind) {
      case BoxKind::kWarning:
        box.setIcon(QMessageBox::Warning);
        break;
      case BoxKind::kInformation:
        box.setIcon(QMessageBox::Information);
        break;
      case BoxKind::kQuestion:
        box.setIcon(QMessageBox::Question);
        break;
      case BoxKind::kError:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (kind != BoxKind::kQuestion) {
      box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
      box.exec();
      return BoxAnswer::kOk;
    }
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return BoxAnswer::kYes;
    if (box.clickedButton() == no) return BoxAnswer::kNo;
    return BoxAnswer::kCancel;
  }

  QString askSaveFile(QWidget* parent) override {
    return QFileDialog::getSaveFileName(parent, QString(), QString(), QString::fromUtf8(kAllFiles));
  }

  QString askOpenFile(QWidget* parent, const QString& folder) override {
    return QFileDialog::getOpenFileName(parent, QString(), folder);
  }
};

PlatformPrompts platformPrompts;
Prompts* current = &platformPrompts;

}  // namespace

Prompts& prompts() { return *current; }

ScopedPrompts::ScopedPrompts(Prompts& replacement) : previous_(current) { current = &replacement; }

ScopedPrompts::~ScopedPrompts() { current = previous_; }

QString boxCaption(BoxKind kind) {
  switch (kind) {
    case BoxKind::kWarning:
      return QStringLiteral("警告");
    case BoxKind::kInformation:
      return QStringLiteral("情報");
    case BoxKind::kQuestion:
      return QStringLiteral("確認");
    case BoxKind::kError:
      break;
  }
  return QStringLiteral("エラー");
}

void reportSaveFailure(QWidget* parent, const QString& file) {
  prompts().showMessage(parent, BoxKind::kError,
                        QStringLiteral("\n") + file + QStringLiteral(" に保存できません"));
}

}  // namespace kiv::ui
