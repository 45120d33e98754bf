// The line list file kiv4line.dat: sections "#name" of railway lines, each
// followed by the names of its stations; lines beginning with ";" are
// comments. Shift-JIS; CR LF and LF line ends are both read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kiv::ui {

// The names of the sections in file order (blanks after the "#" belong to
// the name); nullopt when the file cannot be read.
std::optional<std::vector<std::string>> readLineNames(const std::filesystem::path& file);

// The stations of every section named `line`, in file order, and the
// station lines standing before the first section (they belong to every
// line). Empty when the file cannot be read.
std::vector<std::string> readLineStations(const std::filesystem::path& file, const std::string& line);

}  // namespace kiv::ui
