// Survey matching: efficiencies recovered from surveys that pdrop made itself
// (with and without gauge noise), and the judgement of how well a fitted
// value is determined.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "pdrop/case/CaseFile.h"
#include "pdrop/workflows/Match.h"

namespace pdrop {
namespace {

constexpr double kDepth_ft = 8000.0;

// The example oil well (8000 ft of vertical 2.441 in tubing, marched down
// from the wellhead) at the given rates.
TraverseCase OilWell(double gas_MMscfd, double oil_STBd, double water_bbld) {
  TraverseCase c = ReadCaseFile(PDROP_EXAMPLES_DIR "/oil_well.json");
  c.gas_MMscfd = gas_MMscfd;
  c.oil_STBd = oil_STBd;
  c.water_bbld = water_bbld;
  return c;
}

// Standard normal deviates from a fixed Mersenne Twister stream (Box-Muller
// on its raw 32-bit output, which the standard fixes for every platform).
std::vector<double> Gaussian(std::size_t n, std::uint32_t seed) {
  std::mt19937 gen(seed);
  auto uniform = [&gen] { return (static_cast<double>(gen()) + 0.5) / 4294967296.0; };
  std::vector<double> out;
  while (out.size() < n) {
    const double r = std::sqrt(-2.0 * std::log(uniform()));
    const double a = 2.0 * 3.14159265358979323846 * uniform();
    out.push_back(r * std::cos(a));
    out.push_back(r * std::sin(a));
  }
  out.resize(n);
  return out;
}

// A survey made by marching the case with the given efficiencies through
// stations listed at the survey depths, which lie between the case's own
// segment ends.
Survey SyntheticSurvey(const TraverseCase& c, double fe, double hfe, double noise_psi,
                       double* frictionShare, double* noiseRms_psi) {
  TraverseCase made = c;
  made.friction_efficiency = fe;
  made.hydrostatic_efficiency = hfe;
  std::vector<double> depths;
  for (double md = 437.0; md < kDepth_ft; md += 400.0) depths.push_back(md);
  made.stations = {c.stations.front()};
  for (double md : depths) made.stations.push_back({md, md, 2.441, 0.0, 0.0006});
  made.stations.push_back(c.stations.back());
  const TraverseResult r = RunTraverse(made);
  EXPECT_TRUE(r.complete) << r.reason;
  *frictionShare = std::fabs(r.total_friction_dp_psi) /
                   (std::fabs(r.total_friction_dp_psi) + std::fabs(r.total_elevation_dp_psi));
  const std::vector<double> noise = Gaussian(depths.size(), 14);
  *noiseRms_psi = 0.0;
  for (double v : noise) *noiseRms_psi += noise_psi * noise_psi * v * v / noise.size();
  *noiseRms_psi = std::sqrt(*noiseRms_psi);
  Survey s;
  for (const TraverseRow& row : r.rows) {
    for (std::size_t i = 0; i < depths.size(); ++i) {
      if (row.md_ft == depths[i]) {
        s.points.push_back({row.md_ft, row.pressure_psia + noise_psi * noise[i], kNotSet});
      }
    }
  }
  EXPECT_EQ(s.points.size(), depths.size());
  return s;
}

struct RecoveryRow {
  const char* name;
  double gas_MMscfd, oil_STBd, water_bbld;
  double minFrictionShare, maxFrictionShare;
  double noise_psi;
  double frictionTolerance;  // 0: not asked of this row
  double hydrostaticTolerance;
  bool frictionDetermined;
};

// Friction at least 30 % of the pressure change: both efficiencies come back
// to 1e-3 from an exact survey and within 0.02 with 1 psi of noise. At the
// example well's rates friction is about 5 %: the hydrostatic efficiency is
// still recovered, but the friction efficiency is reported as poorly
// determined instead of being trusted.
TEST(SurveyMatch, RecoversTheEfficienciesASurveyWasMadeWith) {
  if (!FittingAvailable()) GTEST_SKIP() << "built without NLopt";
  const RecoveryRow rows[] = {
      {"high rate, exact", 3.0, 3000.0, 1000.0, 0.30, 1.0, 0.0, 1e-3, 1e-3, true},
      {"high rate, 1 psi noise", 3.0, 3000.0, 1000.0, 0.30, 1.0, 1.0, 0.02, 0.02, true},
      {"example rates, 1 psi noise", 0.6, 1200.0, 300.0, 0.0, 0.10, 1.0, 0.0, 0.02, false},
  };
  MatchOptions o;
  o.correlations = {3};
  for (const RecoveryRow& row : rows) {
    SCOPED_TRACE(row.name);
    const TraverseCase c = OilWell(row.gas_MMscfd, row.oil_STBd, row.water_bbld);
    double share = 0.0, noiseRms = 0.0;
    const Survey s = SyntheticSurvey(c, 0.9, 1.05, row.noise_psi, &share, &noiseRms);
    ASSERT_GE(share, row.minFrictionShare);
    ASSERT_LE(share, row.maxFrictionShare);
    const MatchResult r = MatchSurvey(c, s, o);
    ASSERT_EQ(r.ranked.size(), 1u);
    const CorrelationMatch& m = r.ranked.front();
    ASSERT_TRUE(m.ok) << m.reason;
    ASSERT_TRUE(m.fitted);
    if (row.frictionTolerance > 0.0) {
      EXPECT_NEAR(m.friction_efficiency, 0.9, row.frictionTolerance);
    }
    EXPECT_NEAR(m.hydrostatic_efficiency, 1.05, row.hydrostaticTolerance);
    // The fit leaves no more error than the efficiencies the survey was
    // made with, whose error is the noise itself.
    EXPECT_LE(m.fitted_errors.rms_psi, noiseRms + 1e-3);
    EXPECT_LT(m.fitted_errors.rms_psi, m.errors.rms_psi);
    EXPECT_EQ(m.friction.determined, row.frictionDetermined) << m.friction.note;
    EXPECT_TRUE(m.hydrostatic.determined) << m.hydrostatic.note;
  }
  // Two values fitted to one gauge reading meet it exactly and say nothing.
  const TraverseCase c = OilWell(3.0, 3000.0, 1000.0);
  double share = 0.0, noise = 0.0;
  Survey one = SyntheticSurvey(c, 0.9, 1.05, 0.0, &share, &noise);
  one.points.erase(one.points.begin(), one.points.end() - 1);
  const CorrelationMatch m = MatchSurvey(c, one, o).ranked.front();
  ASSERT_TRUE(m.ok) << m.reason;
  EXPECT_FALSE(m.friction.determined) << m.friction.note;
  EXPECT_FALSE(m.hydrostatic.determined) << m.hydrostatic.note;
}

}  // namespace
}  // namespace pdrop
