// Conversion between the engine's Shift-JIS (code page 932) text and UTF-8.
// Used only at the edges: windows, command line, data compiler.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

// nullopt when the input is not valid in its encoding or has no
// counterpart in the other one.
std::optional<std::string> sjisToUtf8(std::string_view sjis);
std::optional<std::string> utf8ToSjis(std::string_view utf8);

// Lossy variant for display: bytes that do not convert become U+FFFD.
std::string sjisToUtf8Lossy(std::string_view sjis);

}  // namespace kiv
