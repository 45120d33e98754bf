// The route records the fast search appends without printf against the
// printf formats of the reference search, on values of every kind: negative
// and wide numbers, times past midnight or before the clock, empty and
// double-byte names; and the sorted lists of both searches from odd lists.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "Engine.h"
#include "RouteListReference.h"
#include "SjisText.h"
#include "TempDir.h"
#include "report/WorkFiles.h"

namespace kiv::test {
namespace {

using namespace work_files;

const std::vector<int> kNumbers = {0, 1, 7, 9, 10, 59, 99, 100, 1234, -1, -9, -10, -123, INT_MAX, INT_MIN};
// Minutes after midnight: on the clock, past midnight, far past, and before
// the day (a negative hour or minute).
const std::vector<int> kMinutes = {0, 5, 59, 60, 545, 1439, 1510, 6000, 99 * 60 + 59, -1, -59, -61, -600};

std::vector<std::string> names() {
  // "表" and "ソ" end in the bytes of "\" and "|"; 0x80 and 0xA0 stand alone.
  return {"", "a", "東京", sjis("表参道"), sjis("ソ連,ドイツ"), std::string(60, 'x'), "\x81\x40\xA0\x80"};
}

template <typename Record, typename Format, typename Append>
void expectSameBytes(const Record& record, Format format, Append append) {
  std::string appended = "prefix ";
  append(appended, record);
  EXPECT_EQ(appended, "prefix " + format(record));
}

TEST(RouteRecordFormats, AppendedRecordsAreThePrintfBytes) {
  const std::vector<std::string> texts = names();
  for (std::size_t k = 0; k < kNumbers.size(); ++k) {
    const int number = kNumbers[k];
    const int other = kNumbers[(k * 5 + 3) % kNumbers.size()];
    const std::string& name = texts[k % texts.size()];
    const std::string& second = texts[(k + 2) % texts.size()];
    for (const int minutes : kMinutes) {
      const ClockTime time{"", minutes};
      const ClockTime later{name.substr(0, 5), minutes + other % 100};
      SCOPED_TRACE(std::to_string(number) + " " + std::to_string(other) + " at " + std::to_string(minutes));

      expectSameBytes(RouteStop{number, name, other, number, time, later}, formatRouteStop, appendRouteStop);
      expectSameBytes(RouteRide{other, second, name, second, later, time, number, other}, formatRouteRide,
                      appendRouteRide);
      for (const int network : {0, 7, 10, 900, 32767, -3}) {
        expectSameBytes(
            RouteFareSection{number, static_cast<NetworkCode>(network), second, name, second, other},
            formatRouteFareSection, appendRouteFareSection);
      }
      for (const RouteListLayout layout : {RouteListLayout::kDetectionOrder, RouteListLayout::kSorted}) {
        const RouteSummary summary{number, other, later, minutes, number, other, -2, minutes, number, name};
        const auto formatSummary = [layout](const RouteSummary& r) { return formatRouteSummary(r, layout); };
        const auto appendSummary = [layout](std::string& out, const RouteSummary& r) {
          appendRouteSummary(out, r, layout);
        };
        expectSameBytes(summary, formatSummary, appendSummary);
        const RouteListHead head{name, second, later};
        const auto formatHead = [layout](const RouteListHead& h) { return formatRouteListHead(h, layout); };
        const auto appendHead = [layout](std::string& out, const RouteListHead& h) {
          appendRouteListHead(out, h, layout);
        };
        expectSameBytes(head, formatHead, appendHead);
      }
    }
  }
}

TEST(RouteRecordFormats, OddRouteListsSortAlikeInBothSearches) {
  // Tabs and runs of blanks, short records, a NUL inside a word, numbers past
  // 16 bits or with trailing letters, an arrival of a cut double-byte text,
  // a via text far past its field.
  const std::string nul("9 1 1 9:1\0x 20 30 0 1 2 3 via\0cut\r\n", 35);
  const std::string list = "0 " + sjis("東京 上野") + " 9:05\r\n" + "9\t0  0 \t 9:30 30 170 1 20 5 5 " +
                           sjis("神田,秋葉原") + "\r\n" + "9 2 2 10:00\r\n" + nul + "9 3 3 " +
                           sjis("東京東京") + " 70000 -12x 3 1 1 1 " + std::string(700, 'v') + "\r\n" +
                           "9 4 4 9:30 30 170 0 20 5 5 x extra words\r\n" + "8 ignored\r\n";
  std::vector<std::string> lists[2];
  int counts[2] = {};
  for (int k = 0; k < 2; ++k) {
    TempDir dir;
    Engine engine(dir.path());
    dir.writeText("$MltRtL1.kv4", list);
    std::string problem;
    counts[k] = k == 0 ? reference::sortRouteLists(dir.path(), 9, problem) : engine.dia.sortRouteLists(9);
    lists[k] = {dir.readText("$MltRtL2.kv4"), dir.readText("$MltRtL3.kv4")};
  }
  EXPECT_EQ(counts[1], counts[0]);
  EXPECT_EQ(counts[0], 5);
  EXPECT_EQ(lists[1], lists[0]);
}

}  // namespace
}  // namespace kiv::test
