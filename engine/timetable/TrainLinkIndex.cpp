#include "timetable/TrainLinkIndex.h"

#include <algorithm>

#include "network/RTrainMan.h"

namespace kiv {

void TrainLinkIndex::begin(int trainCount) {
  built_ = false;
  trainCount_ = trainCount < 0 ? 0 : trainCount;
  added_.clear();
  links_.clear();
  start_.clear();
}

void TrainLinkIndex::add(TrainNo train, const Link& link) {
  if (train < 1 || train > trainCount_) return;
  added_.emplace_back(train, link);
}

void TrainLinkIndex::finish() {
  // A counting sort by train keeps the order of the links within a train.
  start_.assign(static_cast<std::size_t>(trainCount_) + 2, 0);
  for (const auto& [train, link] : added_) ++start_[static_cast<std::size_t>(train) + 1];
  for (std::size_t t = 1; t < start_.size(); ++t) start_[t] += start_[t - 1];
  std::vector<int> next(start_.begin(), start_.end() - 1);
  links_.resize(added_.size());
  for (const auto& [train, link] : added_)
    links_[static_cast<std::size_t>(next[static_cast<std::size_t>(train)]++)] = link;
  added_ = {};
  built_ = true;
}

std::span<const TrainLinkIndex::Link> TrainLinkIndex::linksOf(TrainNo train) const {
  if (!built_ || train < 1 || train > trainCount_) return {};
  const auto t = static_cast<std::size_t>(train);
  return std::span(links_).subspan(static_cast<std::size_t>(start_[t]),
                                   static_cast<std::size_t>(start_[t + 1] - start_[t]));
}

}  // namespace kiv
