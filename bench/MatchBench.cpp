// Matching a pressure survey (a measurement, not a test): the example oil
// well against a 20-point survey, over 4 correlations with both efficiencies
// fitted, on 1 and 2 threads.
#include <benchmark/benchmark.h>

#include "pdrop/pdrop.h"
#include "pdrop/workflows/Match.h"

namespace {

pdrop::TraverseCase OilWell() {
  pdrop::TraverseCase c;
  c.correlation = 3;
  c.stations = {{0.0, 0.0, 2.441, 0.0, 0.0006}, {8000.0, 8000.0, 2.441, 0.0, 0.0006}};
  c.max_segment_ft = 200.0;
  c.temperature.first_F = 100.0;
  c.temperature.last_F = 210.0;
  c.known_pressure_psia = 250.0;
  c.gas_MMscfd = 0.6;
  c.oil_STBd = 1200.0;
  c.water_bbld = 300.0;
  c.fluid.gasGravity = 0.72;
  c.fluid.oilApi = 34.0;
  c.fluid.waterSalinity = 4.0;
  return c;
}

// Every 400 ft of a Hagedorn & Brown traverse with a hydrostatic efficiency
// of 0.95, as the example survey was made (without its noise).
pdrop::Survey MadeSurvey(const pdrop::TraverseCase& c) {
  pdrop::TraverseCase made = c;
  made.correlation = 5;
  made.hydrostatic_efficiency = 0.95;
  pdrop::Survey s;
  for (const pdrop::TraverseRow& row : pdrop::RunTraverse(made).rows) {
    if (row.md_ft > 0.0 && static_cast<int>(row.md_ft) % 400 == 0) {
      s.points.push_back({row.md_ft, row.pressure_psia, pdrop::kNotSet});
    }
  }
  return s;
}

void BM_MatchFourCorrelations(benchmark::State& state) {
  const pdrop::TraverseCase c = OilWell();
  const pdrop::Survey s = MadeSurvey(c);
  pdrop::MatchOptions o;
  o.correlations = {3, 4, 5, 9};
  o.fit = pdrop::FittingAvailable() ? pdrop::FitMode::kBoth : pdrop::FitMode::kNone;
  o.threads = static_cast<int>(state.range(0));
  int traverses = 0;
  for (auto _ : state) {
    const pdrop::MatchResult r = pdrop::MatchSurvey(c, s, o);
    traverses = 0;
    for (const pdrop::CorrelationMatch& m : r.ranked) traverses += m.evaluations;
    benchmark::DoNotOptimize(r.ranked.front().fitted_errors.rms_psi);
  }
  state.counters["fit_traverses"] = traverses;
}
BENCHMARK(BM_MatchFourCorrelations)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
