// Error collection of the data compiler: every message names the source file
// and the text line it concerns, so a data author can go straight to it.
#pragma once

#include <string>
#include <vector>

namespace kiv::data {

// A place in the sources: the file's path relative to the source directory
// and the 1-based text line (0 when the message concerns the whole file).
struct SourceLoc {
  std::string file;
  int line = 0;
};

std::string formatLoc(const SourceLoc& loc);

class Diagnostics {
 public:
  // Records "file:line: message".
  void error(const SourceLoc& loc, const std::string& message);
  // Records a message that belongs to no source place (e.g. an unreadable directory).
  void error(const std::string& message);

  bool hasErrors() const { return !messages_.empty(); }
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

}  // namespace kiv::data
