// The best-routes search: every journey from one station to another that no
// other journey beats, over the next departures.
//
// A journey has four criteria: its departure from the origin (later is
// better), its arrival (earlier is better), its changes (fewer is better;
// boarding a walking connection is no change) and its fare, priced section by
// section as the route list prices it (lower is better). One journey
// dominates another when it is at least as good on all four and better on
// one. The search returns every journey that departs at or after the given
// time, arrives by the deadline and changes at most the allowed times, that
// no other such journey dominates; of journeys equal on all four it keeps
// the one with less walking, then less waiting, then the one found first.
//
// Journeys leave the origin at the given time, at a later timed departure of
// the origin, or at the start of a later service day (a frequent service is
// boarded half an interval after the passenger comes, so it gives no
// departure times of its own). Each ride takes the next departure of its
// train, under the boarding rules of the multi-route search. A journey lies
// within one service day (4:00 to 4:00): rather than wait at a change
// station for the next day's first trains, it starts on that day.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Types.h"
#include "timetable/FoundRoute.h"
#include "timetable/RouteDescription.h"
#include "timetable/TimetableSearch.h"

namespace kiv {

// Times are minutes after midnight of the search's day; 1440 and more are
// on the following service days.
struct BestRoutesQuery {
  StationNo from = 0;
  StationNo to = 0;
  int day = 0;                // day code of the search's day (0 Sunday .. 6 Saturday)
  int earliestDeparture = 0;  // no journey leaves the origin before this
  // No journey arrives after this; 0 in a forward search: the earliest
  // arrival of any journey plus extraMinutes.
  int latestArrival = 0;
  int extraMinutes = 0;
  int maxChanges = 0;
  int maxRoutes = 1;  // the length of the list returned
  // Arrive-by: the time at the origin takes the place of the departure
  // (a frequent first ride leaves half an interval after the passenger
  // comes), and the list leads with the latest (then changes, fare, earlier
  // arrival). The latest time to be at the origin and still arrive by
  // latestArrival is sought minute by minute; then the timed departures of
  // the origin up to `window` minutes before it are added.
  bool arriveBy = false;
  int window = 0;
  // Asked now and then with the number of journeys kept so far; false stops
  // the search, which then returns what it has, as a cut list.
  std::function<bool(int found)> keepGoing;
};

// One journey of the result: its stops, its criteria and its records.
struct Journey {
  std::vector<RouteStopTimes> stops;
  int start = 0;      // minutes, the time the search had the passenger at the origin
  int departure = 0;  // minutes, the first ride's departure
  int arrival = 0;
  int changes = 0;
  int fare = 0;
  int walking = 0;   // walking minutes, changes and walking connections
  int waiting = 0;   // waiting minutes at change stations
  FoundRoute route;  // the records of the route list files
  // Marks among the listed journeys: the earliest arrival, the fewest
  // changes, the lowest fare.
  bool earliest = false;
  bool fewestChanges = false;
  bool cheapest = false;
};

struct BestRoutesResult {
  std::vector<Journey> journeys;  // in the order of the list
  bool cut = false;               // the set held more journeys than the list
  bool stopped = false;           // keepGoing said stop
  int deadline = 0;               // the latest arrival the search allowed
  long labels = 0;                // labels the search made, for the benchmarks
};

// Working state of the search, owned by the caller and reused from one
// search to the next; it keeps nothing a result depends on.
struct BestRoutesState {
  std::vector<int> boundGoalCache;
  StationNo boundGoal = 0;
  std::uint64_t boundUse = 0;
};

BestRoutesResult searchBestRoutes(const TimetableNetwork& network, BestRoutesState& state,
                                  const BestRoutesQuery& query);

// Marks the earliest arrival, the fewest changes and the lowest fare among
// the journeys (all that share the best value).
void markJourneys(std::vector<Journey>& journeys);

}  // namespace kiv
