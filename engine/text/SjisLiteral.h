// Fixed texts written in UTF-8 in the source and turned into Shift-JIS while
// compiling, so that a reader of the code sees the Japanese and the engine
// still holds Shift-JIS bytes. A character missing from the generated table
// (text/SjisTable.h; scripts/gen-sjis-table.py adds it) stops the build at
// the text that uses it, so no fixed text can turn into an empty one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/SjisTable.h"

namespace kiv {

// A Shift-JIS text of at most Capacity - 1 bytes, NUL-terminated.
template <std::size_t Capacity>
struct SjisLiteral {
  char bytes[Capacity] = {};
  std::size_t length = 0;

  constexpr const char* c_str() const { return bytes; }
  constexpr std::string_view view() const { return {bytes, length}; }
  constexpr operator std::string_view() const { return view(); }
  std::string str() const { return std::string(bytes, length); }
};

namespace sjis_detail {

// The code of one non-ASCII character; 0 when the table lacks it.
constexpr unsigned sjisCode(char32_t c) {
  const auto& entries = sjis_table::kEntries;
  const auto* it = std::lower_bound(entries.begin(), entries.end(), c,
                                    [](const sjis_table::Entry& e, char32_t v) { return e.codePoint < v; });
  return it != entries.end() && it->codePoint == c ? it->sjis : 0;
}

// Converts UTF-8 into `out` (room for `capacity` bytes); the number of
// bytes written, or -1 when the text is not UTF-8, uses a character the
// table lacks, or does not fit.
constexpr long convert(std::string_view utf8, char* out, std::size_t capacity) {
  std::size_t n = 0;
  auto put = [&](unsigned byte) {
    if (n >= capacity) return false;
    out[n++] = static_cast<char>(byte);
    return true;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t width = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (width == 0 || i + width > utf8.size()) return -1;
    char32_t c = width == 1 ? lead : lead & (0x7F >> width);
    for (std::size_t k = 1; k < width; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return -1;
      c = (c << 6) | (next & 0x3F);
    }
    i += width;
    if (c < 0x80) {
      if (!put(c)) return -1;
      continue;
    }
    const unsigned code = sjisCode(c);
    if (code == 0) return -1;
    if (code > 0xFF && !put(code >> 8)) return -1;
    if (!put(code & 0xFF)) return -1;
  }
  return static_cast<long>(n);
}

}  // namespace sjis_detail

// The Shift-JIS of a UTF-8 text, in room for Capacity - 1 bytes; used in
// constant expressions only, where a failure stops the build.
template <std::size_t Capacity>
consteval SjisLiteral<Capacity> sjisIn(std::string_view utf8) {
  SjisLiteral<Capacity> result;
  const long n = sjis_detail::convert(utf8, result.bytes, Capacity - 1);
  if (n < 0) throw std::logic_error("a fixed text has a character missing from text/SjisTable.h");
  result.length = static_cast<std::size_t>(n);
  return result;
}

// The Shift-JIS of a UTF-8 string literal. Shift-JIS never takes more bytes
// than UTF-8, so the literal's own size is room enough.
template <std::size_t N>
consteval SjisLiteral<N> sjisLiteral(const char (&utf8)[N]) {
  return sjisIn<N>(std::string_view(utf8, N - 1));
}

// The same conversion at run time, for constant tables that live in another
// unit; throws std::logic_error where the build would have stopped.
inline std::string sjisOfFixedText(std::string_view utf8) {
  std::string out(utf8.size(), '\0');
  const long n = sjis_detail::convert(utf8, out.data(), out.size());
  if (n < 0) throw std::logic_error("a fixed text has a character missing from text/SjisTable.h");
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace kiv
