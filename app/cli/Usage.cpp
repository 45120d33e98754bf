#include "Usage.h"

#include <string>

#include "Arguments.h"
#include "CommandTable.h"

namespace kiv::cli {
namespace {

constexpr std::string_view kSynopsis =
    "usage: kiv4cli [-C DIR] [--sjis] COMMAND [STATIONS] [OPTIONS]\n"
    "       kiv4cli help [COMMAND]\n"
    "       kiv4cli --version\n";

constexpr std::string_view kIntroduction = R"(
Journeys, fares and timetables of the railways of the Tokyo region, from the
data files of the data directory (the current directory, or the one of -C).
Results are printed as UTF-8 text; --json gives them as JSON for scripts.

A station is its name in kanji (東京), its kana reading (とうきょう or
トウキョウ) or #N for station number N (see the find command). Small and large
kana (ヶ and ケ) and old and new kanji (鶯 and 鴬) are taken alike; a text that
fits no station, or several, fails with the near matches.
)";

constexpr std::string_view kClosing = R"(  -h, --help               show this help
  --version                show the version of kiv4cli

'kiv4cli help COMMAND' shows one command with examples and the files it
writes.

Exit status: 0 done; 1 the command failed (the message is on standard
error); 2 the command line is wrong; 3 a route search was cut short by its
work budget (the routes found so far are listed).

FILES
  The data directory holds the data files (StaName.kv4, StaAttr.kv4,
  StaIdx.kv4, StaFare.kv4, Train.kv4, Transfer.kv4, DiaIdx1.kv4, DiaIdx2.kv4,
  Diagram2.kv4, DistJR.kv4, DistPR.kv4, DistIdx.kv4, FAREIDX.KV4, FAREF.KV4,
  FARER.KV4, FAREW.KV4), the line list kiv4line.dat, the settings Kiv4.def
  (shared with the windowed program) and the work files the commands write.
)";

constexpr std::size_t kWidth = 79;
constexpr std::size_t kTextColumn = 27;

// The columns a UTF-8 text takes on a terminal: two for each character of
// three or four bytes (kanji, kana), one for the others.
std::size_t columns(std::string_view text) {
  std::size_t n = 0;
  for (const unsigned char c : text) n += (c & 0xC0) == 0x80 ? 0 : c >= 0xE0 ? 2 : 1;
  return n;
}

// The text wrapped at blanks into lines of at most kWidth columns, the
// first starting at `column`, the others indented to `indent`.
std::string wrapped(std::string_view text, std::size_t column, std::size_t indent = kTextColumn) {
  std::string out;
  std::size_t at = column;
  bool lineStart = true;
  while (!text.empty()) {
    const auto blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
    if (!lineStart && at + 1 + columns(word) > kWidth) {
      out.append("\n").append(indent, ' ');
      at = indent;
      lineStart = true;
    }
    if (!lineStart) {
      out += ' ';
      ++at;
    }
    out += word;
    at += columns(word);
    lineStart = false;
  }
  return out;
}

// "  NAME VALUE   text" lines for the blank-separated option names.
std::string optionLines(std::string_view names, std::size_t indent) {
  std::string out;
  while (!names.empty()) {
    const auto blank = names.find(' ');
    const std::string_view name = names.substr(0, blank);
    names.remove_prefix(blank == std::string_view::npos ? names.size() : blank + 1);
    const OptionHelp* help = optionHelp(name);
    if (help == nullptr) continue;
    std::string head = std::string(indent, ' ') + std::string(help->name);
    if (!help->valueName.empty()) head.append(" ").append(help->valueName);
    head.resize(std::max(head.size() + 1, kTextColumn), ' ');
    out += head + wrapped(help->text, head.size()) + "\n";
  }
  return out;
}

std::string commandHead(const CommandSpec& c) {
  std::string head = "  " + std::string(c.name);
  if (!c.operands.empty()) head.append(" ").append(c.operands);
  head.resize(std::max(head.size() + 1, kTextColumn - 2), ' ');
  return head + wrapped(c.summary, head.size(), kTextColumn - 2) + "\n";
}

// Each line of a block of text, indented.
std::string indented(std::string_view text, std::string_view indent) {
  std::string out;
  while (!text.empty()) {
    const auto end = text.find('\n');
    out += std::string(indent) + std::string(text.substr(0, end)) + "\n";
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return out;
}

}  // namespace

std::string_view helpText() {
  static const std::string text = [] {
    std::string t = std::string(kSynopsis) + std::string(kIntroduction) + "\nCommands:\n";
    for (const CommandSpec& c : commandTable()) t += commandHead(c) + optionLines(c.options, 6);
    t += "\nFor every command:\n" + optionLines(globalOptionNames(), 2) + std::string(kClosing);
    return t;
  }();
  return text;
}

std::string commandHelpText(std::string_view name) {
  const CommandSpec* c = findCommand(name);
  if (c == nullptr) return std::string(helpText());
  std::string t = "usage: kiv4cli [-C DIR] " + std::string(c->name);
  if (!c->operands.empty()) t.append(" ").append(c->operands);
  t += c->options.empty() ? "\n" : " [OPTIONS]\n";
  t.append("\n").append(c->description).append("\n\nOptions:\n");
  t += optionLines(c->options, 2) + optionLines(globalOptionNames(), 2);
  t += "\nExamples (on the sample network):\n" + indented(c->examples, "  ");
  if (!c->files.empty()) t += "\nFILES (in the data directory)\n" + indented(c->files, "  ");
  return t;
}

std::string_view usageText() {
  static const std::string text = [] {
    std::string t = std::string(kSynopsis) + "commands:";
    for (const CommandSpec& c : commandTable()) t.append(" ").append(c.name);
    return t + "\ntry 'kiv4cli help' or 'kiv4cli help COMMAND' for the options\n";
  }();
  return text;
}

std::string_view versionText() { return "kiv4cli " KIV_VERSION "\n"; }

}  // namespace kiv::cli
