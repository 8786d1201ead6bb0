// The black-oil fluid as a stream: rates that conserve mass and agree with
// the phase densities, and whole segments that agree with black-oil mode.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "pdrop/pdrop.h"
#include "pdrop/fluid/blackoil/StreamFluid.h"

namespace pdrop {
namespace {

BlackOilFluid Fluid() {
  BlackOilFluid f;
  f.gasGravity = 0.7;
  f.oilApi = 32.0;
  f.waterSalinity = 3.0;
  return f;
}

TEST(BlackOilStream, MassIsConservedAndVolumesMatchDensities) {
  BlackOilStream stream(Fluid(), 0.6, 1000.0, 300.0);
  CProp* phases[] = {stream.GetGas(), stream.GetOil(), stream.GetWtr()};
  // At standard conditions nothing is dissolved.
  double standardMass = 0.0;
  for (CProp* ph : phases) standardMass += ph->MassFlow();
  for (double p : {100.0, 800.0, 2000.0, 4000.0}) {
    const double t = 640.0;
    double mass = 0.0;
    for (CProp* ph : phases) {
      const double rho = ph->Density(t, p);  // a property call sets the conditions
      const double m = ph->MassFlow();
      mass += m;
      if (m > 0.0) {
        EXPECT_NEAR(m / ph->VolFlow(), rho, 1e-9 * rho) << p;
      }
    }
    EXPECT_NEAR(mass, standardMass, 1e-7 * standardMass) << p;
  }
  // Above the bubble point of 500 scf/STB all the gas is in solution.
  stream.GetOil()->Viscosity(640.0, 6000.0);
  EXPECT_EQ(stream.GetGas()->MassFlow(), 0.0);
  EXPECT_EQ(stream.GetGas()->GasStdVolFlow(), 0.0);
  EXPECT_NEAR(stream.GetOil()->LiqVolFlow(), 1000.0, 1e-12);
}

TEST(BlackOilStream, WaterCarriedByTheGasLeavesTheWaterStream) {
  BlackOilFluid f = Fluid();
  f.waterYield = 5.0;  // bbl/MMscf
  BlackOilStream stream(f, 2.0, 0.0, 30.0);
  stream.GetGas()->ZFactor(600.0, 500.0);
  const double freeGas = stream.GetGas()->GasStdVolFlow();  // less what the water dissolves
  EXPECT_NEAR(stream.GetWtr()->LiqVolFlow(), 30.0 - 5.0 * freeGas, 1e-9);
  stream.SetRates(2.0, 0.0, 4.0);
  EXPECT_EQ(stream.GetWtr()->LiqVolFlow(), 0.0);
  EXPECT_EQ(stream.GetWtr()->MassFlow(), 0.0);
}

// One segment solved in black-oil mode and in stream mode with the same
// fluid: the two splits differ only in their standard conditions (14.65 psia
// in the engine's Bg, 14.696 psia in the fluid) and the water density
// constant (62.3 against 62.366 lbm/ft3).
double RelativeDifference(int code, double dz, double qg, double qo, double qw, double p1) {
  const double t1 = 620.0, gradient = 0.0;
  BlackOilPhases phases = Fluid().MakePhases();
  std::unique_ptr<CPressDrop> black(CPressDrop::New(0.0, 2.441, 0.0, dz, code));
  black->SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
  EXPECT_NE(black->Cal(p1, t1, gradient, qg, qo, qw), kNotSet);
  const double blackChange = black->m_dTotalDP;

  BlackOilStream stream(Fluid(), qg, qo, qw);
  std::unique_ptr<CPressDrop> eos(CPressDrop::New(0.0, 2.441, 0.0, dz, code));
  eos->SetProps(&stream);
  EXPECT_NE(eos->Cal(p1, t1, gradient, qg, qo, qw), kNotSet);
  return std::fabs(eos->m_dTotalDP - blackChange) / std::fabs(blackChange);
}

TEST(BlackOilStream, SegmentsAgreeWithBlackOilMode) {
  for (int code : {0, 3, 4, 5, 9}) {
    EXPECT_LT(RelativeDifference(code, 1000.0, 0.5, 1000.0, 200.0, 2500.0), 0.02) << code;
    EXPECT_LT(RelativeDifference(code, 1000.0, 0.5, 1000.0, 200.0, 700.0), 0.02)
        << code << ": oil well with free gas";
    EXPECT_LT(RelativeDifference(code, 1000.0, 3.0, 0.0, 30.0, 1500.0), 0.02)
        << code << ": gas well with water";
  }
}

}  // namespace
}  // namespace pdrop
