// find: the stations whose name or reading contains a text, with their
// numbers, readings and the lines and networks that serve them.
#include <map>
#include <string>
#include <vector>

#include "CliErrors.h"
#include "Commands.h"
#include "Engine.h"
#include "JsonOutput.h"
#include "Output.h"
#include "network/StationSearch.h"
#include "text/ReportText.h"

namespace kiv::cli {
namespace {

constexpr const char* kLineList = "kiv4line.dat";

// The line names of the line list per station name (both Shift-JIS), in
// list order; empty when the list is missing.
std::map<std::string, std::vector<std::string>> linesByStation() {
  std::map<std::string, std::vector<std::string>> lines;
  std::vector<std::string> text;
  if (!report_text::readLines(kLineList, text)) return lines;
  const std::string* line = nullptr;
  for (const std::string& item : text) {
    if (!item.empty() && item[0] == '#') {
      line = &item;
    } else if (line != nullptr && !item.empty() && item[0] != ';') {
      std::vector<std::string>& served = lines[item];
      const std::string name = line->substr(1);
      if (served.empty() || served.back() != name) served.push_back(name);
    }
  }
  return lines;
}

struct FoundStation {
  StationNo number;
  std::vector<std::string> lines;  // UTF-8
  std::vector<std::pair<NetworkCode, std::string>> networks;
};

FoundStation describe(const Engine& engine, StationNo s,
                      const std::map<std::string, std::vector<std::string>>& lineList) {
  FoundStation found{s, {}, {}};
  char name[kStationNameSize] = {};
  engine.staName.getName(s, name);
  if (const auto it = lineList.find(name); it != lineList.end()) {
    for (const std::string& line : it->second) found.lines.push_back(utf8(line));
  }
  const int count = engine.staFare.getNetworkCount(s);
  for (int j = 0; j < count; ++j) {
    const auto code = static_cast<NetworkCode>(engine.staFare.getNetworkAt(s, j));
    char company[kCompanyNameSize] = {};
    engine.kiv.getCompanyName(code / 10, company);
    found.networks.emplace_back(code, utf8(company));
  }
  return found;
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::string asText(const StationSearch& search, const FoundStation& f) {
  std::string text = "#";
  text.append(std::to_string(f.number)).append(" ").append(search.name(f.number));
  text.append(" ").append(search.reading(f.number)).append("\n");
  if (!f.lines.empty()) text += "    lines: " + joined(f.lines) + "\n";
  std::vector<std::string> networks;
  for (const auto& [code, company] : f.networks) networks.push_back(std::to_string(code) + " " + company);
  if (!networks.empty()) text += "    networks: " + joined(networks) + "\n";
  return text;
}

Json asJson(const StationSearch& search, const FoundStation& f) {
  Json networks = Json::array();
  for (const auto& [code, company] : f.networks) networks.push_back({{"code", code}, {"company", company}});
  return {{"number", f.number},
          {"name", search.name(f.number)},
          {"reading", search.reading(f.number)},
          {"lines", f.lines},
          {"networks", networks}};
}

}  // namespace

void runFind(Engine& engine, const Invocation& inv) {
  const std::string& typed = inv.stations[0];
  const StationSearch search(engine.staName);
  std::vector<StationNo> stations = search.find(typed);
  if (stations.empty()) {
    const std::vector<StationNo> near = search.nearMatches(typed);
    std::string message = "kiv4cli: no station name or reading contains '" + typed + "'";
    for (std::size_t k = 0; k < near.size(); ++k) {
      message +=
          (k == 0 ? "; near matches: " : ", ") + search.name(near[k]) + " (" + search.reading(near[k]) + ")";
    }
    throw CommandFailure(message);
  }
  const auto lineList = linesByStation();
  Json list = Json::array();
  std::string text;
  for (const StationNo s : stations) {
    const FoundStation found = describe(engine, s, lineList);
    if (inv.json) {
      list.push_back(asJson(search, found));
    } else {
      text += asText(search, found);
    }
  }
  if (inv.json) {
    printJson(inv, {{"command", "find"}, {"text", typed}, {"stations", list}});
  } else {
    printText(text);
  }
}

}  // namespace kiv::cli
