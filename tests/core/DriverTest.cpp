// The segment driver: whole-segment solve, sub-division, reverse flow,
// clamping, bubble-point handling, pieces without a result and bad input.
// Bad values of every argument and geometry field, for every code, are
// checked by the randomised sweep (robustness/RobustnessTest.cpp).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::ExpectValues;
using test::TestGas;
using test::TestLiquid;

using test::kPi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kT = 600.0;  // degR

std::unique_ptr<CPressDrop> Engine(double pipeID, double dx, double dz, int code = 0) {
  return std::unique_ptr<CPressDrop>(CPressDrop::New(0.0, pipeID, dx, dz, code));
}

double Area(double dIn) { return kPi * dIn * dIn / 576.0; }

// Smooth-pipe Fanning factor of turbulent flow (Drew, Koo & McAdams).
double SmoothFanning(double re) { return 0.0014 + 0.125 * std::pow(re, -0.32); }

// Friction gradient of water (62.3 lbm/ft3, 1 cP) in a smooth pipe [psi/ft]:
// dp/dL = 2 f rho v^2 / (g D) with D in ft, divided by 144 in2/ft2.
double WaterFrictionPerFoot(double qw, double dIn) {
  const double v = qw * 5.6145835 / 86400.0 / Area(dIn);
  const double re = (dIn / 12.0) * v * 62.3 / 1.0 / 0.000672;
  return 2.0 * SmoothFanning(re) * 62.3 * v * v / (dIn / 12.0) / 144.0 / 32.2;
}

// The gas, oil and water of the tests; the oil answers a bubble point of
// 2000 psia.
class Driver : public ::testing::Test {
 protected:
  TestGas gas;
  TestLiquid oil = test::MakeOil(), water = test::MakeWater();
  // 2000 bbl/d through a smooth level 2 in line, flow toward the known end,
  // long enough for a friction change `change` [psi].
  std::unique_ptr<CPressDrop> Line(double change) {
    auto e = Engine(2.0, change / WaterFrictionPerFoot(2000.0, 2.0), 0.0);
    e->SetProps(nullptr, nullptr, &water);
    e->SetFf(0.0);
    e->SetFlw(-1);
    return e;
  }
};

TEST_F(Driver, VerticalWaterIsTheHeadPlusFrictionAlsoInNestedRescueSplits) {
  // 1000 ft of water at 62.3 lbm/ft3: 62.3 * 1000 / 144 = 432.639 psi.
  auto e = Engine(2.441, 0.0, 1000.0);
  e->SetProps(nullptr, nullptr, &water);
  e->SetGradientType(2);
  const double p2 = e->Cal(100.0, kT, 0.0, kNotSet, kNotSet, kNotSet);
  // 432.6 psi in one pass is split, capped at 20 pieces; a column is linear.
  test::ExpectNear({{p2, 100.0 + 432.639, 1e-3},
                    {e->m_dFrictionDP, 0.0},
                    {e->m_dElevationDP, 432.639, 1e-3},
                    {double(e->GetCode()), 0.0},
                    {double(e->m_nSubdivUsed), 20.0}});
  // Marching up instead of down reverses the elevation change only.
  e->SetDir(-1);
  EXPECT_NEAR(e->Cal(1000.0, kT, 0.0, 0.0, 0.0, 0.0), 1000.0 - 432.639, 1e-3);
  // Flowing 2000 bbl/d up 2 in smooth tubing adds the friction by hand.
  e->Init(0.0, 2.0, 0.0, 1000.0);
  e->SetFf(0.0);
  e->Cal(1500.0, kT, 0.0, 0.0, 0.0, 2000.0);
  test::ExpectNear({{e->m_dElevationDP, 432.639, 1e-3},
                    {e->m_dFrictionDP, WaterFrictionPerFoot(2000.0, 2.0) * 1000.0, 1e-6},
                    {e->m_dP2, 1500.0 + e->m_dElevationDP + e->m_dFrictionDP, 1e-9},
                    {e->m_dTotalDP, e->m_dFrictionDP + e->m_dElevationDP, 1e-12},
                    {double(e->GetCode()), 1.0}});
  // Efficiencies divide their component; a zero one has no finite result.
  const double friction = e->m_dFrictionDP, elevation = e->m_dElevationDP;
  e->SetFe(0.5);
  e->SetHFe(0.8);
  e->Cal(1500.0, kT, 0.0, 0.0, 0.0, 2000.0);
  ExpectValues({e->m_dFrictionDP, e->m_dElevationDP}, {friction / 0.5, elevation / 0.8}, 1e-9);
  e->SetFe(0.0);
  EXPECT_EQ(e->Cal(1500.0, kT, 0.0, 0.0, 0.0, 2000.0), kNotSet);
  EXPECT_EQ(e->m_dP2, kNotSet);
  // Any negative rate reverses the friction exactly; rates are kept as magnitudes.
  e->SetFe(1.0);
  e->SetHFe(1.0);
  e->Cal(1500.0, kT, 0.0, 0.0, 0.0, -2000.0);
  ExpectValues({e->m_dFrictionDP, e->m_dElevationDP, e->m_dQw}, {-friction, elevation, 2000.0});
  // The column again, allowed 1 iteration, in 2 pieces: the rescue split of
  // a piece runs out of iterations again at every level and must stop. Each
  // piece is split into 10, and each of those into 10 again; the deepest
  // pieces keep their last iterate.
  e->Init(0.0, 2.441, 0.0, 1000.0);
  e->m_nMaxIter = 1;
  e->m_dNumSubdiv = 2;
  e->SetDiag(true);
  EXPECT_NEAR(e->Cal(100.0, kT, 0.0, 0.0, 0.0, 0.0), 100.0 + 432.639, 1e-3);
  EXPECT_EQ(e->m_aSubSegments.size(), 200u);
}

// The piece count follows the whole-segment change; the log holds one record
// per piece, chained from the inlet to the outlet, and none without diagnostics.
TEST_F(Driver, PieceCountAndTheLogOfPieces) {
  for (const auto& [change, pieces] : {std::pair{15.0, 1}, {95.0, 10}, {400.0, 20}}) {
    auto e = Line(change);
    const double length = e->m_dLength;
    e->SetDiag(true);
    const double p2 = e->Cal(2000.0, kT, 0.0, 0.0, 0.0, 2000.0);
    EXPECT_EQ(e->m_nSubdivUsed, pieces) << change;
    EXPECT_NEAR(p2, 2000.0 - change, 1e-6) << change;
    EXPECT_EQ(e->m_dLength, length) << "geometry restored after the march";
    const auto& log = e->m_aSubSegments;
    ASSERT_EQ(log.size(), std::size_t(pieces));
    for (std::size_t i = 1; i < log.size(); ++i) EXPECT_DOUBLE_EQ(log[i].m_dP1, log[i - 1].m_dP2);
    EXPECT_NEAR(log.back().m_dP2, p2, 1e-9);
    e->SetDiag(false);
    e->Cal(2000.0, kT, 0.0, 0.0, 0.0, 2000.0);
    EXPECT_TRUE(e->m_aSubSegments.empty());
  }
}

TEST_F(Driver, SubdivisionSettings) {
  // 405 psi of friction: int(405/10) + 1 = 41 pieces before any cap. A fixed
  // count below 2 is one piece solved normally, not a zero change; NaN is
  // automatic; huge and infinite counts are capped.
  const struct {
    double CPressDrop::*field;
    double value;
    int pieces;
  } rows[] = {{&CPressDrop::m_dNumSubdiv, 4, 4},       {&CPressDrop::m_dNumSubdiv, 1, 1},
              {&CPressDrop::m_dNumSubdiv, 0, 1},       {&CPressDrop::m_dNumSubdiv, -7, 1},
              {&CPressDrop::m_dNumSubdiv, kNaN, 20},   {&CPressDrop::m_dNumSubdiv, 1e300, 1000},
              {&CPressDrop::m_dNumSubdiv, kInf, 1000}, {&CPressDrop::m_dMaxSubdiv, 1e300, 41},
              {&CPressDrop::m_dMaxSubdiv, kNaN, 20},   {&CPressDrop::m_dMaxSubdiv, 1, 1},
              {&CPressDrop::m_dMaxSubdiv, -kInf, 1}};
  for (const auto& r : rows) {
    auto e = Line(405.0);
    (*e).*r.field = r.value;
    EXPECT_NEAR(e->Cal(2000.0, kT, 0.0, 0.0, 0.0, 2000.0), 1595.0, 1e-6) << r.value;
    EXPECT_EQ(e->m_nSubdivUsed, r.pieces) << r.value;
  }
  auto e = Line(405.0);
  e->SetSubdiv(0);
  EXPECT_NEAR(e->Cal(2000.0, kT, 0.0, 0.0, 0.0, 2000.0), 1595.0, 1e-6);
  EXPECT_EQ(e->m_nSubdivUsed, 1);
}

// Isothermal flow of a gas with constant z and viscosity: the friction
// change of a piece at mean pressure p is K/p, so the mean-pressure solution
// satisfies p1^2 - p2^2 = 2K exactly, the textbook isothermal equation. A
// negative rate raises the pressure by the same equation.
TEST_F(Driver, GasLineMatchesTheIsothermalEquationBothWays) {
  constexpr double kD = 4.0;  // in
  for (double qg : {5.0, 20.0, 40.0, -10.0}) {
    const double q = std::fabs(qg) * 1e6;
    const double re = 0.020011 * gas.gravity * q / gas.viscosity / kD;
    const double c = test::kGasDensityConstant * gas.gravity / (gas.z * kT);  // rho = c p
    const double vp = q * 14.65 * kT * gas.z / 519.668 / 86400.0 / Area(kD);  // v = vp / p
    const double k = 2.0 * SmoothFanning(re) * c * vp * vp * 1000.0 / (kD / 12.0) / 144.0 / 32.2;
    auto e = Engine(kD, 1000.0, 0.0);
    e->SetProps(&gas, nullptr, nullptr);
    e->SetFf(0.0);
    e->SetFlw(-1);
    const double p2 = e->Cal(1000.0, kT, 0.0, qg, 0.0, 0.0);
    EXPECT_NEAR(p2, std::sqrt(1000.0 * 1000.0 - std::copysign(2.0 * k, qg)), 0.02) << qg;
    test::ExpectNear({{e->m_dElevationDP, 0.0},
                      {e->m_dFlowRegime, 1.0},
                      {e->m_dHoldup, 0.0},
                      {e->m_dFlw, -1.0},  // the flow sign restored
                      {e->m_dQg, q}});    // rates kept as magnitudes
  }
}

TEST_F(Driver, NegativeOutletIsClampedInProportion) {
  struct Row {
    double friction, elevation, p2;  // before, with p1 = 100 psia
    double clampedFriction, clampedElevation, clampedP2;
  } rows[] = {{-80.0, -40.0, -20.0, -200.0 / 3.0, -100.0 / 3.0, 0.0},
              {0.0, -105.0, -5.0, 0.0, -100.0, 0.0},
              {-105.0, 0.0, -5.0, -100.0, 0.0, 0.0},
              {-80.0, -40.0, kNotSet, -80.0, -40.0, kNotSet},  // not set: untouched
              {-80.0, 10.0, 30.0, -80.0, 10.0, 30.0}};         // positive: untouched
  for (const Row& r : rows) {
    CPressDrop e;
    e.m_dP1 = 100.0;
    e.m_dFrictionDP = r.friction;
    e.m_dElevationDP = r.elevation;
    e.m_dP2 = r.p2;
    e.FixOutletPressure();
    test::ExpectNear({{e.m_dP2, r.clampedP2},
                      {e.m_dFrictionDP, r.clampedFriction, 1e-12},
                      {e.m_dElevationDP, r.clampedElevation, 1e-12}});
  }
  // Through Cal: 150 psi of friction from 100 psia is clamped at 0 psia,
  // and an outlet below 5 psia is no result.
  auto e = Line(150.0);
  EXPECT_EQ(e->Cal(100.0, kT, 0.0, 0.0, 0.0, 2000.0), kNotSet);
  EXPECT_EQ(e->m_dP2, 0.0);
  EXPECT_NEAR(e->m_dFrictionDP + e->m_dElevationDP, -100.0, 1e-9);
}

// The bubble point is computed once for a segment in pieces.
TEST_F(Driver, BubblePointUnsetIsComputedOnceAHostValueSurvivesNoFlowMeansZero) {
  auto e = Engine(2.441, 0.0, 3000.0);
  e->SetProps(&gas, &oil, &water);
  e->Cal(3000.0, kT, 0.0, 1.0, 1000.0, 0.0);
  EXPECT_GT(e->m_nSubdivUsed, 1);
  ExpectValues({double(oil.bubblePointCalls), oil.seenParameter, oil.parameter.Value()},
               {1.0, 2000.0, kNotSet});
  oil.parameter = 1800.0;
  e->Cal(3000.0, kT, 0.0, 1.0, 1000.0, 0.0);
  ExpectValues({double(oil.bubblePointCalls), oil.seenParameter, oil.parameter.Value()},
               {1.0, 1800.0, 1800.0});
  // Oil without gas: dead oil during the call, the host's value afterwards.
  e->Cal(3000.0, kT, 0.0, 0.0, 1000.0, 0.0);
  ExpectValues({oil.seenParameter, oil.parameter.Value()}, {0.0, 1800.0});
}

TEST_F(Driver, BubblePointRestoredOnEveryExit) {
  struct Exit {
    const char* what;
    double p1, t1, qg, qo;
    bool gasObject;
    double fvf;
  } exits[] = {{"low inlet pressure", 3.0, kT, 1.0, 1000.0, true, 1.2},
               {"NaN pressure", kNaN, kT, 1.0, 1000.0, true, 1.2},
               {"infinite rate", 3000.0, kT, kInf, 1000.0, true, 1.2},
               {"negative temperature", 3000.0, -10.0, 1.0, 1000.0, true, 1.2},
               {"a flowing phase without its object", 3000.0, kT, 1.0, 1000.0, false, 1.2},
               {"no oil volume factor", 3000.0, kT, 0.0, 1000.0, true, kNotSet}};
  for (double hostValue : {kNotSet, 1800.0}) {
    for (const Exit& x : exits) {
      oil.parameter = hostValue;
      oil.fvf = x.fvf;
      auto e = Engine(2.441, 0.0, 1000.0);
      e->SetProps(x.gasObject ? &gas : nullptr, &oil, &water);
      e->m_dNumSubdiv = 4;
      EXPECT_EQ(e->Cal(x.p1, x.t1, 0.0, x.qg, x.qo, 0.0), kNotSet) << x.what;
      EXPECT_TRUE(x.p1 < 5.0 || e->m_dP2 == kNotSet) << x.what;
      EXPECT_EQ(oil.parameter.Value(), hostValue) << x.what;
    }
  }
}

// A correlation whose liquid friction is rigged: not computable, as a
// gas-pipeline equation below its pressure limit is, or pushing the mean
// pressure back across 1000 psia at every iteration, so that the fixed point
// is never reached.
class RiggedEngine : public CPressDrop {
 public:
  bool oscillate = false;
  void LiquidFlow() override {
    CPressDrop::LiquidFlow();
    m_dFrictionDP = !oscillate ? kNotSet : m_dP < 1000.0 ? 50.0 : -50.0;
  }
};

TEST_F(Driver, PieceWithoutAComponentHasNoResult) {
  for (double pieces : {kNotSet, 5.0}) {
    RiggedEngine e;
    e.Init(0.0, 2.0, 1000.0, 0.0);
    e.SetProps(nullptr, nullptr, &water);
    e.m_dNumSubdiv = pieces;
    EXPECT_EQ(e.Cal(1000.0, kT, 0.0, 0.0, 0.0, 1000.0), kNotSet);
    test::ExpectNear({{e.m_dP2, kNotSet}, {e.m_dTotalDP, kNotSet}, {e.m_dP1, 1000.0}});
  }
}

TEST_F(Driver, MissingPhaseObjectsAndSegmentsWithoutFlow) {
  TestLiquid weightless = test::MakeOil();
  weightless.gravity = 0.0;
  auto e = Engine(2.441, 0.0, 1000.0);
  e->SetProps(nullptr, nullptr, &water);
  EXPECT_EQ(e->Cal(1000.0, kT, 0.0, 1.0, 0.0, 100.0), kNotSet) << "gas flows, no gas object";
  e->SetProps(&gas, &weightless, &water);
  EXPECT_EQ(e->Cal(1000.0, kT, 0.0, 1.0, 100.0, 0.0), kNotSet) << "oil of gravity 0";
  e->SetProps(&gas, nullptr, nullptr);
  e->SetGradientType(1);
  EXPECT_EQ(e->Cal(1000.0, kT, 0.0, 0.0, 0.0, 0.0), kNotSet) << "static oil, no oil";
  EXPECT_EQ(e->m_dP2, kNotSet);
  e->SetGradientType(0);
  EXPECT_NE(e->Cal(1000.0, kT, 0.0, 0.0, 0.0, 0.0), kNotSet) << "static gas is fine";
  // An inner string as large as the pipe leaves no flow area; a segment
  // shorter than 0.01 ft is none.
  e->SetProps(&gas, &oil, &water);
  e->Init(2.441, 2.441, 0.0, 1000.0);
  EXPECT_EQ(e->Cal(2000.0, kT, 0.0, 1.0, 500.0, 100.0), kNotSet);
  e->Init(0.0, 2.441, 0.005, 0.0);
  EXPECT_EQ(e->Cal(2000.0, kT, 0.0, 1.0, 500.0, 100.0), kNotSet);
  EXPECT_EQ(e->m_dP2, kNotSet);
}

TEST_F(Driver, RescueWholeSegmentKeepsItsLastIterate) {
  RiggedEngine e;
  e.oscillate = true;
  e.Init(0.0, 2.0, 100.0, 0.0);
  e.SetProps(nullptr, nullptr, &water);
  e.SetSubdiv(0);
  const double p2 = e.Cal(1000.0, kT, 0.0, 0.0, 0.0, 100.0);
  EXPECT_EQ(e.m_dIterations, 150.0);
  EXPECT_EQ(e.m_nSubdivUsed, 1);
  EXPECT_TRUE(p2 == 950.0 || p2 == 1050.0) << p2;
  // A host-set limit far beyond reason still ends.
  e.m_nMaxIter = 2000000000;
  e.Cal(1000.0, kT, 0.0, 0.0, 0.0, 100.0);
  EXPECT_EQ(e.m_dIterations, 10000.0);
}

// The rescue split solves copies of the segment: a copy must solve exactly as
// its source, whatever setting or fluid binding the source has. Each row
// changes one thing that moves the result of this segment; the last binds a
// stream fluid, whose isenthalpic temperature must reach the copy.
TEST(DriverRescue, CopySolvesExactlyAsItsSource) {
  static TestGas gas;
  static TestLiquid oil = test::MakeOil(), water = test::MakeWater();
  static test::TestEOS eos(&gas, &oil, &water);
  eos.isenthalpic = true;
  eos.temperature = 580.0;
  const std::pair<const char*, void (*)(CPressDrop&)> settings[] = {
      {"nothing", [](CPressDrop&) {}},
      {"friction efficiency", [](CPressDrop& e) { e.SetFe(0.9); }},
      {"hydrostatic efficiency", [](CPressDrop& e) { e.SetHFe(0.95); }},
      {"roughness", [](CPressDrop& e) { e.SetFf(0.002); }},
      {"direction", [](CPressDrop& e) { e.SetDir(-1); }},
      {"flow sign", [](CPressDrop& e) { e.SetFlw(-1); }},
      {"no liquid", [](CPressDrop& e) { e.m_nUseLiquid = 0; }},
      {"iteration limit", [](CPressDrop& e) { e.m_nMaxIter = 1; }},
      {"piece limit", [](CPressDrop& e) { e.m_dMaxSubdiv = 1; }},
      {"stream fluid", [](CPressDrop& e) { e.SetProps(&eos); }},
  };
  std::array<double, CPressData::kCopyDataSize> plain{}, source, copied;
  for (const auto& [what, change] : settings) {
    std::unique_ptr<CPressDrop> src(CPressDrop::New(1.0, 4.0, 30.0, 2000.0, 5));
    src->SetProps(&gas, &oil, &water);
    change(*src);
    std::unique_ptr<CPressDrop> copy(src->CopySeg(src.get()));
    EXPECT_EQ(copy->m_pEOS, src->m_pEOS) << what;
    for (auto [e, out] : {std::pair{src.get(), &source}, {copy.get(), &copied}}) {
      e->Cal(1500.0, kT, 0.002, 0.5, 800.0, 300.0);
      e->CopyData(out->data());
    }
    if (change == settings[0].second)
      plain = source;
    else
      EXPECT_NE(source, plain) << what << " does not move this segment";
    EXPECT_EQ(copied, source) << what;
  }
}

TEST_F(Driver, UseLiquidOffTakesNoLiquid) {
  auto e = Engine(2.441, 0.0, 1000.0);
  e->SetProps(&gas, nullptr, &water);
  e->m_nUseLiquid = 0;
  // No liquid flows, so the column is the static gas gradient, not 432 psi
  // of water: rho = 2.69881 x 0.65 p / 600 = 0.00292371 p lbm/ft3 gives
  // dp/dz = 2.03035e-5 p psi/ft, and over 1000 ft p2 = 1000 exp(0.0203035)
  // = 1020.511 psia.
  EXPECT_NEAR(e->Cal(1000.0, kT, 0.0, 0.0, 0.0, 500.0), 1020.511, 0.005);
  test::ExpectNear({{double(e->GetCode()), 0.0}, {e->m_dFrictionDP, 0.0}, {e->m_dQw, 0.0}});
}

// The same water line solved from standard rates and from a stream fluid
// whose mass and volume rates describe the same flow.
TEST_F(Driver, StreamFluidMatchesTheBlackOilResult) {
  auto black = Engine(2.0, 800.0, 600.0);
  black->SetProps(nullptr, nullptr, &water);
  const double expected = black->Cal(1500.0, kT, 0.0, 0.0, 0.0, 2000.0);

  TestLiquid stream = test::MakeWater();
  stream.density = 62.3;
  stream.volFlow = 2000.0 * 5.6145835 / 86400.0;  // ft3/s
  stream.massFlow = stream.volFlow * 62.3;        // lbm/s
  stream.liqVolFlow = 2000.0;
  // The gas's mass rate is not set: read as no gas, the segment is liquid only.
  test::TestEOS eos(&gas, nullptr, &stream);
  auto e = Engine(2.0, 800.0, 600.0);
  e->SetProps(&eos);
  // The rates come from the streams, whatever the host passes.
  EXPECT_NEAR(e->Cal(1500.0, kT, 0.0, 0.0, 0.0, 0.0), expected, 0.02);
  test::ExpectNear({{e->m_dXw, 1.0}, {e->m_dXg, 0.0}, {double(e->m_bGas), 0.0}});
  // An isenthalpic fluid gives the segment its temperature.
  eos.isenthalpic = true;
  eos.temperature = 555.0;
  e->SetProps(&eos);
  e->Cal(1500.0, kT, 0.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(e->m_dT, 555.0);
}

}  // namespace
}  // namespace pdrop
