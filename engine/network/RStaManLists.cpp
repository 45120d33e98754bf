// The two built-in station lists of the Tokyo-zone fare rule. A JR journey
// between a station of the Yamanote line zone and one of the stations
// 101-200 km from Tokyo is priced from Tokyo.
#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "text/SjisLiteral.h"

namespace kiv {

namespace {

// The exact kanji names of the station file (鴬谷 with 鴬, full-width
// parentheses).
constexpr std::string_view kYamanoteZoneNames[] = {
    "東京",   "有楽町", "新橋",     "浜松町", "田町",     "品川",     "大崎",     "五反田", "目黒",
    "恵比寿", "渋谷",   "原宿",     "代々木", "新宿",     "新大久保", "高田馬場", "目白",   "池袋",
    "大塚",   "巣鴨",   "駒込",     "田端",   "西日暮里", "日暮里",   "鴬谷",     "上野",   "御徒町",
    "秋葉原", "神田",   "御茶ノ水", "水道橋", "飯田橋",   "市ヶ谷",   "四ッ谷",   "信濃町", "千駄ヶ谷"};

constexpr std::string_view kTokyo101To200KmNames[] = {
    "熱海",   "松久", "児玉", "丹荘",   "群馬藤岡", "北藤岡", "倉賀野",         "高崎", "井野（群馬県）",
    "新前橋", "前橋", "駒形", "伊勢崎", "国定",     "岩宿",   "桐生",           "小俣", "山前",
    "足利",   "富田", "佐野", "雀宮",   "宇都宮",   "新治",   "大和（茨城県）", "岩瀬", "羽黒",
    "福原",   "稲田", "笠間", "宍戸",   "友部",     "内原",   "赤塚",           "水戸", "勝田"};

using ListName = SjisLiteral<kStationNameSize>;

// The names in Shift-JIS, converted while compiling.
template <std::size_t N>
consteval std::array<ListName, N> toSjis(const std::string_view (&names)[N]) {
  std::array<ListName, N> out;
  for (std::size_t i = 0; i < N; ++i) out[i] = sjisIn<kStationNameSize>(names[i]);
  return out;
}

constexpr auto kYamanoteZone = toSjis(kYamanoteZoneNames);
constexpr auto kTokyo101To200Km = toSjis(kTokyo101To200KmNames);

// The list; empty for a number that names no list.
std::span<const ListName> stationList(int list) {
  if (list == RStaMan::kYamanoteZoneList) return kYamanoteZone;
  if (list == RStaMan::kTokyo101To200KmList) return kTokyo101To200Km;
  return {};
}

}  // namespace

void RStaMan::selectStationList(int list) { selected_ = stationList(list).empty() ? 0 : list; }

int RStaMan::isInStationList(int list, StationNo s) const {
  char name[kStationNameSize];
  if (names_.getName(s, name) != 0) return 0;  // a station without a name is in no list
  const auto entries = stationList(list);
  const std::string_view wanted(name);
  return std::any_of(entries.begin(), entries.end(),
                     [wanted](const ListName& e) { return e.view() == wanted; })
             ? 1
             : 0;
}

int RStaMan::getStationListSize(int list) const { return static_cast<int>(stationList(list).size()); }

int RStaMan::getStationListEntry(int list, int index) const {
  const auto entries = stationList(list);
  if (entries.empty()) return 0;
  if (index < 0 || index >= static_cast<int>(entries.size())) return -1;
  return names_.findByName(entries[static_cast<std::size_t>(index)].view());
}

}  // namespace kiv
