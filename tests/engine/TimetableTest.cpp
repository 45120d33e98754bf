#include <gtest/gtest.h>

#include <memory>

#include "Engine.h"
#include "TempDir.h"
#include "TimetableFixture.h"

namespace kiv {
namespace {

using test::padded;
using test::servedHours;
using test::sjis;
using test::workText;

// The heading of one company's block of a station timetable report.
std::string heading(const std::string& station, const std::string& dayAndHour, const std::string& company) {
  return "☆★ ［ " + station + " ］の発車時刻データ( " + dayAndHour + " )  ～ " + company + " ～ ★☆\n\n";
}

// One departure line of the report: when ("05分発", or "04分毎" for a
// frequent service), the train and where it is bound.
std::string row(const std::string& when, const std::string& train, const std::string& terminal) {
  return "    " + when + "  " + padded(train, 32) + "  " + terminal + " 方面ゆき\n";
}

const std::string kNote = "\n\n注 : 実際のダイヤとは異なります。\n";

constexpr std::uint8_t kSaturday = 0x40;

// Written record by record: the departures of several trains interleave in
// the file, which the compiler (train order) never writes.
// Tokyo station: JR lines and two subway lines of one company (codes 80 and
// 81), written out of order so that the sort has work to do.
class TimetableTest : public testing::Test {
 protected:
  TimetableTest() {
    test::TimetableWorld w{"東京", "神田", "高尾", "大船", "池袋", "大手町", "中野", "品川"};
    const TrainNo chuo = w.train("中央線快速", 0);
    const TrainNo keihin = w.train("京浜東北線", 0);
    const TrainNo marunouchi = w.train("丸ノ内線", 80);
    const TrainNo loop = w.train("山手線", 0);
    const TrainNo tozai = w.train("東西線", 81);
    w.timed(marunouchi, 1, 6, 20, 2, servedHours(6, 23)).terminal = 5;
    w.timed(tozai, 1, 6, 10, 2, servedHours(6, 23)).terminal = 7;
    w.timed(marunouchi, 1, 6, 3, 2, servedHours(6, 23)).terminal = 5;
    auto& saturday = w.timed(keihin, 1, 2, 12, 2, servedHours(6, 23));
    saturday.terminal = 4;
    saturday.days = kSaturday;
    saturday.listOrder = 1;
    w.timed(chuo, 1, 2, 35, 2, servedHours(6, 23)).terminal = 3;
    w.timed(loop, 1, 2, 50, 2, servedHours(6, 23)).terminal = 5;
    w.every(loop, 1, 2, 4, 2, servedHours(5, 23)).terminal = 5;
    w.timed(chuo, 1, 2, 5, 2, servedHours(6, 23)).terminal = 3;
    w.timed(chuo, 2, 1, 0, 2, servedHours(6, 23));
    w.write(dir.path());
    engine = std::make_unique<Engine>(dir.path());
  }

  RDiaMan& dia() { return engine->dia; }

  test::TempDir dir;
  std::unique_ptr<Engine> engine;
};

TEST_F(TimetableTest, SourceLinesFollowTheDaysAndHoursMasks) {
  // Saturday 6 o'clock: all eight patterns of Tokyo; Friday: not the
  // Saturday-only one; 5 o'clock: only the frequent loop line.
  EXPECT_EQ(dia().writeStationDepartures(1, 6, 6, false), 8);
  EXPECT_EQ(dia().writeStationDepartures(1, 5, 6, false), 7);
  EXPECT_EQ(dia().writeStationDepartures(1, 0, 29, false), 1);  // 29 is 5 o'clock
  EXPECT_EQ(dia().writeStationDepartures(1, 6, 5, false), 1);
  EXPECT_EQ(dir.readText("TTSrc.kv4"),
            workText("000 1 0 04分毎 " + padded("山手線", 32) + " " + padded("池袋", 24) + "\n"));
  EXPECT_EQ(dia().writeStationDepartures(1, 6, 5, true), 1);
  EXPECT_EQ(dir.readText("TTSrc.kv4"),
            workText("000 1 " + padded("山手線", 32) + " 0 04分毎 " + padded("池袋", 24) + "\n"));
  EXPECT_EQ(dia().writeStationDepartures(1, 6, 4, true), 0);
  EXPECT_EQ(dir.readText("TTSrc.kv4"), "");
  // No departures at all, or no such station.
  EXPECT_EQ(dia().writeStationDepartures(3, 6, 6, false), -1);
  EXPECT_EQ(dia().writeStationDepartures(9, 6, 6, false), -1);
}

TEST_F(TimetableTest, InTimeOrderFrequentServicesComeFirstThenMinutes) {
  ASSERT_EQ(dia().buildStationTimetable(1, 6, 6, false), 8);
  EXPECT_EQ(dir.readText("$VTT.kv4"),
            workText(heading("東京", "土曜 6時台", "ＪＲ東日本") + row("04分毎", "山手線", "池袋") +
                     row("05分発", "中央線快速", "高尾") + row("35分発", "中央線快速", "高尾") +
                     row("50分発", "山手線", "池袋") + row("12分発", "京浜東北線", "大船") + "\n\n" +
                     heading("東京", "土曜 6時台", "営団地下鉄") + row("03分発", "丸ノ内線", "池袋") +
                     row("20分発", "丸ノ内線", "池袋") + row("10分発", "東西線", "中野") + kNote));
}

TEST_F(TimetableTest, GroupedByTrainKeepsEachTrainTogether) {
  ASSERT_EQ(dia().buildStationTimetable(1, 3, 6, true), 7);
  EXPECT_EQ(dir.readText("$VTT.kv4"),
            workText(heading("東京", "水曜 6時台", "ＪＲ東日本") + row("04分毎", "山手線", "池袋") +
                     row("50分発", "山手線", "池袋") + row("05分発", "中央線快速", "高尾") +
                     row("35分発", "中央線快速", "高尾") + "\n\n" +
                     heading("東京", "水曜 6時台", "営団地下鉄") + row("03分発", "丸ノ内線", "池袋") +
                     row("20分発", "丸ノ内線", "池袋") + row("10分発", "東西線", "中野") + kNote));
}

TEST_F(TimetableTest, CommandRemovesOldFilesAndStopsWithoutData) {
  dir.writeText("TTSrc.kv4", "old");
  dir.writeText("$VTT.kv4", "old");
  EXPECT_EQ(dia().buildStationTimetable(1, 6, 4, false), 0);
  EXPECT_EQ(dir.readText("TTSrc.kv4"), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "$VTT.kv4"));

  dir.writeText("$VTT.kv4", "old");
  EXPECT_EQ(dia().buildStationTimetable(3, 6, 6, false), -1);
  EXPECT_FALSE(std::filesystem::exists(dir / "TTSrc.kv4"));
  EXPECT_FALSE(std::filesystem::exists(dir / "$VTT.kv4"));

  // A single-line hour: the report is one block.
  ASSERT_EQ(dia().buildStationTimetable(2, 0, 23, false), 1);
  EXPECT_EQ(dir.readText("$VTT.kv4"), workText(heading("神田", "日曜23時台", "ＪＲ東日本") +
                                               row("00分発", "中央線快速", "東京") + kNote));
}

TEST_F(TimetableTest, SortIgnoresCaseOfLettersOnlyAndIsStable) {
  // "ア" is 83 41 and "ヂ" 83 61: their second bytes look like "A" and "a"
  // but must not be folded. Equal keys keep their order; duplicates stay.
  dir.writeText("TTSrc.kv4", "b\nA\r\na\nB\r\n" + sjis("ヂ") + "\n" + sjis("ア") + "\nA\n");
  EXPECT_EQ(dia().sortStationDepartures(), 7);
  EXPECT_EQ(dir.readText("TTSrc.kv4"),
            "A\r\na\r\nA\r\nb\r\nB\r\n" + sjis("ア") + "\r\n" + sjis("ヂ") + "\r\n");

  std::filesystem::remove(dir / "TTSrc.kv4");
  EXPECT_EQ(dia().sortStationDepartures(), -1);
  EXPECT_EQ(dia().writeStationTimetable(1, "x", 6, false), -1);
}

TEST_F(TimetableTest, WorkFilesThatCannotBeCreatedFail) {
  ASSERT_EQ(dia().writeStationDepartures(1, 6, 6, false), 8);
  std::filesystem::create_directories(dir / "$VTT.kv4" / "x");
  EXPECT_EQ(dia().writeStationTimetable(1, "x", 6, false), -1);
  EXPECT_EQ(dia().buildStationTimetable(1, 6, 6, false), -1);
  std::filesystem::remove(dir / "TTSrc.kv4");
  std::filesystem::create_directories(dir / "TTSrc.kv4" / "x");
  EXPECT_EQ(dia().writeStationDepartures(1, 6, 6, false), -1);
  EXPECT_EQ(dia().sortStationDepartures(), -1);
}

}  // namespace
}  // namespace kiv
