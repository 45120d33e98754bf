// The load-time check of the spans an index file gives into a table of
// records (1-based, inclusive). A span reaching past the records is cut to
// them where it is used; spans that together claim far more records than
// exist (every station owning the whole timetable) would make every search
// run over the whole table at every step, so such an index is not used.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kiv {

class SpanCheck {
 public:
  explicit SpanCheck(std::size_t records) : records_(records) {}

  // Adds the span first..last; a first or last below 1, or a first after the
  // last, is an empty span (the files' way of saying "none"). False when
  // the span reaches outside the records.
  bool add(std::int64_t first, std::int64_t last) {
    if (first < 1 || last < 1 || first > last) return true;
    const auto count = static_cast<std::int64_t>(records_);
    if (first <= count) claimed_ += static_cast<std::size_t>(std::min(last, count) - first + 1);
    return last <= count;
  }

  // True when the spans, cut to the records, claim more than twice the
  // records there are: far more overlap than any sound index has.
  bool claimsTooMuch() const { return claimed_ > 2 * records_; }
  std::size_t claimed() const { return claimed_; }

  // "first..last" for messages.
  static std::string text(std::int64_t first, std::int64_t last) {
    return std::to_string(first) + ".." + std::to_string(last);
  }

 private:
  std::size_t records_;
  std::size_t claimed_ = 0;
};

}  // namespace kiv
