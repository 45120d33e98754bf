#include "LineKilometres.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace kiv::data {
namespace {

std::string kmText(int tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

// Row index of each station of a line (the closing row of a ring is left out).
std::map<std::string, std::size_t> rowsOf(const LineDef& line) {
  std::map<std::string, std::size_t> rows;
  for (std::size_t i = 0; i < line.rows.size(); ++i) rows.emplace(line.rows[i].name, i);
  return rows;
}

// Checks the section rows[i - 1]..rows[i] of `line` against `other`.
void checkSection(const LineDef& line, std::size_t i, const LineDef& other,
                  const std::map<std::string, std::size_t>& lineRows,
                  const std::map<std::string, std::size_t>& otherRows, Diagnostics& diag) {
  const LineRow& a = line.rows[i - 1];
  const LineRow& c = line.rows[i];
  const auto ia = otherRows.find(a.name);
  const auto ic = otherRows.find(c.name);
  if (ia == otherRows.end() || ic == otherRows.end()) return;
  const std::size_t lo = std::min(ia->second, ic->second);
  const std::size_t hi = std::max(ia->second, ic->second);
  if (hi - lo < 2) return;  // neighbours there too: one shared section
  // The other line must run between them over stations the first line lacks.
  for (std::size_t k = lo + 1; k < hi; ++k)
    if (lineRows.count(other.rows[k].name) != 0) return;
  const int here = c.km - a.km;
  const int there = std::abs(other.rows[ic->second].km - other.rows[ia->second].km);
  if (here == there) return;
  diag.error(c.loc, a.name + "-" + c.name + " is " + kmText(here) + " km on " + line.name + " but " +
                        kmText(there) + " km on " + other.name + " (" + formatLoc(other.loc) + ")");
}

}  // namespace

void checkLineKilometres(const SourceSet& sources, Diagnostics& diag) {
  std::vector<std::map<std::string, std::size_t>> rows;
  rows.reserve(sources.lines.size());
  for (const LineDef& line : sources.lines) rows.push_back(rowsOf(line));
  for (std::size_t l = 0; l < sources.lines.size(); ++l) {
    const LineDef& line = sources.lines[l];
    for (std::size_t o = 0; o < sources.lines.size(); ++o) {
      const LineDef& other = sources.lines[o];
      if (o == l || other.network != line.network) continue;
      for (std::size_t i = 1; i < line.rows.size(); ++i) checkSection(line, i, other, rows[l], rows[o], diag);
    }
  }
}

}  // namespace kiv::data
