#include "report/WorkFileWriter.h"

#include <utility>

namespace kiv::work_files {

WorkFileWriter::WorkFileWriter(std::filesystem::path file, Mode mode) : path_(std::move(file)) {
  file_ = std::fopen(path_.c_str(), mode == Mode::kAppend ? "ab" : "wb");
  failed_ = file_ == nullptr;
}

WorkFileWriter::~WorkFileWriter() {
  if (file_) std::fclose(file_);
}

void WorkFileWriter::put(std::string_view bytes) {
  if (!file_ || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

void WorkFileWriter::line(std::string_view text) {
  put(text);
  put("\r\n");
}

void WorkFileWriter::text(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      put(text);
      return;
    }
    line(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
}

bool WorkFileWriter::close() {
  if (!file_) return false;
  const bool flushed = std::fclose(file_) == 0;
  file_ = nullptr;
  return flushed && !failed_;
}

}  // namespace kiv::work_files
