// The route records the fast search appends without printf against the
// printf formats of the reference search, on values of every kind: negative
// and wide numbers, times past midnight or before the clock, empty and
// double-byte names.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "SjisText.h"
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

}  // namespace
}  // namespace kiv::test
