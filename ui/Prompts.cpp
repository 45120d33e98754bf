#include "Prompts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

#include "KivText.h"

namespace kiv::ui {
namespace {

// The save dialogs of the result windows offer the two encodings of text.
const char kShiftJisFiles[] = "テキスト Shift-JIS (*.txt *.csv)";
const char kUtf8Files[] = "テキスト UTF-8 (*.txt *.csv)";

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

  SaveChoice askSaveFile(QWidget* parent) override {
    QFileDialog dialog(parent, QStringLiteral("名前を付けて保存"), saveFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog, which speaks the language of the loaded translations.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QString::fromUtf8(kShiftJisFiles), QString::fromUtf8(kUtf8Files)});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const bool utf8 = dialog.selectedNameFilter() == QString::fromUtf8(kUtf8Files);
    return {dialog.selectedFiles().front(), utf8 ? TextEncoding::kUtf8 : TextEncoding::kShiftJis};
  }

  int askChoice(QWidget* parent, const QString& text, const QStringList& choices) override {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ChoiceBox"));
    dialog.setWindowTitle(boxCaption(BoxKind::kWarning));
    auto* column = new QVBoxLayout(&dialog);
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto* label = new QLabel(text, &dialog);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(label, 1);
    auto* list = new QListWidget(&dialog);
    list->setAccessibleName(QStringLiteral("候補"));
    list->addItems(choices);
    list->setCurrentRow(0);
    // As high as its choices (at most five), no empty rows below them.
    list->setFixedHeight(list->sizeHintForRow(0) * static_cast<int>(choices.size()) + 2 * list->frameWidth() +
                         4);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    column->addLayout(top);
    column->addWidget(list);
    column->addWidget(buttons);
    list->setFocus();
    if (dialog.exec() != QDialog::Accepted) return -1;
    return list->currentRow();
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

QString saveFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QDir(documents).exists()) return documents;
  return QDir::homePath();
}

bool recodeSavedFile(const QString& file, TextEncoding encoding) {
  if (encoding == TextEncoding::kShiftJis) return true;
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QByteArray sjis = in.readAll();
  in.close();
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return false;
  out.write(fromSjis(std::string_view(sjis.constData(), static_cast<std::size_t>(sjis.size()))).toUtf8());
  return out.commit();
}

void reportSaveFailure(QWidget* parent, const QString& file) {
  prompts().showMessage(parent, BoxKind::kError,
                        QStringLiteral("\n") + file + QStringLiteral(" に保存できません"));
}

}  // namespace kiv::ui
