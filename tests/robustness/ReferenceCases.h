// The cases of the stored reference outputs: every correlation code on a set
// of segments with the built-in black-oil fluid. The reference file guards
// against any change of results while the code is made faster.
#pragma once

#include <memory>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop::reference {

struct Segment {
  const char* name;
  double dx, dz;
  int dir, flw;
  double p, qg, qo, qw;
};

inline const std::vector<Segment>& Segments() {
  static const std::vector<Segment> segments = {
      {"vertical-up-producer", 0.0, 500.0, -1, -1, 2500.0, 0.5, 1000.0, 300.0},
      {"vertical-down-producer", 0.0, 500.0, 1, 1, 800.0, 0.5, 1000.0, 300.0},
      {"level-gas-condensate", 2000.0, 0.0, 1, -1, 1200.0, 8.0, 150.0, 0.0},
      {"uphill-line", 1500.0, 120.0, -1, -1, 900.0, 2.0, 600.0, 200.0},
      {"downhill-line", 1500.0, 120.0, 1, -1, 900.0, 2.0, 600.0, 200.0},
      {"gas-well", 0.0, 1000.0, -1, -1, 1800.0, 3.0, 0.0, 10.0},
      {"water-injector", 0.0, 1000.0, 1, -1, 600.0, 0.0, 0.0, 3000.0},
      {"level-smooth-stratified", 2000.0, 0.0, 1, -1, 300.0, 0.05, 100.0, 0.0},
      {"downhill-wavy-by-froude", 1000.0, 85.0, 1, -1, 150.0, 0.03, 100.0, 0.0},
      {"level-wavy-stratified", 2000.0, 0.0, 1, -1, 1000.0, 1.0, 20.0, 5.0},
  };
  return segments;
}

struct Outcome {
  double p2, friction, elevation, holdup;
  int regime;
};

// The fluid of the reference cases: 0.7 gas, 33 API oil, 2 % brine.
inline BlackOilPhases Phases() {
  BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 33.0;
  fluid.waterSalinity = 2.0;
  return fluid.MakePhases();
}

inline Outcome Solve(int code, const Segment& s) {
  BlackOilPhases ph = Phases();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, 2.992, s.dx, s.dz, code));
  e->SetDir(s.dir);
  e->SetFlw(s.flw);
  e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  const double p2 = e->Cal(s.p, 630.0, 0.01, s.qg, s.qo, s.qw);
  return {p2, e->m_dFrictionDP, e->m_dElevationDP, e->m_dHoldup, e->GetCode()};
}

}  // namespace pdrop::reference
