#include "Parser.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "SourceText.h"
#include "data/BinaryIO.h"

namespace kiv::data {

namespace {

constexpr int kMaxNetworkCode = 32767;
constexpr const char* kBlankHint = " (names cannot contain an ASCII blank)";

bool isTopKeyword(const std::string& w) {
  return w == "line" || w == "train" || w == "walk" || w == "change" || w == "fare" || w == "reduce" ||
         w == "link";
}

class FileParser {
 public:
  FileParser(const SourceFile& file, SourceSet& out, Diagnostics& diag)
      : file_(file), out_(out), diag_(diag) {}

  void run() {
    std::string_view text = file_.text;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
      std::size_t nl = text.find('\n', pos);
      std::string_view line = text.substr(pos, nl == std::string_view::npos ? text.npos : nl - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      loc_ = SourceLoc{file_.name, ++lineNo};
      if (!isValidUtf8(line))
        error("the text line is not valid UTF-8");
      else if (line.find('\r') != std::string_view::npos)
        error("carriage return inside the text line: line ends must be LF or CR LF");
      else
        parseLine(line);
      if (nl == std::string_view::npos) break;
      pos = nl + 1;
    }
  }

 private:
  enum class Block { None, Line, Train };

  void error(const std::string& message) { diag_.error(loc_, message); }

  bool station(const std::string& name) {
    std::string why = checkStationName(name);
    if (why.empty()) return true;
    error(why);
    return false;
  }

  bool network(const std::string& word, int& code) {
    auto value = parseCount(word);
    if (!value || *value > kMaxNetworkCode) {
      error("network code must be a number 0.." + std::to_string(kMaxNetworkCode) + ", not '" + word + "'");
      return false;
    }
    if (*value == kWalkingNetwork) {
      error("network code 900 is reserved for walking connections (use walk)");
      return false;
    }
    code = *value;
    return true;
  }

  bool argCount(const std::vector<std::string>& w, std::size_t min, std::size_t max, const char* usage) {
    if (w.size() >= min && w.size() <= max) return true;
    std::string msg = "'" + w[0] + "' expects: " + usage;
    if (w.size() > max) msg += kBlankHint;
    error(msg);
    return false;
  }

  void parseLine(std::string_view line) {
    std::vector<std::string> w = splitWords(line);
    if (w.empty()) return;
    if (isTopKeyword(w[0])) {
      block_ = Block::None;
      parseTopItem(w);
      return;
    }
    switch (block_) {
      case Block::Line:
        parseLineItem(w, line);
        break;
      case Block::Train:
        parseTrainItem(w);
        break;
      case Block::None:
        error("'" + w[0] + "' outside a line or train block");
        break;
    }
  }

  void parseTopItem(const std::vector<std::string>& w) {
    const std::string& k = w[0];
    if (k == "line") {
      if (!argCount(w, 2, 2, "line NAME")) return;
      LineDef def;
      def.loc = loc_;
      def.name = w[1];
      def.title = w[1];
      out_.lines.push_back(std::move(def));
      block_ = Block::Line;
      kind_ = kKindNone;
      zone_ = 0;
      oneWay_ = false;
    } else if (k == "train") {
      if (!argCount(w, 2, 2, "train NAME")) return;
      std::string why = checkTrainName(w[1]);
      if (!why.empty()) return error(why);
      if (w[1].rfind("徒歩", 0) == 0) return error("walking connections are given with walk, not as a train");
      TrainDef def;
      def.loc = loc_;
      def.name = w[1];
      out_.trains.push_back(std::move(def));
      block_ = Block::Train;
    } else if (k == "walk") {
      parseWalk(w);
    } else if (k == "change") {
      parseChange(w);
    } else if (k == "fare" || k == "reduce") {
      parseFare(w);
    } else if (k == "link") {
      if (!argCount(w, 3, 3, "link STATION1 STATION2")) return;
      if (!station(w[1]) || !station(w[2])) return;
      out_.links.push_back(LinkDef{loc_, w[1], w[2]});
    }
  }

  void parseWalk(std::vector<std::string> w) {
    // infare=CODE may stand last: a change inside the fare of network CODE.
    int inFare = 0;
    if (w.size() > 4 && w.back().starts_with("infare=")) {
      auto code = parseCount(std::string_view(w.back()).substr(7));
      if (!code || *code < 1 || *code >= kWalkingNetwork)
        return error("infare= needs the network code of a railway (1..899), not '" + w.back() + "'");
      inFare = *code;
      w.pop_back();
    }
    if (!argCount(w, 4, 5, "walk STATION1 STATION2 MINUTES|METRESm [NAME] [infare=CODE]")) return;
    if (!station(w[1]) || !station(w[2])) return;
    WalkDef def{loc_, w[1], w[2], 0, w.size() > 4 ? w[4] : std::string("徒歩"), inFare};
    const std::string& amount = w[3];
    if (!amount.empty() && amount.back() == 'm') {
      auto metres = parseCount(std::string_view(amount).substr(0, amount.size() - 1));
      if (!metres || *metres == 0 || *metres > 9600)
        return error("walking distance must be 1m..9600m, not '" + amount + "'");
      def.minutes = (*metres + 79) / 80;
    } else {
      auto minutes = parseCount(amount);
      if (!minutes || *minutes == 0 || *minutes > 120)
        return error("walking minutes must be 1..120 (or a distance such as 400m), not '" + amount + "'");
      def.minutes = *minutes;
    }
    std::string why = checkTrainName(def.name);
    if (!why.empty()) return error(why);
    if (def.name.rfind("徒歩", 0) != 0) return error("the name of a walking connection must begin with 徒歩");
    out_.walks.push_back(std::move(def));
  }

  void parseChange(const std::vector<std::string>& w) {
    if (!argCount(w, 5, 5, "change STATION TRAIN1 TRAIN2 MINUTES")) return;
    if (!station(w[1])) return;
    auto minutes = parseCount(w[4]);
    if (!minutes || *minutes > 127) return error("change minutes must be 0..127, not '" + w[4] + "'");
    for (const std::string& t : {w[2], w[3]})
      if (t == "*") return error("a train pattern needs a name before '*'");
    out_.changes.push_back(ChangeDef{loc_, w[1], w[2], w[3], *minutes});
  }

  void parseFare(const std::vector<std::string>& w) {
    bool reduction = w[0] == "reduce";
    if (!argCount(w, 5, 5,
                  reduction ? "reduce NETWORK STATION1 STATION2 YEN" : "fare NETWORK STATION1 STATION2 YEN"))
      return;
    FareDef def;
    def.loc = loc_;
    def.reduction = reduction;
    if (!network(w[1], def.network) || !station(w[2]) || !station(w[3])) return;
    auto yen = parseCount(w[4]);
    if (!yen || *yen == 0 || *yen % 10 != 0 || *yen > 327670)
      return error("amount must be a positive number of yen divisible by 10, not '" + w[4] + "'");
    def.a = w[2];
    def.b = w[3];
    def.yen = *yen;
    out_.fares.push_back(std::move(def));
  }

  void parseLineItem(const std::vector<std::string>& w, std::string_view text) {
    LineDef& def = out_.lines.back();
    const std::string& k = w[0];
    if (k[0] >= '0' && k[0] <= '9') return parseStationRow(def, w);
    if (k == "title") {
      std::string title = restOfLine(text, 1);
      if (title.empty()) return error("'title' expects: title TEXT");
      def.title = title;
    } else if (k == "network") {
      if (!argCount(w, 2, 2, "network CODE")) return;
      if (!def.rows.empty()) return error("'network' must come before the station rows");
      network(w[1], def.network);
    } else if (k == "kind") {
      if (!argCount(w, 2, 2, "kind 山手線内|電車特定区間|幹線|地方交通線")) return;
      auto kind = parseKind(w[1]);
      if (!kind)
        return error("unknown line kind '" + w[1] + "' (山手線内, 電車特定区間, 幹線, 地方交通線 or 1..4)");
      kind_ = *kind;
      if (!def.kindLoc) def.kindLoc = loc_;
    } else if (k == "zone") {
      if (!argCount(w, 2, 2, "zone 0..9")) return;
      auto zone = parseCount(w[1]);
      if (!zone || *zone > 9) return error("zone must be 0..9, not '" + w[1] + "'");
      zone_ = *zone;
      if (!def.zoneLoc) def.zoneLoc = loc_;
    } else if (k == "nolist") {
      if (!argCount(w, 1, 1, "nolist")) return;
      def.listed = false;
    } else if (k == "oneway" || k == "bothways") {
      if (!argCount(w, 1, 1, k.c_str())) return;
      oneWay_ = k == "oneway";
    } else {
      error("unknown word '" + k + "' in a line block (station rows begin with the kilometres)");
    }
  }

  void parseStationRow(LineDef& def, const std::vector<std::string>& w) {
    LineRow row;
    row.loc = loc_;
    auto km = parseKm(w[0]);
    if (!km) return error("kilometres must be written like 12.3, not '" + w[0] + "'");
    if (w.size() < 2) return error("a station row expects: KM STATION [KANA] [fare=KM]");
    if (!station(w[1])) return;
    row.km = *km;
    row.name = w[1];
    for (std::size_t i = 2; i < w.size(); ++i) {
      const std::string& word = w[i];
      if (word.rfind("fare=", 0) == 0) {
        auto fare = parseKm(std::string_view(word).substr(5));
        if (!fare) return error("fare kilometres must be written like fare=12.3, not '" + word + "'");
        row.fareKm = *fare;
      } else if (word.find('=') != std::string::npos) {
        return error("unknown setting '" + word + "' (only fare= is known)");
      } else if (i == 2) {
        std::string why = checkKana(word);
        if (!why.empty()) return error(why);
        row.kana = word;
      } else {
        return error(std::string("unexpected word '") + word + "' after the station" + kBlankHint);
      }
    }
    row.kind = kind_;
    row.zone = zone_;
    row.oneWay = oneWay_;
    def.rows.push_back(std::move(row));
  }

  void parseTrainItem(const std::vector<std::string>& w) {
    TrainDef& def = out_.trains.back();
    const std::string& k = w[0];
    if (k == "network") {
      if (!argCount(w, 2, 2, "network CODE")) return;
      network(w[1], def.network);
    } else if (k == "terminal") {
      if (!argCount(w, 2, 2, "terminal STATION")) return;
      if (!station(w[1])) return;
      def.terminal = w[1];
      def.terminalLoc = loc_;
    } else if (k == "order") {
      if (!argCount(w, 2, 2, "order 0..8")) return;
      auto order = parseCount(w[1]);
      if (!order || *order > 8) return error("order must be 0..8, not '" + w[1] + "'");
      def.order = *order;
    } else if (k == "speed") {
      if (!argCount(w, 2, 2, "speed KMH")) return;
      auto speed = parseDecimal(w[1]);
      if (!speed || *speed < 1 || *speed > 500) return error("speed must be 1..500 km/h, not '" + w[1] + "'");
      def.speed = *speed;
    } else if (k == "every" || k == "at") {
      parsePattern(def, w);
    } else if (k == "along") {
      if (!argCount(w, 4, 4, "along LINE FROM TO")) return;
      if (!station(w[2]) || !station(w[3])) return;
      StopItem item;
      item.type = StopItem::Type::Along;
      item.loc = loc_;
      item.line = w[1];
      item.from = w[2];
      item.to = w[3];
      def.stops.push_back(std::move(item));
    } else if (k == "reverse") {
      if (!argCount(w, 2, 2, "reverse TRAIN")) return;
      StopItem item;
      item.type = StopItem::Type::Reverse;
      item.loc = loc_;
      item.train = w[1];
      def.stops.push_back(std::move(item));
    } else {
      parseStopRow(def, w);
    }
  }

  void parseStopRow(TrainDef& def, const std::vector<std::string>& w) {
    if (!station(w[0])) return;
    StopItem item;
    item.loc = loc_;
    item.station = w[0];
    std::vector<std::string> plain;  // the words after the station that set nothing
    for (std::size_t i = 1; i < w.size(); ++i) {
      const std::string& word = w[i];
      if (word.rfind("wait=", 0) == 0) {
        auto wait = parseCount(std::string_view(word).substr(5));
        if (!wait || *wait == 0 || *wait > 600)
          return error("minutes standing at a stop must be written like wait=2 (1..600), not '" + word + "'");
        item.wait = *wait;
      } else if (word.find('=') != std::string::npos) {
        return error("unknown setting '" + word + "' (only wait= is known)");
      } else {
        plain.push_back(word);
      }
    }
    if (plain.size() > 1) return error("unexpected word '" + plain[1] + "' in a stop row" + kBlankHint);
    if (plain.size() == 1) {
      auto minutes = parseCount(plain[0]);
      if (!minutes || *minutes == 0 || *minutes > 600)
        return error("riding minutes must be 1..600, not '" + plain[0] + "'" + kBlankHint);
      item.minutes = *minutes;
    }
    def.stops.push_back(std::move(item));
  }

  void parsePattern(TrainDef& def, const std::vector<std::string>& w) {
    ServicePattern pattern;
    pattern.loc = loc_;
    std::size_t i = 1;
    if (w[0] == "every") {
      auto interval = i < w.size() ? parseCount(w[i]) : std::nullopt;
      if (!interval || *interval == 0 || *interval > 120)
        return error("'every' expects an interval of 1..120 minutes: every MIN hours HOURS [days DAYS]");
      pattern.interval = *interval;
      ++i;
    } else {
      for (; i < w.size() && w[i] != "hours"; ++i) {
        std::string_view list = w[i];
        std::size_t start = 0;
        while (start <= list.size()) {
          std::size_t comma = list.find(',', start);
          std::string_view part = list.substr(start, comma == list.npos ? list.npos : comma - start);
          if (!part.empty()) {
            auto minute = parseCount(part);
            if (!minute || *minute > 59)
              return error("departure minutes must be 0..59, not '" + std::string(part) + "'");
            if (std::find(pattern.minutes.begin(), pattern.minutes.end(), *minute) != pattern.minutes.end())
              return error("departure minute " + std::to_string(*minute) + " is given twice");
            pattern.minutes.push_back(*minute);
          }
          if (comma == list.npos) break;
          start = comma + 1;
        }
      }
      if (pattern.minutes.empty())
        return error("'at' expects departure minutes: at M1 M2 ... hours HOURS [days DAYS]");
    }
    bool haveHours = false;
    while (i < w.size()) {
      const std::string& key = w[i];
      if ((key != "hours" && key != "days") || i + 1 >= w.size())
        return error("expected 'hours HOURS' or 'days DAYS' instead of '" + key + "'");
      std::string why;
      if (key == "hours") {
        auto hours = parseHours(w[i + 1], why);
        if (!hours) return error(why);
        pattern.hours = *hours;
        haveHours = true;
      } else {
        auto days = parseDays(w[i + 1], why);
        if (!days) return error(why);
        pattern.days = *days;
      }
      i += 2;
    }
    if (!haveHours) return error("missing served hours: add 'hours 5-23' or similar");
    def.patterns.push_back(std::move(pattern));
  }

  const SourceFile& file_;
  SourceSet& out_;
  Diagnostics& diag_;
  SourceLoc loc_;
  Block block_ = Block::None;
  int kind_ = kKindNone;
  int zone_ = 0;
  bool oneWay_ = false;
};

}  // namespace

std::vector<SourceFile> readSourceDir(const std::filesystem::path& dir, Diagnostics& diag) {
  namespace fs = std::filesystem;
  std::vector<SourceFile> files;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    diag.error("cannot read the source directory " + dir.string());
    return files;
  }
  std::vector<std::string> names;
  fs::recursive_directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    std::string leaf = p.filename().string();
    if (!leaf.empty() && leaf[0] == '.') {
      if (it->is_directory(ec)) it.disable_recursion_pending();
      continue;
    }
    if (p.extension() != ".txt") continue;
    const std::string name = p.lexically_relative(dir).generic_string();
    // A link that leads nowhere would silently drop its part of the network.
    if (it->is_symlink(ec) && !fs::exists(p, ec)) {
      diag.error(SourceLoc{name, 0}, "is a link to a file that does not exist");
      ec.clear();
      continue;
    }
    if (it->is_regular_file(ec)) names.push_back(name);
  }
  if (ec) diag.error("cannot read the source directory " + dir.string() + ": " + ec.message());
  // Compiling nothing would replace a data set with empty tables.
  if (!ec && names.empty()) diag.error("no source files (*.txt) in " + dir.string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(dir / name);
    if (!bytes) {
      diag.error(SourceLoc{name, 0}, "cannot read the file");
      continue;
    }
    files.push_back(SourceFile{name, std::string(bytes->begin(), bytes->end())});
  }
  return files;
}

void parseSource(const SourceFile& file, SourceSet& into, Diagnostics& diag) {
  FileParser(file, into, diag).run();
}

SourceSet parseSources(const std::vector<SourceFile>& files, Diagnostics& diag) {
  SourceSet set;
  for (const SourceFile& f : files) parseSource(f, set, diag);
  return set;
}

}  // namespace kiv::data
