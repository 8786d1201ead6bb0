// Closures: stratified and annular geometry, entrainment, the intermittent
// film friction, the stratified shear balance and its agreement with the gas
// balance, and the froth interpolation.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>

#include "MechTestSupport.h"
#include "pdrop/mechanistic/MechFriction.h"
#include "pdrop/traverse/Traverse.h"

namespace pdrop {
namespace {

using test::kPi;
using test::MechProbe;

constexpr double kD = 4.0 / 12.0;  // ft

TEST(MechClosures, GeometryAtAHalfFullPipeAndAQuarterFilm) {
  MechProbe m(100.0, 0.0, 2.0, -1.0);
  m.m_dTheta = 0.0;
  m.GetFlowRegime();
  m.hl_d(0.5);
  // acos(0) = pi/2: A_G = A_L = pi/8, S_i = 1, S_L = pi/2, D_G = (pi/2)/(pi/2 + 1);
  // the gas fills half the area, so Vg = 2 Vsg; the negative Vsl became 0.
  EXPECT_NEAR(m.m_dAreaGas, kPi / 8.0, 1e-15);
  EXPECT_NEAR(m.m_dAreaLiq, kPi / 8.0, 1e-15);
  EXPECT_NEAR(m.m_dPerimInt, 1.0, 1e-15);
  EXPECT_NEAR(m.m_dPerimLiq, kPi / 2.0, 1e-15);
  EXPECT_NEAR(m.m_dHydDiamGas, (kPi / 2.0) / (kPi / 2.0 + 1.0), 1e-15);
  EXPECT_NEAR(m.m_dVg, 4.0, 1e-12);
  EXPECT_EQ(m.m_dVsl, 0.0);

  // d = 0.25: HLF = 4 x 0.25 x 0.75 = 0.75, Dc = D/2, film area 3/4 of the pipe's.
  m.m_dVsl = 0.5;
  m.m_dFEnt = 0.4;
  m.dl_d(0.25);
  EXPECT_NEAR(m.m_dVFilm, 0.6 * 0.5 / 0.75, 1e-14);
  EXPECT_NEAR(m.m_dVCore, (0.4 * 0.5 + 2.0) / 0.25, 1e-13);
  EXPECT_NEAR(m.m_dPerimCore, kPi * kD / 2.0, 1e-15);
  EXPECT_NEAR(m.m_dAreaFilm, 0.75 * kPi * kD * kD / 4.0, 1e-15);
}

TEST(MechClosures, EntrainedFractionStaysBelowOneOrIsNotSet) {
  MechProbe m(100.0, 0.0, 10.0, 1.0);
  // 100 x 5 x 1/(50 x 400) x 929.0304 = 23.2258; R = 0.735 x 23.2258^0.074 x 10^0.2
  // = 0.735 x 1.262063 x 1.584893 = 1.470170; FE = R/(1 + R) = 0.595170.
  EXPECT_NEAR(m.FEnt(), 0.5951704, 1e-6);
  m.m_dVsg = 1e4;
  EXPECT_LT(m.FEnt(), 1.0);
  m.m_dVsg = 0.0;
  EXPECT_EQ(m.FEnt(), 0.0);
  m.m_dVsg = 10.0;
  m.m_dVsl = 0.0;  // R infinite
  EXPECT_EQ(m.FEnt(), kNotSet);
  m.m_dVsl = 1.0;
  m.m_dSigma = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(m.FEnt(), kNotSet);
}

// Film ratio d = 0.25 (1 - sqrt(1 - EL)) with FE = 0, Vsg = 1, Vsl = 0.01.
TEST(MechClosures, IntermittentFilmFrictionTakesTheDriftFormBelowATenThousandth) {
  MechProbe m(100.0, 0.0, 1.0, 0.01);
  m.m_dFEnt = 0.0;
  m.m_dVm = 1.01;
  m.m_dRhoS = 10.0;
  m.m_dDriftFactor = 0.5;
  auto holdupFor = [](double d) { return 1.0 - (1.0 - 4.0 * d) * (1.0 - 4.0 * d); };
  // Below: 2 x 0.5 x 1.01^2 x 10/(32.174 D) = 0.951171 lbf/ft3 over 100 ft.
  m.m_dHoldup = holdupFor(1e-4 * (1.0 - 1e-6));
  EXPECT_NEAR(m.IntAmPf(), 0.951171 * 100.0 / 144.0, 1e-6);
  // Above, a laminar film: HLF = 3.9996e-4, VF = 25.0025 ft/s, DF = 1.3332e-4 ft,
  // Re = 50 x 25.0025 x 1.3332e-4 x 1488.16 = 248.03, G = 4 (16/Re) 50 VF^2/(2g)/D
  // = 376.014 lbf/ft3: 261.12 psi, of the flow's sign.
  m.m_dHoldup = holdupFor(1e-4 * (1.0 + 1e-6));
  EXPECT_NEAR(m.IntAmPf(), 261.1207, 1e-3);
  m.SetFlw(-1);
  EXPECT_NEAR(m.IntAmPf(), -261.1207, 1e-3);
}

TEST(MechClosures, StratifiedFrictionIsTheShearBalanceMagnitudeWithTheFlowSign) {
  MechProbe m(100.0, -10.0, 1.0, 0.1);
  m.m_dFfLiqWall = m.m_dFfInt1 = 0.01;
  m.m_dVl = 1.0;
  m.m_dVg = 20.0;
  m.m_dPerimLiq = kPi / 2.0;
  m.m_dPerimInt = 1.0;
  m.m_dAreaLiq = kPi / 8.0;
  m.m_dLength = 100.0;
  // tauL = 0.01 x 50/(2g) = 0.0077702, tauI = 0.01 x 5 x 19^2/(2g) = 0.2805060:
  // |tauL (pi/2) D - tauI D|/((pi/8) D^2) = 2.049665 lbf/ft3, the interface outweighing the wall.
  for (int flw : {1, -1}) {
    m.SetFlw(flw);
    m.StratifiedP();
    EXPECT_NEAR(m.m_dFrictionDP, flw * 2.049665 * 100.0 / 144.0, 1e-6);
    EXPECT_NEAR(m.m_dElevationDP, 50.0 * -10.0 / 144.0, 1e-12);  // liquid density
  }
}

// At the equilibrium level the liquid and the gas momentum balances, each
// with its own weight, give one pressure gradient; StratifiedP reports the
// liquid one. Re_SL = D Vsl rhoL/(muL 0.000672) = 24801.6 Vsl for the probe
// fluid: below 2000, in the 2000-4000 band where the two friction-factor
// forms differ, and above 4000; level and 5.7 degrees downhill.
TEST(MechClosures, StratifiedLiquidAndGasBalancesGiveOneGradient) {
  constexpr double g = 32.174;
  struct Case {
    double dz, vsg, vsl;
  } cases[] = {{0.0, 3.0, 0.05},  {0.0, 3.0, 0.12},   {0.0, 1.0, 0.12},   {0.0, 3.0, 0.3},
               {-10.0, 3.0, 0.05}, {-10.0, 3.0, 0.12}, {-10.0, 10.0, 0.12}, {-10.0, 3.0, 1.0}};
  for (const Case& c : cases) {
    MechProbe m(100.0, c.dz, c.vsg, c.vsl);
    m.MultiPhase();
    ASSERT_EQ(m.GetCode(), CMechModel::kStratifiedWavy) << c.dz << " " << c.vsl;
    ASSERT_NEAR(m.m_dResl, 24801.6 * c.vsl, 0.1);
    // Gas balance: wall shear on S_G = (pi - S_L) D, interfacial shear on S_i,
    // both over A_G, plus the gas weight rhoG sin(theta) [lbf/ft3].
    const double dv = m.m_dVg - m.m_dVl;
    const double tauI = m.m_dFfInt * m.m_dRhoG * dv * std::fabs(dv) / (2.0 * g);
    const double dG = m.m_dHydDiamGas * kD;
    const double fG = m.ff2(m.m_dFf, 12.0 * dG, dG * m.m_dVg * m.m_dRhoG / m.m_dMuG / 0.000672);
    const double tauG = fG * m.m_dRhoG * m.m_dVg * m.m_dVg / (2.0 * g);
    const double gas = (tauG * (kPi - m.m_dPerimLiq) + tauI * m.m_dPerimInt) / (m.m_dAreaGas * kD) +
                       m.m_dRhoG * std::sin(m.m_dTheta);
    const double reported = (m.m_dFrictionDP + m.m_dElevationDP) * 144.0 / m.m_dLength;
    EXPECT_NEAR(reported, gas, 1e-4 * std::fabs(gas)) << c.dz << " " << c.vsg << " " << c.vsl;
  }
}

// The example pipeline (30 MMscf/d, 300 STB/d of 55 API condensate, 80 000 ft
// of level 7.981 in line from 1000 psia) marched with the mechanistic model:
// the friction of neighbouring 2000 ft segments of one pattern changes
// smoothly as the pressure falls.
TEST(MechClosures, StratifiedFrictionChangesSmoothlyAlongAWetGasLine) {
  TraverseCase c;
  c.correlation = 9;
  c.stations = {{0.0, 0.0, 7.981, 0.0, 0.0018},
                {40000.0, 0.0, 7.981, 0.0, 0.0018},
                {80000.0, 0.0, 7.981, 0.0, 0.0018}};
  c.max_segment_ft = 2000.0;
  c.temperature.first_F = 100.0;
  c.temperature.last_F = 65.0;
  c.known_end = ProfileEnd::kFirst;
  c.flow_to = ProfileEnd::kLast;
  c.known_pressure_psia = 1000.0;
  c.gas_MMscfd = 30.0;
  c.oil_STBd = 300.0;
  c.fluid.gasGravity = 0.68;
  c.fluid.oilApi = 55.0;
  const TraverseResult r = RunTraverse(c);
  ASSERT_TRUE(r.complete) << r.reason;
  ASSERT_EQ(r.rows.size(), 41u);
  for (std::size_t i = 2; i < r.rows.size(); ++i) {
    const TraverseRow& a = r.rows[i - 1];
    const TraverseRow& b = r.rows[i];
    if (a.regime_code != b.regime_code) continue;
    EXPECT_LE(std::fabs(b.friction_dp_psi / a.friction_dp_psi - 1.0), 0.3)
        << "segments ending at " << a.md_ft << " and " << b.md_ft << " ft";
  }
}

// The model's factors form Chen's powers from logarithms: they must be the
// shared factors to rounding, in every band of Re and in a smooth pipe.
TEST(MechClosures, FrictionFactorsAreTheSharedOnesToRounding) {
  MechProbe m(100.0, 0.0, 1.0, 1.0);
  for (double e : {0.0, 0.0006, 0.02}) {
    for (double re : {0.0, 1500.0, 2000.0, 2500.0, 3999.0, 4000.0, 4001.0, 3e4, 1e6, 1e8}) {
      double f = 0.0, f2 = 0.0, g = 0.0, g2 = 0.0;
      m.FrictionFactors(e, 4.0, re, &f, &f2);
      mech::FanningFactors(e, 4.0, re, &g, &g2);
      EXPECT_NEAR(g, f, 1e-14 * f) << e << " " << re;
      EXPECT_NEAR(g2, f2, 1e-14 * f2) << e << " " << re;
    }
  }
}

// The film residual keeps the terms that do not depend on the thickness for
// the state they were formed in: a model that decided at other inputs first
// must decide as a new one does, for a change of any input.
TEST(MechClosures, AnnularDecisionDoesNotDependOnTheDecisionBefore) {
  using Change = void (*)(MechProbe&);
  const Change changes[] = {
      [](MechProbe& m) { m.m_dVsg *= 1.1; },  [](MechProbe& m) { m.m_dVsl *= 1.1; },
      [](MechProbe& m) { m.m_dRhoL *= 1.1; }, [](MechProbe& m) { m.m_dRhoG *= 1.1; },
      [](MechProbe& m) { m.m_dMuL *= 1.1; },  [](MechProbe& m) { m.m_dMuG *= 1.1; },
      [](MechProbe& m) { m.m_dSigma *= 1.1; }, [](MechProbe& m) { m.SetFf(0.006); }};
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    MechProbe warm(100.0, 0.0, 50.0, 0.1);
    MechProbe fresh(100.0, 0.0, 50.0, 0.1);
    warm.m_dTheta = fresh.m_dTheta = 0.0;
    ASSERT_EQ(warm.GetFlowRegime(), CMechModel::kAnnularMist);
    changes[i](warm);
    changes[i](fresh);
    ASSERT_EQ(warm.GetFlowRegime(), fresh.GetFlowRegime()) << i;
    EXPECT_EQ(warm.m_dHoldup, fresh.m_dHoldup) << i;
    EXPECT_EQ(warm.m_dFfInt1, fresh.m_dFfInt1) << i;
  }
}

// Vertical, Vsl = 10: froth while ELS < 0.48, i.e. 0.3048 Vm/8.66 >
// (1/0.48 - 1)^(1/1.39) = 1.059268, Vm > 30.0962, Vsg > 20.0962; slug below.
TEST(MechClosures, FrothRefinesItsLowerBoundaryAndInterpolatesOnLogLogScales) {
  // V0 = 24: steps of 2 to 22 (froth), 20 (slug); 0.2 up to 20.2; back to 20.
  // The fine step 0.2 is not above 0.2: one pass. The upper search starts at 26.4.
  MechProbe one(0.0, 100.0, 24.0, 10.0);
  test::RecordingSheet first;
  one.SetExcelDiag(&first);
  one.MultiPhase();
  const double expected[] = {24.0, 22.0, 20.0, 20.2, 20.0, 26.4};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(first.column9.at(i), expected[i], 1e-12) << i;

  // V0 = 30: steps of 2.5 to 20, 0.25 up to 20.25, back; fine step 0.25 > 0.2,
  // so a second pass: 0.025 down to 19.975, 0.0025 up to 19.975 + 49 x 0.0025 =
  // 20.0975 (froth), back to 20.095.
  MechProbe m(0.0, 100.0, 30.0, 10.0);
  test::RecordingSheet sheet;
  m.SetExcelDiag(&sheet);
  m.MultiPhase();
  ASSERT_EQ(m.GetCode(), CMechModel::kFroth);
  const std::vector<double>& v = sheet.column9;
  EXPECT_NEAR(v.at(6), 19.975, 1e-12);
  std::size_t up = 1;
  while (v[up] < 30.0) ++up;
  const double vLow = v[up - 1];
  const double vUp = v[v.size() - 2];  // the last decision before V0 comes back
  EXPECT_NEAR(vLow, 20.095, 1e-9);

  MechProbe lo(0.0, 100.0, vLow, 10.0);
  MechProbe hi(0.0, 100.0, vUp, 10.0);
  lo.MultiPhase();
  hi.MultiPhase();
  const double w = std::log10(30.0 / vLow) / std::log10(vUp / vLow);
  auto line = [w](double a, double b) { return a * std::pow(b / a, w); };
  EXPECT_NEAR(m.m_dHoldup, line(lo.m_dHoldup, hi.m_dHoldup), 1e-12);
  EXPECT_NEAR(m.m_dFrictionDP, line(lo.m_dFrictionDP, hi.m_dFrictionDP), 1e-10);
  EXPECT_NEAR(m.m_dElevationDP, line(lo.m_dElevationDP, hi.m_dElevationDP), 1e-10);
  // What the trials moved is back.
  EXPECT_EQ(m.m_dVsg, 30.0);
  EXPECT_EQ(m.m_dFlowRegime, 13.0);
  EXPECT_EQ(m.m_dReM, m.REm(40.0, m.m_dRhoNS, m.m_dMuNS, kNotSet));

  // Level froth: no elevation change (not log10(0)); friction of the flow's sign.
  MechProbe level(100.0, 0.0, 30.0, 10.0);
  level.SetFlw(-1);
  level.MultiPhase();
  ASSERT_EQ(level.GetCode(), CMechModel::kFroth);
  EXPECT_EQ(level.m_dElevationDP, 0.0);
  EXPECT_LT(level.m_dFrictionDP, 0.0);
}

// Equal densities leave the drift velocity without a value (Bo = 0): every
// trial is froth and the downward search reaches Vsg <= 0.
TEST(MechClosures, FailedFrothRestoresVsgAndDoesNotMarkTheNextSegment) {
  MechProbe m(0.0, 100.0, 2.0, 0.1);
  m.m_dRhoG = 50.0;
  m.MultiPhase();
  EXPECT_EQ(m.m_dFlowRegime, 13.0);
  EXPECT_EQ(m.m_dStatus, CMechModel::kStatusNoFroth);
  EXPECT_EQ(m.m_dVsg, 2.0);
  for (double v : {m.m_dHoldup, m.m_dFrictionDP, m.m_dElevationDP, m.m_dRhoS}) {
    EXPECT_EQ(v, kNotSet);
  }
  m.m_dRhoG = 5.0;
  m.m_dVsg = 24.0;
  m.m_dVsl = 10.0;
  m.MultiPhase();
  EXPECT_EQ(m.m_dStatus, 0.0);
  EXPECT_TRUE(IsUsable(m.m_dFrictionDP) && IsUsable(m.m_dElevationDP));
}

}  // namespace
}  // namespace pdrop
