#include "text/PreparedFormat.h"

#include <charconv>

namespace kiv::report_text {

void appendPadded(std::string& out, std::string_view text, std::size_t width, bool left, char pad) {
  const std::size_t fill = text.size() < width ? width - text.size() : 0;
  if (!left && fill) out.append(fill, pad);
  out.append(text);
  if (left && fill) out.append(fill, ' ');
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

namespace {

// Appends literal text, its line ends as CR LF when `crlf` is set.
void appendLiteral(std::string& out, std::string_view text, bool crlf) {
  std::size_t start = 0;
  for (std::size_t end; crlf && (end = text.find('\n', start)) != std::string_view::npos; start = end + 1)
    out.append(text.substr(start, end - start)).append("\r\n");
  out.append(text.substr(start));
}

}  // namespace

PreparedFormat::PreparedFormat(std::string_view format, bool crlf) : crlf_(crlf) {
  std::string literal;
  std::size_t i = 0;
  while (i < format.size()) {
    const std::size_t percent = format.find('%', i);
    if (percent == std::string_view::npos) {
      literal.append(format.substr(i));
      break;
    }
    literal.append(format.substr(i, percent - i));
    i = percent + 1;
    Piece piece;
    for (; i < format.size() && (format[i] == '-' || format[i] == '0'); ++i)
      (format[i] == '-' ? piece.left : piece.zeros) = true;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
      piece.width = piece.width * 10 + static_cast<std::size_t>(format[i] - '0');
    // A conversion cut off by the end of the format ends it.
    if (i >= format.size()) break;
    const char conversion = format[i++];
    if (conversion == '%') {
      literal += '%';
      continue;
    }
    piece.conversion = true;
    piece.number = conversion == 'd';
    appendLiteral(piece.literal, literal, crlf);
    literal.clear();
    pieces_.push_back(std::move(piece));
  }
  Piece tail;
  appendLiteral(tail.literal, literal, crlf);
  pieces_.push_back(std::move(tail));
}

void PreparedFormat::append(std::string& out, std::initializer_list<FormatArg> args) const {
  const FormatArg* arg = args.begin();
  for (const Piece& piece : pieces_) {
    out.append(piece.literal);
    if (!piece.conversion || arg == args.end() || arg->isNumber != piece.number) continue;
    if (piece.number) {
      appendNumber(out, arg->number, piece.width, piece.left, piece.zeros);
    } else {
      // Padded by its bytes as given, then written with its line ends.
      const std::size_t fill = arg->text.size() < piece.width ? piece.width - arg->text.size() : 0;
      if (!piece.left) out.append(fill, ' ');
      appendLiteral(out, arg->text, crlf_);
      if (piece.left) out.append(fill, ' ');
    }
    ++arg;
  }
}

void appendFormatted(std::string& out, std::string_view format, std::initializer_list<FormatArg> args,
                     bool crlf) {
  PreparedFormat(format, crlf).append(out, args);
}

}  // namespace kiv::report_text
