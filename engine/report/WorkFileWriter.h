// The one way the engine writes its text work and report files: Shift-JIS
// lines ended by CR LF, written afresh (or appended to), and on close a
// plain answer whether every byte reached the file, so that a full disk is
// reported as a failed write and never passed off as a table without lines.
// A whole text can also be written over the file's old bytes (writeWholeText).
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kiv {
class NameWrite;
}

namespace kiv::work_files {

class WorkFileWriter {
 public:
  enum class Mode { kCreate, kAppend };

  // Opens `file` (in the data directory: the caller joins its name). A
  // regular file of that one name is written in place; a symbolic link or a
  // file with a second name there is left alone, and the new file is renamed
  // over the name when it is closed; a device, FIFO or directory there is
  // refused.
  explicit WorkFileWriter(std::filesystem::path file, Mode mode = Mode::kCreate);
  ~WorkFileWriter();  // closes a file still open (as close()); the answer is lost
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
  // The file is written by its name, never through a link (NameWrite).
  std::unique_ptr<NameWrite> name_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// How writeWholeText writes a file that is there already. A file truncated
// to nothing and written again is flushed to disk when it is closed on
// common Linux file systems (a guard for programs that replace files that
// way), which costs milliseconds per write; writing over the old bytes and
// then cutting the file to its new length gives the same file without that
// wait. Only a regular file of one name is written over.
enum class WholeFile {
  kAfresh,        // emptied and written (a link under the name: replaced by a new file)
  kOverOldBytes,  // written over when it can, else as kAfresh
  kReplacing,     // written over when it can, else removed and written anew:
                  // a second name of the file (a link) is never written through
};

// Writes `text` as the whole file with every "\n" written as CR LF. False
// when the file cannot be created or written.
bool writeWholeText(const std::filesystem::path& file, std::string_view text,
                    WholeFile how = WholeFile::kAfresh);
// A work file that one engine object writes whole again and again (the
// station timetable's two files): kept open from one write to the next, so
// that a write costs a look at the name, the write and, when the file gets
// shorter, the cut, and no open and close. What a reader finds is what
// writeWholeBytes with WholeFile::kReplacing leaves: when the name no
// longer names the kept file (removed, replaced, given a second name, a
// directory), the file is written the way writeWholeBytes writes it.
class KeptWorkFile {
 public:
  explicit KeptWorkFile(std::filesystem::path file) : path_(std::move(file)) {}
  ~KeptWorkFile();
  KeptWorkFile(const KeptWorkFile&) = delete;
  KeptWorkFile& operator=(const KeptWorkFile&) = delete;

  // Writes `bytes` as the whole file; false when it cannot be created or
  // written (a failed write leaves the file empty).
  bool write(std::string_view bytes);
  // Removes the file, as the plain ways do before they write it anew.
  void remove();

 private:
  void forget();

  std::filesystem::path path_;
  int fd_ = -1;
  // The kept file's device and inode.
  unsigned long long device_ = 0;
  unsigned long long inode_ = 0;
};

// The text with every "\n" written as CR LF.
std::string withCrLf(std::string_view text);

// Writes `bytes` as the whole file as they are: the caller has ended its
// lines with CR LF already. False when the file cannot be created or written.
bool writeWholeBytes(const std::filesystem::path& file, std::string_view bytes,
                     WholeFile how = WholeFile::kAfresh);

}  // namespace kiv::work_files
