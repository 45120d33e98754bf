#include "Output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "Arguments.h"
#include "CliErrors.h"
#include "CommandGuard.h"
#include "data/BinaryIO.h"
#include "text/Codec.h"

namespace kiv::cli {

std::string toTerminalText(std::string_view sjis) {
  const std::string utf8 = sjisToUtf8Lossy(sjis);
  std::string text;
  text.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    text.push_back(utf8[i]);
  }
  return text;
}

std::string escapeControls(std::string_view text) {
  const auto plain = [text](std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != 0x7F) return true;
    return c == '\n' || c == '\t' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
  };
  std::size_t i = 0;
  while (i < text.size() && plain(i)) ++i;
  if (i == text.size()) return std::string(text);
  std::string out(text.substr(0, i));
  for (; i < text.size(); ++i) {
    if (plain(i)) {
      out.push_back(text[i]);
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned char>(text[i]));
    out += escaped;
  }
  return out;
}

void printText(std::string_view utf8) {
  const std::string text = escapeControls(utf8);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    // A reader that went away (kiv4cli ... | head) needs no message.
    if (errno == EPIPE) throw CommandFailure("");
    throw CommandFailure("kiv4cli: cannot write to standard output");
  }
}

void printWorkFile(const std::filesystem::path& file, bool sjis) {
  const auto bytes = readWholeFile(file);
  if (!bytes) throw CommandFailure("kiv4cli: cannot read " + file.string());
  const std::string_view content(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  printText(sjis ? std::string(content) : toTerminalText(content));
}

void requireWritableWorkFiles(std::initializer_list<const char*> files) {
  for (const char* file : files) {
    // An existing file must open for writing (not a directory, not read-only);
    // a missing one needs a writable data directory. Without O_CREAT or
    // O_TRUNC the open changes nothing.
    bool writable = false;
    const int fd = open(file, O_WRONLY | O_APPEND | O_NONBLOCK);
    if (fd >= 0) {
      close(fd);
      writable = true;
    } else if (errno == ENOENT) {
      writable = access(".", W_OK) == 0;
    }
    if (!writable) {
      std::error_code ec;
      throw CommandFailure(std::string("kiv4cli: cannot write ") + file + " in " +
                           std::filesystem::current_path(ec).string());
    }
  }
}

bool writesToFile(const Invocation& inv) { return inv.outputFile && *inv.outputFile != "-"; }

void printOrSave(const Invocation& inv, std::string_view utf8) {
  if (!writesToFile(inv)) {
    printText(utf8);
    return;
  }
  exportToFile(*inv.outputFile, [utf8](const std::filesystem::path& file) {
    return writeWholeFile(file, std::vector<std::uint8_t>(utf8.begin(), utf8.end())) ? 0 : -1;
  });
}

void saveOrPrint(const Invocation& inv, const std::function<int(const std::filesystem::path&)>& save) {
  if (writesToFile(inv)) {
    exportToFile(*inv.outputFile, save);
    return;
  }
  ScratchFile scratch;
  if (save(scratch.path()) < 0) throw CommandFailure("kiv4cli: cannot write " + scratch.path().string());
  printWorkFile(scratch.path(), inv.sjis);
}

ScratchFile::ScratchFile() {
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
  if (ec) dir = "/tmp";
  // The process number in the name tells a later run whether its maker is
  // still alive (see removeScratchFilesOfEndedRuns).
  std::string pattern = (dir / ("kiv4cli-" + std::to_string(getpid()) + "-XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) throw CommandFailure("kiv4cli: cannot create a temporary file in " + dir.string());
  close(fd);
  path_ = name.data();
}

ScratchFile::~ScratchFile() {
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

}  // namespace kiv::cli
