#include "JsonOutput.h"

#include "Output.h"
#include "network/RStaName.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::cli {

std::string utf8(const std::string& sjis) { return sjisToUtf8Lossy(sjis); }

Json stationJson(const RStaName& names, StationNo station) {
  char name[kStationNameSize] = {};
  names.getName(station, name);
  return {{"number", station}, {"name", utf8(name)}};
}

Json stationJson(const RStaName& names, const std::string& sjisName) {
  const StationNo number = names.findByName(sjisName);
  Json station = {{"number", nullptr}, {"name", utf8(sjisName)}};
  if (number > 0) station["number"] = number;
  return station;
}

Json timeJson(const work_files::ClockTime& time) { return {{"minutes", time.minutes}, {"text", time.text}}; }

Json timeJson(TimeOfDay time) {
  return {{"minutes", time.hour * 60 + time.minute},
          {"text", report_text::format("%d:%02d", time.hour, time.minute)}};
}

void printJson(const Invocation& inv, const Json& json) {
  printOrSave(inv, json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

}  // namespace kiv::cli
