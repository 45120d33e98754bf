// The pictures of the program, drawn at run time: the three use pictures of
// the line and train lists, the tool button pictures and the program icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace kiv::ui {

// Use pictures, 16 x 16: 0 a red cross (not in use), 1 a blue circle (in
// use), 2 a green triangle (partly in use). Any other state: a null pixmap.
QPixmap usePicture(int state);
inline constexpr int kUsePictureSize = 16;

enum class ToolPicture {
  kExit,
  kRoute,
  kFareTable,
  kRequiredTime,
  kTimetable,
  kConditions,
  kLines,
  kDataView,
  kSave,
  kSaveAll,
  kSortFound,
  kSortTime,
  kSortFare,
};

QIcon toolIcon(ToolPicture picture);
QIcon programIcon();

}  // namespace kiv::ui
