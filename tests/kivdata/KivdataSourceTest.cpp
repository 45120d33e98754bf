// The word-level rules of the source format and the way stop lists, change
// patterns and walks expand into records.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "Compiler.h"
#include "KivdataTestSupport.h"
#include "SourceText.h"
#include "text/Codec.h"

namespace kiv::test {
namespace {

using data::parseDays;
using data::parseHours;
using data::parseKm;

TEST(KivdataSourceText, KilometresHoursAndDays) {
  EXPECT_EQ(parseKm("0.0"), 0);
  EXPECT_EQ(parseKm("104.6"), 1046);
  EXPECT_EQ(parseKm("5"), 50);
  for (const char* bad : {"1.23", "1.", ".5", "-1.0", "1,5", "１.０", ""}) EXPECT_FALSE(parseKm(bad)) << bad;

  std::string why;
  EXPECT_EQ(parseHours("5-23", why), 0xffffe0u);
  EXPECT_EQ(parseHours("0,6-9,23", why), 0x8003c1u);
  EXPECT_EQ(parseHours("7", why), 0x80u);
  EXPECT_FALSE(parseHours("22-1", why));
  EXPECT_NE(why.find("backwards"), std::string::npos);
  EXPECT_FALSE(parseHours("0-24", why));
  EXPECT_NE(why.find("hour 24 is outside 0..23"), std::string::npos);
  for (const char* bad : {"", "6-", "a", "5-9,", "5--9"}) EXPECT_FALSE(parseHours(bad, why)) << bad;

  EXPECT_EQ(parseDays("毎日", why), 0x7f);
  EXPECT_EQ(parseDays("平日", why), 0x3e);
  EXPECT_EQ(parseDays("土休日", why), 0x41);
  EXPECT_EQ(parseDays("休日", why), 0x01);
  EXPECT_EQ(parseDays("月水金", why), 0x2a);
  EXPECT_EQ(parseDays("土", why), 0x40);
  EXPECT_FALSE(parseDays("月曜", why));
  EXPECT_FALSE(parseDays("", why));
}

TEST(KivdataSourceText, Utf8AndComments) {
  EXPECT_TRUE(data::isValidUtf8("東京 abc"));
  EXPECT_FALSE(data::isValidUtf8("\xe6\x9d"));      // cut short
  EXPECT_FALSE(data::isValidUtf8("\xc0\xaf"));      // overlong
  EXPECT_FALSE(data::isValidUtf8("\xed\xa0\x80"));  // surrogate
  EXPECT_FALSE(data::isValidUtf8("\x80"));

  EXPECT_EQ(data::splitWords("  0.0\t東京  とうきょう # comment"),
            (std::vector<std::string>{"0.0", "東京", "とうきょう"}));
  EXPECT_EQ(data::splitWords("# all comment"), std::vector<std::string>{});
  EXPECT_EQ(data::splitWords("駅＃1 a#b"), (std::vector<std::string>{"駅＃1", "a#b"}));
  EXPECT_EQ(data::restOfLine("title 中央線 （東京～高尾）  # note", 1), "中央線 （東京～高尾）");
}

// Compiles the sources and returns the data set; fails the test on errors.
std::optional<data::DataSet> compile(const SourceTree& tree) {
  data::Diagnostics diag;
  auto set = data::compileDirectory(tree.src(), diag);
  for (const std::string& m : diag.messages()) ADD_FAILURE() << m;
  return set;
}

std::vector<std::pair<int, int>> hopsOf(const data::DataSet& set, int train) {
  std::vector<std::pair<int, int>> hops;
  for (const auto& r : set.diagram2.records)
    if (r.train == train) hops.emplace_back(r.station, r.nextStation);
  std::sort(hops.begin(), hops.end());
  return hops;
}

// Stations 甲 1 .. 戊 5 on one line, 1.0 km apart, and a branch 丙-己 (6).
const std::string kLines =
    "line 本線\nkind 幹線\n 0.0 甲 こう\n 1.0 乙 おつ\n 2.0 丙 へい\n 3.0 丁 てい\n 4.0 戊 ぼ\n"
    "line 支線\nkind 幹線\n 0.0 丙\n 6.0 己 き\n";

TEST(KivdataSourceExpansion, AlongReverseAndDerivedMinutes) {
  SourceTree tree;
  tree.write("a.txt", kLines +
                          "train 上り\nterminal 甲\nspeed 60\nevery 30 hours 8\n"
                          "己\n"
                          "丙\n"                // over the branch, minutes from the speed
                          "along 本線 丙 甲\n"  // backwards; 丙 is not repeated
                          "train 快速\nterminal 戊\nat 0 hours 8\n"
                          "乙\n"
                          "戊 7\n"  // passes 丙 and 丁
                          "train 快速戻り\nterminal 甲\nat 30 hours 8\n"
                          "戊\n"
                          "reverse 快速\n"  // begins at 戊 again: not repeated
                          "甲 2\n");        // and one stop more
  auto set = compile(tree);
  ASSERT_TRUE(set);
  EXPECT_EQ(hopsOf(*set, 1), (std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {6, 3}}));
  EXPECT_EQ(hopsOf(*set, 3), (std::vector<std::pair<int, int>>{{2, 1}, {5, 2}}));

  for (const auto& r : set->diagram2.records) {
    if (r.train == 1 && r.station == 6) {
      EXPECT_EQ(r.rideMinutes, 6);  // 6.0 km at 60 km/h
    }
    if (r.train == 3 && r.station == 5) {
      EXPECT_EQ(r.rideMinutes, 7);  // mirrored from 快速
    }
    if (r.train == 3 && r.station == 2) {
      EXPECT_EQ(r.rideMinutes, 2);
      EXPECT_EQ(r.minute, 37);  // :30 plus the 7 minutes from 戊
    }
  }
}

// A train that stands at a stop leaves it that many minutes after it
// arrives: later departures move by riding and standing minutes, an interval
// pattern by whole hours of both, and a reversed train stands where its
// model stands.
TEST(KivdataSourceExpansion, WaitAtAStopMovesTheLaterDepartures) {
  SourceTree tree;
  tree.write("a.txt", kLines +
                          "train 下り\nterminal 丁\nat 50 hours 8\nevery 30 hours 8\n"
                          "甲\n乙 5 wait=3\n丙 4 wait=10\n丁 2\n"
                          "train 上り\nterminal 甲\nat 0 hours 8\nreverse 下り\n");
  auto set = compile(tree);
  ASSERT_TRUE(set);
  // (train, station, minute, interval, hours) of every record.
  std::vector<std::tuple<int, int, int, int, std::uint32_t>> records;
  for (const auto& r : set->diagram2.records)
    records.emplace_back(r.train, r.station, r.minute, r.interval, r.hours);
  std::sort(records.begin(), records.end());
  constexpr std::uint32_t h8 = 1u << 8, h9 = 1u << 9;
  EXPECT_EQ(records, (decltype(records){{1, 1, 0, 30, h8},
                                        {1, 1, 50, 0, h8},
                                        {1, 2, 0, 30, h8},
                                        {1, 2, 58, 0, h8},  // :50 + 5 + 3
                                        {1, 3, 0, 30, h8},  // 22 minutes on: the same hour
                                        {1, 3, 12, 0, h9},  // :50 + 22
                                        {2, 2, 19, 0, h8},  // :12 at 丙 + 4 + 3
                                        {2, 3, 12, 0, h8},  // 2 + 10
                                        {2, 4, 0, 0, h8}}));
}

// Sections after `oneway` get the edge in row order only, until `bothways`;
// a train against them has no way between its stops.
TEST(KivdataSourceExpansion, OneWaySectionsRunInRowOrderOnly) {
  SourceTree tree;
  const std::string line =
      "line 本線\nkind 幹線\n 0.0 甲 こう\noneway\n 1.0 乙 おつ\n 2.0 丙 へい\nbothways\n 3.0 丁 てい\n";
  tree.write("a.txt", line + "train 下り\nterminal 丁\nspeed 60\nevery 10 hours 8\nalong 本線 甲 丁\n");
  auto set = compile(tree);
  ASSERT_TRUE(set);
  std::vector<std::pair<int, int>> edges;
  for (const auto& e : set->distJR.edges) edges.emplace_back(e.from, e.to);
  EXPECT_EQ(edges, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {3, 4}, {4, 3}}));

  tree.write("a.txt", line + "train 上り\nterminal 甲\nspeed 60\nevery 10 hours 8\n丙\n乙\n");
  data::Diagnostics diag;
  EXPECT_FALSE(data::compileDirectory(tree.src(), diag));
  ASSERT_EQ(diag.messages().size(), 1u);
  EXPECT_NE(diag.messages()[0].find("a.txt:14: no line of network 0 joins 丙 and 乙"), std::string::npos)
      << diag.messages()[0];
}

TEST(KivdataSourceExpansion, ChangePatternsAndWalks) {
  SourceTree tree;
  tree.write("a.txt", kLines +
                          "train 本線A\nterminal 戊\nspeed 60\nevery 10 hours 6-22\nalong 本線 甲 戊\n"
                          "train 本線B\nterminal 甲\nspeed 60\nevery 10 hours 6-22\nalong 本線 戊 甲\n"
                          "train 支線A\nterminal 己\nspeed 60\nevery 20 hours 6-22\nalong 支線 丙 己\n"
                          "change 丙 本線* 支線A 3\n"
                          "change 丙 支線* 本線A 3\n"  // the same pair again with the same minutes
                          "change 乙 本線* 本線* 2\n"
                          "walk 戊 己 401m\n"
                          "walk 甲 己 5 徒歩連絡\n"
                          "link 己 戊\n");  // already linked by the walk
  auto set = compile(tree);
  ASSERT_TRUE(set);
  ASSERT_EQ(set->transfer.records.size(), 3u);
  EXPECT_EQ(set->transfer.records[0], (TransferRecord{3, 1, 3, 3}));
  EXPECT_EQ(set->transfer.records[1], (TransferRecord{3, 2, 3, 3}));
  EXPECT_EQ(set->transfer.records[2], (TransferRecord{2, 1, 2, 2}));

  ASSERT_EQ(set->train.trains.size(), 5u);
  EXPECT_EQ(set->train.trains[3].name, *utf8ToSjis("徒歩"));
  EXPECT_EQ(set->train.trains[4].name, *utf8ToSjis("徒歩連絡"));
  EXPECT_EQ(set->train.trains[4].networkCode, 900);
  for (const auto& r : set->diagram2.records) {
    if (r.train == 4) {
      EXPECT_EQ(r.rideMinutes, 6);  // 401 m at 80 m a minute, rounded up
      EXPECT_EQ(r.interval, 1);
      EXPECT_EQ(r.hours, 0xffffffu);
    }
  }
  ASSERT_EQ(set->fareW.records.size(), 2u);
  EXPECT_EQ(set->fareW.records[0].a, 6);
  EXPECT_EQ(set->fareW.records[0].b, 5);
  EXPECT_EQ(set->fareW.records[1].a, 1);

  // A conflicting repeat is refused.
  tree.write("b.txt", "change 丙 支線A 本線B 4\n");
  data::Diagnostics diag;
  EXPECT_FALSE(data::compileDirectory(tree.src(), diag));
  ASSERT_EQ(diag.messages().size(), 1u);
  EXPECT_NE(diag.messages()[0].find(
                "b.txt:1: the change between 支線A and 本線B at 丙 is already given as 3 minutes at a.txt:"),
            std::string::npos)
      << diag.messages()[0];
}

}  // namespace
}  // namespace kiv::test
