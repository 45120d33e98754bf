#include "timetable/StationTimetableText.h"

#include <algorithm>
#include <cstring>

#include "text/PreparedFormat.h"
#include "text/SjisText.h"

namespace kiv::station_timetable {

using report_text::appendNumber;
using report_text::appendPadded;

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool plainName(std::string_view text) {
  return !text.empty() && std::none_of(text.begin(), text.end(), isBlank);
}

}  // namespace

namespace {

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

// Folds the bytes of one line in order: an ASCII capital becomes its small
// letter, the byte after a double-byte lead byte is kept as it is.
class LineFolder {
 public:
  char next(char byte) {
    const auto c = static_cast<unsigned char>(byte);
    if (trail_) {
      trail_ = false;
      return byte;
    }
    if (c >= 0x80) {
      trail_ = isSjisLeadByte(c);
      return byte;
    }
    return isCapital(byte) ? static_cast<char>(c - 'A' + 'a') : byte;
  }

 private:
  bool trail_ = false;
};

}  // namespace

void foldAsciiCase(std::string_view line, char* out) {
  LineFolder fold;
  for (std::size_t i = 0; i < line.size(); ++i) out[i] = fold.next(line[i]);
}

void NameTable::add(std::string_view text) {
  const std::size_t begin = texts_.size();
  texts_.append(text);
  folded_.resize(texts_.size());
  foldAsciiCase(text, &folded_[begin]);
  const bool folds = std::string_view(folded_).substr(begin) != text;
  if (text.size() < width_) {
    texts_.append(width_ - text.size(), ' ');
    folded_.append(width_ - text.size(), ' ');
  }
  begins_.push_back(static_cast<std::uint32_t>(begin));
  sizes_.push_back(static_cast<std::uint32_t>(text.size()));
  kinds_.push_back(static_cast<std::uint8_t>((plainName(text) ? 1 : 0) | (folds ? 2 : 0)));
}

Name NameTable::operator[](int k) const {
  if (k < 0 || static_cast<std::size_t>(k) >= begins_.size()) return {};
  const auto index = static_cast<std::size_t>(k);
  const std::size_t begin = begins_[index];
  const std::size_t size = sizes_[index];
  const std::size_t padded = std::max<std::size_t>(size, width_);
  const bool folds = (kinds_[index] & 2) != 0;
  const std::string_view texts(texts_);
  const std::string_view folded = folds ? std::string_view(folded_) : texts;
  return {texts.substr(begin, size),  texts.substr(begin, padded), folded.substr(begin, padded),
          folded.substr(begin, size), (kinds_[index] & 1) != 0,    folds};
}

bool readsBack(const Departure& d) {
  return d.network >= 0 && d.order >= 0 && d.value >= 0 && d.train.plain && d.terminal.plain;
}

void appendValue(std::string& out, const Departure& d) {
  appendNumber(out, d.value, 2, false, true);
  out.append(d.unit);
}

void appendDepartureLine(std::string& out, const Departure& d, bool grouping, bool folded) {
  // The layouts of the work-file formats: without grouping
  // "%03d %1d %1d %02d%4s %-32s %-24s" (code, order, kind, value + unit,
  // train, terminal); grouped by train "%03d %1d %-32s %1d %02d%4s %-24s"
  // (code, order, train, kind, value + unit, terminal).
  const char kind = d.interval ? '0' : '1';
  const std::string_view train = folded ? d.train.foldedPadded : d.train.padded;
  const std::string_view terminal = folded ? d.terminal.foldedPadded : d.terminal.padded;
  appendNumber(out, d.network, 3, false, true);
  out += ' ';
  appendNumber(out, d.order, 1, false, false);
  out += ' ';
  if (grouping) {
    appendPadded(out, train, 32, true, ' ');
    out += ' ';
  }
  out += kind;
  out += ' ';
  appendNumber(out, d.value, 2, false, true);
  appendPadded(out, d.unit, 4, false, ' ');
  out += ' ';
  if (!grouping) {
    appendPadded(out, train, 32, true, ' ');
    out += ' ';
  }
  appendPadded(out, terminal, 24, true, ' ');
}

std::vector<std::uint32_t> sortedOrder(std::string_view text, const std::vector<LineSpan>& lines) {
  // The sort keys: a line without a capital is its own key.
  std::string keys(text);
  for (const LineSpan& line : lines) {
    const std::string_view bytes = text.substr(line.begin, line.end - line.begin);
    if (std::any_of(bytes.begin(), bytes.end(), isCapital)) foldAsciiCase(bytes, &keys[line.begin]);
  }
  std::vector<std::uint32_t> order;
  sortKeys(keys, lines, order);
  return order;
}

void sortKeys(std::string_view keys, const std::vector<LineSpan>& lines, std::vector<std::uint32_t>& order) {
  const auto less = [&](std::uint32_t a, std::uint32_t b) {
    return keys.substr(lines[a].begin, lines[a].end - lines[a].begin) <
           keys.substr(lines[b].begin, lines[b].end - lines[b].begin);
  };
  order.resize(lines.size());
  for (std::uint32_t k = 0; k < order.size(); ++k) order[k] = k;
  // The departures of one station in one hour are few: a stable insertion
  // sort needs no buffer.
  if (order.size() > 32) {
    std::stable_sort(order.begin(), order.end(), less);
    return;
  }
  for (std::size_t i = 1; i < order.size(); ++i) {
    const std::uint32_t k = order[i];
    std::size_t j = i;
    for (; j > 0 && less(k, order[j - 1]); --j) order[j] = order[j - 1];
    order[j] = k;
  }
}

}  // namespace kiv::station_timetable
