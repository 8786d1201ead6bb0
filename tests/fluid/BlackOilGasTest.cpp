// Black-oil gas: density, Bg and Lee-Gonzalez-Eakin viscosity against the
// reference sheet (original 1966 constants).
#include <gtest/gtest.h>

#include <cmath>

#include "pdrop/fluid/blackoil/BlackOilGas.h"

namespace pdrop {
namespace {

double R(double f) { return f + 459.67; }

TEST(BlackOilGas, DensityBgAndViscosityOfThreeGases) {
  struct Row {
    double gravity, tF, p, z, density, bg, viscosity;
  } rows[] = {{0.65, 200.0, 2000.0, 0.89735, 5.9273, 0.008370, 0.016649},
              {0.70, 150.0, 1000.0, 0.89324, 3.4693, 0.015400, 0.013713},
              {0.80, 100.0, 5000.0, 0.95686, 20.1598, 0.003029, 0.038158}};
  for (const Row& r : rows) {
    BlackOilGas gas(r.gravity, 0.0, ZCorrelation::kDranchukAbouKassem);
    EXPECT_NEAR(gas.ZFactor(R(r.tF), r.p), r.z, 1e-5);
    EXPECT_NEAR(gas.Density(R(r.tF), r.p), r.density, 1e-4);
    EXPECT_NEAR(gas.Bg(R(r.tF), r.p), r.bg, 1e-6);
    EXPECT_NEAR(gas.Viscosity(R(r.tF), r.p), r.viscosity, 1e-6);
  }
  // Standard conditions: 0.049612 lbm/ft3 for a 0.65 gas with z near 1.
  BlackOilGas gas(0.65, 0.0, ZCorrelation::kDranchukAbouKassem);
  const double z = gas.ZFactor(519.67, 14.696);
  EXPECT_NEAR(gas.Density(519.67, 14.696) * z, 0.049612, 1e-6);
}

TEST(BlackOilGas, LeeGonzalezEakinTextbookCase) {
  // M 20.85, 600 degR, 8.3 lbm/ft3: K 119.72, X 5.352, Y 1.330, 0.01726 cP.
  EXPECT_NEAR(pvt::GasViscosityLGE(20.85, 8.3, 600.0), 0.01726, 1e-5);
}

TEST(BlackOilGas, YieldSelectionAndBadConditions) {
  BlackOilGas dak(0.65, 12.5, ZCorrelation::kDranchukAbouKassem);
  BlackOilGas hy(0.65, 12.5, ZCorrelation::kHallYarborough);
  EXPECT_EQ(dak.LiquidYield(600.0, 1000.0), 12.5);
  EXPECT_EQ(dak.SpecificGravity(), 0.65);
  EXPECT_NEAR(hy.ZFactor(R(200.0), 2000.0), 0.89774, 1e-5);
  EXPECT_NE(dak.ZFactor(R(200.0), 2000.0), hy.ZFactor(R(200.0), 2000.0));
  for (double bad : {0.0, -10.0, std::nan(""), kNotSet}) {
    EXPECT_EQ(dak.ZFactor(bad, 1000.0), kNotSet);
    EXPECT_EQ(dak.Density(600.0, bad), kNotSet);
    EXPECT_EQ(dak.Viscosity(bad, bad), kNotSet);
  }
}

TEST(BlackOilGas, ViscosityFiniteAndPositiveOverTheWholeRange) {
  for (double g : {0.55, 0.65, 1.0, 1.8}) {
    BlackOilGas gas(g, 0.0, ZCorrelation::kDranchukAbouKassem);
    for (double t = 460.0; t <= 760.0; t += 50.0) {
      for (double p = 14.7; p <= 20000.0; p *= 1.5) {
        const double mu = gas.Viscosity(t, p);
        ASSERT_TRUE(std::isfinite(mu) && mu > 0.0) << g << " " << t << " " << p;
      }
    }
  }
}

}  // namespace
}  // namespace pdrop
