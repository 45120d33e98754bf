// The one way the binary data files are read and written: a stored count,
// optionally some header bytes kept as read, then fixed-size records. A
// format module describes its record's fields once, in file order, and the
// generic reader and writer below do the rest:
//  - reading never looks past a field or the end of the file; a short file
//    or a negative count yields only the complete records;
//  - writing refuses (false) more records than the count field can state.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "data/BinaryIO.h"

namespace kiv {

// A fixed-width, NUL-padded text field of a record (ByteReader::text).
template <class Record>
struct TextField {
  std::string Record::*member;
  std::size_t width;
};

namespace record_io {

template <class T>
struct IsByteArray : std::false_type {};
template <std::size_t N>
struct IsByteArray<std::array<std::uint8_t, N>> : std::true_type {};

template <class Record, class T>
constexpr std::size_t width(T Record::*) {
  if constexpr (IsByteArray<T>::value) {
    return std::tuple_size_v<T>;
  } else {
    static_assert(std::is_integral_v<T>, "a record field is an integer, a text or a byte array");
    return sizeof(T);
  }
}
template <class Record>
constexpr std::size_t width(const TextField<Record>& f) {
  return f.width;
}

// Decoding from bytes that hold the whole record (the reader has checked
// that): each field is taken at `p`, which moves past it.
template <class T>
T load(const std::uint8_t* p) {
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) v = static_cast<U>(v | static_cast<U>(U{p[i]} << (8 * i)));
  return static_cast<T>(v);
}

template <class Record, class T>
void decode(const std::uint8_t*& p, Record& r, T Record::*member) {
  if constexpr (IsByteArray<T>::value) {
    std::copy_n(p, std::tuple_size_v<T>, (r.*member).begin());
    p += std::tuple_size_v<T>;
  } else {
    r.*member = load<T>(p);
    p += sizeof(T);
  }
}
template <class Record>
void decode(const std::uint8_t*& p, Record& r, const TextField<Record>& f) {
  const std::uint8_t* end = std::find(p, p + f.width, 0);
  (r.*f.member).assign(p, end);
  p += f.width;
}

template <class Record, class T>
void write(ByteWriter& out, const Record& r, T Record::*member) {
  if constexpr (IsByteArray<T>::value) {
    out.bytes(r.*member);
  } else {
    out.value<T>(r.*member);
  }
}
template <class Record>
void write(ByteWriter& out, const Record& r, const TextField<Record>& f) {
  out.text(r.*f.member, f.width);
}

}  // namespace record_io

// The fields of one record in file order: pointers to its integer members
// (stored in their own width, little-endian), to byte arrays (stored as they
// are) and TextFields.
template <class Record, class... Fields>
struct RecordLayout {
  std::tuple<Fields...> fields;

  // Bytes of one record in the file.
  constexpr std::size_t size() const {
    return std::apply([](const auto&... f) { return (std::size_t{0} + ... + record_io::width(f)); }, fields);
  }
  // Decodes one record from bytes that hold it whole; p moves past it.
  void decode(const std::uint8_t*& p, Record& r) const {
    std::apply([&](const auto&... f) { (record_io::decode(p, r, f), ...); }, fields);
  }
  void write(ByteWriter& out, const Record& r) const {
    std::apply([&](const auto&... f) { (record_io::write(out, r, f), ...); }, fields);
  }
};

template <class Record, class... Fields>
constexpr RecordLayout<Record, Fields...> recordLayout(Fields... fields) {
  return {std::tuple<Fields...>{fields...}};
}

// The count field of a file whose records simply run to its end.
struct NoCount {};

// A whole file: its Count field (std::int16_t, std::int32_t or NoCount), the
// File member that keeps the header bytes after the count (if the file has
// any) and the File member that holds the records.
template <class Count, class File, class Record, class Layout, class Header>
class RecordFileFormat {
 public:
  constexpr RecordFileFormat(std::vector<Record> File::*records, Layout layout, Header File::*header)
      : records_(records), layout_(layout), header_(header) {}

  constexpr std::size_t recordSize() const { return layout_.size(); }

  std::optional<File> read(const std::filesystem::path& path) const {
    auto bytes = readWholeFile(path);
    if (!bytes) return std::nullopt;
    ByteReader in(*bytes);
    File file;
    std::int64_t count = std::numeric_limits<std::int64_t>::max();
    if constexpr (!std::is_same_v<Count, NoCount>) count = in.value<Count>();
    if (header_) in.bytes(file.*header_);
    auto& records = file.*records_;
    const std::size_t n = in.completeRecords(count, recordSize());
    records.resize(n);
    // The n records are there whole: decoded without a check per field.
    const std::uint8_t* p = in.consume(n * recordSize());
    for (auto& r : records) layout_.decode(p, r);
    return file;
  }

  bool write(const std::filesystem::path& path, const File& file) const {
    const auto& records = file.*records_;
    ByteWriter out;
    out.reserve(sizeof(std::int64_t) + sizeof(Header) + records.size() * recordSize());
    if constexpr (!std::is_same_v<Count, NoCount>) {
      if (records.size() > static_cast<std::size_t>(std::numeric_limits<Count>::max())) return false;
      out.value<Count>(static_cast<Count>(records.size()));
    }
    if (header_) out.bytes(file.*header_);
    for (const auto& r : records) layout_.write(out, r);
    return writeWholeFile(path, out.data());
  }

 private:
  std::vector<Record> File::*records_;
  Layout layout_;
  Header File::*header_;
};

// A file with no header bytes between the count and the records, whose
// records take recordSize bytes each; fields that do not fill exactly that
// many bytes do not compile.
template <class Count, class File, class Record, class Layout>
consteval auto recordFileFormat(std::vector<Record> File::*records, std::size_t recordSize, Layout layout) {
  using NoHeader = std::array<std::uint8_t, 0>;
  if (layout.size() != recordSize) throw "the fields do not fill the record";
  return RecordFileFormat<Count, File, Record, Layout, NoHeader>(records, layout, nullptr);
}

// The same for a file whose count is followed by header bytes, kept in `header`.
template <class Count, class File, class Record, class Layout, class Header>
consteval auto recordFileFormat(std::vector<Record> File::*records, std::size_t recordSize, Layout layout,
                                Header File::*header) {
  if (layout.size() != recordSize) throw "the fields do not fill the record";
  return RecordFileFormat<Count, File, Record, Layout, Header>(records, layout, header);
}

}  // namespace kiv
