// The load-time check of the fields of the binary data files: station and
// train numbers inside the station directory and the train list, minutes
// and distances not negative, the networks of the station index matching
// the distance index. A damaged file (a changed bit) would otherwise be
// searched and priced as if it were sound, giving wrong answers or endless
// searches.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kiv {

// One sentence per data file of dataDir that holds a field out of its range,
// naming the file and its first bad record ("Diagram2.kv4 is damaged:
// record 17 gives riding minutes -32764 (0 or more)"); empty when every
// field is sound. Files that cannot be read are left to the check of the
// directory (inspectDataDirectory); numbers that refer to a file that
// cannot be read are not checked.
std::vector<std::string> checkDataFields(const std::filesystem::path& dataDir);

}  // namespace kiv
