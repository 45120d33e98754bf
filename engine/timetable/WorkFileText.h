// Writing text work files over their old bytes. A file truncated to nothing
// and written again is flushed to disk when it is closed on common Linux
// file systems (a guard for programs that replace files that way), which
// costs milliseconds per write; writing over the old bytes and then cutting
// the file to its new length gives the same file without that wait.
// Only a regular file of one name is written over; anything else (a link, a
// missing file) is written the ordinary way.
#pragma once

#include <filesystem>
#include <string>

namespace kiv {

// What report_text::writeText does (the text with every "\n" as "\r\n",
// replacing the file's content), written over the old bytes when it can.
// False when the file cannot be created or written.
bool overwriteText(const std::filesystem::path& file, const std::string& text);

// What removing the file and report_text::writeText do, written over the
// old bytes when it can. False when the file cannot be created or written.
bool replaceText(const std::filesystem::path& file, const std::string& text);

}  // namespace kiv
