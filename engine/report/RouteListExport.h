// The route list as text: the descriptions of several routes of one list
// order written one after the other into one file. The route list window
// saves its selected rows with it and the command line prints a whole list
// with it, so both write the same bytes.
#pragma once

#include <filesystem>
#include <vector>

#include "report/WorkFiles.h"

namespace kiv {

class RDiaMan;

// Writes the routes with the detection numbers `detections`, in that order,
// to `file`: route k is headed with row number firstRow + k and the label
// of `order` (1 detection, 2 time, 3 fare order), described from the list
// of that order and the route details in `dataDir`, each file read once.
// 0; -1 (for an order other than 1..3, lists that cannot be read, or a
// file that cannot be written completely). An empty list writes nothing
// and yields 0.
int writeRouteDescriptions(const std::filesystem::path& dataDir, const std::filesystem::path& file, int order,
                           int firstRow, const std::vector<int>& detections);

// The same from a list of that order and the route details already read.
int writeRouteDescriptions(const work_files::RouteList& list, const work_files::RouteDetail& details,
                           const std::filesystem::path& file, int order, int firstRow,
                           const std::vector<int>& detections);

// The same through RDiaMan::writeRouteDetail, one route at a time: the
// first creates the file, the others are appended (the routes before a
// failed one stay written). The tests hold the one above to its output.
int writeRouteDescriptions(RDiaMan& dia, const std::filesystem::path& file, int order, int firstRow,
                           const std::vector<int>& detections);

}  // namespace kiv
