#include "text/Codec.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace kiv {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; stops at the first bad sequence and
  // returns the number of input bytes consumed through `used`.
  bool convert(std::string_view in, std::string& out, std::size_t& used) {
    used = 0;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> src(in.begin(), in.end());
    char* inPtr = src.data();
    std::size_t inLeft = src.size();
    std::vector<char> buf(in.size() * 4 + 16);
    while (true) {
      char* outPtr = buf.data();
      std::size_t outLeft = buf.size();
      const std::size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buf.data(), static_cast<std::size_t>(outPtr - buf.data()));
      used = src.size() - inLeft;
      if (r != static_cast<std::size_t>(-1)) {
        char* flushPtr = buf.data();
        std::size_t flushLeft = buf.size();
        iconv(cd_, nullptr, nullptr, &flushPtr, &flushLeft);
        out.append(buf.data(), static_cast<std::size_t>(flushPtr - buf.data()));
        return true;
      }
      if (errno != E2BIG) return false;
    }
  }

 private:
  iconv_t cd_;
};

std::optional<std::string> convertStrict(const char* to, const char* from, std::string_view in) {
  Converter c(to, from);
  std::string out;
  std::size_t used = 0;
  if (!c.convert(in, out, used)) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::string> sjisToUtf8(std::string_view sjis) { return convertStrict("UTF-8", "CP932", sjis); }

std::optional<std::string> utf8ToSjis(std::string_view utf8) { return convertStrict("CP932", "UTF-8", utf8); }

std::string sjisToUtf8Lossy(std::string_view sjis) {
  Converter c("UTF-8", "CP932");
  std::string result;
  while (!sjis.empty()) {
    std::size_t used = 0;
    if (c.convert(sjis, result, used)) break;
    result += "\xEF\xBF\xBD";
    sjis.remove_prefix(used + 1 <= sjis.size() ? used + 1 : sjis.size());
  }
  return result;
}

}  // namespace kiv
