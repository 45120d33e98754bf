#include "fare/UnknownFare.h"

#include <variant>

#include "fare/FareSections.h"

namespace kiv {

bool fareUnknown(const work_files::RouteFareSection& section) {
  return fareUnknown(section.fare, section.network == kWalkingNetworkCode, section.from == section.to);
}

bool fareUnknown(const FoundRoute& route) {
  for (const auto& record : route.details) {
    const auto* section = std::get_if<work_files::RouteFareSection>(&record);
    if (section && fareUnknown(*section)) return true;
  }
  return false;
}

std::set<int> routesOfUnknownFare(const work_files::RouteDetail& details) {
  std::set<int> routes;
  for (const work_files::RouteFareSection& section : details.fares) {
    if (fareUnknown(section)) routes.insert(section.detection);
  }
  return routes;
}

}  // namespace kiv
