// The links each train serves, grouped by train: for every link record of
// the timetable, the first departure record of each train on it. Built once
// from the timetable (which never changes after load) for the tables that
// follow one train through the network.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Types.h"

namespace kiv {

class TrainLinkIndex {
 public:
  // One link of a train: the hop from `from` to `to` with the riding minutes
  // of the train's first departure record on the link.
  struct Link {
    StationNo from = 0;
    StationNo to = 0;
    std::int16_t rideMinutes = 0;
  };

  bool built() const { return built_; }
  // Starts a new index for trains 1..trainCount.
  void begin(int trainCount);
  // Adds a link of `train` (ignored outside 1..trainCount). Links are added
  // by `from` station ascending and in link file order within a station;
  // each train keeps that order.
  void add(TrainNo train, const Link& link);
  // Groups the added links by train; the index is then ready.
  void finish();

  // The links of `train` in the order they were added, grouped by `from`
  // station; empty for an unknown train or before finish.
  std::span<const Link> linksOf(TrainNo train) const;

 private:
  bool built_ = false;
  int trainCount_ = 0;
  std::vector<std::pair<TrainNo, Link>> added_;
  std::vector<Link> links_;
  std::vector<int> start_;  // trainCount + 2 entries: links of t are start_[t] .. start_[t + 1] - 1
};

}  // namespace kiv
