// The band tables of the private railway networks: a base table on the total
// distance and surcharge tables on the distances in zones 1 and 2.
#include "network/RKivManTables.h"

namespace kiv::fare_tables {
namespace {

// 東武鉄道 (10, 11)
constexpr FareBand kTobu[] = {
    {1, 14},   {41, 16},   {71, 19},    {101, 24},   {151, 30},   {201, 35}, {251, 40},
    {301, 45}, {351, 50},  {401, 57},   {451, 63},   {501, 70},   {601, 78}, {701, 86},
    {801, 94}, {901, 103}, {1001, 116}, {1201, 132}, {1401, 150},
};
constexpr FareBand kTobuZone1[] = {{1, 1}};

// 京成電鉄 (20)
constexpr FareBand kKeisei[] = {
    {1, 13},   {31, 15},  {51, 18},  {101, 25}, {151, 31}, {201, 36}, {251, 42}, {301, 47},
    {351, 52}, {401, 58}, {451, 64}, {501, 70}, {551, 75}, {601, 81}, {651, 86},
};
constexpr FareBand kKeiseiZone1[] = {{1, 14}};
constexpr FareBand kKeiseiZone2[] = {{1, 7}};

// 京成電鉄 (21)
constexpr FareBand kKeisei21[] = {
    {1, 18}, {31, 24}, {51, 26}, {61, 28}, {71, 30}, {81, 31}, {91, 33}, {101, 35},
};

// 西武鉄道 (30, 31); zone 2 is a deduction of 10 yen.
constexpr FareBand kSeibu[] = {
    {1, 14},   {41, 17},  {81, 20},  {121, 23}, {161, 26}, {201, 29}, {241, 33},
    {281, 36}, {321, 39}, {361, 42}, {401, 45}, {441, 48}, {481, 51}, {521, 54},
    {561, 58}, {601, 61}, {641, 65}, {681, 68}, {721, 72}, {761, 75},
};
constexpr FareBand kSeibuZone1[] = {{1, 1}};
constexpr FareBand kSeibuZone2[] = {{1, -1}};

// 小田急電鉄 (40)
constexpr FareBand kOdakyu[] = {
    {1, 13},   {31, 15},  {61, 18},  {91, 21},  {131, 24}, {171, 27}, {211, 30},
    {251, 33}, {291, 36}, {331, 40}, {371, 44}, {411, 48}, {461, 52}, {511, 57},
    {561, 61}, {611, 65}, {661, 70}, {711, 75}, {761, 80}, {811, 85},
};
constexpr FareBand kOdakyuZone1[] = {{1, 1}};
constexpr FareBand kOdakyuZone2[] = {{1, 1}, {71, 2}};

// 京王電鉄 (50)
constexpr FareBand kKeio[] = {
    {1, 12},   {41, 13},  {61, 15},  {91, 17},  {121, 19}, {151, 23},
    {191, 27}, {241, 31}, {301, 33}, {371, 35}, {441, 37},
};
constexpr FareBand kKeioZone1[] = {{1, 1}, {81, 2}, {131, 4}, {161, 6}, {191, 8}};

// 東京急行電鉄 (60)
constexpr FareBand kTokyu[] = {
    {1, 11},   {31, 15},  {71, 19},  {111, 21}, {151, 24}, {201, 26}, {251, 29},
    {301, 32}, {351, 36}, {401, 39}, {451, 42}, {501, 45}, {551, 48},
};
constexpr FareBand kTokyuZone1[] = {{1, 1}};
constexpr FareBand kTokyuZone2[] = {{1, 1}, {71, 2}};

// 東京急行電鉄 (61, 62): one fare for every distance.
constexpr FareBand kTokyuFlat[] = {{1, 13}};

// 京浜急行電鉄 (70)
constexpr FareBand kKeikyu[] = {
    {1, 13},   {31, 15},  {61, 19},  {101, 23}, {151, 27}, {201, 30}, {251, 35}, {301, 41},
    {351, 47}, {401, 55}, {451, 62}, {501, 69}, {551, 76}, {601, 83}, {651, 90},
};
constexpr FareBand kKeikyuZone1[] = {{1, 17}};

// 営団地下鉄 (80)
constexpr FareBand kEidan[] = {{1, 16}, {61, 19}, {111, 23}, {191, 27}, {271, 30}};

// 都営地下鉄 (90)
constexpr FareBand kToei[] = {{1, 17}, {41, 21}, {91, 26}, {151, 31}, {211, 36}, {271, 41}};

// 新京成電鉄 (100)
constexpr FareBand kShinKeisei[] = {{1, 14}, {51, 17}, {91, 19}, {131, 21}, {171, 23}, {221, 25}};

// 横浜市交通局 (110)
constexpr FareBand kYokohamaCity[] = {
    {1, 20},   {31, 23},  {71, 26},  {111, 29}, {151, 32}, {191, 35},
    {231, 38}, {271, 41}, {311, 44}, {351, 47}, {391, 50},
};

// 相模鉄道 (120)
constexpr FareBand kSotetsu[] = {
    {1, 14}, {31, 17}, {71, 19}, {111, 22}, {151, 25}, {191, 27}, {231, 30},
};
constexpr FareBand kSotetsuZone1[] = {{1, 2}, {61, 4}};
constexpr FareBand kSotetsuZone2[] = {{1, 3}};

// 北総開発鉄道 (130)
constexpr FareBand kHokuso[] = {
    {1, 20},   {31, 30},  {51, 37},  {71, 44},  {91, 50},  {111, 57},
    {141, 63}, {171, 68}, {201, 73}, {231, 76}, {261, 79},
};

// 秩父鉄道 (140); the fourth lower bound is 80, not 81.
constexpr FareBand kChichibu[] = {
    {1, 16},   {41, 23},  {61, 30},  {80, 37},   {101, 43},  {121, 46}, {141, 49}, {161, 52},
    {181, 56}, {201, 59}, {221, 62}, {241, 65},  {261, 68},  {281, 71}, {301, 74}, {321, 76},
    {351, 78}, {381, 80}, {411, 82}, {441, 84},  {471, 86},  {501, 88}, {531, 90}, {561, 92},
    {591, 94}, {621, 96}, {651, 98}, {681, 100}, {711, 102},
};

// 東京モノレール (150)
constexpr FareBand kTokyoMonorail[] = {{1, 15}, {16, 19}, {46, 26}, {76, 33}, {106, 40}, {136, 47}};

// 埼玉新都市交通 (160)
constexpr FareBand kSaitamaNewShuttle[] = {{1, 18}, {21, 21}, {41, 24}, {61, 27}, {81, 31}, {101, 34}};

// 総武流山電鉄 (170)
constexpr FareBand kNagareyama[] = {{1, 12}, {21, 13}, {31, 16}, {41, 17}, {51, 19}};

// 千葉都市モノレール (180)
constexpr FareBand kChibaMonorail[] = {
    {1, 19}, {21, 21}, {31, 27}, {51, 32}, {71, 37}, {91, 41}, {111, 45}, {131, 49},
};

// 江ノ島電鉄 (190)
constexpr FareBand kEnoden[] = {{1, 19}, {21, 21}, {41, 25}, {71, 29}};

// 横浜新都市交通 (200)
constexpr FareBand kYokohamaNewTransit[] = {{1, 23}, {21, 25}, {41, 28}, {71, 30}};

// 湘南モノレール (210)
constexpr FareBand kShonanMonorail[] = {{1, 17}, {21, 21}, {31, 24}, {41, 26}, {51, 28}, {61, 30}};

// 富士急行 (220)
constexpr FareBand kFujikyu[] = {
    {1, 16},   {21, 21},  {41, 29},  {61, 37},  {81, 45},  {101, 53},  {121, 61},
    {141, 69}, {161, 77}, {181, 85}, {201, 93}, {221, 99}, {241, 105}, {261, 111},
};

// 関東鉄道 (230, 231)
constexpr FareBand kKantoTetsudo[] = {
    {1, 12},    {21, 13},   {31, 15},   {41, 19},   {51, 22},   {61, 27},   {71, 31},   {81, 34},
    {91, 37},   {101, 40},  {111, 44},  {121, 49},  {131, 50},  {141, 57},  {161, 63},  {181, 69},
    {201, 76},  {221, 82},  {241, 89},  {261, 93},  {281, 97},  {301, 101}, {321, 105}, {341, 110},
    {361, 114}, {381, 118}, {401, 119}, {411, 121}, {421, 124}, {431, 126}, {441, 128}, {451, 130},
    {461, 132}, {471, 135}, {481, 137}, {491, 139}, {501, 141}, {511, 143},
};

// 多摩都市モノレール (240)
constexpr FareBand kTamaMonorail[] = {{1, 20}, {31, 24}, {51, 28}, {71, 32}, {101, 36}, {131, 40}};

// ゆりかもめ (250)
constexpr FareBand kYurikamome[] = {{1, 18}, {21, 24}, {51, 31}, {81, 37}};

// 山万 (260)
constexpr FareBand kYamaman[] = {{1, 20}};

// 東京臨海高速鉄道 (270)
constexpr FareBand kRinkai[] = {{1, 18}, {31, 23}};

// 東葉高速鉄道 (280)
constexpr FareBand kToyo[] = {{1, 20}, {31, 28}, {51, 35}, {71, 42}, {91, 49}, {111, 55}, {141, 61}};

// 都電 (290)
constexpr FareBand kToden[] = {{1, 16}};

// 箱根登山鉄道 (300)
constexpr FareBand kHakoneTozan[] = {
    {1, 13},  {31, 18},  {41, 22},  {51, 26},  {61, 30},  {71, 35},  {81, 39},
    {91, 43}, {101, 47}, {111, 52}, {121, 56}, {131, 60}, {141, 65},
};

// 伊豆箱根鉄道 (310)
constexpr FareBand kIzuhakone[] = {
    {1, 13},  {31, 14},  {41, 16},  {51, 18},  {61, 21},  {71, 24},
    {81, 27}, {101, 32}, {121, 36}, {141, 40}, {161, 45}, {181, 50},
};

// 真岡鐵道 (320)
constexpr FareBand kMoka[] = {
    {1, 18},   {41, 23},  {71, 32},  {101, 39}, {131, 46}, {161, 53}, {191, 60},
    {221, 67}, {251, 74}, {281, 80}, {311, 85}, {341, 90}, {371, 95}, {401, 100},
};

// わたらせ渓谷鐵道 (330)
constexpr FareBand kWatarase[] = {
    {1, 18},   {31, 23},  {61, 27},  {91, 35},  {121, 43}, {151, 50},  {181, 57},  {211, 64},
    {241, 71}, {271, 77}, {301, 84}, {331, 90}, {361, 96}, {391, 102}, {421, 108}, {451, 114},
};

// 上毛電気鉄道 (340)
constexpr FareBand kJomo[] = {
    {1, 17}, {21, 22}, {41, 29}, {61, 36}, {81, 43}, {111, 50}, {141, 55}, {171, 60}, {201, 64}, {231, 66},
};

// 上信電鉄 (350)
constexpr FareBand kJoshin[] = {
    {1, 17},   {31, 20},  {41, 24},   {51, 29},   {61, 34},   {71, 40},  {91, 47},
    {111, 54}, {131, 60}, {151, 66},  {171, 71},  {191, 77},  {211, 82}, {231, 87},
    {251, 92}, {271, 96}, {291, 100}, {311, 104}, {331, 108},
};

constexpr PrivateFareRow kRows[] = {
    {10, kTobu, kTobuZone1, {}},
    {11, kTobu, kTobuZone1, {}},
    {20, kKeisei, kKeiseiZone1, kKeiseiZone2},
    {21, kKeisei21, {}, {}},
    {30, kSeibu, kSeibuZone1, kSeibuZone2},
    {31, kSeibu, kSeibuZone1, kSeibuZone2},
    {40, kOdakyu, kOdakyuZone1, kOdakyuZone2},
    {50, kKeio, kKeioZone1, {}},
    {60, kTokyu, kTokyuZone1, kTokyuZone2},
    {61, kTokyuFlat, {}, {}},
    {62, kTokyuFlat, {}, {}},
    {70, kKeikyu, kKeikyuZone1, {}},
    {80, kEidan, {}, {}},
    {90, kToei, {}, {}},
    {100, kShinKeisei, {}, {}},
    {110, kYokohamaCity, {}, {}},
    {120, kSotetsu, kSotetsuZone1, kSotetsuZone2},
    {130, kHokuso, {}, {}},
    {140, kChichibu, {}, {}},
    {150, kTokyoMonorail, {}, {}},
    {160, kSaitamaNewShuttle, {}, {}},
    {170, kNagareyama, {}, {}},
    {180, kChibaMonorail, {}, {}},
    {190, kEnoden, {}, {}},
    {200, kYokohamaNewTransit, {}, {}},
    {210, kShonanMonorail, {}, {}},
    {220, kFujikyu, {}, {}},
    {230, kKantoTetsudo, {}, {}},
    {231, kKantoTetsudo, {}, {}},
    {240, kTamaMonorail, {}, {}},
    {250, kYurikamome, {}, {}},
    {260, kYamaman, {}, {}},
    {270, kRinkai, {}, {}},
    {280, kToyo, {}, {}},
    {290, kToden, {}, {}},
    {300, kHakoneTozan, {}, {}},
    {310, kIzuhakone, {}, {}},
    {320, kMoka, {}, {}},
    {330, kWatarase, {}, {}},
    {340, kJomo, {}, {}},
    {350, kJoshin, {}, {}},
};

}  // namespace

const PrivateFareRow* findPrivateFareRow(NetworkCode network) {
  for (const PrivateFareRow& row : kRows) {
    if (row.network == network) return &row;
  }
  return nullptr;
}

}  // namespace kiv::fare_tables
