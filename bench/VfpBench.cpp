// A VFP table (a measurement, not a test): the 320 cells of the example oil
// well's table (5 FLO x 4 THP x 4 WFR x 4 GFR, one traverse of 40 segments
// each) on 1 and 2 threads.
#include <benchmark/benchmark.h>

#include "pdrop/case/CaseFile.h"
#include "pdrop/case/VfpAxes.h"
#include "pdrop/workflows/Vfp.h"

namespace {

void BM_VfpTable320Cells(benchmark::State& state) {
  const pdrop::TraverseCase c = pdrop::ReadCaseFile(PDROP_EXAMPLES_DIR "/oil_well.json");
  const pdrop::VfpAxes axes = pdrop::ReadVfpAxesFile(PDROP_EXAMPLES_DIR "/oil_well_vfp.json");
  for (auto _ : state) {
    const pdrop::VfpTable t = pdrop::BuildVfpTable(c, axes, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(t.bhp.data());
  }
  state.counters["cells"] = static_cast<double>(axes.CellCount());
  state.counters["cells/s"] = benchmark::Counter(
      static_cast<double>(axes.CellCount() * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VfpTable320Cells)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
