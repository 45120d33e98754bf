// The kilometres of the lines checked against each other: a stretch that two
// lines describe, one as a single section and one over stations of its own,
// must be as long on both.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LineKilometres.h"
#include "Parser.h"

namespace kiv::test {
namespace {

std::vector<std::string> check(const std::vector<data::SourceFile>& files) {
  data::Diagnostics diag;
  const data::SourceSet sources = data::parseSources(files, diag);
  EXPECT_FALSE(diag.hasErrors());
  data::checkLineKilometres(sources, diag);
  return diag.messages();
}

TEST(LineKilometres, TheShippedLinesAgree) {
  data::Diagnostics diag;
  const std::vector<data::SourceFile> files =
      data::readSourceDir(std::filesystem::path(KIV_SOURCE_DIR) / "data", diag);
  ASSERT_FALSE(files.empty());
  // Two lines of one company that run between the same two stations on tracks
  // of their own. (The 日比谷線 has 1.6 km by 日比谷 in the company's table;
  // its 日比谷–霞ケ関 is stored once with the 千代田線's 0.8 km.)
  const std::vector<std::string> twoTracks = {
      "pr/08-eidan/02-marunouchi.txt:21: 銀座-霞ケ関 is 1.0 km on 丸ノ内線 but 1.2 km on 日比谷線 "
      "(pr/08-eidan/03-hibiya.txt:8)",
      "pr/08-eidan/07-hanzomon.txt:14: 表参道-青山一丁目 is 1.5 km on 半蔵門線 but 1.4 km on 銀座線 "
      "(pr/08-eidan/01-ginza.txt:8)",
  };
  EXPECT_EQ(check(files), twoTracks);
}

TEST(LineKilometres, AStretchDescribedTwiceMustAddUp) {
  // The express line has 甲–丙 as one section of 5.0 km; the local line runs
  // 甲–乙–丙 over 5.3 km.
  const std::string local = "line 各停\nnetwork 10\n 0.0 甲 こう\n 2.0 乙 おつ\n 5.3 丙 へい\n";
  const std::string express = "line 急行\nnetwork 10\n 10.0 甲\n 15.0 丙\n 18.0 丁 てい\n";
  const std::vector<std::string> messages = check({{"a.txt", local}, {"b.txt", express}});
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "b.txt:4: 甲-丙 is 5.0 km on 急行 but 5.3 km on 各停 (a.txt:1)");
  // Counted the other way along the local line, 5.0 km agrees.
  const std::string backwards = "line 各停\nnetwork 10\n 0.0 丙 へい\n 3.0 乙 おつ\n 5.0 甲 こう\n";
  EXPECT_EQ(check({{"a.txt", backwards}, {"b.txt", express}}), std::vector<std::string>{});
}

TEST(LineKilometres, DifferentTracksAndNetworksAreNotCompared) {
  // Another company's line over the same two stations is another track.
  const std::string other = "line 私線\nnetwork 20\n 0.0 甲 こう\n 2.0 乙 おつ\n 5.3 丙 へい\n";
  const std::string express = "line 急行\nnetwork 10\n 0.0 甲\n 5.0 丙\n";
  EXPECT_EQ(check({{"a.txt", other}, {"b.txt", express}}), std::vector<std::string>{});
  // A line that passes a station of the first line between the two is a route
  // of its own, not a description of the section.
  const std::string loop = "line 環状\nnetwork 10\n 0.0 甲 こう\n 2.0 丁 てい\n 9.0 丙 へい\n";
  const std::string line = "line 本線\nnetwork 10\n 0.0 甲\n 5.0 丙\n 7.0 丁\n";
  EXPECT_EQ(check({{"a.txt", loop}, {"b.txt", line}}), std::vector<std::string>{});
}

}  // namespace
}  // namespace kiv::test
