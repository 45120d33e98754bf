// Replacing the data set of a directory so that a kill at any point leaves
// either the whole old set or the whole new one. The new files are written
// into a hidden directory inside the data directory and flushed to the
// disk; renaming that directory to its committed name is the one step that
// decides; the files are then moved in one by one. The next start of any
// program (under the directory's lock) finishes what a kill cut short: a
// committed set is moved in the rest of the way (rolled forward), an
// unfinished one is removed (rolled back).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/AtomicFile.h"

namespace kiv {

// The committed new set, waiting to be moved in.
inline constexpr std::string_view kCommittedSetDirName = ".kivdata-new";
// The start of the name of a new set still being written.
inline constexpr std::string_view kUnfinishedSetPrefix = ".kivdata-part-";

// Every file a data set consists of: the binary data files and the line list.
const std::vector<std::string>& dataSetFileNames();

// A fresh directory for a new set inside dataDir; empty with a message in
// `error` when it cannot be made.
std::filesystem::path createUnfinishedSet(const std::filesystem::path& dataDir, std::string& error);

// Moves the complete new set written into `unfinished` (a directory from
// createUnfinishedSet) into dataDir in place of the old one. Every file is
// flushed first; a data file that is in the way (not a regular file) or a
// failure before the commit leaves dataDir as it was and removes the new
// set. False with a message in `error` then.
bool commitDataSet(const std::filesystem::path& unfinished, const std::filesystem::path& dataDir,
                   std::string& error);

// Test seam: called with each step's name ("synced", "committed", "moved
// NAME", "done") as a replace goes on.
void setDataSetReplaceProbe(std::function<void(std::string_view)> probe);

// Finishes a replace of the data set that a kill cut short and removes what
// a killed program left in dataDir: its settings file's temporary copies,
// and route lists a killed search left empty. Call with the directory's lock
// held, before its files are read. One sentence for each thing done, for
// the program to tell the user (none when there was nothing to do).
std::vector<std::string> recoverDataDirectory(const std::filesystem::path& dataDir);

}  // namespace kiv
