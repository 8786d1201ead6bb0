// Lift curves: each point is the traverse of its own case, the family does
// not depend on the thread count, the rates keep the case's ratios, the
// minimum and the loading marks follow their definitions, and bad requests
// are refused naming the field.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "../TestFluids.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/workflows/Vlp.h"

namespace pdrop {
namespace {

TraverseCase Example(const char* name) {
  return ReadCaseFile(std::string(PDROP_EXAMPLES_DIR) + "/" + name);
}

TEST(LiftCurves, TheFamilyDoesNotDependOnTheThreadCount) {
  const TraverseCase oil = Example("oil_well.json");
  VlpRequest request;
  request.rates = {200.0, 600.0, 1200.0, 2400.0};
  request.sensitivities = {{VlpParameter::kWellheadPressure, {150.0, 300.0}},
                           {VlpParameter::kCorrelation, {3.0, 5.0}}};
  request.threads = 1;
  const VlpResult one = LiftCurves(oil, request);
  request.threads = 2;
  const VlpResult two = LiftCurves(oil, request);
  ASSERT_EQ(one.points.size(), 16u);
  for (std::size_t i = 0; i < one.points.size(); ++i) {
    EXPECT_EQ(one.points[i].bhp_psia, two.points[i].bhp_psia) << i;
    EXPECT_EQ(one.points[i].values, two.points[i].values) << i;
  }
  // A higher wellhead pressure needs a higher bottomhole pressure at every rate.
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t code = 0; code < 2; ++code) {
      const VlpPoint& low = one.points[code * 4 + i];
      const VlpPoint& high = one.points[8 + code * 4 + i];
      ASSERT_TRUE(low.complete && high.complete);
      EXPECT_GT(high.bhp_psia, low.bhp_psia) << "rate " << low.rate;
    }
  }
}

// The example oil well's curve: the point at the case's own rate (1500 bbl/d
// of liquid) is the case's traverse; the one minimum is the lowest pressure,
// and the rates below it are the heading region.
TEST(LiftCurves, APointIsItsCasesTraverseAndTheMinimumMarksTheHeadingRegion) {
  const TraverseCase oil = Example("oil_well.json");
  VlpRequest request;
  request.rates = {100.0, 300.0, 600.0, 1000.0, oil.oil_STBd + oil.water_bbld, 2000.0, 3000.0};
  const VlpResult r = LiftCurves(oil, request);
  ASSERT_EQ(r.kind, WellKind::kOil);
  for (const VlpPoint& p : r.points) ASSERT_TRUE(p.complete) << p.rate << ": " << p.reason;
  EXPECT_EQ(r.points[4].bhp_psia, RunTraverse(oil).computed_end_pressure_psia);  // its own rate
  const auto lower = [](const VlpPoint& a, const VlpPoint& b) { return a.bhp_psia < b.bhp_psia; };
  const double atRate = std::min_element(r.points.begin(), r.points.end(), lower)->rate;
  // The example well has its minimum inside the range of rates.
  EXPECT_GT(atRate, request.rates.front());
  EXPECT_LT(atRate, request.rates.back());
  for (const VlpPoint& p : r.points) {
    EXPECT_EQ(p.minimum, p.rate == atRate) << p.rate;
    EXPECT_EQ(p.unstable, p.rate < atRate) << p.rate;
  }
  // A point's case keeps the water cut and the gas-oil ratio of the case.
  const TraverseCase half = PointCase(oil, r.kind, 750.0, {}, {});
  EXPECT_DOUBLE_EQ(half.water_bbld / (half.oil_STBd + half.water_bbld),
                   oil.water_bbld / (oil.oil_STBd + oil.water_bbld));
  EXPECT_DOUBLE_EQ(half.gas_MMscfd / half.oil_STBd, oil.gas_MMscfd / oil.oil_STBd);
}

TEST(LiftCurves, AGasWellLoadsUpAtLowRatesOnly) {
  const TraverseCase gas = Example("gas_well_annulus.json");
  VlpRequest request;
  request.rates = {0.5, 8.0};
  const VlpResult r = LiftCurves(gas, request);
  ASSERT_EQ(r.kind, WellKind::kGas);
  ASSERT_TRUE(r.points[0].complete && r.points[1].complete);
  EXPECT_TRUE(r.points[0].loading);
  EXPECT_FALSE(r.points[1].loading);
  EXPECT_FALSE(r.points[1].coleman_loading);
  // The liquid yield of the case carries over to every rate.
  const TraverseCase c = PointCase(gas, r.kind, 8.0, {}, {});
  EXPECT_DOUBLE_EQ(c.water_bbld / c.gas_MMscfd, gas.water_bbld / gas.gas_MMscfd);
  // Up to 200 bbl of liquid per MMscf a well is a gas well.
  for (const auto& [yield, kind] :
       {std::pair{150.0, WellKind::kGas}, {200.0, WellKind::kGas}, {250.0, WellKind::kOil}}) {
    TraverseCase wet = gas;
    wet.water_bbld = yield * gas.gas_MMscfd;
    EXPECT_EQ(LiftCurves(wet, request).kind, kind) << yield;
  }
}

TEST(LiftCurves, AnInjectorsBottomholePressureFallsWithRate) {
  TraverseCase inj = Example("oil_well.json");
  inj.flow_to = ProfileEnd::kLast;
  inj.oil_STBd = inj.gas_MMscfd = 0.0;
  inj.water_bbld = 2000.0;
  inj.known_pressure_psia = 1500.0;
  VlpRequest request;
  request.rates = {500.0, 2000.0, 4000.0};
  const VlpResult r = LiftCurves(inj, request);
  ASSERT_EQ(r.kind, WellKind::kWaterInjector);
  for (std::size_t i = 1; i < r.points.size(); ++i) {
    ASSERT_TRUE(r.points[i].complete) << r.points[i].reason;
    EXPECT_LT(r.points[i].bhp_psia, r.points[i - 1].bhp_psia);
    EXPECT_FALSE(r.points[i].minimum);
  }
}

TEST(LiftCurves, BadRequestsAreRefusedNamingTheField) {
  const TraverseCase oil = Example("oil_well.json");
  struct Row {
    const char* field;
    VlpRequest request;
  } rows[] = {
      {"rates", {{}, {}, 1}},
      {"rates[1]", {{500.0, 400.0}, {}, 1}},
      {"rates[0]", {{-5.0}, {}, 1}},
      {"water_cut[0]", {{500.0}, {{VlpParameter::kWaterCut, {1.2}}}, 1}},
      {"wellhead_pressure_psia[1]",
       {{500.0}, {{VlpParameter::kWellheadPressure, {100.0, 40000.0}}}, 1}},
      {"correlation[0]", {{500.0}, {{VlpParameter::kCorrelation, {3.5}}}, 1}},
      {"gor_scf_per_STB, glr_scf_per_STB",
       {{500.0}, {{VlpParameter::kGor, {500.0}}, {VlpParameter::kGlr, {400.0}}}, 1}},
  };
  for (const Row& row : rows) {
    const std::string m =
        test::ErrorOf<std::invalid_argument>([&] { LiftCurves(oil, row.request); });
    EXPECT_EQ(m.rfind(row.field, 0), 0u) << row.field << ": " << m;
  }
  TraverseCase bottom = oil;
  bottom.known_end = ProfileEnd::kLast;
  EXPECT_THROW(KindOfWell(bottom), std::invalid_argument);
}

}  // namespace
}  // namespace pdrop
