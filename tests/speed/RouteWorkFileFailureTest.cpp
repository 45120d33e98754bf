// The fast route search writes its work files whole at its end; where one of
// them cannot be written it must fail, name the file and leave the other
// files as the reference search leaves them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "RouteListReference.h"
#include "TempDir.h"
#include "data/BinaryIO.h"

namespace kiv::test {
namespace {

const char* const kRouteFiles[] = {"$vflg.kv4", "$MltRtL1.kv4", "$MltRtDt.kv4", "$MltRtL2.kv4",
                                   "$MltRtL3.kv4"};

struct Outcome {
  int found = 0;
  std::string problem;
  std::vector<std::vector<std::uint8_t>> files;
};

struct Journey {
  StationNo from = 0;
  StationNo to = 0;
};

// Every route file in place, `blocked` replaced by what `block` makes of it:
// the reference search in *plain, the fast one (plain null) in the engine's
// state.
template <typename Block>
Outcome searchWith(Engine& e, const std::filesystem::path& dir, TimetableSearchState* plain, const Journey& j,
                   const char* blocked, Block block) {
  for (const char* name : kRouteFiles) {
    std::filesystem::remove_all(dir / name);
    writeWholeFile(dir / name, std::vector<std::uint8_t>(3000, 'x'));  // old bytes to write over
  }
  std::filesystem::remove(dir / blocked);
  block(dir / blocked);
  Outcome out;
  if (plain) {
    const RDiaMan::RouteLimits l = e.dia.routeLimitsFromSettings();
    const RouteSearchResult result = reference::searchRoutes(
        e.dia, *plain,
        {j.from, j.to, 9, 0, 1, 10, 15, l.transMax, l.routeMax, l.modeRoute, l.classicStepBudget});
    out.found = result.found;
    out.problem = result.workFileProblem;
  } else {
    out.found = e.dia.searchRoutes(j.from, j.to, 9, 0, 1, 10, 15);
    out.problem = e.dia.workFileProblem();
  }
  for (const char* name : kRouteFiles) {
    out.files.push_back(std::filesystem::is_regular_file(dir / name)
                            ? readWholeFile(dir / name).value_or(std::vector<std::uint8_t>{})
                            : std::vector<std::uint8_t>{});
  }
  std::filesystem::remove_all(dir / blocked);
  return out;
}

TEST(RouteWorkFileFailure, AFileThatCannotBeWrittenFailsBothSearchesAlike) {
  const NetworkShape shape{
      .seed = 5, .stations = 20, .lines = 6, .stopsPerLine = 7, .walks = 2, .transfers = 4};
  TempDir dir;
  writeRandomNetwork(dir.path(), shape);
  Engine engine(dir.path());
  engine.def.setRouteMax(10);
  // A journey with a route at 9:00.
  Journey j;
  for (StationNo to = 2; to <= shape.stations && j.from == 0; ++to) {
    if (engine.dia.fastestTime(1, to, 9, 0, 1) > 0) j = {1, to};
  }
  ASSERT_NE(j.from, 0);
  const auto directory = [](const std::filesystem::path& p) { std::filesystem::create_directory(p); };
  const auto fullDisk = [](const std::filesystem::path& p) {
    std::filesystem::create_symlink("/dev/full", p);
  };
  const auto linked = [&](const std::filesystem::path& p) {
    writeWholeFile(dir.path() / "target", std::vector<std::uint8_t>(5000, 'y'));
    std::filesystem::create_symlink(dir.path() / "target", p);
  };
  TimetableSearchState plain(engine.dia.searchStationCount());
  for (const char* blocked : kRouteFiles) {
    for (int kind = 0; kind < 3; ++kind) {
      // The list of detection order is read back to be sorted: the endless
      // zeros of the device are not tried there.
      if (kind == 1 && std::string(blocked) == "$MltRtL1.kv4") continue;
      SCOPED_TRACE(std::string(blocked) + (kind == 0   ? " a directory"
                                           : kind == 1 ? " the full disk"
                                                       : " a link"));
      const auto run = [&](TimetableSearchState* plain) {
        if (kind == 0) return searchWith(engine, dir.path(), plain, j, blocked, directory);
        if (kind == 1) return searchWith(engine, dir.path(), plain, j, blocked, fullDisk);
        return searchWith(engine, dir.path(), plain, j, blocked, linked);
      };
      const Outcome reference = run(&plain);
      const std::vector<std::uint8_t> referenceTarget =
          readWholeFile(dir.path() / "target").value_or(std::vector<std::uint8_t>{});
      const Outcome fast = run(nullptr);
      EXPECT_EQ(fast.found, reference.found);
      EXPECT_EQ(fast.problem, reference.problem);
      for (std::size_t k = 0; k < fast.files.size(); ++k)
        EXPECT_TRUE(fast.files[k] == reference.files[k]) << kRouteFiles[k] << " differs";
      // Through a link every file is written: the search finds its routes.
      if (kind == 2) {
        EXPECT_GT(reference.found, 0);
        EXPECT_TRUE(readWholeFile(dir.path() / "target").value_or(std::vector<std::uint8_t>{}) ==
                    referenceTarget);
      }
    }
  }
}

}  // namespace
}  // namespace kiv::test
