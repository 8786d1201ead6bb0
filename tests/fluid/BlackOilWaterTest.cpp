// Black-oil water: McCain density, Bw and viscosity, Culberson & McKetta
// solubility and Jennings & Newman surface tension, against the reference
// sheet's check values.
#include <gtest/gtest.h>

#include <cmath>

#include "pdrop/fluid/blackoil/BlackOilWater.h"

namespace pdrop {
namespace {

TEST(WaterCorrelations, McCainDensityBwAndViscosity) {
  EXPECT_NEAR(pvt::BrineDensity(0.0), 62.368, 1e-6);
  EXPECT_NEAR(pvt::BrineDensity(5.0), 64.6010, 1e-4);
  EXPECT_NEAR(pvt::BrineDensity(10.0), 66.9141, 1e-4);
  EXPECT_NEAR(pvt::WaterFvf(200.0, 3000.0), 1.033938, 1e-6);
  EXPECT_NEAR(pvt::WaterFvf(150.0, 1000.0), 1.021474, 1e-6);
  EXPECT_NEAR(pvt::WaterFvf(60.0, 14.7), 0.999978, 1e-6);
  EXPECT_NEAR(pvt::WaterViscosity(200.0, 3000.0, 0.0), 0.33019, 1e-5);
  EXPECT_NEAR(pvt::WaterViscosity(200.0, 3000.0, 5.0), 0.41081, 1e-5);
  EXPECT_NEAR(pvt::WaterViscosity(150.0, 1000.0, 10.0), 0.54375, 1e-5);
}

TEST(WaterCorrelations, SolubilityWithItsLowPressureTaper) {
  EXPECT_NEAR(pvt::GasWaterSolubility(200.0, 3000.0, 0.0), 15.1284, 1e-4);
  EXPECT_NEAR(pvt::GasWaterSolubility(200.0, 3000.0, 5.0), 12.2281, 1e-4);
  EXPECT_NEAR(pvt::GasWaterSolubility(150.0, 1000.0, 10.0), 4.5198, 1e-4);
  EXPECT_NEAR(pvt::GasWaterSolubility(200.0, 5000.0, 0.0), 21.805, 1e-3);
  // Below 1000 psia the solubility falls linearly to none at 14.7 psia.
  const double at1000 = pvt::GasWaterSolubility(150.0, 1000.0, 0.0);
  EXPECT_NEAR(at1000, 7.1752, 1e-4);
  EXPECT_NEAR(pvt::GasWaterSolubility(150.0, 507.35, 0.0), at1000 / 2.0, 1e-4);
  EXPECT_EQ(pvt::GasWaterSolubility(150.0, 14.7, 0.0), 0.0);
  EXPECT_EQ(pvt::GasWaterSolubility(150.0, 5.0, 0.0), 0.0);
}

TEST(WaterCorrelations, JenningsNewmanSurfaceTension) {
  EXPECT_NEAR(pvt::GasWaterSurfaceTension(74.0, 1000.0), 66.0301, 1e-4);
  EXPECT_NEAR(pvt::GasWaterSurfaceTension(200.0, 3000.0), 47.1906, 1e-4);
  EXPECT_NEAR(pvt::GasWaterSurfaceTension(280.0, 5000.0), 37.3052, 1e-4);
}

TEST(BlackOilWater, PhaseObjectUnitsAndGravityRoundTrip) {
  BlackOilWater brine(5.0);
  EXPECT_NEAR(brine.SpecificGravity(), 64.6010 / 62.368, 1e-6);
  EXPECT_NEAR(pvt::SalinityFromGravity(brine.SpecificGravity()), 5.0, 1e-9);
  EXPECT_EQ(pvt::SalinityFromGravity(0.99), 0.0);
  const double t = 200.0 + 459.67;
  EXPECT_NEAR(brine.SolutionGasRatio(t, 3000.0, 0), 12.2281e-6, 1e-10);  // MMscf/bbl
  EXPECT_NEAR(brine.Density(t, 3000.0), 64.6010 / 1.033938, 1e-3);
  EXPECT_EQ(brine.Viscosity(0.0, 3000.0), kNotSet);
  for (double temp = 460.0; temp <= 760.0; temp += 50.0) {
    for (double p = 14.7; p <= 20000.0; p *= 1.5) {
      for (double v : {brine.FormationVolumeFactor(temp, p), brine.Viscosity(temp, p),
                       brine.SurfaceTension(temp, p)}) {
        ASSERT_TRUE(std::isfinite(v) && v > 0.0) << temp << " " << p;
      }
    }
  }
}

}  // namespace
}  // namespace pdrop
