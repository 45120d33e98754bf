#include "LineList.h"

#include "text/ReportText.h"

namespace kiv::ui {

std::optional<std::vector<std::string>> readLineNames(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  if (!report_text::readLines(file, lines)) return std::nullopt;
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '#') names.push_back(line.substr(1));
  }
  return names;
}

std::vector<std::string> readLineStations(const std::filesystem::path& file, const std::string& line) {
  std::vector<std::string> lines;
  std::vector<std::string> stations;
  if (!report_text::readLines(file, lines)) return stations;
  bool inSection = true;
  for (const std::string& text : lines) {
    if (!text.empty() && text[0] == '#') {
      inSection = text.compare(1, std::string::npos, line) == 0;
    } else if (inSection && (text.empty() || text[0] != ';')) {
      stations.push_back(text);
    }
  }
  return stations;
}

}  // namespace kiv::ui
