#include "text/SjisText.h"

namespace kiv {

bool isSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string fitSjisField(std::string_view text, std::size_t width) {
  if (width == 0) return {};
  const std::size_t limit = width - 1;
  if (text.size() <= limit) return std::string(text);
  std::size_t end = 0;
  while (end < limit) {
    const std::size_t step = isSjisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;  // a double-byte character would be split
    end += step;
  }
  return std::string(text.substr(0, end));
}

}  // namespace kiv
