#include "FtblPnl.h"

#include "fare/RFareMan.h"
#include "report/WorkFiles.h"

namespace kiv::ui {
namespace {

const TableWindowTexts kFareTableTexts = {
    "FtblForm",
    "運賃表",
    "cmbColtd",
    "会社",
    160,
    "lvFare",
    "運賃",
    "運賃表を閉じる |",
    "選択中の会社を保存 |",
    "すべての会社を保存 |",
    "選択中の会社を保存(&S)...",
    "すべての会社を保存(&A)...",
};

}  // namespace

TFtblForm::TFtblForm(RFareMan& fare, const std::filesystem::path& dataDir)
    : TableWindow(
          kFareTableTexts,
          [file = dataDir / work_files::kFareTable] {
            using namespace work_files;
            return tableContent(work_files::readFareTable(file), &FareTable::origin, &FareTable::blocks,
                                &FareBlock::company, &FareBlock::fares, &StationFare::station,
                                &StationFare::fare);
          },
          [&fare](const std::filesystem::path& file, int block, bool csv) {
            return fare.exportFareTable(file, block, csv);
          },
          321, 354) {}

}  // namespace kiv::ui
