// The black-oil fluid. Correlations against published and reference-sheet
// values: gas z-factor (Dranchuk & Abou-Kassem 1975; Hall & Yarborough 1973,
// as tabulated by the zFactor R package; Sutton 1985 pseudo-criticals), gas
// density, Bg and Lee-Gonzalez-Eakin viscosity (original 1966 constants);
// Standing and Vasquez & Beggs bubble point, Rs and Bo, Beggs & Robinson
// viscosity, Baker & Swerdloff surface tension; McCain water density, Bw and
// viscosity, Culberson & McKetta solubility, Jennings & Newman surface
// tension. The phase objects around the bubble point and over the range; the
// description's validation with messages that name the field, and fresh,
// independent phase objects; the fluid as a stream: rates that conserve mass
// and agree with the phase densities, and segments that agree with black-oil mode.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>

#include "../TestFluids.h"
#include "pdrop/fluid/blackoil/Units.h"
#include "pdrop/fluid/blackoil/ZFactor.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using namespace pvt;
using test::ExpectNear;

double R(double f) { return f + 459.67; }

TEST(ZFactor, SuttonPseudoCriticalsAndThePublishedTables) {
  struct Row {
    double gravity, tpc, ppc;
  } rows[] = {{0.65, 365.110, 670.129}, {0.70, 377.590, 663.336}, {0.851, 413.034, 642.712}};
  for (const Row& r : rows) {
    const PseudoCritical pc = SuttonPseudoCritical(r.gravity);
    EXPECT_NEAR(pc.temperature, r.tpc, 5e-4) << r.gravity;
    EXPECT_NEAR(pc.pressure, r.ppc, 5e-4) << r.gravity;
  }
  // (Tpr, ppr, z DAK, z HY), zFactor package output to 7 digits; 0: not tabulated.
  const double z[][4] = {{2.0, 1.5, 0.9551087, 0.9580002}, {1.3, 0.5, 0.9203019, 0.9176300},
                         {1.3, 3.5, 0.6339357, 0.6323003}, {1.5, 2.5, 0.7929993, 0.7924067},
                         {1.7, 6.5, 0.9409634, 0.0},       {2.0, 6.5, 1.0015560, 0.0},
                         {1.1, 1.5, 0.0, 0.4732393}};
  for (const auto& r : z) {
    ExpectNear({{r[2] > 0.0 ? ZFactorDAK(r[0], r[1]) : 0.0, r[2], 1e-6},
                {r[3] > 0.0 ? ZFactorHallYarborough(r[0], r[1]) : 0.0, r[3], 1e-6}});
  }
  // At low pressure every gas is ideal.
  EXPECT_NEAR(ZFactorDAK(1.5, 0.001), 1.0, 1e-3);
  EXPECT_NEAR(ZFactorHallYarborough(1.5, 0.001), 1.0, 1e-3);
}

TEST(ZFactor, FinitePositiveAndVapourRootEverywhere) {
  // 14.7-20000 psia and 460-760 degR for gases from 0.55 to 1.8: reduced
  // temperatures reach below 1, where the equations have liquid-like roots.
  for (double g : {0.55, 0.65, 0.9, 1.2, 1.8}) {
    const PseudoCritical pc = SuttonPseudoCritical(g);
    for (double t = 460.0; t <= 760.0; t += 20.0) {
      double previous = 0.0;
      for (double p = 14.7; p <= 20000.0; p *= 1.15) {
        const double tpr = t / pc.temperature, ppr = p / pc.pressure;
        for (double z : {ZFactorDAK(tpr, ppr), ZFactorHallYarborough(tpr, ppr)}) {
          ASSERT_TRUE(std::isfinite(z) && z > 0.0) << g << " " << t << " " << p;
        }
        // The gas gets denser as it is compressed: p/z never falls.
        const double density = p / ZFactorDAK(tpr, ppr);
        EXPECT_GE(density, previous * (1.0 - 1e-9)) << g << " " << t << " " << p;
        previous = density;
      }
    }
  }
}

TEST(BlackOilGas, ZDensityBgAndViscosityOfThreeGases) {
  // Reference sheet, 5 digits; z by Hall & Yarborough where it gives one.
  struct Row {
    double gravity, tF, p, z, zHY, density, bg, viscosity;
  } rows[] = {{0.65, 200.0, 2000.0, 0.89735, 0.89774, 5.9273, 0.008370, 0.016649},
              {0.70, 150.0, 1000.0, 0.89324, 0.89311, 3.4693, 0.015400, 0.013713},
              {0.80, 100.0, 5000.0, 0.95686, 0.0, 20.1598, 0.003029, 0.038158}};
  for (const Row& r : rows) {
    BlackOilGas gas(r.gravity, 0.0, ZCorrelation::kDranchukAbouKassem);
    BlackOilGas hy(r.gravity, 0.0, ZCorrelation::kHallYarborough);
    const double t = R(r.tF);
    ExpectNear({{gas.ZFactor(t, r.p), r.z, 1e-5},
                {r.zHY > 0.0 ? hy.ZFactor(t, r.p) : 0.0, r.zHY, 1e-5},
                {gas.Density(t, r.p), r.density, 1e-4},
                {gas.Bg(t, r.p), r.bg, 1e-6},
                {gas.Viscosity(t, r.p), r.viscosity, 1e-6}});
  }
  // Standard conditions: 0.049612 lbm/ft3 for a 0.65 gas with z near 1.
  BlackOilGas gas(0.65, 12.5, ZCorrelation::kDranchukAbouKassem);
  EXPECT_NEAR(gas.Density(519.67, 14.696) * gas.ZFactor(519.67, 14.696), 0.049612, 1e-6);
  // Lee-Gonzalez-Eakin textbook case: M 20.85, 600 degR, 8.3 lbm/ft3: K 119.72,
  // X 5.352, Y 1.330, 0.01726 cP.
  EXPECT_NEAR(GasViscosityLGE(20.85, 8.3, 600.0), 0.01726, 1e-5);
  EXPECT_EQ(gas.LiquidYield(600.0, 1000.0), 12.5);
  EXPECT_EQ(gas.SpecificGravity(), 0.65);
  for (double bad : {0.0, -10.0, std::nan(""), kNotSet}) {
    test::ExpectValues({gas.ZFactor(bad, 1000.0), gas.Density(600.0, bad), gas.Viscosity(bad, bad)},
                       {kNotSet, kNotSet, kNotSet});
  }
}

TEST(OilCorrelations, PublishedAndReferenceSheetValues) {
  // Ahmed's oil 1: Rsb 751, gas 0.851, API 47.1, 250 degF, separator at
  // 60 degF and 164.7 psia; case A; oil O3: Rsb 500, gas 0.75, API 35, 180 degF.
  const double go = OilGravityFromApi(35.0);
  const double ggs = SeparatorGasGravity(0.851, 47.1, 60.0, 164.7);
  const double a = VasquezBeggsCompressibility(500.0, 0.75, 35.0, 180.0);  // co = A/p
  const double dead = DeadOilViscosity(35.0, 180.0), dead47 = DeadOilViscosity(47.1, 250.0);
  ExpectNear({{StandingBubblePoint(751.0, 0.851, 47.1, 250.0), 2181.31, 0.01},
              {StandingRs(1500.0, 0.851, 47.1, 250.0), 481.280, 1e-3},
              {StandingBo(751.0, 0.851, OilGravityFromApi(47.1), 250.0), 1.50616, 1e-5},
              {StandingBubblePoint(600.0, 0.80, 32.0, 220.0), 2770.75, 0.01},
              {StandingBubblePoint(500.0, 0.75, 35.0, 180.0), 2113.544, 1e-3},
              {StandingRs(1000.0, 0.75, 35.0, 180.0), 206.180, 1e-3},
              {StandingBo(500.0, 0.75, go, 180.0), 1.28446, 1e-5},
              {StandingBo(206.180, 0.75, go, 180.0), 1.14396, 1e-5},
              {StandingBo(0.0, 0.75, go, 60.0), 0.99724, 1e-5},
              {go, 0.849850, 1e-6},
              {OilGravityFromApi(27.3), 0.891058, 1e-6},
              {VasquezBeggsRs(1000.0, 0.75, 35.0, 180.0), 179.8266, 1e-4},
              {VasquezBeggsBubblePoint(500.0, 0.75, 35.0, 180.0), 2366.737, 1e-3},
              {VasquezBeggsRs(1000.0, 0.75, 25.0, 180.0), 141.6667, 1e-4},
              {ggs, 0.87334, 1e-5},
              {VasquezBeggsRs(2377.0, ggs, 47.1, 250.0), 773.407, 1e-3},
              {VasquezBeggsBo(500.0, 0.75, 35.0, 180.0), 1.29884, 1e-5},
              {VasquezBeggsBo(200.0, 0.75, 25.0, 180.0), 1.14909, 1e-5},
              {a, 0.03719, 1e-5},
              {a / 4000.0, 9.2984e-6, 1e-9},
              {VasquezBeggsCompressibility(751.0, ggs, 47.1, 250.0) / 3000.0, 2.0618e-5, 1e-9},
              {dead, 2.18335, 1e-5},
              {LiveOilViscosity(dead, 500.0), 0.63955, 1e-5},
              {LiveOilViscosity(dead, 206.18), 1.00677, 1e-5},
              {UndersaturatedOilViscosity(0.63955, 4000.0, 2113.544), 0.79570, 1e-5},
              {dead47, 0.56793, 1e-5},
              {LiveOilViscosity(dead47, 751.0), 0.24379, 1e-5},
              // Baker & Swerdloff, API 35; past 3977 psia the correction would
              // go negative: the floor holds.
              {GasOilSurfaceTension(35.0, 180.0, 1000.0), 13.1878, 1e-4},
              {GasOilSurfaceTension(35.0, 85.0, 2000.0), 7.7695, 1e-4},
              {GasOilSurfaceTension(35.0, 60.0, 500.0), 18.2013, 1e-4},
              {GasOilSurfaceTension(35.0, 180.0, 6000.0), 1.0}});
}

TEST(WaterCorrelations, ReferenceSheetValues) {
  // Below 1000 psia the solubility falls linearly to none at 14.7 psia.
  const double at1000 = GasWaterSolubility(150.0, 1000.0, 0.0);
  ExpectNear({{BrineDensity(0.0), 62.368, 1e-6},
              {BrineDensity(5.0), 64.6010, 1e-4},
              {BrineDensity(10.0), 66.9141, 1e-4},
              {WaterFvf(200.0, 3000.0), 1.033938, 1e-6},
              {WaterFvf(150.0, 1000.0), 1.021474, 1e-6},
              {WaterFvf(60.0, 14.7), 0.999978, 1e-6},
              {WaterViscosity(200.0, 3000.0, 0.0), 0.33019, 1e-5},
              {WaterViscosity(200.0, 3000.0, 5.0), 0.41081, 1e-5},
              {WaterViscosity(150.0, 1000.0, 10.0), 0.54375, 1e-5},
              {GasWaterSolubility(200.0, 3000.0, 0.0), 15.1284, 1e-4},
              {GasWaterSolubility(200.0, 3000.0, 5.0), 12.2281, 1e-4},
              {GasWaterSolubility(150.0, 1000.0, 10.0), 4.5198, 1e-4},
              {GasWaterSolubility(200.0, 5000.0, 0.0), 21.805, 1e-3},
              {at1000, 7.1752, 1e-4},
              {GasWaterSolubility(150.0, 507.35, 0.0), at1000 / 2.0, 1e-4},
              {GasWaterSolubility(150.0, 14.7, 0.0), 0.0},
              {GasWaterSolubility(150.0, 5.0, 0.0), 0.0},
              {GasWaterSurfaceTension(74.0, 1000.0), 66.0301, 1e-4},
              {GasWaterSurfaceTension(200.0, 3000.0), 47.1906, 1e-4},
              {GasWaterSurfaceTension(280.0, 5000.0), 37.3052, 1e-4}});
  BlackOilWater brine(5.0);
  const double t = R(200.0);
  ExpectNear({{brine.SpecificGravity(), 64.6010 / 62.368, 1e-6},
              {SalinityFromGravity(brine.SpecificGravity()), 5.0, 1e-9},
              {SalinityFromGravity(0.99), 0.0},
              {brine.SolutionGasRatio(t, 3000.0, 0), 12.2281e-6, 1e-10},  // MMscf/bbl
              {brine.Density(t, 3000.0), 64.6010 / 1.033938, 1e-3},
              {brine.Viscosity(0.0, 3000.0), kNotSet}});
}

// Oil O3 at 180 degF with its bubble point, 2113.544 psia, computed from
// the producing ratio of 500 scf/STB; dead oil; unset; and Vasquez & Beggs.
TEST(BlackOilOil, PropertiesAroundTheBubblePointDeadOilAndTheOtherCorrelation) {
  BlackOilOil oil{35.0, 0.75, 0.75, BubblePointCorrelation::kStanding, kNotSet};
  const double t = R(180.0), pb = 2113.544;
  EXPECT_NEAR(oil.BubblePointPressure(t, 500.0e-6), pb, 1e-3);
  EXPECT_EQ(oil.BubblePointPressure(t, 0.0), 14.7);
  EXPECT_EQ(oil.BubblePointPressure(t, std::nan("")), kNotSet);
  *oil.BubblePointParameter() = pb;
  // At the bubble point: Rs back to the producing 500 scf/STB (Standing's
  // 1.2048 is 1/0.83 rounded, so the round trip holds to 0.02 %), and the
  // live density 45.236 lbm/ft3 (reference sheet, to its rounding of 0.0136).
  // Above it: Rs fixed, Bo by the integral of co = A/p, viscosity by V&B.
  ExpectNear({{oil.SolutionGasRatio(t, 1000.0, 0) * 1e6, 206.180, 1e-3},
              {oil.FormationVolumeFactor(t, 1000.0), 1.14396, 1e-5},
              {oil.Viscosity(t, 1000.0), 1.00677, 1e-5},
              {oil.SurfaceTension(t, 1000.0), 13.1878, 1e-4},
              {oil.SolutionGasRatio(t, pb, 0) * 1e6, 500.0, 0.1},
              {oil.Density(t, pb), 45.236, 0.005},
              {oil.SolutionGasRatio(t, 4000.0, 0), oil.SolutionGasRatio(t, pb, 0)},
              {oil.FormationVolumeFactor(t, 4000.0), 1.25435, 1e-4},
              {oil.Viscosity(t, 4000.0), 0.79570, 1e-4}});
  // Continuous across the bubble point; Bo rises with pressure below it and
  // shrinks above it.
  const double below = pb * (1.0 - 1e-7), above = pb * (1.0 + 1e-7);
  ExpectNear({{oil.FormationVolumeFactor(t, below), oil.FormationVolumeFactor(t, above), 1e-6},
              {oil.Viscosity(t, below), oil.Viscosity(t, above), 1e-6},
              {oil.SolutionGasRatio(t, below, 0), oil.SolutionGasRatio(t, above, 0), 1e-9},
              {oil.Density(t, below), oil.Density(t, above), 1e-5}});
  EXPECT_LT(oil.FormationVolumeFactor(t, 1500.0), oil.FormationVolumeFactor(t, pb));
  EXPECT_LT(oil.FormationVolumeFactor(t, 5000.0), oil.FormationVolumeFactor(t, pb));
  // The engine writes 0 when gas or oil does not flow: dead oil at any pressure.
  *oil.BubblePointParameter() = 0.0;
  ExpectNear({{oil.SolutionGasRatio(t, 3000.0, 0), 0.0},
              {oil.FormationVolumeFactor(t, 3000.0), StandingBo(0.0, 0.75, oil.OilGravity(), 180.0),
               1e-12},
              {oil.Viscosity(t, 3000.0), LiveOilViscosity(2.18335, 0.0), 1e-4}});
  // Unset: saturated at every pressure.
  *oil.BubblePointParameter() = kNotSet;
  EXPECT_NEAR(oil.SolutionGasRatio(t, 1000.0, 0) * 1e6, 206.180, 1e-3);
  EXPECT_GT(oil.SolutionGasRatio(t, 4000.0, 0) * 1e6, 500.0);
  // Vasquez & Beggs selected, with a fixed bubble point.
  BlackOilOil vb(35.0, 0.75, 0.75, BubblePointCorrelation::kVasquezBeggs, 3000.0);
  EXPECT_EQ(vb.BubblePointParameter()->Value(), 3000.0);
  EXPECT_NEAR(vb.SolutionGasRatio(t, 1000.0, 0) * 1e6, 179.8266, 1e-4);
  EXPECT_NEAR(vb.BubblePointPressure(t, 500.0e-6), 2366.737, 1e-3);
}

// Every property of each phase object is finite and positive from 460 to
// 760 degR and 14.7 to 20000 psia, for light and heavy gases, oils with and
// without a bubble point, and brine.
TEST(BlackOilPhases, FinitePositiveOverTheWholeRange) {
  using Property = double (CProp::*)(double, double);
  auto check = [](CProp& phase, std::initializer_list<Property> properties, double what) {
    for (double t = 460.0; t <= 760.0; t += 50.0) {
      for (double p = 14.7; p <= 20000.0; p *= 1.5) {
        for (Property f : properties) {
          const double v = (phase.*f)(t, p);
          ASSERT_TRUE(std::isfinite(v) && v > 0.0) << what << " " << t << " " << p;
        }
      }
    }
  };
  for (double g : {0.55, 0.65, 1.0, 1.8}) {
    BlackOilGas gas(g, 0.0, ZCorrelation::kDranchukAbouKassem);
    check(gas, {&CProp::Viscosity}, g);
  }
  for (double api : {10.0, 35.0, 60.0}) {
    for (double pb : {0.0, 2500.0, kNotSet}) {
      BlackOilOil oil(api, 0.8, 0.8, BubblePointCorrelation::kStanding, pb);
      check(oil,
            {&CProp::FormationVolumeFactor, &CProp::Viscosity, &CProp::Density,
             &CProp::SurfaceTension},
            api + pb);
    }
  }
  BlackOilWater brine(5.0);
  check(brine, {&CProp::FormationVolumeFactor, &CProp::Viscosity, &CProp::SurfaceTension}, 5.0);
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
  EXPECT_NO_THROW(BlackOilFluid{}.Validate());
  for (const Case& c : cases) {
    BlackOilFluid fluid;
    c.spoil(fluid);
    const std::string message = test::ErrorOf<std::invalid_argument>([&] { fluid.Validate(); });
    EXPECT_NE(message.find(c.field), std::string::npos) << message;
    // The not-set marker is never shown as a value.
    EXPECT_EQ(message.find("32600"), std::string::npos) << message;
    EXPECT_THROW(fluid.MakePhases(), std::invalid_argument);
  }
}

BlackOilFluid Fluid() {
  BlackOilFluid f;
  f.gasGravity = 0.7;
  f.oilApi = 32.0;
  f.waterSalinity = 3.0;
  return f;
}

TEST(BlackOilFluid, EachSetIsFreshAndIndependent) {
  BlackOilFluid fluid = Fluid();
  fluid.waterGravity = 1.05;
  fluid.waterYield = 2.0;
  BlackOilPhases a = fluid.MakePhases();
  BlackOilPhases b = fluid.MakePhases();
  EXPECT_NE(a.oil->BubblePointParameter(), b.oil->BubblePointParameter());
  *a.oil->BubblePointParameter() = 2500.0;
  EXPECT_EQ(b.oil->BubblePointParameter()->Value(), kNotSet);
  // The water's gravity decides its salinity, over the 3 % described.
  test::ExpectValues({a.gas->SpecificGravity(), a.gas->LiquidYield(600.0, 1000.0),
                      a.oil->OilGravity(), a.water->SpecificGravity()},
                     {0.7, 2.0, 141.5 / 163.5, 1.05}, 1e-9);

  fluid.bubblePoint = 1800.0;
  EXPECT_EQ(fluid.MakePhases().oil->BubblePointParameter()->Value(), 1800.0);
  // A described separator normalises the gas gravity for Vasquez & Beggs.
  fluid.separatorPressure = 164.7;
  fluid.separatorTemperature = 60.0;
  EXPECT_GT(fluid.SeparatorGasGravity(), fluid.gasGravity);
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
                                         {0.5, 1000.0, 200.0, 700.0},
                                         {3.0, 0.0, 30.0, 1500.0}}) {
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
