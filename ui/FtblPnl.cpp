#include "FtblPnl.h"

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

TFtblForm::TFtblForm()
    : TableWindow(
          kFareTableTexts,
          [this](const std::filesystem::path& file, int block, bool csv) {
            return work_files::exportFareTable(file, table_, block, csv) ? 0 : -1;
          },
          321, 354) {}

void TFtblForm::showTable(work_files::FareTable table) {
  table_ = std::move(table);
  using namespace work_files;
  fill(tableContent(table_, &FareTable::origin, &FareTable::blocks, &FareBlock::company, &FareBlock::fares,
                    &StationFare::station, &StationFare::fare));
  showBlock(0);
}

void TFtblForm::present(work_files::FareTable table) {
  showTable(std::move(table));
  show();
  raise();
}

}  // namespace kiv::ui
