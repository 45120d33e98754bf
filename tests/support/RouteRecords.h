// The work-file records of one route through every kind of record, as the
// multi-route search writes them and the route list functions read them:
// 甲 to 己 at 10:00 by a JR train, a change to another JR train at 乙, a
// walking connection from 丙 to 丁 and a private train on to 己, found first.
// Texts are UTF-8 with LF line ends (see workText).
#pragma once

namespace kiv::test {

// The route list of the search: its heading and the route's line.
inline constexpr char kMixedRouteList[] =
    "0 甲 己 10:00\n"
    "9 0 0 10:51 51 550 2 29 7 15 乙,丙,丁\n";

// The route's records in "$MltRtDt.kv4": stations, segments and fare sections.
inline constexpr char kMixedRouteDetails[] =
    "1 0 甲 0 5 10:00 10:05\n"
    "1 0 乙 3 2 10:15 10:20\n"
    "2 0 赤線 甲 乙 10:05 10:15 10 0\n"
    "1 0 丙 0 1 10:28 10:29\n"
    "2 0 緑線 乙 丙 10:20 10:28 8 0\n"
    "3 0 0000 ＪＲ 甲 丙 310\n"
    "1 0 丁 0 7 10:33 10:40\n"
    "2 0 徒歩連絡 丙 丁 10:29 10:33 0 4\n"
    "3 0 0900 徒歩 丙 丁 0\n"
    "2 0 青線 丁 己 10:40 10:51 11 0\n"
    "3 0 0010 東武 丁 己 240\n";

}  // namespace kiv::test
