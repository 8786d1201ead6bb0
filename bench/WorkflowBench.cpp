// The workflows (a measurement, not a test): a family of 40 lift-curve
// points of the example oil well on 1 and 2 threads.
#include <benchmark/benchmark.h>

#include <string>

#include "pdrop/case/CaseFile.h"
#include "pdrop/workflows/Vlp.h"

namespace {

void BM_LiftCurves40Points(benchmark::State& state) {
  const pdrop::TraverseCase oil =
      pdrop::ReadCaseFile(std::string(PDROP_EXAMPLES_DIR) + "/oil_well.json");
  pdrop::VlpRequest request;
  request.rates = pdrop::DefaultRates(oil, pdrop::WellKind::kOil);  // 20 rates
  request.sensitivities = {{pdrop::VlpParameter::kWellheadPressure, {150.0, 300.0}}};
  request.threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const pdrop::VlpResult r = pdrop::LiftCurves(oil, request);
    benchmark::DoNotOptimize(r.points.back().bhp_psia);
  }
  state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_LiftCurves40Points)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
