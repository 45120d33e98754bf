// Shift-JIS at the test edge: expected texts are written as UTF-8 literals
// and converted through the codec to the bytes the engine reads and writes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "text/Codec.h"

namespace kiv::test {

// Shift-JIS of a UTF-8 test literal.
inline std::string sjis(const std::string& utf8) {
  auto text = utf8ToSjis(utf8);
  if (!text) throw std::invalid_argument("not convertible to Shift-JIS: " + utf8);
  return *text;
}

// A work file as the engine writes it: the Shift-JIS of a UTF-8 text with
// every line ended by CR LF.
inline std::string workText(const std::string& utf8) {
  std::string out;
  for (char c : sjis(utf8)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// The UTF-8 text padded with blanks to `width` bytes of Shift-JIS, as
// "%-24s" lays a name out in a report; never cut.
inline std::string padded(const std::string& utf8, std::size_t width) {
  const std::size_t bytes = sjis(utf8).size();
  return utf8 + std::string(bytes < width ? width - bytes : 0, ' ');
}

// A Shift-JIS work file as UTF-8 (empty when it is missing).
inline std::string readUtf8(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return sjisToUtf8(text).value_or("<not Shift-JIS>");
}

}  // namespace kiv::test
