// The fare table of a station: "$FareTbl.kv4", one block of fares per
// company that serves the station, and its export as a report or as CSV.
//
// "$FareTbl.kv4" lines, fields separated by one blank:
//   0 <origin name>
//   1 <block> <full company name>
//   2 <block> <station name> <fare in yen>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Codec.h"
#include "RFareMan.h"
#include "RKivMan.h"
#include "RStaFare.h"
#include "RStaMan.h"
#include "RStaName.h"
#include "ReportText.h"

namespace kiv {

namespace {

constexpr const char* kFareTableFile = "$FareTbl.kv4";

std::string sjis(const char* utf8) { return utf8ToSjis(utf8).value_or(std::string()); }

// A whole word as a decimal number.
bool toInt(const std::string& word, int& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (*end != '\0' || v < -2147483647L || v > 2147483647L) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

int RFareMan::buildFareTable(StationNo origin) const {
  std::ofstream out(dataDir_ / kFareTableFile, std::ios::binary | std::ios::trunc);
  if (!out) return -1;

  char originName[kStationNameSize] = "";
  staName_.getName(origin, originName);
  out << 0 << ' ' << originName << "\r\n";

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
      out << 1 << ' ' << block << ' ' << company << "\r\n";
      lastCompany = network / 10;
    }

    std::int16_t first = -1;
    std::int16_t last = -1;
    staMan_.findNetwork(network, first, last);
    if (first == -1 || last == -1) continue;
    const int k = last - first + 1;
    std::vector<int> fares;
    if (!distanceFares(network, origin, k, fares)) continue;

    for (int p = 1; p <= k; ++p) {
      const int s = staMan_.getStationAt(network, p);
      if (s == origin) continue;
      const auto station = static_cast<StationNo>(s);
      char name[kStationNameSize];
      if (staName_.getName(station, name) != 0) continue;  // no such station: nothing to print
      const int fare = pairFare(network, origin, station, fares[static_cast<std::size_t>(p)]);
      // Unreached stations come out at 0 and are left out.
      if (fare != 0) out << 2 << ' ' << block << ' ' << name << ' ' << fare << "\r\n";
    }
  }
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
