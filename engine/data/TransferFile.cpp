#include "data/TransferFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int32_t>(
    &TransferFile::records, kTransferRecordSize,
    recordLayout<TransferRecord>(&TransferRecord::station, &TransferRecord::trainA, &TransferRecord::trainB,
                                 &TransferRecord::minutes),
    &TransferFile::reserved);

std::optional<TransferFile> readTransferFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeTransferFile(const std::filesystem::path& path, const TransferFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
