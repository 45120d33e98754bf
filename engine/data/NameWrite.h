// Writing a file of the data directory by its name without ever writing
// through a link: a regular file that has that one name only is written in
// place (its old bytes are then gone, as a truncating open would leave them);
// a link under the name (a symbolic link, a file with a second name) is left
// untouched, and the new bytes go to a new file beside it that is renamed
// over the name when the write is done. A missing name is created (never
// through a dangling link). A FIFO, a device or a directory under the name
// is refused: neither written to nor replaced.
#pragma once

#include <filesystem>

namespace kiv {

class NameWrite {
 public:
  enum class Start {
    kEmpty,    // the file starts empty
    kOldBytes  // the file starts with the bytes the name held (appending)
  };

  // Opens the file for `file`; isOpen() says whether it could (a directory,
  // device or FIFO of that name, a read-only file or a missing directory
  // cannot).
  NameWrite(std::filesystem::path file, Start start);
  // Ends the write as commit() does when it is still open.
  ~NameWrite();
  NameWrite(const NameWrite&) = delete;
  NameWrite& operator=(const NameWrite&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  // The open file; written from its start or its end as the caller likes.
  int fd() const { return fd_; }
  // Hands the open file over to the caller (who closes it); commit() then
  // only puts the new file in place.
  int release();

  // Closes the file (when not released) and, for a new file beside the
  // name, renames it over the name. `written` false: the write failed, a
  // new file is thrown away (and the name keeps what it held); false then
  // and whenever the close or the rename fails.
  bool commit(bool written = true);

 private:
  std::filesystem::path file_;
  std::filesystem::path temp_;  // the new file beside the name, when there is one
  int fd_ = -1;
  bool released_ = false;
  bool done_ = false;
};

}  // namespace kiv
