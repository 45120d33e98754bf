#include "report/RouteListExport.h"

#include <cstddef>

#include "timetable/RDiaMan.h"

namespace kiv {

int writeRouteDescriptions(RDiaMan& dia, const std::filesystem::path& file, int order, int firstRow,
                           const std::vector<int>& detections) {
  for (std::size_t k = 0; k < detections.size(); ++k) {
    const char* mode = k == 0 ? "w" : "a";
    if (dia.writeRouteDetail(file, mode, detections[k], order, firstRow + static_cast<int>(k)) != 0)
      return -1;
  }
  return 0;
}

}  // namespace kiv
