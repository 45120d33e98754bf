// The fixed texts converted while compiling: the generated table must agree
// with the converter of the edges (iconv, code page 932) on every character,
// so a text is the same whichever way it was converted.
#include <gtest/gtest.h>

#include <stdexcept>

#include "text/Codec.h"
#include "text/ReportText.h"
#include "text/SjisLiteral.h"

namespace kiv {
namespace {

// The character of a code point as UTF-8.
std::string utf8Of(char32_t c) {
  std::string out;
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (c & 0x3F));
  return out;
}

TEST(SjisLiteral, TheTableAgreesWithTheCodecOnEveryCharacter) {
  char32_t previous = 0;
  for (const sjis_table::Entry& e : sjis_table::kEntries) {
    EXPECT_LT(previous, e.codePoint) << "the table must be ordered for its search";
    previous = e.codePoint;
    const std::string utf8 = utf8Of(e.codePoint);
    const std::string fromTable = sjisOfFixedText(utf8);
    EXPECT_EQ(utf8ToSjis(utf8), fromTable) << utf8;
  }
}

TEST(SjisLiteral, ConvertsWhileCompilingAndKeepsAscii) {
  static constexpr auto kTokyo = sjisLiteral("東京 9:05");
  static_assert(kTokyo.length == 9);
  EXPECT_EQ(kTokyo.str(), "\x93\x8c\x8b\x9e 9:05");
  // The closing note kept its bytes when it became a UTF-8 text.
  EXPECT_EQ(std::string(report_text::kTimetableNote),
            "\n\n\x92\x8d : \x8e\xc0\x8d\xdb\x82\xcc\x83\x5f\x83\x43\x83\x84\x82\xc6\x82\xcd\x88\xd9\x82\xc8"
            "\x82\xe8\x82\xdc\x82\xb7\x81\x42\n");
  EXPECT_EQ(report_text::kJrCheapestCsvHeader.view(),
            *utf8ToSjis("駅１,駅２,最短経路運賃,最短経路キロ,短-山,短-電,短-幹,短-地営,短-地運,"
                        "最廉経路運賃,最廉経路キロ,廉-山,廉-電,廉-幹,廉-地営,廉-地運"));
}

TEST(SjisLiteral, ACharacterMissingFromTheTableIsNeverAnEmptyText) {
  // In a constant expression this stops the build; at run time it throws.
  EXPECT_THROW(sjisOfFixedText("鬱"), std::logic_error);
  EXPECT_THROW(sjisOfFixedText("\xE6\x9D"), std::logic_error);  // cut UTF-8
}

}  // namespace
}  // namespace kiv
