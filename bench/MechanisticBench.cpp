// Cost of the Petalas & Aziz model (a measurement, not a test): one flow-
// pattern decision per pattern, a froth point with its boundary searches,
// and Cal on a two-phase segment of a black-oil stream.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include <memory>

#include "pdrop/pdrop.h"

namespace {

// A 4 in pipe and a light oil with a dense gas; dx, dz in ft, velocities in
// ft/s chosen to fall in each pattern.
struct Point {
  const char* name;
  double dx, dz, vsg, vsl;
};

constexpr Point kPoints[] = {
    {"Bubble", 0.0, 100.0, 0.1, 1.0},
    {"DispersedBubble", 0.0, 100.0, 10.0, 30.0},
    {"StratifiedSmooth", 100.0, 0.0, 0.1, 0.01},
    {"StratifiedWavy", 100.0, 0.0, 3.0, 0.1},
    {"AnnularMist", 100.0, 0.0, 50.0, 0.1},
    {"Slug", 100.0, 0.0, 3.0, 3.0},
    {"ElongatedBubble", 100.0, 0.0, 0.1, 1.0},
    {"Froth", 0.0, 100.0, 24.0, 10.0},
};

std::unique_ptr<pdrop::CMechModel> Model(const Point& p) {
  auto m = std::make_unique<pdrop::CMechModel>();
  m->Init(0.0, 4.0, p.dx, p.dz);
  m->m_dRhoL = 50.0;
  m->m_dRhoG = 5.0;
  m->m_dMuL = 1.0;
  m->m_dMuG = 0.015;
  m->m_dSigma = 20.0;
  m->m_dVsg = p.vsg;
  m->m_dVsl = p.vsl;
  m->MultiPhase();  // sets the inclination
  return m;
}

void BM_GetFlowRegime(benchmark::State& state) {
  const Point& p = kPoints[state.range(0)];
  auto m = Model(p);
  state.SetLabel(p.name);
  for (auto _ : state) benchmark::DoNotOptimize(m->GetFlowRegime());
}
BENCHMARK(BM_GetFlowRegime)->DenseRange(0, 7);

// Froth: the decision, both boundary searches and the interpolation.
void BM_FrothPoint(benchmark::State& state) {
  auto m = Model(kPoints[7]);
  for (auto _ : state) {
    m->MultiPhase();
    benchmark::DoNotOptimize(m->m_dFrictionDP);
  }
}
BENCHMARK(BM_FrothPoint)->Unit(benchmark::kMicrosecond);

// 1000 ft of 2.441 in tubing, 1 MMscf/d with 500 STB/d oil and 100 bbl/d
// water at 1500 psia; range 0 horizontal, 1 vertical.
void BM_CalMechanistic(benchmark::State& state) {
  const pdrop::BlackOilPhases ph = pdrop::BlackOilFluid{}.MakePhases();
  const bool vertical = state.range(0) != 0;
  std::unique_ptr<pdrop::CPressDrop> e(
      pdrop::CPressDrop::New(0.0, 2.441, vertical ? 0.0 : 1000.0, vertical ? 1000.0 : 0.0, 9));
  e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  state.SetLabel(vertical ? "vertical" : "horizontal");
  for (auto _ : state) benchmark::DoNotOptimize(e->Cal(1500.0, 620.0, 0.0, 1.0, 500.0, 100.0));
}
BENCHMARK(BM_CalMechanistic)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The 2500-point map of a 4 in pipe, level (0) or vertical (1).
void BM_GetFlowMap(benchmark::State& state) {
  const pdrop::BlackOilPhases ph = pdrop::BlackOilFluid{}.MakePhases();
  const bool vertical = state.range(0) != 0;
  pdrop::CMechModel e;
  e.Init(0.0, 4.0, vertical ? 0.0 : 100.0, vertical ? 100.0 : 0.0);
  e.SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  e.Cal(1000.0, 600.0, 0.0, 1.0, 500.0, 100.0);
  std::vector<pdrop::CFlowRegime> map;
  for (auto _ : state) benchmark::DoNotOptimize(e.GetFlowMap(map));
  state.SetLabel(vertical ? "vertical" : "horizontal");
}
BENCHMARK(BM_GetFlowMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The per-pattern text files (about 173 000 decisions) into a temporary directory.
void BM_CreateFlowPatternMap(benchmark::State& state) {
  const pdrop::BlackOilPhases ph = pdrop::BlackOilFluid{}.MakePhases();
  pdrop::FlowMapWriter w;
  w.Init(0.0, 4.0, 100.0, 0.0);
  w.SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  w.Cal(1000.0, 600.0, 0.0, 1.0, 500.0, 100.0);
  const std::string dir = std::filesystem::temp_directory_path().string();
  for (auto _ : state) benchmark::DoNotOptimize(w.WritePatternFiles(dir));
}
BENCHMARK(BM_CreateFlowPatternMap)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
