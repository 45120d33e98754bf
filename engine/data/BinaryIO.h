// Bounded little-endian reading and writing for the binary data files.
// A reader never looks past the end of its buffer: a read that would run
// over the end fails and leaves the reader exhausted, so callers keep only
// the records that were complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kiv {

// Reads the whole file; nullopt when it cannot be opened or is no regular
// file (a FIFO, a device, a directory).
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path);

// Writes the bytes, replacing the file; false when it cannot be written.
bool writeWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

class ByteReader {
 public:
  explicit ByteReader(const std::vector<std::uint8_t>& bytes) : data_(bytes.data()), size_(bytes.size()) {}

  bool ok() const { return ok_; }
  std::size_t remaining() const { return ok_ ? size_ - pos_ : 0; }
  bool has(std::size_t n) const { return ok_ && size_ - pos_ >= n; }

  // A little-endian integer of T's width; 0 on a read past the end.
  template <class T>
  T value() {
    static_assert(std::is_integral_v<T>);
    if (!take(sizeof(T))) return 0;
    std::make_unsigned_t<T> v = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
      v = static_cast<std::make_unsigned_t<T>>((v << 8) | data_[pos_ + i]);
    pos_ += sizeof(T);
    return static_cast<T>(v);
  }
  std::int8_t i8() { return value<std::int8_t>(); }
  std::uint8_t u8() { return value<std::uint8_t>(); }
  std::int16_t i16() { return value<std::int16_t>(); }
  std::int32_t i32() { return value<std::int32_t>(); }
  std::uint32_t u32() { return value<std::uint32_t>(); }
  // Copies out.size() raw bytes (a whole fixed-width field) into out; on a
  // read past the end, out is left as it was.
  void bytes(std::span<std::uint8_t> out);
  // The text of a fixed-width field: its bytes up to the first NUL, or the
  // whole field when it holds no NUL. Always consumes the whole field.
  std::string text(std::size_t width);

  // The next n bytes, which the reader moves past; nullptr (and the reader
  // exhausted) when fewer remain.
  const std::uint8_t* consume(std::size_t n) {
    if (!take(n)) return nullptr;
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

  // Number of complete records of the given size that remain, limited by a
  // stored count; a negative count gives 0.
  std::size_t completeRecords(std::int64_t storedCount, std::size_t recordSize) const;

 private:
  // Inline: every field of every record passes here.
  bool take(std::size_t n) {
    if (!ok_ || size_ - pos_ < n) {
      ok_ = false;
      return false;
    }
    return true;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  // A little-endian integer of T's width.
  template <class T>
  void value(T v) {
    static_assert(std::is_integral_v<T>);
    const auto u = static_cast<std::make_unsigned_t<T>>(v);
    for (std::size_t i = 0; i < sizeof(T); ++i)
      out_.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xff));
  }
  void i8(std::int8_t v) { value(v); }
  void u8(std::uint8_t v) { value(v); }
  void i16(std::int16_t v) { value(v); }
  void i32(std::int32_t v) { value(v); }
  void u32(std::uint32_t v) { value(v); }
  // zeros and bytes go byte by byte: a range insert after push_back makes
  // GCC 12 at -O3 warn falsely of an overread (-Wstringop-overread), and the
  // fields they write are short.
  void zeros(std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out_.push_back(0);
  }
  void bytes(std::span<const std::uint8_t> b) {
    for (const std::uint8_t c : b) out_.push_back(c);
  }
  void reserve(std::size_t n) { out_.reserve(n); }
  // Writes the text into a field of the given width, NUL-padded. Text longer
  // than width - 1 bytes is cut so that the field always ends with a NUL.
  void text(std::string_view s, std::size_t width);

  const std::vector<std::uint8_t>& data() const { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

}  // namespace kiv
