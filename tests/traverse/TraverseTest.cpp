// The traverse: hand values, an independent marching calculation, round
// trips in both directions, the sign rules, liquid loading, incomplete
// results and case validation.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::kPi;

TraverseCase VerticalWell(double depth, double id, int code) {
  TraverseCase c;
  c.correlation = code;
  c.stations = {{0.0, 0.0, id, 0.0, 0.0006}, {depth, depth, id, 0.0, 0.0006}};
  c.max_segment_ft = 100.0;
  c.temperature.kind = TemperatureModel::Kind::kLinear;
  c.temperature.first_F = 80.0;
  c.temperature.last_F = 200.0;
  return c;
}

TEST(Traverse, StaticWaterColumnIsTheHandValue) {
  test::TestLiquid water = test::MakeWater();  // 62.3 lbm/ft3 at any condition
  TraverseCase c = VerticalWell(10000.0, 2.441, 0);
  c.static_phase = 2;
  c.known_pressure_psia = 100.0;
  const TraverseResult r = RunTraverse(c, nullptr, nullptr, &water);
  ASSERT_TRUE(r.complete) << r.reason;
  ASSERT_EQ(r.rows.size(), 101u);
  // 62.3 x 10000 / 144 = 4326.389 psi
  EXPECT_NEAR(r.rows.back().pressure_psia, 100.0 + 4326.389, 1e-3);
  EXPECT_NEAR(r.total_elevation_dp_psi, 4326.389, 1e-3);
  EXPECT_EQ(r.total_friction_dp_psi, 0.0);
  EXPECT_NEAR(r.rows[50].pressure_psia, 100.0 + 4326.389 / 2.0, 1e-3);
  EXPECT_EQ(r.rows[50].regime_name, "Static Gradient");
  // The hydrostatic efficiency divides every elevation change.
  c.hydrostatic_efficiency = 2.0;
  EXPECT_NEAR(RunTraverse(c, nullptr, nullptr, &water).total_elevation_dp_psi, 4326.389 / 2.0,
              1e-3);
}

// dp/dL of dry gas in a vertical pipe, integrated with a fourth-order
// Runge-Kutta scheme in 1 ft steps: hydrostatic rho/144 plus Fanning friction
// with Chen's factor and the gas Reynolds number 0.020011 gamma q / (mu d).
double IndependentGasWell(CProp& gas, double pTop, double depth, double qMMscfd, double d,
                          double tTop, double tBottom) {
  const double area = kPi * d * d / 576.0;
  const double q = qMMscfd * 1e6;
  const double e = 0.0006 / d;
  auto gradient = [&](double z, double p) {
    const double t = tTop + (tBottom - tTop) * z / depth + 459.67;
    const double rho = gas.Density(t, p);
    const double mu = gas.Viscosity(t, p);
    const double bg = 14.65 * t * gas.ZFactor(t, p) / (519.668 * p);
    const double v = q * bg / area / 86400.0;
    const double re = 0.020011 * gas.SpecificGravity() * q / mu / d;
    const double x = -4.0 * std::log10(0.2698 * e - 5.0452 / re *
                                                        std::log10(0.3539 * std::pow(e, 1.1098) +
                                                                   5.8506 / std::pow(re, 0.8981)));
    const double f = 1.0 / (x * x);
    // Marching down against the upward flow: both terms raise the pressure.
    return rho / 144.0 + 2.0 * f * rho * v * v / (d / 12.0) / 144.0 / 32.2;
  };
  double p = pTop;
  const double h = 1.0;
  for (double z = 0.0; z < depth - 1e-9; z += h) {
    const double k1 = gradient(z, p);
    const double k2 = gradient(z + h / 2, p + h / 2 * k1);
    const double k3 = gradient(z + h / 2, p + h / 2 * k2);
    const double k4 = gradient(z + h, p + h * k3);
    p += h / 6.0 * (k1 + 2 * k2 + 2 * k3 + k4);
  }
  return p;
}

TEST(Traverse, GasWellAgreesWithAnIndependentMarch) {
  TraverseCase c = VerticalWell(8000.0, 2.441, 0);
  c.fluid.gasGravity = 0.7;
  BlackOilPhases ph = c.fluid.MakePhases();
  c.known_pressure_psia = 1200.0;
  c.gas_MMscfd = 4.0;
  const TraverseResult r = RunTraverse(c, ph.gas.get(), ph.oil.get(), ph.water.get());
  ASSERT_TRUE(r.complete) << r.reason;
  const double reference = IndependentGasWell(*ph.gas, 1200.0, 8000.0, 4.0, 2.441, 80.0, 200.0);
  // Mean-pressure segments of 100 ft against a fine integration: a few
  // hundredths of a psi per segment at most.
  EXPECT_NEAR(r.computed_end_pressure_psia, reference, 0.5);
  EXPECT_GT(r.total_friction_dp_psi, 50.0);
  EXPECT_EQ(r.rows.back().regime_code, 1);
}

TEST(Traverse, DownAndBackUpReturnsToTheStart) {
  for (FluidMode mode : {FluidMode::kBlackOil, FluidMode::kStream}) {
    TraverseCase down = VerticalWell(8000.0, 2.441, 0);
    down.known_pressure_psia = 300.0;
    down.gas_MMscfd = 0.3;
    down.oil_STBd = 800.0;
    down.water_bbld = 200.0;
    down.fluid_mode = mode;
    const TraverseResult a = RunTraverse(down);
    ASSERT_TRUE(a.complete) << a.reason;
    TraverseCase up = down;
    up.known_end = ProfileEnd::kLast;
    up.known_pressure_psia = a.computed_end_pressure_psia;
    const TraverseResult b = RunTraverse(up);
    ASSERT_TRUE(b.complete) << b.reason;
    // Each segment converges its mean pressure to 0.01 psi: 80 segments
    // return to the wellhead within 0.05 % of the 2500 psi change.
    const double change = a.computed_end_pressure_psia - 300.0;
    EXPECT_NEAR(b.computed_end_pressure_psia, 300.0, 5e-4 * change);
    // Same stations, same order, nearly the same pressures.
    ASSERT_EQ(a.rows.size(), b.rows.size());
    EXPECT_NEAR(a.rows[40].pressure_psia, b.rows[40].pressure_psia, 5e-4 * change);
    // Producing well: marching up with the flow both changes are negative.
    EXPECT_LT(b.total_elevation_dp_psi, 0.0);
    EXPECT_LT(b.total_friction_dp_psi, 0.0);
    EXPECT_GT(a.total_friction_dp_psi, 0.0);
  }
}

TEST(Traverse, InjectionWellFrictionOpposesTheHead) {
  TraverseCase c = VerticalWell(5000.0, 2.992, 0);
  c.flow_to = ProfileEnd::kLast;
  c.known_pressure_psia = 500.0;
  c.water_bbld = 5000.0;
  const TraverseResult r = RunTraverse(c);
  ASSERT_TRUE(r.complete);
  EXPECT_GT(r.total_elevation_dp_psi, 2000.0);
  EXPECT_LT(r.total_friction_dp_psi, 0.0);
  // A level pipeline: no elevation change, friction in the flow direction.
  TraverseCase line = c;
  line.stations = {{0.0, 0.0, 4.0, 0.0, 0.0018}, {20000.0, 0.0, 4.0, 0.0, 0.0018}};
  line.known_pressure_psia = 1000.0;
  line.water_bbld = 0.0;
  line.gas_MMscfd = 5.0;
  const TraverseResult g = RunTraverse(line);
  ASSERT_TRUE(g.complete) << g.reason;
  EXPECT_EQ(g.total_elevation_dp_psi, 0.0);
  EXPECT_LT(g.computed_end_pressure_psia, 1000.0);
}

TEST(Traverse, LiquidLoadingFlagAndCriticalRates) {
  TraverseCase c = VerticalWell(6000.0, 2.441, 0);
  c.known_pressure_psia = 800.0;
  c.water_bbld = 2.0;
  c.gas_MMscfd = 0.2;
  const TraverseResult slow = RunTraverse(c);
  ASSERT_TRUE(slow.complete);
  EXPECT_TRUE(slow.has_loading);
  EXPECT_EQ(slow.loading_md_ft, 0.0);
  for (const TraverseRow& row : slow.rows) {
    EXPECT_TRUE(row.loading);
    // Turner's 5.62 against Coleman's 4.434: ratio 1.267 at the same conditions.
    EXPECT_NEAR(row.turner_MMscfd / row.coleman_MMscfd, 5.62 / 4.434, 1e-9);
  }
  c.gas_MMscfd = 5.0;
  const TraverseResult fast = RunTraverse(c);
  ASSERT_TRUE(fast.complete);
  EXPECT_FALSE(fast.has_loading);
  // An oil well (1000 bbl per MMscf) is not judged by the gas-well criterion.
  c.gas_MMscfd = 0.5;
  c.oil_STBd = 500.0;
  const TraverseResult oil = RunTraverse(c);
  ASSERT_TRUE(oil.complete);
  EXPECT_FALSE(oil.has_loading);
  EXPECT_GT(oil.rows.front().turner_MMscfd, 0.5);
  // A gas well (100 bbl per MMscf) with condensate and water: judged by the
  // heavier liquid, Turner's water rate.
  c.oil_STBd = c.water_bbld = 25.0;
  BlackOilPhases ph = c.fluid.MakePhases();
  const TraverseResult both = RunTraverse(c, ph.gas.get(), ph.oil.get(), ph.water.get());
  ASSERT_TRUE(both.complete) << both.reason;
  EXPECT_TRUE(both.has_loading);
  CTurner turner;
  turner.SetProps(ph.gas.get());
  for (const TraverseRow& row : both.rows) {
    const double water =
        turner.WtrA(kPi * 2.441 * 2.441 / 576.0, row.pressure_psia, row.temperature_F + 459.67);
    EXPECT_NEAR(row.turner_MMscfd, water, 1e-12) << row.md_ft;
  }
}

// A deviated, tapered gas well: each segment takes the pipe of its lower
// station, so the string marches as its two sections one after the other;
// the geothermal temperature follows true vertical depth.
TEST(Traverse, DeviatedTaperedWellMarchesAsItsSectionsInTurn) {
  TraverseCase c;
  c.correlation = 5;
  c.stations = {{0.0, 0.0, 2.441, 0.0, 0.0006},
                {3000.0, 2800.0, 2.441, 0.0, 0.0006},
                {6000.0, 5200.0, 3.958, 0.0, 0.0006}};
  c.max_segment_ft = 250.0;
  c.temperature = {TemperatureModel::Kind::kGeothermal, 0.0, 0.0, 70.0, 0.02};
  c.known_pressure_psia = 600.0;
  c.gas_MMscfd = 1.0;
  c.oil_STBd = c.water_bbld = 30.0;
  const TraverseResult whole = RunTraverse(c);
  TraverseCase upper = c, lower = c;
  upper.stations.pop_back();
  lower.stations.erase(lower.stations.begin());
  // The lower section's first station bears its own pipe: a segment that took
  // the upper station's pipe would march the whole string differently.
  lower.stations.front().id_in = 3.958;
  lower.known_pressure_psia = RunTraverse(upper).computed_end_pressure_psia;
  const TraverseResult second = RunTraverse(lower);
  ASSERT_TRUE(whole.complete && second.complete) << whole.reason << second.reason;
  EXPECT_NEAR(whole.computed_end_pressure_psia, second.computed_end_pressure_psia, 1e-6);
  EXPECT_GT(whole.computed_end_pressure_psia, c.known_pressure_psia + 100.0);
  for (const TraverseRow& row : whole.rows) {
    EXPECT_NEAR(row.temperature_F, 70.0 + 0.02 * row.tvd_ft, 1e-9) << row.md_ft;
  }
}

TEST(Traverse, AMarchOutOfTheAcceptedPressuresStopsKeepingItsRowsAndSaysWhy) {
  // Marching up a producing well from too low a bottom-hole pressure.
  TraverseCase c = VerticalWell(8000.0, 2.441, 0);
  c.known_end = ProfileEnd::kLast;
  c.known_pressure_psia = 1500.0;
  c.oil_STBd = 1000.0;
  const TraverseResult low = RunTraverse(c);
  EXPECT_FALSE(low.complete);
  EXPECT_EQ(low.reason, "the pressure falls below 5 psia");
  EXPECT_EQ(low.computed_end_pressure_psia, kNotSet);
  ASSERT_FALSE(low.rows.empty());
  EXPECT_EQ(low.rows.back().md_ft, 8000.0);
  EXPECT_GT(low.stopped_at_md_ft, 0.0);
  EXPECT_EQ(low.rows.front().md_ft, low.stopped_at_md_ft);
  // 10 000 MMscf/d through 2.441 in tubing: the correlation returns a number,
  // but no well has it, so the march stops instead of reporting it.
  c = VerticalWell(5000.0, 2.441, 3);
  c.known_pressure_psia = 300.0;
  c.gas_MMscfd = 1.0e4;
  c.oil_STBd = 800.0;
  const TraverseResult high = RunTraverse(c);
  EXPECT_FALSE(high.complete);
  EXPECT_NE(high.reason.find("rises above 30000 psia"), std::string::npos) << high.reason;
  for (const TraverseRow& row : high.rows) EXPECT_LE(row.pressure_psia, 30000.0);
}

TEST(Traverse, CaseValidationNamesTheField) {
  auto message = [](const TraverseCase& c) {
    return test::ErrorOf<std::invalid_argument>([&] { c.Validate(); });
  };
  TraverseCase good = VerticalWell(1000.0, 2.441, 3);
  good.known_pressure_psia = 500.0;
  EXPECT_EQ(message(good), "");

  const std::pair<void (*)(TraverseCase&), const char*> rows[] = {
      {[](TraverseCase& c) { c.stations[1].md_ft = -10.0; }, "stations[1].md_ft"},
      {[](TraverseCase& c) { c.stations[0].id_in = -2.0; }, "stations[0].id_in = -2"},
      {[](TraverseCase& c) { c.correlation = 12; }, "correlation = 12"},
      {[](TraverseCase& c) { c.stations[1].tvd_ft = 1200.0; }, "stations[1].tvd_ft"},
      {[](TraverseCase& c) { c.oil_STBd = std::nan(""); }, "oil_STBd"},
      {[](TraverseCase& c) { c.fluid.oilApi = 95.0; }, "fluid.oil_api = 95"},
      // A diameter too small to be a pipe is blamed, not the default roughness.
      {[](TraverseCase& c) { c.stations[0].id_in = 1e-6; }, "stations[0].id_in = 1e-06"},
      {[](TraverseCase& c) { c.known_pressure_psia = 40000.0; }, "known_pressure_psia = 40000"},
      {[](TraverseCase& c) { c.temperature.last_F = 800.0; }, "temperature.last_F = 800"},
      {[](TraverseCase& c) { c.stations[1].roughness_in = 1.5; }, "below 1.2205 in (half"},
  };
  for (const auto& [change, field] : rows) {
    TraverseCase c = good;
    change(c);
    EXPECT_NE(message(c).find(field), std::string::npos) << field << ": " << message(c);
    EXPECT_THROW(RunTraverse(c), std::invalid_argument) << field;
  }
}

TEST(Traverse, GasEquationsSayWhichCalculationTheyRan) {
  struct Row {
    int code;
    double gas, oil;
    const char* note;  // up to its "was used"; "" when the correlation ran its own method
  } rows[] = {
      {0, 20.0, 0.0, ""},
      {0, 20.0, 300.0,
       "Fanning on a gas-and-liquid stream: Fanning liquid flow of the liquid alone"},
      {1, 20.0, 0.0, ""},
      {1, 20.0, 300.0, "Panhandle on a two-phase stream: its Flanigan form"},
      {2, 20.0, 300.0,
       "Modified Panhandle on a two-phase stream: its Flanigan form (Modified Flanigan)"},
      {6, 0.0, 3000.0, "Weymouth on a liquid stream: Fanning liquid flow"},
      {7, 20.0, 0.0, "Flanigan on a gas-only stream: the Panhandle gas equation"},
      {7, 20.0, 300.0, ""},
      {3, 20.0, 300.0, ""},
  };
  for (const Row& row : rows) {
    TraverseCase c;
    c.correlation = row.code;
    c.stations = {{0.0, 0.0, 7.981, 0.0, 0.0018}, {5000.0, 0.0, 7.981, 0.0, 0.0018}};
    c.max_segment_ft = 1000.0;
    c.temperature.first_F = c.temperature.last_F = 150.0;
    c.known_pressure_psia = 900.0;
    c.gas_MMscfd = row.gas;
    c.oil_STBd = row.oil;
    const TraverseResult r = RunTraverse(c);
    ASSERT_TRUE(r.complete) << row.code << ": " << r.reason;
    // Five segments run the same calculation; the march gives its note once.
    std::string notes;
    for (const std::string& w : r.warnings) {
      if (w.find(" stream: ") != std::string::npos) notes += w.substr(0, w.find(" was used"));
    }
    EXPECT_EQ(notes, row.note) << "code " << row.code;
  }
}

}  // namespace
}  // namespace pdrop
