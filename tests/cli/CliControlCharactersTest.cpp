// Station names from a data file that hold control characters (a terminal
// escape sequence): every command that prints them writes the control
// characters escaped, on standard output and standard error alike.
#include <gtest/gtest.h>

#include "CliNetwork.h"
#include "Output.h"

namespace kiv::test {
namespace {

constexpr char kEscape[] = "\x1b]0;owned\x07\x1b[2J";
constexpr char kEscaped[] = "\\u001B]0;owned\\u0007\\u001B[2J";

class CliControlCharactersTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    // 神田 keeps its place and gets an escape sequence in its name and reading.
    writeStationNames(dir, {{"東京", "とうきょう"},
                            {std::string("神") + kEscape + "田", std::string("か") + kEscape},
                            {"秋葉原", "あきはばら"},
                            {"上野", "うえの"},
                            {"高崎", "たかさき"}});
  }

  static void expectEscaped(const CliResult& r, const std::string& what) {
    for (const std::string* text : {&r.out, &r.err}) {
      EXPECT_EQ(text->find('\x1b'), std::string::npos) << what << ": " << *text;
      EXPECT_EQ(text->find('\x07'), std::string::npos) << what << ": " << *text;
    }
  }
};

TEST_F(CliControlCharactersTest, NamesArePrintedEscaped) {
  const std::vector<std::vector<std::string>> commands = {
      {"stations"},   {"stations", "--sjis"}, {"faretable", "東京"},    {"faretable", "東京", "--sjis"},
      {"find", "神"}, {"find", "か"},         {"find", "神", "--json"}, {"fare", "東京", "#2"}};
  for (const auto& args : commands) {
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
    expectEscaped(r, args[0] + (args.size() > 1 ? " " + args.back() : ""));
  }
  EXPECT_NE(run({"stations"}).out.find(std::string("神") + kEscaped + "田\n"), std::string::npos);
  // The name given by a reading is told on standard error, and so are the
  // stations a text fits in a failure.
  expectEscaped(run({"fare", "東京", "かx"}), "fare by reading");
  const CliResult failed = run({"fare", "#2", "#3", "--network", "60"});  // 神田 is not on network 60
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find(kEscaped), std::string::npos) << failed.err;
  expectEscaped(failed, "fare failing");
}

TEST(EscapeControls, KeepsLineEndsAndTabsAndShiftJis) {
  using cli::escapeControls;
  EXPECT_EQ(escapeControls("a\tb\nc\r\nd"), "a\tb\nc\r\nd");
  EXPECT_EQ(escapeControls("a\rb"), "a\\u000Db");
  EXPECT_EQ(escapeControls(std::string("\0\x7f\x1b", 3)), "\\u0000\\u007F\\u001B");
  // Shift-JIS letters whose second byte is "\" or "|" stay whole.
  const std::string sjisText = "\x83\x5c\x95\x7c\x8a\xbf";
  EXPECT_EQ(escapeControls(sjisText), sjisText);
}

}  // namespace
}  // namespace kiv::test
