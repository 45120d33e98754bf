// The work a fuzz target asks of an engine built on fuzzed data: every kind
// of lookup and search once, small enough to run thousands of times.
#pragma once

namespace kiv {
class Engine;
}

namespace kiv::fuzz {

void runEngineQueries(Engine& engine);

}  // namespace kiv::fuzz
