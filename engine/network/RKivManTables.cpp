// The company table, the JR band tables and the band lookup.
#include "network/RKivManTables.h"

namespace kiv::fare_tables {
namespace {

// Company number (network code / 10), full name, short name.
constexpr CompanyRow kCompanies[] = {
    {0, "ＪＲ東日本", "ＪＲ"},
    {1, "東武鉄道", "東武"},
    {2, "京成電鉄", "京成"},
    {3, "西武鉄道", "西武"},
    {4, "小田急電鉄", "小田急"},
    {5, "京王電鉄", "京王"},
    {6, "東京急行電鉄", "東急"},
    {7, "京浜急行電鉄", "京急"},
    {8, "営団地下鉄", "営団"},
    {9, "都営地下鉄", "都営"},
    {10, "新京成電鉄", "新京成"},
    {11, "横浜市交通局", "横浜市営地下鉄"},
    {12, "相模鉄道", "相鉄"},
    {13, "北総開発鉄道", "北総開発"},
    {14, "秩父鉄道", "秩父鉄道"},
    {15, "東京モノレール", "東京モノレール"},
    {16, "埼玉新都市交通", "埼玉新都市交通"},
    {17, "総武流山電鉄", "総武流山"},
    {18, "千葉都市モノレール", "千葉都市モノレール"},
    {19, "江ノ島電鉄", "江ノ電"},
    {20, "横浜新都市交通", "横浜新都市交通"},
    {21, "湘南モノレール", "湘南モノレール"},
    {22, "富士急行", "富士急"},
    {23, "関東鉄道", "関東鉄道"},
    {24, "多摩都市モノレール", "多摩都市モノレール"},
    {25, "ゆりかもめ", "ゆりかもめ"},
    {26, "山万", "山万"},
    {27, "東京臨海高速鉄道", "東京臨海高速"},
    {28, "東葉高速鉄道", "東葉高速"},
    {29, "都電", "都電"},
    {30, "箱根登山鉄道", "箱根登山鉄道"},
    {31, "伊豆箱根鉄道", "伊豆箱根鉄道"},
    {32, "真岡鐵道", "真岡鐵道"},
    {33, "わたらせ渓谷鐵道", "わたらせ渓谷鐵道"},
    {34, "上毛電気鉄道", "上毛電鉄"},
    {35, "上信電鉄", "上信電鉄"},
    {90, "徒歩", "徒歩"},  // walking connections (network code 900)
};

// Journeys wholly inside the Yamanote line zone; up to 50.0 km.
constexpr FareBand kYamanote[] = {
    {1, 13},   {31, 15},  {61, 16},  {101, 19}, {151, 25}, {201, 33},
    {251, 33}, {301, 33}, {351, 33}, {401, 33}, {451, 33},
};

// Journeys on Yamanote-zone and train-zone lines only; up to 220.0 km.
constexpr FareBand kTrainZone[] = {
    {1, 13},     {31, 15},    {61, 16},    {101, 21},   {151, 29},   {201, 38},   {251, 45},  {301, 54},
    {351, 62},   {401, 69},   {451, 78},   {501, 89},   {601, 105},  {701, 121},  {801, 138}, {901, 153},
    {1001, 179}, {1201, 210}, {1401, 242}, {1601, 273}, {1801, 305}, {2001, 336},
};

// Trunk lines; every distance above 300.0 km costs the last band.
constexpr FareBand kTrunk[] = {
    {1, 14},     {31, 18},    {61, 19},    {101, 23},   {151, 32},   {201, 40},   {251, 48},
    {301, 57},   {351, 65},   {401, 74},   {451, 82},   {501, 95},   {601, 111},  {701, 128},
    {801, 145},  {901, 162},  {1001, 189}, {1201, 221}, {1401, 252}, {1601, 294}, {1801, 326},
    {2001, 357}, {2201, 389}, {2401, 431}, {2601, 462}, {2801, 494}, {3001, 525},
};

// Local lines. The bands from 42 km on are those of the local-line fare table of
// the same tariff (42-46, 47-55, 56-64, 65-73, 74-82, 83-91 and 92-100 km); they
// reach beyond the longest journey on local lines only that the network has
// (八王子–倉賀野, 92.0 km), and the last band runs on to the end mark.
constexpr FareBand kLocalLine[] = {
    {1, 14},   {31, 18},  {61, 20},  {101, 23},  {151, 32},  {201, 40},  {231, 48},  {281, 57},  {321, 65},
    {371, 74}, {411, 82}, {461, 95}, {551, 111}, {641, 128}, {731, 145}, {821, 162}, {911, 180},
};

}  // namespace

int bandFare(BandTable table, int key) {
  if (key < 1 || key >= kUnreachedDistance) return 0;
  int fare = 0;
  for (const FareBand& band : table) {
    if (band.lowerBound > key) break;
    fare = band.fare;
  }
  return fare;
}

std::span<const CompanyRow> companies() { return kCompanies; }

BandTable yamanoteTable() { return kYamanote; }
BandTable trainZoneTable() { return kTrainZone; }
BandTable trunkTable() { return kTrunk; }
BandTable localLineTable() { return kLocalLine; }

}  // namespace kiv::fare_tables
