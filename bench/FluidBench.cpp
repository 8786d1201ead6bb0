// Cost of the built-in black-oil properties and of Cal with them (a
// measurement, not a test). The pressure moves by a little on every call so
// that no phase object can answer from its last evaluation.
#include <benchmark/benchmark.h>

#include <memory>

#include "pdrop/pdrop.h"

namespace {

pdrop::BlackOilFluid Fluid() {
  pdrop::BlackOilFluid f;
  f.gasGravity = 0.7;
  f.oilApi = 32.0;
  f.waterSalinity = 3.0;
  return f;
}

void BM_GasProperties(benchmark::State& state) {
  pdrop::BlackOilPhases ph = Fluid().MakePhases();
  double p = 1000.0;
  for (auto _ : state) {
    p += 1e-6;
    benchmark::DoNotOptimize(ph.gas->ZFactor(640.0, p));
    benchmark::DoNotOptimize(ph.gas->Density(640.0, p));
    benchmark::DoNotOptimize(ph.gas->Viscosity(640.0, p));
  }
}
BENCHMARK(BM_GasProperties);

void BM_OilProperties(benchmark::State& state) {
  pdrop::BlackOilPhases ph = Fluid().MakePhases();
  *ph.oil->BubblePointParameter() = 2500.0;
  double p = 1500.0;
  for (auto _ : state) {
    p += 1e-6;
    benchmark::DoNotOptimize(ph.oil->FormationVolumeFactor(640.0, p));
    benchmark::DoNotOptimize(ph.oil->SolutionGasRatio(640.0, p, 0));
    benchmark::DoNotOptimize(ph.oil->Viscosity(640.0, p));
    benchmark::DoNotOptimize(ph.oil->SurfaceTension(640.0, p));
  }
}
BENCHMARK(BM_OilProperties);

void BM_WaterProperties(benchmark::State& state) {
  pdrop::BlackOilPhases ph = Fluid().MakePhases();
  double p = 1500.0;
  for (auto _ : state) {
    p += 1e-6;
    benchmark::DoNotOptimize(ph.water->FormationVolumeFactor(640.0, p));
    benchmark::DoNotOptimize(ph.water->SolutionGasRatio(640.0, p, 0));
    benchmark::DoNotOptimize(ph.water->Viscosity(640.0, p));
    benchmark::DoNotOptimize(ph.water->SurfaceTension(640.0, p));
  }
}
BENCHMARK(BM_WaterProperties);

// A 50 ft vertical oil-well segment solved in one piece, black-oil and
// stream mode, for every correlation code. "s/iter" is the time of one
// mean-pressure iteration, so that a change in the number of iterations and
// a change in the cost of one can be told apart.
void BM_CalBlackOil(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  pdrop::BlackOilPhases ph = Fluid().MakePhases();
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(0.0, 2.441, 0.0, 50.0, code));
  e->SetSubdiv(0);
  e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  double iterations = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(e->Cal(1500.0, 640.0, 0.0, 0.5, 1000.0, 300.0));
    iterations += e->m_dIterations;
  }
  state.counters["iter/call"] = benchmark::Counter(iterations, benchmark::Counter::kAvgIterations);
  state.counters["s/iter"] =
      benchmark::Counter(iterations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(pdrop::CPressDrop::GetCodeName(e->GetCode()));
}
BENCHMARK(BM_CalBlackOil)->DenseRange(0, 9);

void BM_CalStream(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  pdrop::BlackOilStream stream(Fluid(), 0.5, 1000.0, 300.0);
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(0.0, 2.441, 0.0, 50.0, code));
  e->SetProps(&stream);
  for (auto _ : state) {
    benchmark::DoNotOptimize(e->Cal(1500.0, 640.0, 0.0, 0.5, 1000.0, 300.0));
  }
}
BENCHMARK(BM_CalStream)->Arg(0);

}  // namespace
