// The one way the engine writes its text work and report files: Shift-JIS
// lines ended by CR LF, written afresh (or appended to), and on close a
// plain answer whether every byte reached the file, so that a full disk is
// reported as a failed write and never passed off as a table without lines.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace kiv::work_files {

class WorkFileWriter {
 public:
  enum class Mode { kCreate, kAppend };

  // Opens `file` (in the data directory: the caller joins its name).
  explicit WorkFileWriter(std::filesystem::path file, Mode mode = Mode::kCreate);
  ~WorkFileWriter();  // closes a file still open; the answer is lost
  WorkFileWriter(const WorkFileWriter&) = delete;
  WorkFileWriter& operator=(const WorkFileWriter&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  const std::filesystem::path& path() const { return path_; }

  // Writes `text` and a CR LF.
  void line(std::string_view text);
  // Writes `text` with every "\n" written as CR LF (Shift-JIS never uses
  // the byte 0x0A inside a character).
  void text(std::string_view text);

  // Closes the file; true when it was opened and everything was written.
  bool close();

 private:
  void put(std::string_view bytes);

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace kiv::work_files
