#include "timetable/TrainLinkIndex.h"

#include <algorithm>

#include "network/RTrainMan.h"
#include "timetable/RDiaMan.h"

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

void RDiaMan::forEachTrainLink(const std::function<void(TrainNo, const TrainLinkIndex::Link&)>& visit) const {
  const int n = searchStationCount();
  const int trainCount = trains_.getTrainCount();
  // The last link in which each train was seen, so that only its first
  // departure record on a link counts.
  std::vector<int> seenOnLink(static_cast<std::size_t>(std::max(trainCount, 0)) + 1, -1);
  int linkNumber = 0;
  for (StationNo p = 1; p <= n; ++p) {
    for (const DiaLinkRecord& link : linksOf(p)) {
      ++linkNumber;
      // A neighbour outside the station directory cannot be listed or followed.
      if (link.to < 1 || link.to > n) continue;
      int first = 0;
      int last = 0;
      if (clampSpan(link.firstDeparture, link.lastDeparture, departures_.size(), first, last) < 0) continue;
      for (int k = first; k <= last; ++k) {
        const DiaDepartureRecord& r = departures_[static_cast<std::size_t>(k)];
        if (r.train < 1 || r.train > trainCount) continue;
        int& seen = seenOnLink[static_cast<std::size_t>(r.train)];
        if (seen == linkNumber) continue;
        seen = linkNumber;
        visit(r.train, {p, link.to, r.rideMinutes});
      }
    }
  }
}

const TrainLinkIndex& RDiaMan::trainLinkIndex() const {
  if (trainLinkIndex_.built()) return trainLinkIndex_;
  trainLinkIndex_.begin(trains_.getTrainCount());
  forEachTrainLink([this](TrainNo t, const TrainLinkIndex::Link& link) { trainLinkIndex_.add(t, link); });
  trainLinkIndex_.finish();
  return trainLinkIndex_;
}

}  // namespace kiv
