#include "Diagnostics.h"

namespace kiv::data {

std::string formatLoc(const SourceLoc& loc) {
  if (loc.line <= 0) return loc.file;
  return loc.file + ":" + std::to_string(loc.line);
}

void Diagnostics::error(const SourceLoc& loc, const std::string& message) {
  messages_.push_back(formatLoc(loc) + ": " + message);
}

void Diagnostics::error(const std::string& message) { messages_.push_back(message); }

}  // namespace kiv::data
