// Which rules the route searches follow. The defaults are the searches a
// traveller can trust; each flag switched off gives back the older, literal
// behaviour of that one rule, so that the difference can be shown and the
// pruning proved not to change any result.
#pragma once

namespace kiv {

struct RouteSearchRules {
  // A departure runs only on the days its pattern serves: an hour h of the
  // search belongs to service day (day + h / 24) mod 7.
  bool serviceDays = true;
  // The multi-route search boards a frequent service as the next departure
  // of that record: half an interval on in a served hour, else at the top of
  // the next served hour (never in an hour without service).
  bool frequentServiceHours = true;
  // The fastest route keeps one label per arrival train at each station and
  // takes, among the earliest arrivals, one with the fewest changes; it
  // boards and leaves walking connections without change minutes, as the
  // multi-route search does. Off: one label per station.
  bool exactFastest = true;
  // The multi-route search follows one departure per train towards each
  // neighbour (through trains), not only the single cheapest one.
  bool throughTrains = true;
  // The multi-route search does not enter a neighbour from which the goal
  // cannot be reached within the time limit (output-neutral).
  bool lowerBoundPruning = true;

  // Every rule off: each search in its literal form, rule by rule as the
  // route list defines it.
  static constexpr RouteSearchRules literal() { return {false, false, false, false, false}; }
};

}  // namespace kiv
