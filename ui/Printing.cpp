#include "Printing.h"

#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>

namespace kiv::ui {

void printText(QWidget* parent, const QString& title, const QString& text) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  if (dialog.exec() != QDialog::Accepted) return;
  QTextDocument document;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"), font.family()});
  font.setStyleHint(QFont::TypeWriter);
  document.setDefaultFont(font);
  QTextCursor cursor(&document);
  cursor.insertText(title + QStringLiteral("\n\n") + text);
  document.print(&printer);
}

}  // namespace kiv::ui
