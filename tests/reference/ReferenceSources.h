// The engine objects the plain searches read, and the directory their
// tables are written to.
#pragma once

#include <filesystem>

namespace kiv {
class RStaName;
class RStaMan;
class RStaFare;
class RKivMan;
class RDistMan;
class RFareMan;
}  // namespace kiv

namespace kiv::reference {

struct FareSources {
  const RStaName& staName;
  const RStaMan& staMan;
  const RStaFare& staFare;
  const RKivMan& kivMan;
  const RDistMan& dist;
  const RFareMan& fare;
  std::filesystem::path dataDir;
};

}  // namespace kiv::reference
