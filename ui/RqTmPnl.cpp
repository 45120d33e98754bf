#include "RqTmPnl.h"

#include "report/WorkFiles.h"

namespace kiv::ui {
namespace {

const TableWindowTexts kRequiredTimeTexts = {
    "ReqTimeForm",
    "所要時間表",
    "cmbTrain",
    "列車",
    225,
    "lvReqTime",
    "所要(分)",
    "所要時間表を閉じる |",
    "選択中の表を保存 |",
    "すべての表を保存 |",
    "選択中の表を保存(&S)...",
    "すべての表を保存(&A)...",
};

}  // namespace

TReqTimeForm::TReqTimeForm()
    : TableWindow(
          kRequiredTimeTexts,
          [this](const std::filesystem::path& file, int table, bool csv) {
            return work_files::exportRequiredTimes(file, times_, table, csv) ? 0 : -1;
          },
          363, 354) {}

void TReqTimeForm::loadTrainList(work_files::RequiredTimes times) {
  times_ = std::move(times);
  using namespace work_files;
  fill(tableContent(times_, &RequiredTimes::origin, &RequiredTimes::tables, &RequiredTimeTable::train,
                    &RequiredTimeTable::stations, &StationMinutes::station, &StationMinutes::minutes));
}

void TReqTimeForm::present(work_files::RequiredTimes times) {
  loadTrainList(std::move(times));
  showRequiredTimes(0);
  show();
  raise();
}

}  // namespace kiv::ui
