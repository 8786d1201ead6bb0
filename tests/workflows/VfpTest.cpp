// VFP tables: the deck layout, the unit conversions, the fill rule, BHP
// rising with THP, the datum, and bad axes refused by field name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "../TestFluids.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/VfpAxes.h"
#include "pdrop/shell/Version.h"
#include "pdrop/traverse/Traverse.h"
#include "pdrop/workflows/Vfp.h"

namespace pdrop {
namespace {

// NIST SP 811 (2008), appendix B: 1 bar = 14.503 77 psi, 1 bbl =
// 0.158 987 3 m3, 1 ft3 = 0.028 316 85 m3, 1 ft = 0.3048 m.
constexpr double kPsiPerBar = 14.50377;
constexpr double kM3PerBbl = 0.1589873;
constexpr double kM3PerMscf = 28.31685;

TraverseCase OilWell() { return ReadCaseFile(PDROP_EXAMPLES_DIR "/oil_well.json"); }

// Producer axes in field units, in the deck's order: liquid rate [stb/d],
// THP [psia], water cut [-] and gas-oil ratio [Mscf/stb].
VfpAxes ProducerAxes(std::vector<double> flo, std::vector<double> thp, std::vector<double> wfr,
                     std::vector<double> gfr) {
  VfpAxes a;
  a.flo_values = std::move(flo);
  a.thp_values = std::move(thp);
  a.wfr_values = std::move(wfr);
  a.gfr_values = std::move(gfr);
  return a;
}

// Two tiny tables, written out and checked by hand against the record
// layout of VFPPROD (number, datum, FLO, WFR, GFR, 'THP', ALQ, units, 'BHP';
// the FLO, THP, WFR, GFR and ALQ axes; one record iTHP iWFR iGFR iALQ
// BHP(1..NFLO) per curve) and VFPINJ (number, datum, FLO, 'THP', units,
// 'BHP'; FLO and THP axes; iTHP BHP(1..NFLO)), after a header of comment
// lines of at most 100 characters that trace the table. The stored decks
// write the version as VERSION.
TEST(VfpDeck, TinyTablesAreTheStoredDecks) {
  VfpTable prod;
  // Two water cuts, so that a record's iWFR and iGFR tell apart.
  prod.axes = ProducerAxes({100, 250.5}, {100, 200}, {0.25, 0.5}, {0.5});
  prod.axes.table = 7;
  prod.datum = 5000;
  prod.bhp = {1000, 1100.25, 1010, 1110, 1200.125, 1300, 1210, 1310};
  prod.case_name = "Tiny well";
  prod.case_file = "tiny.json";
  prod.correlation = 5;
  prod.written_at = "2024-05-01 12:00:00 UTC";
  VfpTable inj = prod;
  inj.axes.type = VfpType::kInjector;
  inj.axes.flo = VfpFlo::kWater;
  inj.axes.wfr_values.clear();
  inj.axes.gfr_values.clear();
  inj.bhp = {1000, 1100.25, 1200.125, 1300};
  for (const auto& [table, file] :
       {std::pair{&prod, "tiny_prod.inc"}, std::pair{&inj, "tiny_inj.inc"}}) {
    std::string text = VfpDeckText(*table);
    const std::size_t version = text.find(kVersion);
    ASSERT_NE(version, std::string::npos);
    text.replace(version, std::string(kVersion).size(), "VERSION");
    EXPECT_EQ(text, test::ReadText(std::string(PDROP_TEST_DATA_DIR "/vfp/") + file)) << file;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 100u) << line;
  }
}

TEST(VfpUnits, MetricCellsHaveTheFieldRatesOfThePublishedFactors) {
  // 1 sm3/d of liquid, a quarter of it water, GOR 1 Mscf/stb.
  VfpAxes liquid = ProducerAxes({1.0}, {10.0}, {0.25}, {kM3PerMscf / kM3PerBbl});
  liquid.units = VfpUnits::kMetric;
  const VfpRates l = CellRates(liquid, 0, 0, 0);
  EXPECT_NEAR(l.oil_STBd, 0.75 / kM3PerBbl, 1e-6);
  EXPECT_NEAR(l.water_bbld, 0.25 / kM3PerBbl, 1e-6);
  EXPECT_NEAR(l.gas_MMscfd, 0.75 / kM3PerBbl / 1000.0, 1e-9);

  VfpAxes gas = liquid;  // 1 MMscf/d of gas with 1 stb/Mscf of water and no oil
  gas.flo = VfpFlo::kGas;
  gas.wfr = VfpWfr::kWaterGasRatio;
  gas.gfr = VfpGfr::kOilGasRatio;
  gas.flo_values = {1000.0 * kM3PerMscf};
  gas.wfr_values = {kM3PerBbl / kM3PerMscf};
  gas.gfr_values = {0.0};
  const VfpRates g = CellRates(gas, 0, 0, 0);
  EXPECT_NEAR(g.gas_MMscfd, 1.0, 1e-6);
  EXPECT_NEAR(g.water_bbld, 1000.0, 1e-3);
  EXPECT_EQ(g.oil_STBd, 0.0);

  EXPECT_NEAR(ToPsia(1.0, VfpUnits::kMetric), kPsiPerBar, 1e-5);
  EXPECT_NEAR(ToFeet(0.3048, VfpUnits::kMetric), 1.0, 1e-12);
}

TEST(VfpUnits, MetricTableIsTheFieldTableInOtherUnits) {
  const VfpAxes field = ProducerAxes({500, 1500, 3000}, {150, 400}, {0.1, 0.5}, {0.4, 1.2});
  VfpAxes metric = field;
  metric.units = VfpUnits::kMetric;
  for (double& q : metric.flo_values) q *= kM3PerBbl;
  for (double& p : metric.thp_values) p /= kPsiPerBar;
  for (double& r : metric.gfr_values) r *= kM3PerMscf / kM3PerBbl;
  const VfpTable f = BuildVfpTable(OilWell(), field, 2);
  const VfpTable m = BuildVfpTable(OilWell(), metric, 2);
  EXPECT_NEAR(m.datum, 8000 * 0.3048, 1e-9);
  ASSERT_EQ(f.bhp.size(), m.bhp.size());
  for (std::size_t i = 0; i < f.bhp.size(); ++i) {
    // The published factors have 7 figures.
    EXPECT_NEAR(m.bhp[i] * kPsiPerBar, f.bhp[i], 2e-6 * f.bhp[i]) << i;
  }
}

// One curve of five rates at one THP, WFR and GFR; cells marked -1 have no
// traverse result. Expected values worked by hand.
struct FillRow {
  const char* name;
  VfpType type;
  std::vector<double> bhp;
  std::vector<double> expected;
};

TEST(VfpGrid, MissingCellsAreFilledAlongFloNoEasierThanTheNearestComputed) {
  VfpAxes a = ProducerAxes({100, 150, 300, 400, 500}, {100}, {0.2}, {0.5});
  constexpr VfpType kProd = VfpType::kProducer, kInj = VfpType::kInjector;
  // An injector's BHP falls with rate; a filled cell never rises above its
  // nearest computed neighbour nor falls below 5 psia.
  // clang-format off
  const std::vector<FillRow> rows = {
      {"gap: linear in FLO", kProd, {1000, -1, 1200, 1300, 1400}, {1000, 1050, 1200, 1300, 1400}},
      {"rising end: extrapolated", kProd, {1000, 1100, 1200, -1, -1}, {1000, 1100, 1200, 1200 + 200.0 / 3, 1200 + 400.0 / 3}},
      {"falling end: held", kProd, {1300, 1200, 1100, -1, -1}, {1300, 1200, 1100, 1100, 1100}},
      {"rising start: held", kProd, {-1, -1, 1200, 1300, 1400}, {1200, 1200, 1200, 1300, 1400}},
      {"heading start: extrapolated up", kProd, {-1, -1, 1400, 1300, 1350}, {1600, 1550, 1400, 1300, 1350}},
      {"one computed cell", kProd, {-1, -1, 1250, -1, -1}, {1250, 1250, 1250, 1250, 1250}},
      {"injector, falling end: extrapolated", kInj, {3000, 2900, 2700, -1, -1}, {3000, 2900, 2700, 2700 - 400.0 / 3, 2700 - 800.0 / 3}},
      {"injector, rising end: held", kInj, {2700, 2800, 2900, -1, -1}, {2700, 2800, 2900, 2900, 2900}},
      {"injector, steep end: the 5 psia floor", kInj, {3000, 100, -1, -1, -1}, {3000, 100, 5, 5, 5}},
  };
  // clang-format on
  for (const FillRow& row : rows) {
    a.type = row.type;
    std::vector<double> bhp = row.bhp;
    std::vector<bool> computed;
    std::vector<std::string> reasons;
    for (double v : row.bhp) {
      computed.push_back(v >= 0);
      reasons.push_back(v >= 0 ? "" : "pressure above 30000 psia");
    }
    const std::vector<VfpAdjustment> adj = CompleteVfpGrid(a, bhp, computed, reasons);
    for (std::size_t f = 0; f < bhp.size(); ++f) {
      EXPECT_NEAR(bhp[f], row.expected[f], 1e-9) << row.name << ", FLO " << a.flo_values[f];
    }
    std::size_t k = 0;
    for (std::size_t f = 0; f < bhp.size(); ++f) {
      if (computed[f]) continue;
      ASSERT_LT(k, adj.size()) << row.name;
      EXPECT_EQ(adj[k].kind, VfpAdjustment::Kind::kFilled) << row.name;
      EXPECT_EQ(adj[k].index, f) << row.name;
      EXPECT_EQ(adj[k].reason, "pressure above 30000 psia") << row.name;
      ++k;
    }
    EXPECT_EQ(k, adj.size()) << row.name;
  }

  // A producer whose traverse rose above the accepted pressures is written
  // at least at that pressure, whatever its neighbours suggest.
  a.type = VfpType::kProducer;
  std::vector<double> high = {1000, 1100, 1200, -1, -1};
  CompleteVfpGrid(a, high, {true, true, true, false, false},
                  {"", "", "", "the pressure rises above 30000 psia", "no convergence"});
  EXPECT_EQ(high[3], 30000.0);
  EXPECT_EQ(high[4], 1200 + 400.0 / 3);

  std::vector<double> none(5, 0.0);
  const std::string m = test::ErrorOf<VfpTableError>([&] {
    CompleteVfpGrid(a, none, std::vector<bool>(5, false),
                    std::vector<std::string>(5, "no convergence"));
  });
  EXPECT_NE(m.find("THP 100 psia, WCT 0.2, GOR 0.5 Mscf/stb"), std::string::npos) << m;
  EXPECT_NE(m.find("no convergence"), std::string::npos) << m;
}

TEST(VfpGrid, BhpRisesStrictlyWithThpInEveryColumn) {
  VfpAxes a = ProducerAxes({1000, 2000}, {100, 200, 400}, {0}, {0.5});
  // Columns (THP 100, 200, 400): {1000, 990, 1300} and {1000, 1000, 1050}.
  std::vector<double> bhp = {1000, 1000, 990, 1000, 1300, 1050};
  const auto adj = CompleteVfpGrid(a, bhp, std::vector<bool>(6, true), std::vector<std::string>(6));
  EXPECT_EQ(bhp, (std::vector<double>{1000, 1000, 1100, 1100, 1300, 1300}));
  ASSERT_EQ(adj.size(), 3u);
  for (const VfpAdjustment& r : adj) EXPECT_EQ(r.kind, VfpAdjustment::Kind::kRaised);

  // An injector is raised by the least step the deck shows, never by the
  // THP step, which would make injection easier than its curve allows.
  a.type = VfpType::kInjector;
  std::vector<double> inj = {1000, 1000, 990, 1000, 980, 1000};
  CompleteVfpGrid(a, inj, std::vector<bool>(6, true), std::vector<std::string>(6));
  const std::vector<double> least = {1000, 1000, 1000.002, 1000.002, 1000.004, 1000.004};
  for (std::size_t i = 0; i < inj.size(); ++i) EXPECT_NEAR(inj[i], least[i], 1e-9) << i;
  a.type = VfpType::kProducer;

  // The example table rises with THP. (Its traverses run on RunTraverses,
  // whose results LiftCurves.TheFamilyDoesNotDependOnTheThreadCount checks.)
  const VfpAxes axes = ReadVfpAxesFile(PDROP_EXAMPLES_DIR "/oil_well_vfp.json");
  const VfpTable two = BuildVfpTable(OilWell(), axes, 2);
  // THP is the outermost axis: a cell's neighbour at the next lower THP
  // lies one THP step of the values back.
  const std::size_t thpStep = axes.Index(1, 0, 0, 0);
  for (std::size_t i = thpStep; i < two.bhp.size(); ++i) {
    EXPECT_GT(two.bhp[i], two.bhp[i - thpStep]) << i;
  }
}

TEST(VfpTable, BhpIsTheTraversePressureAtTheDatum) {
  const TraverseCase c = OilWell();  // 0 to 8000 ft, 200 ft segments
  VfpAxes a = ProducerAxes({1500}, {250}, {0.2}, {0.5});
  // The cell's rates are the example's own: 1200 STB/d of oil, 300 bbl/d of
  // water, 0.6 MMscf/d of gas.
  const TraverseResult r = RunTraverse(c);
  ASSERT_TRUE(r.complete) << r.reason;
  for (double datum : {kNotSet, 6000.0}) {
    a.datum = datum;
    const VfpTable t = BuildVfpTable(c, a, 1);
    const double depth = IsSet(datum) ? datum : 8000.0;
    const auto row = std::find_if(r.rows.begin(), r.rows.end(),
                                  [depth](const TraverseRow& x) { return x.md_ft == depth; });
    ASSERT_NE(row, r.rows.end());
    EXPECT_NEAR(t.bhp[0], row->pressure_psia, 1e-6) << "datum " << depth;
    EXPECT_EQ(t.datum, depth);
  }
}

// The rows of tests/data/bad_input.json: a patch merged into the example's
// axes and a part of the message.
TEST(VfpAxes, BadInputIsRefusedNamingTheField) {
  const nlohmann::json base = ReadJsonFile(PDROP_EXAMPLES_DIR "/oil_well_vfp.json");
  const nlohmann::json rows = ReadJsonFile(PDROP_TEST_DATA_DIR "/bad_input.json").at("vfp_axes");
  ASSERT_EQ(rows.size(), 17u);
  const TraverseCase c = OilWell();
  for (const nlohmann::json& row : rows) {
    nlohmann::json j = base;
    j.merge_patch(row[0]);
    const std::string m = test::ErrorOf<InputError>([&] {
      const VfpAxes a = VfpAxesFromJson(j, "axes.json");
      VfpCellCases(c, a, VfpDatum_ft(c, a));
    });
    EXPECT_NE(m.find(row[1].get<std::string>()), std::string::npos) << row[0] << ": " << m;
  }
}

}  // namespace
}  // namespace pdrop
