// Small helpers for Shift-JIS text held in fixed-width name fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

// True for a byte that starts a double-byte Shift-JIS character.
bool isSjisLeadByte(unsigned char c);

// The text cut to at most width - 1 bytes, so that it fits a field of the
// given width together with its NUL, without splitting a double-byte
// character.
std::string fitSjisField(std::string_view text, std::size_t width);

}  // namespace kiv
