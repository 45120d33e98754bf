// A check of the kilometres of the lines against each other: where one line
// has two stations as neighbours and another line of the same network runs
// between them over stations of its own, both describe the same stretch, so
// the second line's parts must add up to the first line's section. (That the
// kilometres increase along each line the parser checks already.)
#pragma once

#include "Diagnostics.h"
#include "SourceModel.h"

namespace kiv::data {

// Reports every stretch whose two descriptions disagree, at the row of the
// line that has the two stations as neighbours.
void checkLineKilometres(const SourceSet& sources, Diagnostics& diag);

}  // namespace kiv::data
