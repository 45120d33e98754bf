#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "settings/RDefMan.h"
#include "text/Codec.h"

namespace kiv {
namespace {

using test::TempDir;

std::string sjis(const char* utf8) { return *utf8ToSjis(utf8); }

std::string recentDep(const RDefMan& def, int index) {
  char buffer[kStationNameSize] = "untouched";
  return def.getRecentDep(index, buffer) == 0 ? std::string(buffer) : std::string("<none>");
}

std::string recentArv(const RDefMan& def, int index) {
  char buffer[kStationNameSize] = "untouched";
  return def.getRecentArv(index, buffer) == 0 ? std::string(buffer) : std::string("<none>");
}

// The fields the file can change, in a form that compares in one line.
std::string numbers(const RDefMan& def) {
  return std::to_string(def.getDepHour()) + " " + std::to_string(def.getDepMinute()) + " " +
         std::to_string(def.getDepDay()) + " " + std::to_string(def.getUseSysTime()) + " " +
         std::to_string(def.getOutputMode()) + " " + std::to_string(def.getDetour()) + " " +
         std::to_string(def.getWindowX()) + " " + std::to_string(def.getWindowY());
}

const std::string kDefaultNumbers = "12 0 1 1 1 10 0 0";

TEST(DefMan, DefaultsWithoutFile) {
  TempDir dir;
  RDefMan def(dir.path());
  EXPECT_EQ(numbers(def), kDefaultNumbers);
  EXPECT_EQ(def.getDiffTime(), 15);
  EXPECT_EQ(def.getTransMax(), 4);
  EXPECT_EQ(def.getRouteMax(), 20);
  for (int i = 0; i < RDefMan::kRecentCount; ++i) {
    EXPECT_EQ(recentDep(def, i), "<none>");
    EXPECT_EQ(recentArv(def, i), "<none>");
  }
  char buffer[kStationNameSize] = "keep";
  EXPECT_EQ(def.getRecentDep(0, buffer), -1);
  EXPECT_STREQ(buffer, "keep");
}

TEST(DefMan, DefaultFileLayoutAndWriteAtDestruction) {
  TempDir dir;
  { RDefMan def(dir.path()); }
  const std::string text = dir.readText("Kiv4.def");
  EXPECT_EQ(text.substr(0, 12), "dep_h = 12\r\n");
  EXPECT_NE(text.find("\r\nwindow_main_w = 600\r\nwindow_main_h = 480\r\nstation_dep1 = \r\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 18), "station_arv10 = \r\n");
  int lines = 0;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(lines, 31);
}

TEST(DefMan, RoundTripOfEveryPersistedField) {
  TempDir dir;
  const std::string tokyo = sjis("東京"), ueno = sjis("上野"), omiya = sjis("大宮");
  {
    RDefMan def(dir.path());
    def.setDepHour(7);
    def.setDepMinute(45);
    def.setDepDay(6);
    def.setUseSysTime(0);
    def.setDetour(17);
    def.setWindowX(-120);
    def.setWindowY(300);
    def.setWindowW(1024);
    def.setWindowH(700);
    // Not persisted: back to their defaults at the next start.
    def.setDiffTime(40);
    def.setTransMax(9);
    def.setRouteMax(250);
    for (int i = 0; i < 10; ++i) def.pushRecentDep("D" + std::to_string(i));
    def.pushRecentArv(tokyo);
    def.pushRecentArv(ueno);
    def.pushRecentArv(omiya);
  }
  // Change mode_route and mode_output in the file.
  std::string text = dir.readText("Kiv4.def");
  text.replace(text.find("mode_route = 1"), 14, "mode_route = 2");
  text.replace(text.find("mode_output = 1"), 15, "mode_output = 0");
  dir.writeText("Kiv4.def", text);

  std::string saved;
  {
    RDefMan def(dir.path());
    EXPECT_EQ(numbers(def), "7 45 6 0 0 17 -120 300");
    EXPECT_EQ(def.getDiffTime(), 15);
    EXPECT_EQ(def.getTransMax(), 4);
    EXPECT_EQ(def.getRouteMax(), 20);
    EXPECT_EQ(def.getRouteMode(), 2);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(recentDep(def, i), "D" + std::to_string(9 - i));
    EXPECT_EQ(recentArv(def, 0), omiya);
    EXPECT_EQ(recentArv(def, 2), tokyo);
    EXPECT_EQ(recentArv(def, 3), "<none>");
    EXPECT_EQ(def.saveSettings(), 0);
    saved = dir.readText("Kiv4.def");
  }
  // The window size, which has no getters, came through too: the file is
  // written back unchanged.
  EXPECT_EQ(saved, text);
  EXPECT_NE(saved.find("mode_route = 2\r\n"), std::string::npos);
  EXPECT_NE(saved.find("window_main_w = 1024\r\nwindow_main_h = 700\r\n"), std::string::npos);
}

// Reads a file that holds the given text and then the keys after dep_h, so
// only the dep_h line is in question.
std::unique_ptr<RDefMan> loadWithDepHourLine(const TempDir& dir, const std::string& line) {
  dir.writeText("Kiv4.def", line + "dep_m = 30\n");
  return std::make_unique<RDefMan>(dir.path());
}

TEST(DefMan, KeyLineSyntax) {
  TempDir dir;
  struct Case {
    std::string line;
    int hour;
  } cases[] = {
      {"dep_h=7\n", 7},
      {"dep_h\t7\n", 7},
      {"  \t dep_h = 7 ; evening\n", 7},
      {"dep_h =\t= 7x9 8\n", 7},        // the value stops at the blank; its leading digits count
      {"; dep_h = 3\ndep_h = 7\n", 7},  // a comment line is skipped
      {"dep_h =\n", 12},                // empty value keeps the default
      {"dep_h = ;8\n", 12},
      {"dep_h\n", 12},
      {"dep_h = x\n", 0},    // no leading digits
      {"dep_h = 99\n", 12},  // out of range: corrected as by setDepHour
      {"dep_h = -3\n", 12},
      {"dep_h = 300\n", 12},  // cut to the 8-bit field (44), then corrected
      {"dep_h = 23\n", 23},
      {"dep_h = 7\r\r\n", 7},
  };
  for (const Case& c : cases) {
    auto def = loadWithDepHourLine(dir, c.line);
    EXPECT_EQ(def->getDepHour(), c.hour) << c.line;
    EXPECT_EQ(def->getDepMinute(), 30) << c.line;
  }
  dir.writeText("Kiv4.def",
                "dep_h = 1\ndep_m = 2\ndep_day = 3\ndep_systime = 4\nmode_route = 5\nmode_output = 6\n"
                "detour = 7\nwindow_main_x = 70000\nwindow_main_y = -40000\n");
  RDefMan def(dir.path());
  EXPECT_EQ(def.getWindowX(), RDefMan::kWindowEdgeMax);  // clamped, not wrapped
  EXPECT_EQ(def.getWindowY(), -RDefMan::kWindowEdgeMax);
}

// A settings file with the default numbers but for the given "key = value"
// lines, each in its key's place (the keys are read in file order).
std::string settingsWith(const std::vector<std::pair<std::string, std::string>>& changed) {
  std::vector<std::pair<std::string, std::string>> keys = {
      {"dep_h", "12"},        {"dep_m", "0"},           {"dep_day", "1"},        {"dep_systime", "1"},
      {"mode_route", "1"},    {"mode_output", "1"},     {"detour", "10"},        {"window_main_x", "0"},
      {"window_main_y", "0"}, {"window_main_w", "600"}, {"window_main_h", "480"}};
  std::string text;
  for (auto& [key, value] : keys) {
    for (const auto& [k, v] : changed)
      if (k == key) value = v;
    text += key + " = " + value + "\n";
  }
  return text;
}

// Every value read from the file is corrected into its range and saved so:
// a detour of 200 once wrapped to -56 and left every search without a route.
TEST(DefMan, ValuesOutOfRangeAreCorrectedAndKept) {
  TempDir dir;
  struct Case {
    std::vector<std::pair<std::string, std::string>> lines;
    std::string numbers;  // as numbers() gives them
    int routeMode;
  } cases[] = {
      {{{"detour", "200"}}, "12 0 1 1 1 20 0 0", 1},
      {{{"detour", "0"}}, "12 0 1 1 1 3 0 0", 1},
      {{{"detour", "-5"}}, "12 0 1 1 1 3 0 0", 1},
      {{{"detour", "99999999999999999999"}}, "12 0 1 1 1 20 0 0", 1},
      {{{"detour", "3"}}, "12 0 1 1 1 3 0 0", 1},
      {{{"window_main_x", "99999"}, {"window_main_y", "-99999"}}, "12 0 1 1 1 10 16000 -16000", 1},
      // 257 would wrap to 1 in an 8-bit field, 264 to 8.
      {{{"dep_h", "264"},
        {"dep_m", "316"},
        {"dep_day", "257"},
        {"dep_systime", "257"},
        {"mode_route", "258"},
        {"mode_output", "257"}},
       "12 0 1 0 0 10 0 0",
       1},
      {{{"dep_systime", "4"}, {"mode_route", "2"}, {"mode_output", "0"}}, "12 0 1 0 0 10 0 0", 2},
      {{{"mode_route", "-1"}}, kDefaultNumbers, 1},
  };
  for (const Case& c : cases) {
    const std::string text = settingsWith(c.lines);
    dir.writeText("Kiv4.def", text);
    {
      RDefMan def(dir.path());
      EXPECT_EQ(numbers(def), c.numbers) << text;
      EXPECT_EQ(def.getRouteMode(), c.routeMode) << text;
      ASSERT_EQ(def.saveSettings(), 0);
    }
    // The corrected values are what the file holds now.
    RDefMan again(dir.path());
    EXPECT_EQ(numbers(again), c.numbers) << text;
    EXPECT_EQ(again.getRouteMode(), c.routeMode) << text;
  }
  dir.writeText("Kiv4.def", settingsWith({{"window_main_w", "0"}, {"window_main_h", "70000"}}));
  { RDefMan def(dir.path()); }
  EXPECT_NE(dir.readText("Kiv4.def").find("window_main_w = 1\r\nwindow_main_h = 16000\r\n"),
            std::string::npos);
}

TEST(DefMan, SettersFallBackOutsideTheirRange) {
  TempDir dir;
  RDefMan def(dir.path());
  def.setDepHour(23);
  EXPECT_EQ(def.getDepHour(), 23);
  def.setDepHour(99);
  EXPECT_EQ(def.getDepHour(), 12);
  def.setDepHour(5);
  def.setDepHour(-1);
  EXPECT_EQ(def.getDepHour(), 12);
  def.setDepMinute(59);
  EXPECT_EQ(def.getDepMinute(), 59);
  def.setDepMinute(60);
  EXPECT_EQ(def.getDepMinute(), 0);
  def.setDepDay(0);
  EXPECT_EQ(def.getDepDay(), 0);
  def.setDepDay(7);
  EXPECT_EQ(def.getDepDay(), 1);
}

TEST(DefMan, SearchGoesForwardOnly) {
  TempDir dir;
  // dep_day is missing: its search consumes the rest of the file.
  dir.writeText("Kiv4.def",
                "dep_h = 8\ndep_m = 15\ndep_systime = 0\nmode_output = 0\ndetour = 5\n"
                "window_main_x = 10\nstation_dep1 = A\nstation_arv1 = B\n");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(numbers(def), "8 15 1 1 1 10 0 0");
    EXPECT_EQ(recentDep(def, 0), "<none>");
    EXPECT_EQ(recentArv(def, 0), "<none>");
  }
  // Read again over changed values: the missing key leaves the numbers from
  // dep_day on as they are now (not the defaults) and empties every station.
  {
    RDefMan def(dir.path());
    def.setDepDay(4);
    def.setDetour(19);
    def.pushRecentDep("X");
    def.pushRecentArv("Y");
    dir.writeText("Kiv4.def", "dep_h = 8\ndep_m = 15\ndetour = 5\nstation_dep1 = A\n");
    EXPECT_EQ(def.loadSettings(), 0);
    EXPECT_EQ(numbers(def), "8 15 4 1 1 19 0 0");
    EXPECT_EQ(recentDep(def, 0), "<none>");
    EXPECT_EQ(recentArv(def, 0), "<none>");
  }
  // Keys out of order: dep_m before dep_h is passed over while dep_h is sought.
  dir.writeText("Kiv4.def", "dep_m = 15\nunknown = 3\ndep_h = 8\ndep_day = 2\n");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(def.getDepHour(), 8);
    EXPECT_EQ(def.getDepMinute(), 0);
    EXPECT_EQ(def.getDepDay(), 1);
  }
}

TEST(DefMan, KeysMatchAsPrefixes) {
  TempDir dir;
  std::string text =
      "dep_h = 1\ndep_m = 2\ndep_day = 3\ndep_systime = 4\nmode_route = 5\nmode_output = 6\n"
      "detour = 7\nwindow_main_x = 1\nwindow_main_y = 2\nwindow_main_w = 3\nwindow_main_h = 4\n";
  // station_dep1 is missing: the first line beginning with its text is
  // station_dep10, which fails the check of the following character.
  text += "station_dep10 = Ten\nstation_dep2 = Two\n";
  dir.writeText("Kiv4.def", text);
  RDefMan def(dir.path());
  EXPECT_EQ(recentDep(def, 0), "<none>");
  EXPECT_EQ(recentDep(def, 1), "Two");
  EXPECT_EQ(recentDep(def, 9), "<none>");

  // "dep_hx" begins with "dep_h": the line is consumed and dep_h stays as it was.
  dir.writeText("Kiv4.def", "dep_hx = 3\ndep_h = 4\ndep_m = 4\n");
  RDefMan other(dir.path());
  EXPECT_EQ(other.getDepHour(), 12);
  EXPECT_EQ(other.getDepMinute(), 4);
}

TEST(DefMan, StationValues) {
  TempDir dir;
  const std::string longName = sjis("東京メトロ南北線白金高輪駅");  // 26 bytes
  ASSERT_EQ(longName.size(), 26u);
  std::string text =
      "dep_h = 1\ndep_m = 2\ndep_day = 3\ndep_systime = 4\nmode_route = 5\nmode_output = 6\n"
      "detour = 7\nwindow_main_x = 1\nwindow_main_y = 2\nwindow_main_w = 3\nwindow_main_h = 4\n";
  text += "station_dep1 = " + longName + "\r\n";
  text += "station_dep2 = New York\r\n";
  text += "station_dep3 =\r\n";
  text += "station_dep4 = Ueno;comment\r\n";
  dir.writeText("Kiv4.def", text);
  RDefMan def(dir.path());
  EXPECT_EQ(recentDep(def, 0), longName.substr(0, 24));
  EXPECT_EQ(recentDep(def, 1), "New");
  EXPECT_EQ(recentDep(def, 2), "<none>");
  EXPECT_EQ(recentDep(def, 3), "Ueno");
  // Out-of-range indexes read entry 0.
  EXPECT_EQ(recentDep(def, 12), longName.substr(0, 24));
  EXPECT_EQ(recentDep(def, -1), longName.substr(0, 24));
}

TEST(DefMan, LongLinesContinueAsTheNextLine) {
  TempDir dir;
  // 254 characters fill the line buffer, so the key that follows is seen as
  // the beginning of a line; one character fewer and it is not.
  dir.writeText("Kiv4.def", std::string(254, 'x') + "dep_h = 7\ndep_m = 5\n");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(def.getDepHour(), 7);
    EXPECT_EQ(def.getDepMinute(), 5);
  }
  dir.writeText("Kiv4.def", std::string(253, 'x') + "dep_h = 7\ndep_m = 5\n");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(def.getDepHour(), 12);
    EXPECT_EQ(def.getDepMinute(), 0);
  }
  // A comment longer than the buffer: its tail is read as a line of its own.
  dir.writeText("Kiv4.def", ";" + std::string(253, ' ') + "dep_h = 6\ndep_m = 5\n");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(def.getDepHour(), 6);
  }
}

TEST(DefMan, PushMovesToTheTop) {
  TempDir dir;
  RDefMan def(dir.path());
  def.pushRecentDep("C");
  def.pushRecentDep("B");
  def.pushRecentDep("A");
  def.pushRecentDep("C");  // third: moves up, A and B move down
  EXPECT_EQ(recentDep(def, 0), "C");
  EXPECT_EQ(recentDep(def, 1), "A");
  EXPECT_EQ(recentDep(def, 2), "B");
  EXPECT_EQ(recentDep(def, 3), "<none>");
  def.pushRecentDep("C");  // already on top: nothing moves
  EXPECT_EQ(recentDep(def, 0), "C");
  EXPECT_EQ(recentDep(def, 1), "A");

  for (int i = 0; i < 10; ++i) def.pushRecentDep(std::to_string(i));
  def.pushRecentDep("new");  // a full list drops the tenth entry
  EXPECT_EQ(recentDep(def, 0), "new");
  EXPECT_EQ(recentDep(def, 1), "9");
  EXPECT_EQ(recentDep(def, 9), "1");
  def.pushRecentDep("");
  EXPECT_EQ(recentDep(def, 0), "new");
  EXPECT_EQ(recentDep(def, 9), "1");
  // The lists are separate.
  EXPECT_EQ(recentArv(def, 0), "<none>");

  // A text too long for an entry is cut to 24 bytes, and pushing it again
  // finds the cut entry instead of adding a second one.
  const std::string longText(30, 'L');
  def.pushRecentArv(longText);
  def.pushRecentArv("x");
  def.pushRecentArv(longText);
  EXPECT_EQ(recentArv(def, 0), std::string(24, 'L'));
  EXPECT_EQ(recentArv(def, 1), "x");
  EXPECT_EQ(recentArv(def, 2), "<none>");
}

TEST(DefMan, DayNames) {
  TempDir dir;
  RDefMan def(dir.path());
  const char* names[] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int day = 0; day < 7; ++day) {
    def.setDepDay(static_cast<std::int8_t>(day));
    char buffer[RDefMan::kDayNameSize + 1] = "...";
    def.getDayName(buffer);
    EXPECT_EQ(std::string(buffer), sjis(names[day]));
  }
}

// Out-of-range departure values in the file are corrected as the setters
// correct them, and written back corrected.
TEST(DefMan, OutOfRangeDepartureFromTheFile) {
  TempDir dir;
  dir.writeText("Kiv4.def", "dep_h = 99\ndep_m = 99\ndep_day = 99\n");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(def.getDepHour(), 12);
    EXPECT_EQ(def.getDepMinute(), 0);
    EXPECT_EQ(def.getDepDay(), 1);
  }
  EXPECT_EQ(dir.readText("Kiv4.def").rfind("dep_h = 12\r\ndep_m = 0\r\ndep_day = 1\r\n", 0), 0u);
}

// Only a regular file of sensible size is read: a FIFO would block, a link
// to a device would never end. Either leaves the defaults.
TEST(DefMan, SettingsFileThatIsNotARegularFile) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "Kiv4.def").c_str(), 0600), 0);
  {
    RDefMan def(dir.path());
    EXPECT_EQ(numbers(def), kDefaultNumbers);
    EXPECT_EQ(def.saveSettings(), -1);  // never written through the FIFO
  }
  std::filesystem::remove(dir / "Kiv4.def");
  std::filesystem::create_symlink("/dev/zero", dir / "Kiv4.def");
  RDefMan zero(dir.path());
  EXPECT_EQ(numbers(zero), kDefaultNumbers);
  std::filesystem::remove(dir / "Kiv4.def");
  dir.writeText("Kiv4.def", "dep_h = 7\n" + std::string(2 << 20, ';'));
  RDefMan huge(dir.path());
  EXPECT_EQ(numbers(huge), kDefaultNumbers);
}

// The file is replaced whole: a save that cannot finish keeps the old file,
// and a link in the settings file's place is read through but replaced by
// the new file, never written through (neither a symbolic nor a hard link).
TEST(DefMan, SaveReplacesTheFileWhole) {
  TempDir dir;
  dir.writeText("real.def", "dep_h = 7\n");
  std::filesystem::create_symlink("real.def", dir / "Kiv4.def");
  {
    RDefMan def(dir.path());
    EXPECT_EQ(def.getDepHour(), 7);
    def.setDepHour(8);
  }
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "Kiv4.def"));
  EXPECT_EQ(dir.readText("real.def"), "dep_h = 7\n");
  EXPECT_EQ(dir.readText("Kiv4.def").substr(0, 9), "dep_h = 8");
  std::filesystem::remove(dir / "Kiv4.def");
  std::filesystem::create_hard_link(dir / "real.def", dir / "Kiv4.def");
  { RDefMan def(dir.path()); }
  EXPECT_EQ(dir.readText("real.def"), "dep_h = 7\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".Kiv4"), std::string::npos)
        << "left over temporary file";
  }
}

TEST(DefMan, FileThatCannotBeWritten) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Kiv4.def");
  RDefMan def(dir.path());  // reading a directory fails quietly: defaults
  EXPECT_EQ(numbers(def), kDefaultNumbers);
  EXPECT_EQ(def.saveSettings(), -1);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Kiv4.def"));
}

}  // namespace
}  // namespace kiv
