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

// A ring of buckets, one per distance, for a search in which no edge is
// shorter than nothing nor longer than `longest`: then every distance
// waiting lies between the last one given out and that plus `longest`, so
// that a ring of more buckets than that never mixes two distances in one
// bucket. Each bucket is a list threaded through one pool of entries, and
// the bucket being given out a heap of slots: a fresh queue allocates a few
// blocks, not one per distance. Keeps its blocks from one search to the next.
class BucketQueue {
 public:
  // Empties the queue for a search whose longest edge is `longest` (>= 0).
  void reset(int longest) {
    std::size_t buckets = 1;
    while (buckets <= static_cast<std::size_t>(longest)) buckets *= 2;
    first_.assign(buckets, kNone);
    entries_.clear();
    current_.clear();
    mask_ = buckets - 1;
    distance_ = 0;
    waiting_ = 0;
  }
  bool empty() const { return waiting_ == 0; }
  // `distance` lies between the last distance given out (0 at first) and that plus the longest edge.
  void push(int distance, int slot) {
    ++waiting_;
    if (distance == distance_) {
      current_.push_back(slot);
      std::push_heap(current_.begin(), current_.end());
      return;
    }
    std::uint32_t& first = first_[static_cast<std::size_t>(distance) & mask_];
    entries_.push_back({slot, first});
    first = static_cast<std::uint32_t>(entries_.size() - 1);
  }
  QueueEntry pop() {
    while (current_.empty()) {
      // The next distance's bucket becomes the heap given out.
      ++distance_;
      std::uint32_t& first = first_[static_cast<std::size_t>(distance_) & mask_];
      for (std::uint32_t e = first; e != kNone; e = entries_[e].next) current_.push_back(entries_[e].slot);
      first = kNone;
      std::make_heap(current_.begin(), current_.end());
    }
    std::pop_heap(current_.begin(), current_.end());
    const int slot = current_.back();
    current_.pop_back();
    --waiting_;
    return {distance_, slot};
  }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  struct Entry {
    int slot;
    std::uint32_t next;  // the entry pushed before it into the same bucket
  };
  std::vector<std::uint32_t> first_;  // by bucket: the entry pushed last, or kNone
  std::vector<Entry> entries_;
  std::vector<int> current_;  // the slots waiting at distance_, a heap
  std::size_t mask_ = 0;
  int distance_ = 0;
  std::size_t waiting_ = 0;
};

}  // namespace kiv
