#include "CommandTable.h"

#include <array>

#include "Commands.h"

namespace kiv::cli {
namespace {

constexpr unsigned kAllData = kStationData | kTimetableData | kFareData;

constexpr std::array<CommandSpec, 11> kCommands = {{
    {"route", "FROM TO", 2,
     "--time --day --arrive-by --detour --extra --changes --routes --order --mode --json",
     kAllData, runRoute, "the routes between two stations, with times, changes and fares",
     "Finds the routes from FROM to TO for a departure time and day, within the\n"
     "search limits, and describes each: expected arrival, travel time (riding,\n"
     "walking, waiting), trains, changes and the fare of each section. The\n"
     "departure time is the clock's, or the one kept in the settings when the\n"
     "settings say not to use the clock; --time and --day replace it. Without\n"
     "--detour, --extra, --changes and --routes the search limits of the\n"
     "settings apply (when never changed: 15 extra minutes, 4 changes, 20\n"
     "routes); the limits given here hold for this run only. FROM and TO become\n"
     "the latest stations of the recent lists, as in the windowed program.\n"
     "--mode best lists the best routes instead of the routes in the order the\n"
     "classic search found them: every journey that leaves at or after the time,\n"
     "arrives by the fastest arrival plus the extra minutes and changes at most\n"
     "the allowed times, that no other journey beats on all of departure (later\n"
     "is better), arrival, changes and fare; earliest arrival first, then fewest\n"
     "changes, lowest fare, later departure. So the next departures are listed\n"
     "too, and a journey never waits for a later train where a later departure\n"
     "arrives as early. The list for N routes is the start of the list for N + 1.\n"
     "A line before the routes gives the day, each journey's departure and\n"
     "arrival (翌 for the next day, a day's name further on) and its marks: 早\n"
     "earliest arrival, 楽 fewest changes, 安 lowest fare. The detour limit\n"
     "(--detour) belongs to the classic mode only.\n"
     "--arrive-by takes --time as the latest arrival: the journeys that arrive by\n"
     "then, the latest departure first, and those leaving up to the extra\n"
     "minutes before it (the best routes by the same rules, mirrored).",
     "kiv4cli route 東京 高崎 --time 9:00 --day 月\n"
     "kiv4cli route 東京 高崎 --time 9:00 --day 月 --mode best --routes 5\n"
     "kiv4cli route 新宿 横浜 --time 9:00 --day 月 --arrive-by --routes 3\n"
     "kiv4cli route 新宿 川越 --time 8:00 --day 1 --order time --routes 5\n"
     "kiv4cli route しんじゅく かわごえ --time 8:00 --json",
     "$MltRtL1.kv4, $MltRtL2.kv4, $MltRtL3.kv4 (the lists in each order),\n"
     "$MltRtDt.kv4 (route details), $vflg.kv4 (search log), Kiv4.def"},
    {"lasttrain", "FROM TO", 2, "--day --changes --json", kAllData, runLastTrain,
     "the last journey of a day between two stations",
     "Finds the latest departure on the day (--day, else the day of the\n"
     "settings or the clock) from which TO is still reached before the service\n"
     "day ends at 4:00 the next morning, without waiting for the next day's\n"
     "first trains, and describes that journey as route does. Times after\n"
     "midnight are marked 翌.",
     "kiv4cli lasttrain 新宿 八王子 --day 金\n"
     "kiv4cli lasttrain 東京 高崎 --day 土 --json",
     "$MltRtL1.kv4, $MltRtL2.kv4, $MltRtL3.kv4, $MltRtDt.kv4, Kiv4.def"},
    {"fastest", "FROM TO", 2, "--time --day --arrive-by --plain --json", kAllData, runFastest,
     "the single fastest route and its fare",
     "Finds the route that arrives first and prints it stop by stop, then the\n"
     "fare of each section of the route as the route list prices it. With\n"
     "--arrive-by it finds the journey that leaves latest and still arrives by\n"
     "--time, and describes it as route does. Departure\n"
     "time and day as for route.",
     "kiv4cli fastest 東京 高崎 --time 9:00 --day 月\n"
     "kiv4cli fastest 新宿 川越 --time 8:00 --plain",
     "$TT$.kv4 (the report), Kiv4.def"},
    {"fare", "FROM TO", 2, "--network --no-tokyo-rule --verbose --json", kStationData | kFareData, runFare,
     "the fare in yen between two stations of one network",
     "Prints the fare in yen of the cheapest way between two stations of one\n"
     "network (JR unless --network names another) as a bare number, for\n"
     "scripts; --verbose says it in words. A JR journey between the Yamanote\n"
     "zone and a station 101 to 200 km away is priced from 東京, as the ticket\n"
     "office does, unless --no-tokyo-rule is given.",
     "kiv4cli fare 東京 高崎\n"
     "kiv4cli fare 新宿 高崎 --no-tokyo-rule --verbose",
     ""},
    {"faretable", "STATION", 1, "--block --csv --json -o", kStationData | kFareData, runFareTable,
     "the fares from a station to every station, by company",
     "Prints the fares from STATION to every station of every network that\n"
     "serves it, one block per railway company, as the fare table window saves\n"
     "them. STATION becomes the latest departure of the recent list.",
     "kiv4cli faretable 東京\n"
     "kiv4cli faretable 高崎 --csv -o fares.csv",
     "$FareTbl.kv4 (the table), Kiv4.def"},
    {"reqtime", "STATION", 1, "--table --csv --json -o", kStationData | kTimetableData, runRequiredTime,
     "the riding minutes from a station along every train that leaves it",
     "For every train leaving STATION, lists the stations it reaches and the\n"
     "riding minutes to each (no waits), as the required-time window saves them.",
     "kiv4cli reqtime 高崎\n"
     "kiv4cli reqtime 高崎 --table 0 --csv",
     "$RqTmTbl.kv4 (the tables), Kiv4.def"},
    {"timetable", "STATION", 1, "--day --hour --group --json", kStationData | kTimetableData, runTimetable,
     "the departures of a station in one hour",
     "Lists the departures of STATION in one clock hour of one day of the week,\n"
     "by railway company: the minute (or the interval of a frequent service),\n"
     "the train and where it is bound. Day and hour default to the ones kept in\n"
     "the settings, never the clock.",
     "kiv4cli timetable 高崎 --day 月 --hour 8\n"
     "kiv4cli timetable 新宿 --day 0 --hour 18 --group",
     "TTSrc.kv4 (departures), $VTT.kv4 (the report), Kiv4.def"},
    {"find", "TEXT", 1, "--json", kStationData, runFind,
     "stations whose name or kana reading contains a text",
     "Lists the stations whose name or reading contains TEXT (kanji, hiragana\n"
     "or katakana; small and large kana and old and new kanji forms alike),\n"
     "with their numbers (for #N), readings, and the lines and railway\n"
     "networks that serve them.",
     "kiv4cli find 川越\n"
     "kiv4cli find しんじゅく --json",
     ""},
    {"stations", "", 0, "", kStationData, runStations, "every station name, in station-number order",
     "Writes and prints the list of station names; station N is line N.", "kiv4cli stations", "$stalist.kv4"},
    {"jrcheap", "", 0, "", kStationData | kFareData, runJrCheapest,
     "builds the JR cheapest-route table and prints its number of pairs",
     "Builds the table of the cheapest JR route between every two JR stations\n"
     "(a developer's table; it takes a while on a large network).",
     "kiv4cli jrcheap", "jrregu.dat, $jrregu.csv"},
    {"tokyo101", "", 0, "", kStationData | kFareData, runTokyoZone,
     "builds the Tokyo-zone 101-200 km list and prints its number of lines",
     "Builds the list of the stations 101 to 200 km from Tokyo whose fare\n"
     "changes under the Tokyo-zone rule (a developer's table).",
     "kiv4cli tokyo101", "$TKY101.KV4"},
}};

}  // namespace

std::span<const CommandSpec> commandTable() { return kCommands; }

const CommandSpec* findCommand(std::string_view name) {
  for (const CommandSpec& c : kCommands)
    if (c.name == name) return &c;
  return nullptr;
}

bool commandTakesOption(const CommandSpec& command, std::string_view option) {
  std::string_view rest = command.options;
  while (!rest.empty()) {
    const auto blank = rest.find(' ');
    if (rest.substr(0, blank) == option) return true;
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  return false;
}

}  // namespace kiv::cli
