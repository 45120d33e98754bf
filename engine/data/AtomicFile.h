// Writing the files a user keeps (the settings file, exported tables) so
// that a crash or a full disk mid-write leaves the old file intact: the new
// content goes to a temporary file in the same directory, is flushed to the
// disk and then renamed over the old file. A failed write leaves the old
// file as it was and says why.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace kiv {

// What a symbolic link given as the target stands for.
enum class TargetLink {
  kFollow,  // the file the link names is replaced (a file the user exports to)
  kReplace  // the link itself is replaced by the new file (the data directory's
            // own files, which are never written through a link)
};

// Writes `bytes` as the new content of `target`. True on success; else false
// and, when `error` is given, a sentence saying what failed.
bool writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         std::string* error = nullptr, TargetLink link = TargetLink::kFollow);

// The same for writers that write a file by name: `write` is handed the
// temporary file's path, writes the whole content there and yields true, or
// false when it failed. A symbolic link as `target` is followed: the file it
// names is replaced. An existing target that is not a regular file (a
// directory, a device, a FIFO) is refused. The new file keeps the old one's
// permissions; a new file gets the usual ones (0666 less the umask).
// With TargetLink::kReplace a symbolic link as `target` is replaced itself.
bool replaceFileAtomically(const std::filesystem::path& target,
                           const std::function<bool(const std::filesystem::path&)>& write,
                           std::string* error = nullptr, TargetLink link = TargetLink::kFollow);

// The file a write to `target` really replaces: the end of its chain of
// symbolic links (which need not exist yet), or `target` itself.
std::filesystem::path followLinks(const std::filesystem::path& target);

// Flushes a file's content, or a directory's entries, to the disk. False
// (errno set) when it cannot be opened or flushed.
bool syncToDisk(const std::filesystem::path& fileOrDirectory);

}  // namespace kiv
