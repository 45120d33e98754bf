// The route list files of RDiaMan: the time-ordered and fare-ordered lists
// derived from the detection-ordered "$MltRtL1.kv4", and the text
// description of one route for the user's export.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/BinaryIO.h"
#include "fare/UnknownFare.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteListSorting.h"

namespace kiv {

using route_lists::recordType;
using route_lists::word;

namespace {

const char* const kOrderFiles[] = {work_files::kRouteListFound, work_files::kRouteListTime,
                                   work_files::kRouteListFare};

}  // namespace

// A route file read for writeRouteDetail: its lines split into words, and
// the lines of each route number (word `numberWord` of its records).
struct RDiaMan::ParsedRouteFile {
  std::vector<std::uint8_t> bytes;  // as read, to know the file again
  std::vector<std::vector<std::string>> words;
  std::vector<char> types;
  std::unordered_map<int, std::vector<int>> linesOf;
  std::vector<int> headers;  // the lines of type '0'

  bool read(const std::filesystem::path& file, std::size_t numberWord) {
    std::vector<std::string> lines;
    if (!report_text::readLines(file, lines)) return false;
    words.clear();
    types.clear();
    linesOf.clear();
    headers.clear();
    for (const std::string& line : lines) {
      const int k = static_cast<int>(words.size());
      words.push_back(report_text::words(line));
      types.push_back(recordType(line));
      if (types.back() == '0') headers.push_back(k);
      if (words.back().size() > numberWord) linesOf[std::atoi(words.back()[numberWord].c_str())].push_back(k);
    }
    return true;
  }
  // The lines of route `number` and the header lines, in file order.
  std::vector<int> routeLines(int number, bool withHeaders) const {
    std::vector<int> found;
    if (const auto at = linesOf.find(number); at != linesOf.end()) found = at->second;
    if (withHeaders) {
      found.insert(found.end(), headers.begin(), headers.end());
      std::sort(found.begin(), found.end());
      found.erase(std::unique(found.begin(), found.end()), found.end());
    }
    return found;
  }
};

const RDiaMan::ParsedRouteFile* RDiaMan::routeFile(const std::filesystem::path& file, std::size_t numberWord,
                                                   std::shared_ptr<ParsedRouteFile>& kept) {
  // The descriptions of a list are written route by route: the files are
  // split once and known again by their bytes.
  auto bytes = readWholeFile(file);
  if (!bytes) return nullptr;
  if (kept && kept->bytes == *bytes) return kept.get();
  kept = std::make_shared<ParsedRouteFile>();
  if (!kept->read(file, numberWord)) {
    kept.reset();
    return nullptr;
  }
  kept->bytes = std::move(*bytes);
  return kept.get();
}

int RDiaMan::sortRouteLists(int count) {
  return route_lists::sortRouteListFiles(dataDir_, count, route_lists::kWholeSortedLists, workFileProblem_);
}

int RDiaMan::writeRouteDetail(const std::filesystem::path& file, const char* mode, int detection, int order,
                              int row) {
  if (order < 1 || order > 3 || !mode) return -1;
  const bool append = std::string(mode) == "a";
  if (!append && std::string(mode) != "w") return -1;
  const ParsedRouteFile* list = routeFile(dataDir_ / kOrderFiles[order - 1], 2, routeListRead_);
  if (!list) return -1;
  const ParsedRouteFile* details = routeFile(dataDir_ / work_files::kRouteDetails, 1, routeDetailsRead_);
  if (!details) return -1;
  using namespace report_text;
  const auto number = [](const std::vector<std::string>& w, std::size_t i) { return std::atoi(word(w, i)); };
  work_files::WorkFileWriter out(
      file, append ? work_files::WorkFileWriter::Mode::kAppend : work_files::WorkFileWriter::Mode::kCreate);
  if (!out.isOpen()) return -1;

  // The detail records of the route, one pass per record type.
  const std::vector<int> routeDetails = details->routeLines(detection, false);
  auto eachDetail = [&](char type, auto write) {
    for (const int k : routeDetails) {
      if (details->types[static_cast<std::size_t>(k)] == type)
        write(details->words[static_cast<std::size_t>(k)]);
    }
  };
  // A fare section the data price at nothing: network, from, to, fare.
  const auto sectionUnknown = [&](const std::vector<std::string>& w) {
    return fareUnknown(work_files::RouteFareSection{detection, static_cast<NetworkCode>(number(w, 2)),
                                                    word(w, 3), word(w, 4), word(w, 5), number(w, 6)});
  };
  bool totalUnknown = false;
  eachDetail('3',
             [&](const std::vector<std::string>& w) { totalUnknown = totalUnknown || sectionUnknown(w); });

  for (const int k : list->routeLines(detection, true)) {
    const std::vector<std::string>& w = list->words[static_cast<std::size_t>(k)];
    if (list->types[static_cast<std::size_t>(k)] == '0') {
      out.line(format(kDescriptionTitle.c_str(), word(w, 1), word(w, 2), row,
                      kRouteOrderLabels[order - 1].c_str()));
      out.line(format(kDescriptionDeparture.c_str(), word(w, 3)));
    } else if (list->types[static_cast<std::size_t>(k)] == '9') {
      const int total = number(w, 4);
      out.line(format(kDescriptionArrival.c_str(), word(w, 3)));
      out.line(format(kDescriptionTotal.c_str(), format("%2d:%02d", total / 60, total % 60).c_str(),
                      number(w, 7), number(w, 8), number(w, 9)));
      out.line(totalUnknown ? std::string(kDescriptionFareUnknown.c_str())
                            : format(kDescriptionFare.c_str(), number(w, 5)));
    }
  }
  out.line("");

  eachDetail('2', [&](const std::vector<std::string>& w) {
    out.line(format(kDescriptionRide.c_str(), word(w, 2), word(w, 3), word(w, 5), word(w, 4), word(w, 6),
                    number(w, 7) + number(w, 8)));
  });
  out.line("");
  eachDetail('1', [&](const std::vector<std::string>& w) {
    out.line(
        format(kDescriptionStop.c_str(), word(w, 2), word(w, 5), word(w, 6), number(w, 3), number(w, 4)));
  });
  out.line("");
  eachDetail('3', [&](const std::vector<std::string>& w) {
    out.line(sectionUnknown(w)
                 ? format(kDescriptionFareSectionUnknown.c_str(), word(w, 3), word(w, 4), word(w, 5))
                 : format(kDescriptionFareSection.c_str(), word(w, 3), word(w, 4), word(w, 5), number(w, 6)));
  });
  out.line("");
  out.line("");
  return out.close() ? 0 : -1;
}

}  // namespace kiv
