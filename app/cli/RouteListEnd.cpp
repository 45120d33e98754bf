#include "RouteListEnd.h"

#include <cstdio>

#include "CliErrors.h"

namespace kiv::cli {
namespace {

constexpr const char* kWorkBudgetSpent =
    "kiv4cli: the search was cut short: it gave up after its work budget, and more routes may exist than are "
    "listed (fewer changes, a smaller detour or fewer extra minutes let it finish)";

// Set once a route list of this run was cut by the work budget.
bool searchCut = false;

}  // namespace

void reportRouteListEnd(RDiaMan::RouteListEnd end, const char* routeLimitMessage) {
  if (end == RDiaMan::RouteListEnd::workBudget) {
    searchCut = true;
    std::fprintf(stderr, "%s\n", kWorkBudgetSpent);
  } else if (end != RDiaMan::RouteListEnd::complete) {
    std::fprintf(stderr, "%s\n", routeLimitMessage);
  }
}

bool reportEmptyCutList(RDiaMan::RouteListEnd end) {
  if (end != RDiaMan::RouteListEnd::workBudget) return false;
  reportRouteListEnd(end, "");
  return true;
}

Json withRouteListEnd(Json result, RDiaMan::RouteListEnd end) {
  result["search_cut"] = end == RDiaMan::RouteListEnd::workBudget;
  return result;
}

int commandExitStatus() { return searchCut ? kExitSearchCut : kExitSuccess; }

}  // namespace kiv::cli
