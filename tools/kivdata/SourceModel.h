// The data sources as written, after parsing and before any cross-reference
// is resolved. Names are kept in UTF-8; they have already been checked to be
// convertible to Shift-JIS and to fit their fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Diagnostics.h"

namespace kiv::data {

// JR line kinds of the distance edges.
enum LineKind : int {
  kKindNone = 0,
  kKindYamanote = 1,   // 山手線内
  kKindTrainZone = 2,  // 電車特定区間
  kKindTrunk = 3,      // 幹線
  kKindLocal = 4,      // 地方交通線
};

inline constexpr int kJrNetwork = 0;
inline constexpr int kWalkingNetwork = 900;

// One station row of a line: cumulative kilometres and the name.
struct LineRow {
  SourceLoc loc;
  std::string name;
  std::string kana;           // empty when the row gives none
  int km = 0;                 // cumulative operating kilometres, 100 m
  std::optional<int> fareKm;  // cumulative fare kilometres (fare=), 100 m
  int kind = kKindNone;       // kind of the section that ends at this row
  int zone = 0;               // surcharge zone of that section
  bool oneWay = false;        // that section runs only towards this row
};

struct LineDef {
  SourceLoc loc;
  std::string name;
  std::string title;  // name in the station-selection list
  int network = kJrNetwork;
  bool listed = true;
  std::optional<SourceLoc> kindLoc;  // first `kind` directive, if any
  std::optional<SourceLoc> zoneLoc;  // first `zone` directive, if any
  std::vector<LineRow> rows;
};

// A service pattern at the train's first stop.
struct ServicePattern {
  SourceLoc loc;
  int interval = 0;          // > 0: every `interval` minutes
  std::vector<int> minutes;  // interval 0: departure minutes past the hour
  std::uint32_t hours = 0;   // bit h = clock hour h
  std::uint8_t days = 0x7f;  // bit d = day code d (0 Sunday)
};

// One item of a train's stop list.
struct StopItem {
  enum class Type { Stop, Along, Reverse };
  Type type = Type::Stop;
  SourceLoc loc;
  std::string station;         // Stop
  std::optional<int> minutes;  // Stop: riding minutes from the previous stop
  int wait = 0;                // Stop: minutes the train stands here (wait=)
  std::string line;            // Along
  std::string from;            // Along
  std::string to;              // Along
  std::string train;           // Reverse
};

struct TrainDef {
  SourceLoc loc;
  std::string name;
  int network = kJrNetwork;
  std::optional<std::string> terminal;
  SourceLoc terminalLoc;
  int order = 0;
  double speed = 0;  // km/h; 0 = not given
  std::vector<ServicePattern> patterns;
  std::vector<StopItem> stops;
};

struct WalkDef {
  SourceLoc loc;
  std::string a;
  std::string b;
  int minutes = 0;
  std::string name;  // the walking train's name, begins with 徒歩
  // With infare=CODE: the walk is a change inside the fare of network CODE
  // (the walking train carries CODE instead of 900); 0 = an ordinary walk.
  int inFareNetwork = 0;
};

struct ChangeDef {
  SourceLoc loc;
  std::string station;
  std::string trainA;  // a name, or a prefix followed by '*'
  std::string trainB;
  int minutes = 0;
};

struct FareDef {
  SourceLoc loc;
  bool reduction = false;  // false: special fare (FAREF), true: reduction (FARER)
  int network = kJrNetwork;
  std::string a;
  std::string b;
  int yen = 0;
};

struct LinkDef {
  SourceLoc loc;
  std::string a;
  std::string b;
};

struct SourceSet {
  std::vector<LineDef> lines;
  std::vector<TrainDef> trains;
  std::vector<WalkDef> walks;
  std::vector<ChangeDef> changes;
  std::vector<FareDef> fares;
  std::vector<LinkDef> links;
};

}  // namespace kiv::data
