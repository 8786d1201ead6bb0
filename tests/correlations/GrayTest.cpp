// Gray: holdup from the velocity and diameter numbers, friction from the
// film's effective roughness.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

// 2.441 in tubing, 1000 ft vertical; oil 100 STB/d (25 dyn/cm), free water
// 50 bbl/d (60 dyn/cm); liquid 50, gas 5 lbm/ft3 (the probe fluid, whose
// viscosities Gray does not use and whose tension it forms from the two).
std::unique_ptr<CGray> Well(double vsg, double vsl) {
  auto e = std::make_unique<CGray>();
  e->Init(0.0, 2.441, 0.0, 1000.0);
  test::SetProbeFluid(*e, vsg, vsl);
  e->m_dQo = 100.0;
  e->m_dSigmaO = 25.0;
  e->m_dQwFree = 50.0;
  e->m_dSigmaW = 60.0;
  return e;
}

TEST(Gray, WorkedGasWellCase) {
  auto e = Well(20.0, 0.5);
  e->MultiPhase();
  // sigma = (100*25 + 0.617*50*60) / (0.617*50 + 100) = 4351 / 130.85 = 33.25182
  EXPECT_NEAR(e->m_dSigma, 33.25182, 1e-5);
  // lambda = 0.5/20.5; rhoNS = 6.097561; sigma' = 0.00220462*33.25182 = 0.0733076
  // N1 = 6.097561^2 20.5^4 / (32.2 * 0.0733076 * 45) = 61817.33
  // N2 = 32.2 * 2.441^2 * 45 / 0.0733076 / 144 = 817.8852
  // B = 0.0814 (1 - 0.0554 ln(1 + 730*0.025/1.025)) = 0.06816843
  // Y = -2.314 (61817.33 (1 + 205/817.8852))^0.06816843 = -4.984106
  EXPECT_NEAR(e->m_dN1, 61817.33, 0.01);
  EXPECT_NEAR(e->m_dN2, 817.8852, 1e-4);
  EXPECT_NEAR(e->m_dY, -4.984106, 1e-6);
  // HL = 1 - (20/20.5)(1 - e^Y) = 0.03106916; rhoS = 6.398112
  EXPECT_NEAR(e->m_dHoldup, 0.03106916, 1e-8);
  EXPECT_NEAR(e->m_dElevationDP, 6.398112 * 1000.0 / 144.0, 1e-5);
  // ke = 28.5 * 0.0733076 / (6.097561 * 20.5^2) = 8.153237e-4 ft; 12 ke/D =
  // 0.004008 <= 1: Chen at Re 1e7 gives f = 0.00710752.
  // G = 50*0.5 + 5*20 = 125: 2 f G^2 L / (144 g (D/12) rhoNS) = 38.6195 psi
  EXPECT_NEAR(e->m_dKe, 8.153237e-4, 1e-10);
  EXPECT_EQ(e->m_dReM, 1e7);
  EXPECT_NEAR(e->m_dFm, 0.00710752, 1e-8);
  EXPECT_NEAR(e->m_dFrictionDP, 38.61952, 1e-4);
}

TEST(Gray, DenseGasThinFilmAndRoughnessFloor) {
  // Gas denser than the liquid: Y = -20 (HL all but no-slip), and N1 leaves
  // the density difference out: 5.487805^2 20.5^4 / (32.2 * 0.0733076).
  auto dense = Well(20.0, 0.5);
  dense->m_dRhoL = 5.0;
  dense->m_dRhoG = 5.5;
  dense->MultiPhase();
  const double lambda = 0.5 / 20.5;
  EXPECT_EQ(dense->m_dY, -20.0);
  EXPECT_NEAR(dense->m_dHoldup, lambda + (1.0 - lambda) * std::exp(-20.0), 1e-15);
  EXPECT_NEAR(dense->m_dN1, 2253241.8, 0.1);

  // R = 0.07/20 = 0.0035, half of 0.007: ke halfway between the pipe's
  // 0.0006 in (roughness not set) and the film's 28.5 sigma'/(rhoNS vm^2) =
  // 28.5 * 0.0551155 / (5.156951 * 20.07^2) = 7.561899e-4 ft (oil alone).
  auto thin = Well(20.0, 0.07);
  thin->m_dQwFree = 0.0;
  thin->SetFf(kNotSet);
  thin->MultiPhase();
  EXPECT_NEAR(thin->m_dKe, (0.0006 / 12.0 + 7.561899e-4) / 2.0, 1e-10);

  auto tiny = Well(20.0, 0.5);  // a tiny surface tension: ke at its floor
  tiny->m_dSigmaO = tiny->m_dSigmaW = 1e-4;
  tiny->MultiPhase();
  EXPECT_EQ(tiny->m_dKe, 2.77e-5);

  // Slow flow: ke beyond the diameter, where the Moody chart ends and Gray's
  // rational fit in e = 12 ke / D gives the factor.
  auto slow = Well(0.3, 0.1);
  slow->MultiPhase();
  const double e = 12.0 * slow->m_dKe / 2.441;
  ASSERT_GT(e, 1.0);
  const double fit = (-812.20334 * e - 3.65397e-6) / ((638.10053 * e + 439.49494) * e + 1.0);
  EXPECT_NEAR(slow->m_dFm / std::pow(10.0, fit), 1.0, 1e-12);
}

TEST(Gray, MissingGasVelocityOrSurfaceTensionGivesNoResult) {
  auto noGas = Well(0.0, 0.5);       // R = Vsl/0
  auto still = Well(0.0, 0.0);       // Vm = 0
  auto noTension = Well(20.0, 0.5);  // sigma = 0
  noTension->m_dSigmaO = noTension->m_dSigmaW = 0.0;
  for (CGray* e : {noGas.get(), still.get(), noTension.get()}) {
    e->MultiPhase();
    test::ExpectValues({e->m_dFrictionDP, e->m_dElevationDP}, {kNotSet, kNotSet});
  }
}

}  // namespace
}  // namespace pdrop
