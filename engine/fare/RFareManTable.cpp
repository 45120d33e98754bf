// The fare table of a station: "$FareTbl.kv4", one block of fares per
// company that serves the station, and its export as a report or as CSV.
//
// "$FareTbl.kv4" lines, fields separated by one blank:
//   0 <origin name>
//   1 <block> <full company name>
//   2 <block> <station name> <fare in yen>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv {

namespace {

constexpr const char* kFareTableFile = "$FareTbl.kv4";

std::string sjis(const char* utf8) { return utf8ToSjis(utf8).value_or(std::string()); }

// Appends the words of one line, separated by blanks, and the line end.
template <typename... Words>
void appendLine(std::string& text, const Words&... words) {
  bool first = true;
  auto append = [&](const auto& word) {
    if (!first) text += ' ';
    first = false;
    if constexpr (std::is_integral_v<std::decay_t<decltype(word)>>) {
      char digits[16];
      const auto end = std::to_chars(digits, digits + sizeof digits, word).ptr;
      text.append(digits, end);
    } else {
      text += word;
    }
  };
  (append(words), ...);
  text += "\r\n";
}

// A whole word as a decimal number.
bool toInt(const std::string& word, int& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (*end != '\0' || v < -2147483647L || v > 2147483647L) return false;
  value = static_cast<int>(v);
  return true;
}

// The station-pair records of one origin on one network, in file order, so
// that the fare table looks up each destination among a few records.
class OriginPairs {
 public:
  OriginPairs(const std::vector<FarePairRecord>& records, NetworkCode network, StationNo origin) {
    for (const FarePairRecord& r : records) {
      if (r.network != network) continue;
      if (r.a == origin) {
        partners_.push_back({r.b, r.amount});
      } else if (r.b == origin) {
        partners_.push_back({r.a, r.amount});
      }
    }
  }
  // The amount of the first record with station s, in yen; 0 when there is none.
  int amountWith(StationNo s) const {
    for (const auto& [partner, amount] : partners_)
      if (partner == s) return amount * 10;
    return 0;
  }

 private:
  std::vector<std::pair<StationNo, int>> partners_;
};

}  // namespace

int RFareMan::buildFareTable(StationNo origin) const { return writeFareTable(origin, false); }

int RFareMan::buildFareTableReference(StationNo origin) const { return writeFareTable(origin, true); }

int RFareMan::writeFareTable(StationNo origin, bool reference) const {
  std::ofstream out(dataDir_ / kFareTableFile, std::ios::binary | std::ios::trunc);
  if (!out) return -1;

  // The lines are gathered and written at once.
  std::string text;
  char originName[kStationNameSize] = "";
  staName_.getName(origin, originName);
  appendLine(text, 0, originName);

  int block = -1;
  int lastCompany = -1;
  const int codes = staFare_.getNetworkCount(origin);
  for (int j = 0; j < codes; ++j) {
    const int code = staFare_.getNetworkAt(origin, j);
    if (code < 0) continue;
    const auto network = static_cast<NetworkCode>(code);

    // Neighbouring codes of one company share its block.
    if (network / 10 != lastCompany) {
      ++block;
      char company[kCompanyNameSize] = "";
      kivMan_.getCompanyName(network / 10, company);
      appendLine(text, 1, block, company);
      lastCompany = network / 10;
    }

    std::int16_t first = -1;
    std::int16_t last = -1;
    staMan_.findNetwork(network, first, last);
    if (first == -1 || last == -1) continue;
    const int k = last - first + 1;
    const std::vector<int>* fares = distanceFares(network, origin, k, reference);
    if (!fares) continue;

    const OriginPairs specials(specialFares_, network, origin);
    const OriginPairs reductions(reductions_, network, origin);
    const NetworkPositions* positions = reference ? nullptr : &distMan_.networkPositions(network);
    for (int p = 1; p <= k; ++p) {
      const int s = positions ? positions->stationAt(p) : staMan_.getStationAt(network, p);
      if (s == origin) continue;
      const auto station = static_cast<StationNo>(s);
      char name[kStationNameSize];
      if (staName_.getName(station, name) != 0) continue;  // no such station: nothing to print
      int fare = (*fares)[static_cast<std::size_t>(p)];
      const int special = reference ? specialFare(network, origin, station) : specials.amountWith(station);
      if (special != 0) {
        fare = special;
      } else {
        // A reduction larger than the fare leaves no fare, never a negative one.
        fare = std::max(0, fare + (reference ? fareReduction(network, origin, station)
                                             : -reductions.amountWith(station)));
      }
      // Unreached stations come out at 0 and are left out.
      if (fare != 0) appendLine(text, 2, block, name, fare);
    }
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return out ? 0 : -1;
}

int RFareMan::exportFareTable(const std::filesystem::path& target, int block, bool csv) const {
  std::vector<std::string> lines;
  if (!report_text::readLines(dataDir_ / kFareTableFile, lines)) return -1;

  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  if (!out) return -1;

  static const std::string csvHeader = sjis("From,会社,To,運賃\r\n");
  static const std::string fromText = sjis(" からの運賃(円)  ～ ");
  static const std::string tilde = sjis(" ～");
  if (csv) out << csvHeader;

  std::string origin;
  std::string company;
  for (const std::string& line : lines) {
    const std::vector<std::string> w = report_text::words(line);
    int kind = 0;
    if (w.empty() || !toInt(w[0], kind)) continue;
    if (kind == 0) {
      origin = w.size() > 1 ? w[1] : std::string();
      continue;
    }
    int b = 0;
    if (w.size() < 2 || !toInt(w[1], b)) continue;
    const bool wanted = block == -1 || b == block;
    if (kind == 1) {
      company = w.size() > 2 ? w[2] : std::string();
      if (wanted && !csv) {
        if (block == -1 && b != 0) out << "\r\n\r\n";
        out << "  " << origin << fromText << company << tilde << "\r\n\r\n";
      }
    } else if (kind == 2) {
      int fare = 0;
      if (w.size() < 4 || !toInt(w[3], fare)) continue;
      if (!wanted) continue;
      if (csv) {
        out << origin << ',' << company << ',' << w[2] << ',' << fare << "\r\n";
      } else {
        out << report_text::format("    %-24s  %4d\r\n", w[2].c_str(), fare);
      }
    }
  }
  out.close();
  return out ? 0 : -1;
}

}  // namespace kiv
