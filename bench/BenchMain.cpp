// kiv_bench: every operation of BenchOperations.h on the sample network and
// on a generated network of 3,000 stations, the plain way and the fast way.

#include <benchmark/benchmark.h>

#include "BenchOperations.h"

namespace kiv::bench {
namespace {

void registerOperation(const Operation& op, BenchData* (*data)(), const char* dataName) {
  for (bool reference : {true, false}) {
    const std::string name = std::string(dataName) + "/" + op.name + "/" + (reference ? "reference" : "fast");
    auto* b = benchmark::RegisterBenchmark(name.c_str(), [op, data, reference](benchmark::State& state) {
      BenchData* d = data();
      if (!d) {
        state.SkipWithError("data set not available");
        return;
      }
      for (auto _ : state) op.run(*d, reference);
    });
    b->Unit(benchmark::kMillisecond);
    // An operation whose plain way takes seconds is repeated fewer times than
    // the command line asks (run.sh takes the median of the repetitions);
    // its plain way runs once per repetition.
    if (op.slowReference) b->Repetitions(reference ? 3 : 5);
    if (reference && op.slowReference) b->Iterations(1);
  }
}

}  // namespace
}  // namespace kiv::bench

int main(int argc, char** argv) {
  using namespace kiv::bench;
  for (const Operation& op : fareOperations()) {
    registerOperation(op, sampleData, "sample");
    registerOperation(op, generatedData, "gen3000");
  }
  for (const Operation& op : timetableTableOperations()) {
    registerOperation(op, sampleData, "sample");
    registerOperation(op, generatedTimetableData, "tt3000");
  }
  for (const Operation& op : timetableStartUpOperations())
    registerOperation(op, generatedTimetableData, "tt3000");
  for (const Operation& op : routeOperations()) {
    registerOperation(op, sampleData, "sample");
    registerOperation(op, generatedTimetableData, "tt3000");
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  removeBenchData();
  return 0;
}
