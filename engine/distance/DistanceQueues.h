// A queue of the shortest-distance searches that gives out the smallest
// distance first and, among equal distances, the highest slot: the order in
// which the plain scan settles them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kiv {

struct QueueEntry {
  int distance = 0;
  int slot = 0;
};

// A ring of buckets, one per distance, each a heap of slots, for a search
// in which no edge is shorter than nothing nor longer than `longest`: then
// every distance waiting lies between the last one given out and that plus
// `longest`, so that a ring of more buckets than that never mixes two
// distances in one bucket. Keeps its buckets from one search to the next.
class BucketQueue {
 public:
  // Empties the queue for a search whose longest edge is `longest` (>= 0).
  void reset(int longest) {
    std::size_t buckets = 1;
    while (buckets <= static_cast<std::size_t>(longest)) buckets *= 2;
    for (std::size_t i = 0; waiting_ > 0; ++i) {
      auto& bucket = buckets_[(static_cast<std::size_t>(current_) + i) & mask_];
      waiting_ -= bucket.size();
      bucket.clear();
    }
    if (buckets_.size() < buckets) buckets_.resize(buckets);
    mask_ = buckets - 1;
    current_ = 0;
  }
  bool empty() const { return waiting_ == 0; }
  // `distance` lies between the last distance given out (0 at first) and that plus the longest edge.
  void push(int distance, int slot) {
    auto& bucket = buckets_[static_cast<std::size_t>(distance) & mask_];
    bucket.push_back(slot);
    std::push_heap(bucket.begin(), bucket.end());
    ++waiting_;
  }
  QueueEntry pop() {
    while (buckets_[static_cast<std::size_t>(current_) & mask_].empty()) ++current_;
    auto& bucket = buckets_[static_cast<std::size_t>(current_) & mask_];
    std::pop_heap(bucket.begin(), bucket.end());
    const int slot = bucket.back();
    bucket.pop_back();
    --waiting_;
    return {current_, slot};
  }

 private:
  std::vector<std::vector<int>> buckets_;
  std::size_t mask_ = 0;
  int current_ = 0;
  std::size_t waiting_ = 0;
};

}  // namespace kiv
