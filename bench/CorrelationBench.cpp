// Time of one MultiPhase of each correlation at fixed mid-segment
// conditions, and of one Cal on a 1000 ft vertical two-phase segment with the
// built-in black-oil fluid (measurements, not tests).
#include <benchmark/benchmark.h>

#include <memory>

#include "pdrop/pdrop.h"

namespace {

class Gas : public pdrop::CProp {
 public:
  double SpecificGravity() override { return 0.7; }
};

// 2.441 in tubing, 1000 ft vertical, at 1000 psia and 600 degR: an oil well
// in slug flow (vsg 6, vsl 2 ft/s), 800 STB/d oil and 200 bbl/d water with
// 1 MMscf/d of free gas.
void SetConditions(pdrop::CPressDrop& e, pdrop::CProp* gas) {
  e.Init(0.0, 2.441, 0.0, 1000.0);
  e.SetProps(gas, nullptr, nullptr);
  e.m_dP = e.m_dP1 = 1000.0;
  e.m_dT = 600.0;
  e.m_dZ = 0.9;
  e.m_dVsg = 6.0;
  e.m_dVsl = 2.0;
  e.m_dRhoL = 50.0;
  e.m_dRhoG = 4.0;
  e.m_dMuL = 2.0;
  e.m_dMuG = 0.015;
  e.m_dSigma = 25.0;
  e.m_dSigmaO = 22.0;
  e.m_dSigmaW = 60.0;
  e.m_dQo = 800.0;
  e.m_dQwFree = 200.0;
  e.m_dQgFree = 1e6;
  e.m_dQlInSitu = 1100.0;
}

template <int Code>
void BM_MultiPhase(benchmark::State& state) {
  Gas gas;
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(Code));
  SetConditions(*e, &gas);
  for (auto _ : state) {
    e->MultiPhase();
    benchmark::DoNotOptimize(e->m_dFrictionDP);
  }
  state.SetLabel(e->GetRuntimeClass()->m_lpszClassName);
}
BENCHMARK_TEMPLATE(BM_MultiPhase, 3);
BENCHMARK_TEMPLATE(BM_MultiPhase, 4);
BENCHMARK_TEMPLATE(BM_MultiPhase, 5);
BENCHMARK_TEMPLATE(BM_MultiPhase, 1);
BENCHMARK_TEMPLATE(BM_MultiPhase, 2);
BENCHMARK_TEMPLATE(BM_MultiPhase, 6);

// The whole segment from the wellhead down: 500 psia, 0.5 MMscf/d, 300 STB/d
// oil, 100 bbl/d water.
template <int Code>
void BM_CalTwoPhase1000ft(benchmark::State& state) {
  pdrop::BlackOilPhases phases = pdrop::BlackOilFluid().MakePhases();
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(0.0, 2.441, 0.0, 1000.0, Code));
  e->SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
  double pieces = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(e->Cal(500.0, 560.0, 0.01, 0.5, 300.0, 100.0));
    pieces += e->m_nSubdivUsed;
  }
  state.counters["pieces"] = benchmark::Counter(pieces, benchmark::Counter::kAvgIterations);
  state.SetLabel(e->GetRuntimeClass()->m_lpszClassName);
}
BENCHMARK_TEMPLATE(BM_CalTwoPhase1000ft, 3);
BENCHMARK_TEMPLATE(BM_CalTwoPhase1000ft, 4);
BENCHMARK_TEMPLATE(BM_CalTwoPhase1000ft, 5);
BENCHMARK_TEMPLATE(BM_CalTwoPhase1000ft, 7);

// One in-situ gradient point at Brill & Mukherjee's Example 4.7 conditions
// (6 in vertical upflow), as pdrop.gradient computes each point of an array.
template <int Code>
void BM_GradientAt(benchmark::State& state) {
  std::unique_ptr<pdrop::CPressDrop> e(pdrop::CPressDrop::New(Code));
  pdrop::InSituPoint p;
  p.vsg_ftps = 3.86;
  p.vsl_ftps = 3.97;
  p.liquidDensity_lbmft3 = 47.61;
  p.gasDensity_lbmft3 = 5.88;
  p.liquidViscosity_cP = 0.97;
  p.gasViscosity_cP = 0.016;
  p.tension_dyncm = 8.41;
  p.pipeId_in = 6.0;
  p.angle_deg = 90.0;
  p.pressure_psia = 1700.0;
  p.temperature_F = 180.0;
  p.roughness_in = 0.00072;
  pdrop::InSituGradientSolver solve(*e);
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    benchmark::DoNotOptimize(solve(p));
  }
}
BENCHMARK_TEMPLATE(BM_GradientAt, 3);
BENCHMARK_TEMPLATE(BM_GradientAt, 4);
BENCHMARK_TEMPLATE(BM_GradientAt, 5);

}  // namespace
