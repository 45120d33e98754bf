// The route list as text: the descriptions of several routes of one list
// order written one after the other into one file. The route list window
// saves its selected rows with it and the command line prints a whole list
// with it, so both write the same bytes.
#pragma once

#include <filesystem>
#include <vector>

namespace kiv {

class RDiaMan;

// Writes the routes with the detection numbers `detections`, in that order,
// to `file` with RDiaMan::writeRouteDetail: the first creates the file, the
// others are appended; route k is headed with row number firstRow + k and
// the label of `order` (1 detection, 2 time, 3 fare order). 0, or -1 at the
// first route that cannot be written (the routes before it stay written).
// An empty list writes nothing and yields 0.
int writeRouteDescriptions(RDiaMan& dia, const std::filesystem::path& file, int order, int firstRow,
                           const std::vector<int>& detections);

}  // namespace kiv
