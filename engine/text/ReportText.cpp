#include "text/ReportText.h"

#include <cstdarg>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>

#include "report/WorkFileWriter.h"

namespace kiv::report_text {

std::string format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, fmt, args);
  va_end(args);
  std::string out;
  if (size > 0) {
    out.resize(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(out.data(), out.size(), fmt, again);
    out.resize(static_cast<std::size_t>(size));
  }
  va_end(again);
  return out;
}

bool writeText(const std::filesystem::path& file, const std::string& text) {
  work_files::WorkFileWriter out(file);
  out.text(text);
  return out.close();
}

bool readLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
  std::string text;
  try {
    // A directory of that name opens but cannot be read; it counts as missing.
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    return false;
  }
  lines.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return true;
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> result;
  std::size_t i = 0;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < line.size()) {
    while (i < line.size() && blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !blank(line[i])) ++i;
    if (i > start) result.push_back(line.substr(start, i - start));
  }
  return result;
}

}  // namespace kiv::report_text
