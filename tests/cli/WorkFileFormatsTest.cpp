// The format functions of the work files against the bytes the searches
// write today: every record of a file that a command leaves, read with its
// reader and written again with its format, must come out as the very same
// line, so that the searches can be moved onto the formats without changing
// a byte.
#include <gtest/gtest.h>

#include <functional>

#include "CliNetwork.h"
#include "Engine.h"
#include "network/RKivMan.h"
#include "report/RouteListExport.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"

namespace kiv::test {
namespace {

using namespace kiv::work_files;

const char* const kListFiles[] = {kRouteListFound, kRouteListTime, kRouteListFare};

// Formats one line again, or nullopt when no reader takes it.
using Reformat = std::function<std::optional<std::string>(const std::string&)>;

// Checks every line of the file; the number of lines checked.
std::size_t expectEveryLineReformats(const std::filesystem::path& file, const Reformat& reformat) {
  std::vector<std::string> lines;
  EXPECT_TRUE(report_text::readLines(file, lines)) << file;
  for (const std::string& line : lines) {
    const auto again = reformat(line);
    EXPECT_TRUE(again) << file << ": no reader takes " << sjisToUtf8Lossy(line);
    if (again) {
      EXPECT_EQ(*again, line) << file;
    }
  }
  return lines.size();
}

Reformat routeList(RouteListLayout layout) {
  return [layout](const std::string& line) -> std::optional<std::string> {
    if (const auto head = parseRouteListHead(line)) return formatRouteListHead(*head, layout);
    if (const auto route = parseRouteSummary(line)) return formatRouteSummary(*route, layout);
    return std::nullopt;
  };
}

std::optional<std::string> routeDetail(const std::string& line) {
  if (const auto stop = parseRouteStop(line)) return formatRouteStop(*stop);
  if (const auto ride = parseRouteRide(line)) return formatRouteRide(*ride);
  if (const auto section = parseRouteFareSection(line)) return formatRouteFareSection(*section);
  return std::nullopt;
}

// The files of a route search, written again from what their readers read.
void expectRouteFilesReformat(const TempDir& dir) {
  EXPECT_GT(expectEveryLineReformats(dir / kRouteListFound, routeList(RouteListLayout::kDetectionOrder)), 1u);
  EXPECT_GT(expectEveryLineReformats(dir / kRouteListTime, routeList(RouteListLayout::kSorted)), 1u);
  EXPECT_GT(expectEveryLineReformats(dir / kRouteListFare, routeList(RouteListLayout::kSorted)), 1u);
  EXPECT_GT(expectEveryLineReformats(dir / kRouteDetails, routeDetail), 2u);

  const auto list = readRouteList(dir / kRouteListFare);
  ASSERT_TRUE(list);
  ASSERT_TRUE(writeRouteList(dir / "again", *list, RouteListLayout::kSorted));
  EXPECT_EQ(dir.readText("again"), dir.readText(kRouteListFare));

  // The route descriptions from the lists read once, as RDiaMan writes them
  // route by route.
  for (int order = 1; order <= 3; ++order) {
    const auto routes = readRouteList(dir / kListFiles[order - 1]);
    ASSERT_TRUE(routes);
    std::vector<int> detections;
    for (const RouteSummary& r : routes->routes) detections.push_back(r.detection);
    Engine engine(dir.path());
    ASSERT_EQ(writeRouteDescriptions(engine.dia, dir / "expected", order, 3, detections), 0);
    ASSERT_EQ(writeRouteDescriptions(dir.path(), dir / "again", order, 3, detections), 0);
    EXPECT_EQ(dir.readText("again"), dir.readText("expected")) << "order " << order;
  }

  const auto log = readRouteSearchLog(dir / kRouteSearchLog);
  ASSERT_TRUE(log);
  EXPECT_FALSE(log->stations.empty());
  ASSERT_TRUE(writeRouteSearchLog(dir / "again", *log));
  EXPECT_EQ(dir.readText("again"), dir.readText(kRouteSearchLog));
}

// The station timetable report, made again from its source file.
void expectTimetableReportReformats(const TempDir& dir, const std::string& station, const std::string& hour,
                                    bool grouped) {
  const auto departures = readStationDepartures(dir / kTimetableSource, grouped);
  ASSERT_TRUE(departures);
  const RKivMan companies;
  const std::string text = formatStationTimetable(sjis(station), sjis("月"), std::stoi(hour), *departures,
                                                  [&companies](int company) {
                                                    char name[kCompanyNameSize] = "";
                                                    companies.getCompanyName(company, name);
                                                    return std::string(name);
                                                  });
  ASSERT_TRUE(report_text::writeText(dir / "again", text));
  EXPECT_EQ(dir.readText("again"), dir.readText(kTimetableReport));
}

// The tables of one station, written again whole.
void expectTablesReformat(const TempDir& dir, const std::string& station, const std::string& hour) {
  const auto run = [&](const std::vector<std::string>& args) {
    const CliResult r = runCli(args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
  };
  run({"reqtime", station});
  const auto times = readRequiredTimes(dir / kRequiredTimes);
  ASSERT_TRUE(times);
  EXPECT_FALSE(times->tables.empty());
  ASSERT_TRUE(writeRequiredTimes(dir / "again", *times));
  EXPECT_EQ(dir.readText("again"), dir.readText(kRequiredTimes));
  // Its exports, as the required-time window saves them.
  Engine engine(dir.path());
  const TableExport texts{report_text::kRequiredTimeExportHeading.c_str(),
                          report_text::kRequiredTimeCsvHeader.c_str()};
  for (const int table : {-1, 0, 1}) {
    for (const bool csv : {false, true}) {
      ASSERT_EQ(engine.dia.exportRequiredTimeTable(dir / "expected", table, csv), 0);
      ASSERT_TRUE(writeTableExport(dir / "again", *times, table, csv, texts));
      EXPECT_EQ(dir.readText("again"), dir.readText("expected")) << table << (csv ? " csv" : "");
    }
  }

  for (const bool grouped : {false, true}) {
    std::vector<std::string> args = {"timetable", station, "--day", "1", "--hour", hour};
    if (grouped) args.push_back("--group");
    run(args);
    const auto departures = readStationDepartures(dir / kTimetableSource, grouped);
    ASSERT_TRUE(departures);
    EXPECT_FALSE(departures->empty());
    ASSERT_TRUE(writeStationDepartures(dir / "again", *departures, grouped));
    EXPECT_EQ(dir.readText("again"), dir.readText(kTimetableSource)) << (grouped ? "grouped" : "plain");
    expectTimetableReportReformats(dir, station, hour, grouped);
  }
}

TEST_F(CliTest, SearchRecordsComeBackFromTheirFormatsByteForByte) {
  // 9:00 pads the hour and a 7-minute total pads the total in $MltRtL1.kv4.
  const CliResult r = run({"route", "東京", "上野", "--time", "9:00", "--day", "1"});
  ASSERT_EQ(r.status, 0) << r.err;
  expectRouteFilesReformat(dir);
  expectTablesReformat(dir, "東京", "9");
}

// The fastest-route report from the report formats, on the route whose
// report the route tests know: 東京 9:00 by 山手線, passing 神田 and 秋葉原.
TEST_F(CliTest, FastestReportComesBackFromItsFormats) {
  ASSERT_EQ(run({"fastest", "東京", "上野"}).status, 0);
  using namespace report_text;
  const std::string text = format(kFastestTitle.c_str(), sjis("東京").c_str(), sjis("上野").c_str()) +
                           format(kFastestStart.c_str(), 9, 0) +
                           format(kFastestLeaves.c_str(), 9, 0, sjis("東京").c_str()) +
                           format(kFastestRide.c_str(), sjis("山手線").c_str()) +
                           format(kFastestPassAt.c_str(), sjis("神田").c_str(), 9, 2) +
                           format(kFastestPassAt.c_str(), sjis("秋葉原").c_str(), 9, 4) +
                           format(kFastestArrives.c_str(), 9, 7, sjis("上野").c_str()) +
                           format(kFastestMinutes.c_str(), 7) + report_text::kTimetableNote;
  ASSERT_TRUE(writeText(dir / "again", text));
  EXPECT_EQ(dir.readText("again"), dir.readText(kFastestReport));
}

// The sample network adds walks, interval services, many companies and
// arrivals past midnight.
TEST(WorkFileFormats, SampleSearchRecordsComeBackByteForByte) {
  TempDir dir;
  std::filesystem::copy(KIV_SAMPLE_DIR, dir.path(), std::filesystem::copy_options::recursive);
  std::filesystem::remove(dir / "Kiv4.def");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"route", "新宿", "川越", "--time", "8:00", "--day", "1", "--detour", "10", "--extra", "30"},
           {"route", "東京", "上野", "--time", "23:50", "--day", "6"}}) {
    const CliResult r = runCli(args, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    expectRouteFilesReformat(dir);
  }
  expectTablesReformat(dir, "新宿", "18");
}

TEST(WorkFileWriter, WritesCrLfAndSaysWhetherEverythingWasWritten) {
  TempDir dir;
  WorkFileWriter out(dir / "file");
  out.line("0 a");
  out.text("1 b\n2 c\nrest");
  EXPECT_TRUE(out.close());
  EXPECT_EQ(dir.readText("file"), "0 a\r\n1 b\r\n2 c\r\nrest");
  EXPECT_FALSE(out.close());  // closed already

  WorkFileWriter more(dir / "file", WorkFileWriter::Mode::kAppend);
  more.line("");
  EXPECT_TRUE(more.close());
  EXPECT_EQ(dir.readText("file"), "0 a\r\n1 b\r\n2 c\r\nrest\r\n");

  WorkFileWriter missing(dir / "no such directory" / "file");
  EXPECT_FALSE(missing.isOpen());
  missing.line("lost");
  EXPECT_FALSE(missing.close());

  // A device that takes no bytes: the loss shows at the latest on close.
  WorkFileWriter full("/dev/full");
  if (full.isOpen()) {
    full.line("lost");
    EXPECT_FALSE(full.close());
  }
}

}  // namespace
}  // namespace kiv::test
