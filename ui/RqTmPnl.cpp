#include "RqTmPnl.h"

#include "report/WorkFiles.h"
#include "timetable/RDiaMan.h"

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

TReqTimeForm::TReqTimeForm(RDiaMan& dia, const std::filesystem::path& dataDir)
    : TableWindow(
          kRequiredTimeTexts,
          [file = dataDir / work_files::kRequiredTimes] {
            using namespace work_files;
            return tableContent(work_files::readRequiredTimes(file), &RequiredTimes::origin,
                                &RequiredTimes::tables, &RequiredTimeTable::train,
                                &RequiredTimeTable::stations, &StationMinutes::station,
                                &StationMinutes::minutes);
          },
          [&dia](const std::filesystem::path& file, int table, bool csv) {
            return dia.exportRequiredTimeTable(file, table, csv);
          },
          363, 354) {}

}  // namespace kiv::ui
