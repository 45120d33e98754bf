#include "timetable/StationTimetableText.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "text/SjisText.h"

namespace kiv::station_timetable {

namespace {

void appendPadded(std::string& out, std::string_view text, std::size_t width, bool left, char pad) {
  const std::size_t fill = text.size() < width ? width - text.size() : 0;
  if (!left) out.append(fill, pad);
  out.append(text);
  if (left) out.append(fill, ' ');
}

void appendNumber(std::string& out, int value, std::size_t width, bool left, bool zeros) {
  char digits[16];
  char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  std::string_view text(digits, static_cast<std::size_t>(end - digits));
  if (!zeros || left || text.size() >= width) {
    appendPadded(out, text, width, left, ' ');
    return;
  }
  // Zeros go between the sign and the digits.
  if (text.front() == '-') {
    out += '-';
    text.remove_prefix(1);
    --width;
  }
  appendPadded(out, text, width, false, '0');
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool plainName(const char* name) {
  const std::string_view text(name);
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

namespace {

// Appends literal text, its line ends as CR LF when `crlf` is set.
void appendLiteral(std::string& out, std::string_view text, bool crlf) {
  if (!crlf) {
    out.append(text);
    return;
  }
  // The pieces are a few bytes each: a plain loop, no search.
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    out.append(text.substr(start, i - start)).append("\r\n");
    start = i + 1;
  }
  out.append(text.substr(start));
}

}  // namespace

void appendFormatted(std::string& out, std::string_view format, std::initializer_list<FormatArg> args,
                     bool crlf) {
  const FormatArg* arg = args.begin();
  std::size_t i = 0;
  while (i < format.size()) {
    const std::size_t percent = format.find('%', i);
    if (percent == std::string_view::npos) {
      appendLiteral(out, format.substr(i), crlf);
      return;
    }
    appendLiteral(out, format.substr(i, percent - i), crlf);
    i = percent + 1;
    bool left = false;
    bool zeros = false;
    for (; i < format.size() && (format[i] == '-' || format[i] == '0'); ++i)
      (format[i] == '-' ? left : zeros) = true;
    std::size_t width = 0;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
      width = width * 10 + static_cast<std::size_t>(format[i] - '0');
    if (i >= format.size()) return;
    const char conversion = format[i++];
    if (conversion == '%') {
      out += '%';
      continue;
    }
    const bool number = conversion == 'd';
    if (arg == args.end() || arg->isNumber != number) continue;
    if (number) {
      appendNumber(out, arg->number, width, left, zeros);
    } else {
      // Padded by its bytes as given, then written with its line ends.
      const std::size_t fill = arg->text.size() < width ? width - arg->text.size() : 0;
      if (!left) out.append(fill, ' ');
      appendLiteral(out, arg->text, crlf);
      if (left) out.append(fill, ' ');
    }
    ++arg;
  }
}

bool readsBack(const Departure& d) {
  return d.network >= 0 && d.order >= 0 && d.value >= 0 && plainName(d.train) && plainName(d.terminal);
}

void appendDepartureLine(std::string& out, const Departure& d, bool grouping) {
  // The layouts of the work-file formats: without grouping
  // "%03d %1d %1d %02d%4s %-32s %-24s" (code, order, kind, value + unit,
  // train, terminal); grouped by train "%03d %1d %-32s %1d %02d%4s %-24s"
  // (code, order, train, kind, value + unit, terminal).
  const char kind = d.interval ? '0' : '1';
  appendNumber(out, d.network, 3, false, true);
  out += ' ';
  appendNumber(out, d.order, 1, false, false);
  out += ' ';
  if (grouping) {
    appendPadded(out, d.train, 32, true, ' ');
    out += ' ';
  }
  out += kind;
  out += ' ';
  appendNumber(out, d.value, 2, false, true);
  appendPadded(out, d.unit, 4, false, ' ');
  out += ' ';
  if (!grouping) {
    appendPadded(out, d.train, 32, true, ' ');
    out += ' ';
  }
  appendPadded(out, d.terminal, 24, true, ' ');
}

std::vector<std::uint32_t> sortedOrder(std::string_view text, const std::vector<LineSpan>& lines) {
  // The sort keys: a line without a capital is its own key.
  std::string keys(text);
  for (const LineSpan& line : lines) {
    const std::string_view bytes = text.substr(line.begin, line.end - line.begin);
    bool capital = false;
    for (const char c : bytes) capital |= isCapital(c);
    if (capital) foldAsciiCase(bytes, &keys[line.begin]);
  }
  const auto less = [&](std::uint32_t a, std::uint32_t b) {
    const std::string_view all(keys);
    return all.substr(lines[a].begin, lines[a].end - lines[a].begin) <
           all.substr(lines[b].begin, lines[b].end - lines[b].begin);
  };
  std::vector<std::uint32_t> order(lines.size());
  for (std::uint32_t k = 0; k < order.size(); ++k) order[k] = k;
  // The departures of one station in one hour are few: a stable insertion
  // sort needs no buffer.
  if (order.size() > 32) {
    std::stable_sort(order.begin(), order.end(), less);
    return order;
  }
  for (std::size_t i = 1; i < order.size(); ++i) {
    const std::uint32_t k = order[i];
    std::size_t j = i;
    for (; j > 0 && less(k, order[j - 1]); --j) order[j] = order[j - 1];
    order[j] = k;
  }
  return order;
}

}  // namespace kiv::station_timetable
