// The two built-in station lists of the Tokyo-zone fare rule. A JR journey
// between a station of the Yamanote line zone and one of the stations
// 101-200 km from Tokyo is priced from Tokyo.
#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "text/Codec.h"

namespace kiv {

namespace {

// The exact kanji names of the station file (鴬谷 with 鴬, full-width
// parentheses).
constexpr std::string_view kYamanoteZone[] = {
    "東京",   "有楽町", "新橋",     "浜松町", "田町",     "品川",     "大崎",     "五反田", "目黒",
    "恵比寿", "渋谷",   "原宿",     "代々木", "新宿",     "新大久保", "高田馬場", "目白",   "池袋",
    "大塚",   "巣鴨",   "駒込",     "田端",   "西日暮里", "日暮里",   "鴬谷",     "上野",   "御徒町",
    "秋葉原", "神田",   "御茶ノ水", "水道橋", "飯田橋",   "市ヶ谷",   "四ッ谷",   "信濃町", "千駄ヶ谷"};

constexpr std::string_view kTokyo101To200Km[] = {
    "熱海",   "松久", "児玉", "丹荘",   "群馬藤岡", "北藤岡", "倉賀野",         "高崎", "井野（群馬県）",
    "新前橋", "前橋", "駒形", "伊勢崎", "国定",     "岩宿",   "桐生",           "小俣", "山前",
    "足利",   "富田", "佐野", "雀宮",   "宇都宮",   "新治",   "大和（茨城県）", "岩瀬", "羽黒",
    "福原",   "稲田", "笠間", "宍戸",   "友部",     "内原",   "赤塚",           "水戸", "勝田"};

std::vector<std::string> toSjis(std::span<const std::string_view> names) {
  std::vector<std::string> out;
  out.reserve(names.size());
  for (std::string_view name : names) out.push_back(utf8ToSjis(name).value_or(std::string()));
  return out;
}

// The list in Shift-JIS; nullptr for a number that names no list.
const std::vector<std::string>* stationList(int list) {
  static const std::vector<std::string> yamanote = toSjis(kYamanoteZone);
  static const std::vector<std::string> far = toSjis(kTokyo101To200Km);
  if (list == RStaMan::kYamanoteZoneList) return &yamanote;
  if (list == RStaMan::kTokyo101To200KmList) return &far;
  return nullptr;
}

}  // namespace

void RStaMan::selectStationList(int list) { selected_ = stationList(list) ? list : 0; }

int RStaMan::isInStationList(int list, StationNo s) const {
  char name[kStationNameSize];
  if (names_.getName(s, name) != 0) return 0;  // a station without a name is in no list
  const auto* entries = stationList(list);
  if (!entries) return 0;
  return std::find(entries->begin(), entries->end(), name) != entries->end() ? 1 : 0;
}

int RStaMan::getStationListSize(int list) const {
  const auto* entries = stationList(list);
  return entries ? static_cast<int>(entries->size()) : 0;
}

int RStaMan::getStationListEntry(int list, int index) const {
  const auto* entries = stationList(list);
  if (!entries) return 0;
  if (index < 0 || index >= static_cast<int>(entries->size())) return -1;
  return names_.findByName((*entries)[static_cast<std::size_t>(index)]);
}

}  // namespace kiv
