// Engine text (Shift-JIS bytes) to and from the window system's strings.
// Every window converts through here; nothing else touches the codec.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::ui {

// Bytes that are not Shift-JIS show as U+FFFD.
QString fromSjis(std::string_view sjis);
// A NUL-terminated name field of the engine.
inline QString fromSjisField(const char* field) { return fromSjis(std::string_view(field)); }
// nullopt when the text has a character Shift-JIS cannot hold: such a text
// is no station name, no train name, nothing the engine knows.
std::optional<std::string> toSjis(const QString& text);

}  // namespace kiv::ui
