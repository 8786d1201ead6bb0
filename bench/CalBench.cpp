// Time of one Cal on single-phase segments (a measurement, not a test).
#include <benchmark/benchmark.h>

#include <memory>

#include "pdrop/pdrop.h"

namespace {

class Gas : public pdrop::CProp {
 public:
  double ZFactor(double, double) override { return 0.9; }
  double SpecificGravity() override { return 0.65; }
  double Density(double T, double p) override { return 2.69881 * p * 0.65 / (0.9 * T); }
  double Viscosity(double, double) override { return 0.013; }
};

class Water : public pdrop::CProp {
 public:
  double FormationVolumeFactor(double, double) override { return 1.01; }
  double SpecificGravity() override { return 1.02; }
  double Viscosity(double, double) override { return 0.8; }
  double SurfaceTension(double, double) override { return 60.0; }
};

void BM_CalGasSegment(benchmark::State& state) {
  Gas gas;
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(0.0, 6.065, 1000.0, 0.0, 0));
  e->SetProps(&gas, nullptr, nullptr);
  e->SetFlw(-1);
  double iterations = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(e->Cal(1000.0, 560.0, 0.0, 10.0, 0.0, 0.0));
    iterations += e->m_dIterations;
  }
  state.counters["iter/call"] = benchmark::Counter(iterations, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CalGasSegment);

void BM_CalLiquidSegment(benchmark::State& state) {
  Water water;
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(0.0, 2.441, 0.0, 50.0, 0));
  e->SetProps(nullptr, nullptr, &water);
  double iterations = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(e->Cal(1500.0, 600.0, 0.0, 0.0, 0.0, 2000.0));
    iterations += e->m_dIterations;
  }
  state.counters["iter/call"] = benchmark::Counter(iterations, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CalLiquidSegment);

}  // namespace
