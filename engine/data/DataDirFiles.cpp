#include "data/DataDirFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <system_error>

#include "data/AtomicFile.h"
#include "data/BinaryIO.h"
#include "data/DataDirLock.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "data/DistIdxFile.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"
#include "data/FareFFile.h"
#include "data/FareIdxFile.h"
#include "data/FareWFile.h"
#include "data/StaAttrFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"

namespace kiv {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && sameIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

constexpr std::string_view kOwnFiles[] = {"Kiv4.def", "kiv4line.dat", DataDirLock::kLockFileName, "TTSrc.kv4",
                                          "jrregu.dat"};

// How a binary data file is laid out: a record count of countBytes (2 or 4;
// 0 for none), headerBytes more, then records of recordBytes each
// (0: records of their own length, see StaFare.kv4).
struct Layout {
  std::string_view name;
  std::size_t countBytes;
  std::size_t headerBytes;
  std::size_t recordBytes;
};

constexpr Layout kLayouts[] = {
    {"Train.kv4", 2, 0, kTrainRecordSize},
    {"StaName.kv4", 4, 0, kStationNameRecordSize},
    {"DiaIdx1.kv4", 4, 0, kDiaStationRecordSize},
    {"DiaIdx2.kv4", 4, 0, kDiaLinkRecordSize},
    {"Diagram2.kv4", 4, kDiagram2HeaderExtra, kDiaDepartureRecordSize},
    {"Transfer.kv4", 4, 8, kTransferRecordSize},
    {"DistJR.kv4", 2, 0, kDistJREdgeSize},
    {"DistPR.kv4", 2, 0, kDistPREdgeSize},
    {"DistIdx.kv4", 2, 0, kDistIdxEntrySize},
    {"StaFare.kv4", 4, 0, 0},
    {"StaAttr.kv4", 2, 0, kStationEntrySize},
    {"StaIdx.kv4", 2, 0, kNetworkRecordSize},
    {"FAREIDX.KV4", 0, 0, kFareIdxRecordSize},
    {"FAREF.KV4", 2, 0, kFarePairRecordSize},
    {"FARER.KV4", 2, 0, kFarePairRecordSize},
    {"FAREW.KV4", 2, 0, kFareWRecordSize},
};

const Layout* layoutOf(std::string_view name) {
  for (const Layout& layout : kLayouts)
    if (layout.name == name) return &layout;
  return nullptr;
}

// Reads up to n bytes from the start of the open file.
std::vector<std::uint8_t> readStart(int fd, std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  std::size_t got = 0;
  while (got < n) {
    const ssize_t r = pread(fd, bytes.data() + got, n - got, static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<std::size_t>(r);
  }
  bytes.resize(got);
  return bytes;
}

std::int16_t i16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The little-endian signed count at the start of the file; 0 when the file
// gave fewer bytes than the count takes.
std::int64_t countIn(const std::vector<std::uint8_t>& bytes, std::size_t width) {
  ByteReader in(bytes);
  return width == 2 ? in.i16() : in.i32();
}

// Where the station fare lists end (each is a 16-bit count and that many
// 16-bit network codes): the byte after the last; 0 when the file ends
// before the last list, -1 - s when list s (from 0) has a negative count.
std::int64_t stationFareListsEnd(int fd, std::int64_t stations, std::size_t size) {
  const std::vector<std::uint8_t> bytes = readStart(fd, size);
  std::size_t pos = 4;
  for (std::int64_t s = 0; s < stations; ++s) {
    if (pos + 2 > bytes.size()) return 0;
    const std::int16_t codes = i16At(bytes, pos);
    if (codes < 0) return -1 - s;
    pos += 2 + 2 * static_cast<std::size_t>(codes);
    if (pos > bytes.size()) return 0;
  }
  return static_cast<std::int64_t>(pos);
}

// What the length of an open data file says about it: fine, kTooShort or
// kDamaged with a detail. Every record count must call for exactly the
// bytes there are: a count that is negative or too small (a changed bit)
// would otherwise be read as a shorter table and give wrong answers.
void checkLength(int fd, std::size_t size, const Layout& layout, DataFileStatus& status) {
  const auto fail = [&status](DataFileState state, std::string detail) {
    status.state = state;
    status.detail = std::move(detail);
  };
  if (layout.countBytes == 0) {
    if (size % layout.recordBytes != 0)
      fail(DataFileState::kTooShort, "its last record has " + std::to_string(size % layout.recordBytes) +
                                         " of " + std::to_string(layout.recordBytes) + " bytes");
    return;
  }
  const std::size_t header = layout.countBytes + layout.headerBytes;
  if (size < header) {
    fail(DataFileState::kTooShort, "it is shorter than its header");
    return;
  }
  const std::int64_t count = countIn(readStart(fd, layout.countBytes), layout.countBytes);
  const std::string counted = "its header counts " + std::to_string(count) + " records";
  if (count < 0) {
    fail(DataFileState::kDamaged, counted);
    return;
  }
  if (layout.recordBytes == 0) {
    const std::int64_t end = stationFareListsEnd(fd, count, size);
    if (end == 0) {
      fail(DataFileState::kTooShort, counted + ", the file ends before the last");
    } else if (end < 0) {
      fail(DataFileState::kDamaged,
           "record " + std::to_string(-end) + " counts a negative number of networks");
    } else if (static_cast<std::size_t>(end) != size) {
      fail(DataFileState::kDamaged, counted + ", the file holds " +
                                        std::to_string(size - static_cast<std::size_t>(end)) +
                                        " bytes after the last");
    }
    return;
  }
  const std::size_t expected = header + static_cast<std::size_t>(count) * layout.recordBytes;
  if (size < expected) {
    fail(DataFileState::kTooShort,
         counted + ", " + std::to_string((size - header) / layout.recordBytes) + " are whole");
  } else if (size > expected) {
    fail(DataFileState::kDamaged,
         counted + ", the file holds " + std::to_string(size - expected) + " bytes after the last");
  }
}

}  // namespace

std::string DataFileStatus::reason() const {
  switch (state) {
    case DataFileState::kFine:
      return {};
    case DataFileState::kMissing:
      return name + " is missing";
    case DataFileState::kUnreadable:
      return name + " cannot be read: " + detail;
    case DataFileState::kEmpty:
      return name + " is empty";
    case DataFileState::kTooShort:
      return name + " is cut short: " + detail;
    case DataFileState::kDamaged:
      return name + " is damaged: " + detail;
  }
  return {};
}

DataFileStatus inspectDataFile(const std::filesystem::path& dataDir, std::string_view name) {
  DataFileStatus status;
  status.name = name;
  status.required = name != kSettingsFileName;
  // Not blocking, so that a FIFO in the place of a file does not hang.
  const int fd = open((dataDir / name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    status.state = errno == ENOENT ? DataFileState::kMissing : DataFileState::kUnreadable;
    status.detail = std::strerror(errno);
    if (!status.required && status.state == DataFileState::kMissing) status.state = DataFileState::kFine;
    return status;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    status.state = DataFileState::kUnreadable;
    status.detail = "it is not a regular file";
  } else if (st.st_size == 0 && status.required) {
    status.state = DataFileState::kEmpty;
  } else if (const Layout* layout = layoutOf(name)) {
    checkLength(fd, static_cast<std::size_t>(st.st_size), *layout, status);
  }
  close(fd);
  return status;
}

std::vector<DataFileStatus> inspectDataDirectory(const std::filesystem::path& dataDir) {
  std::vector<DataFileStatus> files;
  for (std::string_view name : kDataFileNames) files.push_back(inspectDataFile(dataDir, name));
  files.push_back(inspectDataFile(dataDir, kLineListFileName));
  files.push_back(inspectDataFile(dataDir, kSettingsFileName));
  return files;
}

bool isDataDirectoryFileName(std::string_view name) {
  const auto matches = [name](std::string_view known) { return sameIgnoringCase(name, known); };
  if (std::any_of(kDataFileNames.begin(), kDataFileNames.end(), matches)) return true;
  if (std::any_of(std::begin(kOwnFiles), std::end(kOwnFiles), matches)) return true;
  return name.starts_with('$') && (endsWithIgnoringCase(name, ".kv4") || endsWithIgnoringCase(name, ".csv"));
}

bool isDataDirectoryFile(const std::filesystem::path& target, const std::filesystem::path& dataDir) {
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::weakly_canonical(dataDir, ec);
  if (ec) return false;
  const auto inDataDir = [&dir](const std::filesystem::path& dirOfFile, const std::filesystem::path& name) {
    std::error_code e;
    return std::filesystem::weakly_canonical(dirOfFile, e) == dir && !e &&
           isDataDirectoryFileName(name.string());
  };
  // The name as given (a data file may itself be a link elsewhere) and the
  // file a link as target leads to.
  const std::filesystem::path given = std::filesystem::absolute(target, ec).lexically_normal();
  if (!ec && inDataDir(given.parent_path(), given.filename())) return true;
  const std::filesystem::path resolved = followLinks(target);
  return inDataDir(resolved.parent_path().empty() ? "." : resolved.parent_path(), resolved.filename());
}

}  // namespace kiv
