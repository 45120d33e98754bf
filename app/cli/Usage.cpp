#include "Usage.h"

#include <string>

namespace kiv::cli {
namespace {

constexpr std::string_view kSynopsis = "usage: kiv4cli [-C DIR] [--sjis] COMMAND [STATIONS] [OPTIONS]\n";

constexpr std::string_view kCommandList =
    "commands: route FROM TO, fastest FROM TO, fare FROM TO, faretable STATION,\n"
    "          reqtime STATION, timetable STATION, stations, jrcheap, tokyo101\n";

constexpr std::string_view kHelp = R"(
Runs the searches and tables of Kiv on the data files of the current
directory (the data directory, where Kiv4.def and the work files "$....kv4"
are written too), leaving the same work files as the windowed program, and
prints the result as UTF-8 text.

A station is its kanji name (UTF-8, exactly as in the station file) or #N
for station number N.

Commands:
  route FROM TO          the routes from FROM to TO within the search limits,
                         each as the route list window saves it
      --time H:MM          departure time 0:00..23:59 (default: the clock, or
                           the settings when dep_systime is not 1)
      --day D              day of week 0..6 (0 = Sunday) or 日 月 火 水 木 金 土
                           (default: as for --time)
      --detour KM          detour limit 3..20 km (default: detour of Kiv4.def)
      --extra MIN          minutes allowed over the fastest time, 0..60 (default 15)
      --changes N          most changes of a route, 0..100 (default 4)
      --routes N           most routes to detect, 1..300 (default 20)
      --order ORDER        found (detection order, default), time or fare
  fastest FROM TO        the fastest route (time priority), report $TT$.kv4
      --time H:MM, --day D as for route
      --plain              only departure, change and arrival lines
  fare FROM TO           the fare in yen between two stations of one network
      --network CODE       network code, 0 = JR (default 0)
      --no-tokyo-rule      price a journey between the Yamanote zone and the
                           101-200 km stations as it runs, not from 東京
  faretable STATION      the fare table of a station ($FareTbl.kv4)
      --block N            only company block N, counted from 0 (default: all)
      --csv                as CSV
      -o FILE              write FILE (Shift-JIS, CR LF) as the fare table
                           window saves it, instead of printing
  reqtime STATION        the required-time tables of the trains leaving a
                         station ($RqTmTbl.kv4)
      --table N            only table N, counted from 0 (default: all)
      --csv, -o FILE       as for faretable
  timetable STATION      the departures of a station in one hour ($VTT.kv4)
      --day D              day of week as for route (default: dep_day of Kiv4.def)
      --hour H             clock hour 0..23 (default: dep_h of Kiv4.def)
      --group              group the departures by train
  stations               the list of station names ($stalist.kv4)
  jrcheap                builds the JR cheapest-route table (jrregu.dat,
                         $jrregu.csv) and prints the number of pairs
  tokyo101               builds the Tokyo-zone 101-200 km list ($TKY101.KV4)
                         and prints the number of lines

For every command:
  -C DIR                 change into DIR first; every other path, -o FILE
                         included, is then taken relative to DIR
  --sjis                 print the work file's bytes unchanged (Shift-JIS,
                         CR LF) instead of UTF-8
  --no-wait              fail at once when another command runs in the data
                         directory (default: wait for it to finish)
  -h, --help             show this help

The limits --detour, --extra, --changes and --routes hold for this run only.
route, fastest, faretable, reqtime and timetable put their stations at the
top of the recent lists of Kiv4.def, as the windowed program does.

Exit status: 0 done; 1 the command failed (the message is on standard
error); 2 the command line is wrong.
)";

}  // namespace

std::string_view helpText() {
  static const std::string text = std::string(kSynopsis) + std::string(kHelp);
  return text;
}

std::string_view usageText() {
  static const std::string text =
      std::string(kSynopsis) + std::string(kCommandList) + "try 'kiv4cli --help' for the options\n";
  return text;
}

}  // namespace kiv::cli
