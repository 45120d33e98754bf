#include "KivText.h"

#include "text/Codec.h"

namespace kiv::ui {

QString fromSjis(std::string_view sjis) { return QString::fromStdString(sjisToUtf8Lossy(sjis)); }

std::optional<std::string> toSjis(const QString& text) { return utf8ToSjis(text.toStdString()); }

}  // namespace kiv::ui
