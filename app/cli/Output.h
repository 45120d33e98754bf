// Printing the work files: as UTF-8 with LF line ends for the terminal, or
// with --sjis as the file's own bytes. And the scratch files that the
// commands export to before printing.
#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kiv::cli {

struct Invocation;

// The Shift-JIS CR LF text as UTF-8 with LF line ends; bytes that are not
// Shift-JIS become U+FFFD.
std::string toTerminalText(std::string_view sjis);

// Prints the file to standard output: its bytes unchanged when sjis is set,
// else toTerminalText of them. Throws CommandFailure when it cannot be read.
void printWorkFile(const std::filesystem::path& file, bool sjis);

// The text with every control character but the line feed, the tab and the
// carriage return of a CR LF written as "\u001B" (DEL as "\u007F"), so that
// a name from a data file cannot send escape sequences to the terminal. The
// notation is also a valid JSON escape. Works on UTF-8 and Shift-JIS alike:
// no byte of a control character is part of a Shift-JIS letter.
std::string escapeControls(std::string_view text);

// Prints UTF-8 text (or the Shift-JIS bytes of --sjis) to standard output,
// with control characters escaped (escapeControls); throws CommandFailure
// when it cannot be written.
void printText(std::string_view utf8);

// Throws CommandFailure naming the first of the work files (names in the
// data directory) that cannot be written, so that a search that found
// nothing because its files could not be created says so. Opens nothing for
// writing and creates nothing.
void requireWritableWorkFiles(std::initializer_list<const char*> files);

// True when -o names a file (not "-", which is standard output).
bool writesToFile(const Invocation& inv);

// Prints UTF-8 text, or writes it to the -o file of the invocation; throws
// CommandFailure when it cannot.
void printOrSave(const Invocation& inv, std::string_view utf8);

// Runs an export of a table window's save: to the -o file of the invocation
// when given (nothing printed), else (also for "-o -") to a scratch file
// that is then printed.
// `save` writes its file and yields 0, or -1 on failure. Throws
// CommandFailure when the file was not written.
void saveOrPrint(const Invocation& inv, const std::function<int(const std::filesystem::path&)>& save);

// A file name of its own in the temporary directory ("kiv4cli-PID-XXXXXX"),
// removed (if it was created) when the object goes.
class ScratchFile {
 public:
  ScratchFile();
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kiv::cli
