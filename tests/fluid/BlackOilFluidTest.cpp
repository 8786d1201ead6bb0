// The fluid description: validation with messages that name the field, and
// fresh, independent phase objects. The fluid as a stream: rates that conserve
// mass and agree with the phase densities, and whole segments that agree with
// black-oil mode.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "../TestFluids.h"
#include "pdrop/fluid/blackoil/StreamFluid.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

std::string ErrorOf(const BlackOilFluid& fluid) {
  try {
    fluid.Validate();
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return std::string();
}

TEST(BlackOilFluid, RejectsImpossibleInputNamingTheField) {
  struct Case {
    const char* field;
    void (*spoil)(BlackOilFluid&);
  } cases[] = {
      {"gas_gravity", [](BlackOilFluid& f) { f.gasGravity = -0.65; }},
      {"oil_api", [](BlackOilFluid& f) { f.oilApi = 90.0; }},
      {"oil_api", [](BlackOilFluid& f) { f.oilApi = 4.0; }},
      {"water_salinity_wt_pct", [](BlackOilFluid& f) { f.waterSalinity = -1.0; }},
      {"water_gravity", [](BlackOilFluid& f) { f.waterGravity = 0.5; }},
      {"water_yield_bbl_per_MMscf", [](BlackOilFluid& f) { f.waterYield = std::nan(""); }},
      {"bubble_point_psia", [](BlackOilFluid& f) { f.bubblePoint = -100.0; }},
      {"separator_pressure_psia is missing",
       [](BlackOilFluid& f) { f.separatorTemperature = 80.0; }},
      {"separator_temperature_F = 400",
       [](BlackOilFluid& f) {
         f.separatorPressure = 100.0;
         f.separatorTemperature = 400.0;
       }},
  };
  EXPECT_EQ(ErrorOf(BlackOilFluid{}), "");
  for (const Case& c : cases) {
    BlackOilFluid fluid;
    c.spoil(fluid);
    const std::string message = ErrorOf(fluid);
    EXPECT_NE(message.find(c.field), std::string::npos) << message;
    // The not-set marker is never shown as a value.
    EXPECT_EQ(message.find("32600"), std::string::npos) << message;
    EXPECT_THROW(fluid.MakePhases(), std::invalid_argument);
  }
}

TEST(BlackOilFluid, EachSetIsFreshAndIndependent) {
  BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 30.0;
  fluid.waterGravity = 1.05;
  fluid.waterYield = 2.0;
  BlackOilPhases a = fluid.MakePhases();
  BlackOilPhases b = fluid.MakePhases();
  EXPECT_NE(a.oil->BubblePointParameter(), b.oil->BubblePointParameter());
  *a.oil->BubblePointParameter() = 2500.0;
  EXPECT_EQ(b.oil->BubblePointParameter()->Value(), kNotSet);
  // The water's salinity is found from its gravity.
  test::ExpectValues({a.gas->SpecificGravity(), a.gas->LiquidYield(600.0, 1000.0),
                      a.oil->OilGravity(), a.water->SpecificGravity()},
                     {0.7, 2.0, 141.5 / 161.5, 1.05}, 1e-9);

  fluid.bubblePoint = 1800.0;
  EXPECT_EQ(fluid.MakePhases().oil->BubblePointParameter()->Value(), 1800.0);
  // A described separator normalises the gas gravity for Vasquez & Beggs.
  fluid.separatorPressure = 164.7;
  fluid.separatorTemperature = 60.0;
  EXPECT_GT(fluid.SeparatorGasGravity(), fluid.gasGravity);
}

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
  test::ExpectValues({stream.GetGas()->MassFlow(), stream.GetGas()->GasStdVolFlow(),
                      stream.GetOil()->LiqVolFlow()},
                     {0.0, 0.0, 1000.0}, 1e-12);
}

TEST(BlackOilStream, WaterCarriedByTheGasLeavesTheWaterStream) {
  BlackOilFluid f = Fluid();
  f.waterYield = 5.0;  // bbl/MMscf
  BlackOilStream stream(f, 2.0, 0.0, 30.0);
  stream.GetGas()->ZFactor(600.0, 500.0);
  const double freeGas = stream.GetGas()->GasStdVolFlow();  // less what the water dissolves
  EXPECT_NEAR(stream.GetWtr()->LiqVolFlow(), 30.0 - 5.0 * freeGas, 1e-9);
  stream.SetRates(2.0, 0.0, 4.0);
  test::ExpectValues({stream.GetWtr()->LiqVolFlow(), stream.GetWtr()->MassFlow()}, {0.0, 0.0});
}

// One segment solved in black-oil mode and in stream mode with the same
// fluid: the two splits differ only in their standard conditions (14.65 psia
// in the engine's Bg, 14.696 psia in the fluid) and the water density
// constant (62.3 against 62.366 lbm/ft3). An oil well above and below its
// bubble point, and a gas well with water.
TEST(BlackOilStream, SegmentsAgreeWithBlackOilMode) {
  BlackOilPhases phases = Fluid().MakePhases();
  for (int code : {0, 3, 4, 5, 9}) {
    for (const auto& [qg, qo, qw, p1] : {std::tuple{0.5, 1000.0, 200.0, 2500.0},
                                         {0.5, 1000.0, 200.0, 700.0}, {3.0, 0.0, 30.0, 1500.0}}) {
      std::unique_ptr<CPressDrop> black(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, code));
      std::unique_ptr<CPressDrop> eos(CPressDrop::New(0.0, 2.441, 0.0, 1000.0, code));
      BlackOilStream stream(Fluid(), qg, qo, qw);
      black->SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
      eos->SetProps(&stream);
      EXPECT_NE(black->Cal(p1, 620.0, 0.0, qg, qo, qw), kNotSet);
      EXPECT_NE(eos->Cal(p1, 620.0, 0.0, qg, qo, qw), kNotSet);
      EXPECT_NEAR(eos->m_dTotalDP / black->m_dTotalDP, 1.0, 0.02) << code << " " << qg << " " << p1;
    }
  }
}

}  // namespace
}  // namespace pdrop
