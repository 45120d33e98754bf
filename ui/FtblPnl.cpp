#include "FtblPnl.h"

#include "fare/RFareMan.h"

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
          kFareTableTexts, dataDir / "$FareTbl.kv4",
          [&fare](const std::filesystem::path& file, int block, bool csv) {
            return fare.exportFareTable(file, block, csv);
          },
          321, 354) {}

}  // namespace kiv::ui
