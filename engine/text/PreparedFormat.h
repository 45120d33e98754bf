// Filling printf-style formats without printf: the route records, search
// log lines and timetable lines that the fast searches write by the hundred,
// byte for byte as snprintf fills the same formats.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::report_text {

// One argument of a format: a text or a number.
struct FormatArg {
  FormatArg(const char* s) : text(s) {}
  FormatArg(std::string_view s) : text(s) {}
  FormatArg(const std::string& s) : text(s) {}
  FormatArg(int n) : number(n), isNumber(true) {}
  std::string_view text;
  int number = 0;
  bool isNumber = false;
};

// A format of the report read once into its literal pieces (their line
// ends already CR LF when `crlf` is set) and its conversions, so that filling
// it for every line of a timetable parses nothing. Fills as snprintf does:
// "%s" and "%d", each with an optional "-" (left aligned) or "0" (zero
// padded, numbers) and a width, and "%%". A conversion without an argument
// of its kind is written as nothing; a text argument is padded by its bytes
// as given and then written with its line ends as CR LF too.
class PreparedFormat {
 public:
  PreparedFormat(std::string_view format, bool crlf);
  void append(std::string& out, std::initializer_list<FormatArg> args) const;

 private:
  struct Piece {
    std::string literal;  // written before the conversion
    bool conversion = false;
    bool number = false;
    bool left = false;
    bool zeros = false;
    std::size_t width = 0;
  };
  std::vector<Piece> pieces_;
  bool crlf_ = false;
};

// Appends `format` filled from `args` as PreparedFormat fills it.
void appendFormatted(std::string& out, std::string_view format, std::initializer_list<FormatArg> args,
                     bool crlf = false);

// Appends `text` padded with `pad` to `width` bytes, on the right when
// `left` is set (then with blanks), else on the left.
void appendPadded(std::string& out, std::string_view text, std::size_t width, bool left, char pad);
// Appends `value` in decimal as "%d" with the given width and flags does.
void appendNumber(std::string& out, int value, std::size_t width, bool left, bool zeros);

}  // namespace kiv::report_text
