#include "network/StationSearch.h"

#include <algorithm>
#include <array>
#include <utility>

#include "network/RStaName.h"
#include "text/Codec.h"

namespace kiv {
namespace {

// Old and new forms of kanji that station names are written with either
// way; the old form folds to the new one.
constexpr std::array<std::pair<char32_t, char32_t>, 58> kKanjiVariants = {{
    {U'鶯', U'鴬'}, {U'檜', U'桧'},     {U'澤', U'沢'}, {U'濱', U'浜'}, {U'濵', U'浜'}, {U'邊', U'辺'},
    {U'邉', U'辺'}, {U'髙', U'高'},     {U'﨑', U'崎'}, {U'嵜', U'崎'}, {U'國', U'国'}, {U'龍', U'竜'},
    {U'櫻', U'桜'}, {U'驛', U'駅'},     {U'關', U'関'}, {U'澁', U'渋'}, {U'藏', U'蔵'}, {U'德', U'徳'},
    {U'惠', U'恵'}, {U'廣', U'広'},     {U'團', U'団'}, {U'會', U'会'}, {U'學', U'学'}, {U'寶', U'宝'},
    {U'縣', U'県'}, {U'舊', U'旧'},     {U'戶', U'戸'}, {U'兒', U'児'}, {U'槇', U'槙'}, {U'嶋', U'島'},
    {U'嶌', U'島'}, {U'冨', U'富'},     {U'圓', U'円'}, {U'萬', U'万'}, {U'與', U'与'}, {U'彌', U'弥'},
    {U'條', U'条'}, {U'\uFA10', U'塚'}, {U'靑', U'青'}, {U'眞', U'真'}, {U'峯', U'峰'}, {U'遙', U'遥'},
    {U'龜', U'亀'}, {U'燒', U'焼'},     {U'曾', U'曽'}, {U'增', U'増'}, {U'步', U'歩'}, {U'栁', U'柳'},
    {U'舘', U'館'}, {U'鐵', U'鉄'},     {U'驒', U'騨'}, {U'藪', U'薮'}, {U'橫', U'横'}, {U'黑', U'黒'},
    {U'淸', U'清'}, {U'靜', U'静'},     {U'齋', U'斎'}, {U'穗', U'穂'},
}};

// Small kana fold to their large forms (after katakana became hiragana).
constexpr std::array<std::pair<char32_t, char32_t>, 12> kSmallKana = {{
    {U'ぁ', U'あ'},
    {U'ぃ', U'い'},
    {U'ぅ', U'う'},
    {U'ぇ', U'え'},
    {U'ぉ', U'お'},
    {U'っ', U'つ'},
    {U'ゃ', U'や'},
    {U'ゅ', U'ゆ'},
    {U'ょ', U'よ'},
    {U'ゎ', U'わ'},
    {U'ゕ', U'か'},
    {U'ゖ', U'け'},
}};

constexpr char32_t kReplacement = 0xFFFD;

// The code points of UTF-8 text; a malformed sequence gives U+FFFD.
std::u32string decodeUtf8(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = valid && (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    out.push_back(valid ? c : kReplacement);
    i += valid ? static_cast<std::size_t>(length) : 1;
  }
  return out;
}

template <std::size_t N>
char32_t mapped(const std::array<std::pair<char32_t, char32_t>, N>& table, char32_t c) {
  for (const auto& [from, to] : table)
    if (from == c) return to;
  return c;
}

char32_t foldChar(char32_t c) {
  if (c >= U'ァ' && c <= U'ヶ') c -= 0x60;                // katakana to hiragana
  if (c >= 0xFF01 && c <= 0xFF5E) c = c - 0xFF01 + 0x21;  // full-width ASCII
  if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
  c = mapped(kSmallKana, c);
  return mapped(kKanjiVariants, c);
}

bool contains(const std::u32string& key, const std::u32string& part) {
  return !part.empty() && key.find(part) != std::u32string::npos;
}

// The number of single-character edits between two texts.
std::size_t editDistance(const std::u32string& a, const std::u32string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// How close a key is to the typed text: 0 begins with it, 1 contains it,
// 2 + edits otherwise.
std::size_t closeness(const std::u32string& key, const std::u32string& typed) {
  if (key.empty()) return SIZE_MAX;
  if (key.rfind(typed, 0) == 0) return 0;
  if (contains(key, typed)) return 1;
  return 2 + editDistance(key, typed);
}

}  // namespace

std::u32string StationSearch::fold(std::string_view utf8) {
  std::u32string text = decodeUtf8(utf8);
  std::transform(text.begin(), text.end(), text.begin(), foldChar);
  return text;
}

StationSearch::StationSearch(const RStaName& names) : names_(names) {
  const int count = names.getCount();
  entries_.resize(static_cast<std::size_t>(count) + 1);
  for (int n = 1; n <= count; ++n) {
    char kanji[kStationNameSize] = {};
    char kana[kStationKanaSize] = {};
    names.getName(static_cast<StationNo>(n), kanji);
    names.getKana(static_cast<StationNo>(n), kana);
    Entry& e = entries_[static_cast<std::size_t>(n)];
    e.name = sjisToUtf8Lossy(kanji);
    e.reading = sjisToUtf8Lossy(kana);
    e.nameKey = fold(e.name);
    e.readingKey = fold(e.reading);
  }
}

const StationSearch::Entry* StationSearch::entry(StationNo station) const {
  if (station < 1 || static_cast<std::size_t>(station) >= entries_.size()) return nullptr;
  return &entries_[static_cast<std::size_t>(station)];
}

const std::string& StationSearch::name(StationNo station) const {
  static const std::string kNoText;
  const Entry* e = entry(station);
  return e ? e->name : kNoText;
}

const std::string& StationSearch::reading(StationNo station) const {
  static const std::string kNoText;
  const Entry* e = entry(station);
  return e ? e->reading : kNoText;
}

StationLookup StationSearch::resolve(std::string_view utf8) const {
  StationLookup result;
  if (const auto sjis = utf8ToSjis(utf8)) {
    const StationNo exact = names_.findByName(*sjis);
    if (exact > 0) return {StationMatch::kExact, {exact}};
  }
  const std::u32string key = fold(utf8);
  if (key.empty()) return result;
  for (const StationMatch step : {StationMatch::kVariantForm, StationMatch::kReading}) {
    for (std::size_t n = 1; n < entries_.size(); ++n) {
      const Entry& e = entries_[n];
      if ((step == StationMatch::kVariantForm ? e.nameKey : e.readingKey) == key) {
        result.stations.push_back(static_cast<StationNo>(n));
      }
    }
    if (!result.stations.empty()) {
      result.match = step;
      return result;
    }
  }
  return result;
}

std::vector<StationNo> StationSearch::nearMatches(std::string_view utf8, std::size_t limit) const {
  const std::u32string typed = fold(utf8);
  if (typed.empty()) return {};
  // A few typing mistakes: one for short texts, a third of longer ones.
  const std::size_t allowed = 2 + std::max<std::size_t>(1, typed.size() / 3);
  std::vector<std::pair<std::size_t, StationNo>> scored;
  for (std::size_t n = 1; n < entries_.size(); ++n) {
    const Entry& e = entries_[n];
    const std::size_t score = std::min(closeness(e.nameKey, typed), closeness(e.readingKey, typed));
    if (score <= allowed) scored.emplace_back(score, static_cast<StationNo>(n));
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<StationNo> result;
  for (std::size_t k = 0; k < scored.size() && k < limit; ++k) result.push_back(scored[k].second);
  return result;
}

std::vector<StationNo> StationSearch::find(std::string_view utf8) const {
  const std::u32string key = fold(utf8);
  std::vector<StationNo> result;
  for (std::size_t n = 1; n < entries_.size(); ++n) {
    if (contains(entries_[n].nameKey, key) || contains(entries_[n].readingKey, key)) {
      result.push_back(static_cast<StationNo>(n));
    }
  }
  return result;
}

}  // namespace kiv
