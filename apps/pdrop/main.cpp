// The pdrop command: pressure traverses of wells and pipelines from case
// files, single segments from flags, batches on all cores, and the catalogue.
// Exit codes: 0 done, 1 a traverse or segment without a complete result,
// 2 bad input.
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include <CLI/CLI.hpp>

#include "Batch.h"
#include "CaseFile.h"
#include "Report.h"
#include "pdrop/pdrop.h"

namespace {

using namespace pdrop;
using namespace pdrop::cli;

int RunTraverseCommand(const std::string& casePath, const std::string& csvPath,
                       const std::string& jsonPath) {
  const TraverseCase c = ReadCaseFile(casePath);
  const TraverseResult r = RunTraverse(c);
  PrintTable(std::cout, c, r);
  PrintSummary(std::cout, c, r);
  if (!csvPath.empty()) {
    std::ostringstream s;
    WriteCsv(s, r);
    WriteFileAtomically(csvPath, s.str());
  }
  if (!jsonPath.empty()) WriteFileAtomically(jsonPath, ResultJson(c, r).dump(2) + "\n");
  return r.complete ? 0 : 1;
}

void PrintList(std::ostream& out) {
  std::vector<std::string> names;
  std::vector<std::uint16_t> codes;
  out << "Correlations (code, name, default pipeline efficiency, help):\n";
  CPressDrop::EnumerateAll(names, codes);
  for (std::size_t i = 0; i < names.size(); ++i) {
    char line[200];
    std::snprintf(line, sizeof line, "  %d  %-24s %5.2f  %s\n", codes[i], names[i].c_str(),
                  CPressDrop::GetDefaultFlowEff(codes[i]),
                  CPressDrop::GetBblHelp(0, codes[i]).c_str());
    out << line;
  }
  struct List {
    const char* title;
    void (*fill)(std::vector<std::string>&, std::vector<std::uint16_t>&);
  } lists[] = {{"gas", &CPressDrop::EnumerateGas},
               {"liquid", &CPressDrop::EnumerateLiquid},
               {"multiphase (wells)", &CPressDrop::EnumerateMultiphase1},
               {"multiphase (pipelines)", &CPressDrop::EnumerateMultiphase2}};
  for (const List& l : lists) {
    l.fill(names, codes);
    out << "\nFor " << l.title << ":";
    for (std::size_t i = 0; i < names.size(); ++i) out << (i ? ", " : " ") << names[i] << " (" << codes[i] << ")";
    out << "\n";
  }
  out << "\nFlow regimes (code, name):\n";
  CPressDrop::EnumerateFlowCodes(names, codes);
  for (std::size_t i = 0; i < names.size(); ++i) {
    out << "  " << codes[i] << "  " << CPressDrop::GetCodeName(codes[i]) << "\n";
  }
}

struct SegmentArgs {
  int code = 3;
  double id_in = 0.0, inner_od_in = 0.0, dx_ft = 0.0, dz_ft = 0.0;
  int dir = 1, flw = 1;
  double roughness_in = 0.0006;
  double pressure_psia = 0.0, temperature_F = 0.0, gradient_F_per_ft = 0.0;
  double gas_MMscfd = 0.0, oil_STBd = 0.0, water_bbld = 0.0;
  BlackOilFluid fluid;
  bool json = false;
};

int RunSegmentCommand(const SegmentArgs& a) {
  try {
    a.fluid.Validate();
  } catch (const std::invalid_argument& e) {
    throw InputError(e.what());
  }
  if (a.code < 0 || a.code > 9) throw InputError("--code = " + std::to_string(a.code) + " is not a correlation code 0 to 9");
  if (!(a.id_in > 0.0)) throw InputError("--id-in = " + std::to_string(a.id_in) + " must be above 0");
  if (!(a.inner_od_in >= 0.0 && a.inner_od_in < a.id_in)) {
    throw InputError("--inner-od-in = " + std::to_string(a.inner_od_in) + " must be 0 or more and below --id-in");
  }
  if (!(a.pressure_psia >= 5.0)) throw InputError("--pressure-psia = " + std::to_string(a.pressure_psia) + " must be at least 5");
  if (!(a.temperature_F > -459.67)) throw InputError("--temperature-F = " + std::to_string(a.temperature_F) + " must be above -459.67");
  if ((a.dir != 1 && a.dir != -1) || (a.flw != 1 && a.flw != -1)) throw InputError("--dir and --flw take +1 or -1");
  BlackOilPhases ph = a.fluid.MakePhases();
  std::unique_ptr<CPressDrop> e(CPressDrop::New(a.inner_od_in, a.id_in, a.dx_ft, a.dz_ft, a.code));
  e->SetDir(a.dir);
  e->SetFlw(a.flw);
  e->SetFf(a.roughness_in);
  e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  const double p2 = e->Cal(a.pressure_psia, a.temperature_F + 459.67, a.gradient_F_per_ft,
                           a.gas_MMscfd, a.oil_STBd, a.water_bbld);
  auto value = [](double v) -> nlohmann::json {
    return IsSet(v) ? nlohmann::json(v) : nlohmann::json();
  };
  const nlohmann::json j = {
      {"outlet_pressure_psia", value(p2)},
      {"friction_dp_psi", value(e->m_dFrictionDP)},
      {"elevation_dp_psi", value(e->m_dElevationDP)},
      {"holdup", value(e->m_dHoldup)},
      {"regime_code", e->GetCode()},
      {"regime", CPressDrop::GetCodeName(e->GetCode())},
      {"vsg_ftps", value(e->m_dVsg)},
      {"vsl_ftps", value(e->m_dVsl)},
      {"mixture_density_lbmft3", value(e->m_dRhoS)},
      {"reynolds", value(e->m_dReM)},
      {"friction_factor", value(e->m_dFm)},
      {"pieces", e->m_nSubdivUsed}};
  if (a.json) {
    std::cout << j.dump(2) << "\n";
  } else {
    for (auto it = j.begin(); it != j.end(); ++it) {
      std::cout << std::left << std::setw(24) << it.key() << " "
                << (it.value().is_null() ? std::string("(no result)") : it.value().dump()) << "\n";
    }
  }
  return IsSet(p2) ? 0 : 1;
}

int RunMapCommand(const std::string& casePath, const std::string& csvPath,
                  const std::string& dumpsPath) {
  TraverseCase c = ReadCaseFile(casePath);
  c.correlation = 9;
  const CaseFlowMap map = MapFirstSegment(c);
  if (!map.ok) {
    std::cerr << "pdrop: " << casePath << ": " << map.reason << "\n";
    return 1;
  }
  std::ostringstream csv;
  csv << "regime_code,regime,vsg_ftps,vsl_ftps,holdup,elevation_dp_psi_per_ft\n";
  std::cout << "Flow patterns of the segment next to the known end (Petalas & Aziz):\n";
  for (const CFlowRegime& e : map.entries) {
    if (!e.IsCode()) continue;
    std::cout << "  " << std::left << std::setw(22) << e.GetCodeName() << e.m_aVsg.size()
              << " points\n";
    for (std::size_t i = 0; i < e.m_aVsg.size(); ++i) {
      csv << e.m_nCode << ",\"" << e.GetCodeName() << "\"," << e.m_aVsg[i] << ','
          << e.m_aVsl[i] << ',';
      if (IsSet(e.m_aHoldup[i])) csv << e.m_aHoldup[i];
      csv << ',';
      if (IsSet(e.m_aElevationDP[i])) csv << e.m_aElevationDP[i];
      csv << '\n';
    }
  }
  std::cout << "operating point: vsg " << map.vsg_ftps << " ft/s, vsl " << map.vsl_ftps
            << " ft/s, " << CPressDrop::GetCodeName(map.regime_code) << "\n";
  if (!csvPath.empty()) WriteFileAtomically(csvPath, csv.str());
  if (!dumpsPath.empty()) {
    std::string reason;
    if (!WriteFlowMapDumps(c, dumpsPath, &reason)) throw InputError("--dumps: " + reason);
  }
  return 0;
}

int RunBatchCommand(const std::string& path, int threads, const std::string& csvPath,
                    const std::string& jsonPath) {
  if (threads < 1 || threads > 1024) throw InputError("--threads = " + std::to_string(threads) + " must be 1 to 1024");
  const std::vector<TraverseCase> cases = ReadBatch(path);
  const std::vector<BatchOutcome> outcomes = RunBatch(cases, threads, true);
  const std::string csv = BatchCsv(outcomes);
  std::cout << csv;
  if (!csvPath.empty()) WriteFileAtomically(csvPath, csv);
  if (!jsonPath.empty()) WriteFileAtomically(jsonPath, BatchJson(outcomes).dump(2) + "\n");
  for (const BatchOutcome& o : outcomes) {
    if (o.status != "complete") return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  pdrop::CPressDrop::m_bMechModel = 1;
  CLI::App app{"pdrop: pressure change of gas, oil and water through wells and pipelines"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(pdrop::kVersion));

  std::string casePath, csvPath, jsonPath;
  auto* traverse = app.add_subcommand("traverse", "march a well or pipeline case file");
  traverse->add_option("case", casePath, "case file (JSON)")->required();
  traverse->add_option("--csv", csvPath, "write the rows as CSV");
  traverse->add_option("--json", jsonPath, "write the rows and summary as JSON");

  SegmentArgs seg;
  auto* segment = app.add_subcommand("segment", "solve one segment with the built-in black-oil fluid");
  segment->add_option("--code", seg.code, "correlation code (see 'pdrop list')");
  segment->add_option("--id-in", seg.id_in, "pipe inside diameter [in]")->required();
  segment->add_option("--inner-od-in", seg.inner_od_in, "inner-string outside diameter [in]");
  segment->add_option("--dx-ft", seg.dx_ft, "horizontal run [ft]");
  segment->add_option("--dz-ft", seg.dz_ft, "elevation change [ft]");
  segment->add_option("--dir", seg.dir, "+1 marching down (or level), -1 up");
  segment->add_option("--flw", seg.flw, "+1 marching against the flow, -1 with it");
  segment->add_option("--roughness-in", seg.roughness_in, "absolute roughness [in]");
  segment->add_option("--pressure-psia", seg.pressure_psia, "known-end pressure [psia]")->required();
  segment->add_option("--temperature-F", seg.temperature_F, "known-end temperature [degF]")->required();
  segment->add_option("--gradient-F-per-ft", seg.gradient_F_per_ft, "temperature change per ft of pipe [degF/ft]");
  segment->add_option("--gas-MMscfd", seg.gas_MMscfd, "gas rate [MMscf/d]");
  segment->add_option("--oil-STBd", seg.oil_STBd, "oil rate [STB/d]");
  segment->add_option("--water-bbld", seg.water_bbld, "water rate [bbl/d]");
  segment->add_option("--gas-gravity", seg.fluid.gasGravity, "gas gravity [air = 1]");
  segment->add_option("--oil-api", seg.fluid.oilApi, "oil gravity [degAPI]");
  segment->add_option("--water-salinity-wt-pct", seg.fluid.waterSalinity, "water salinity [wt %]");
  segment->add_flag("--json", seg.json, "print JSON");

  app.add_subcommand("list", "correlations, their lists and flow-regime codes");

  std::string mapCase, mapCsv, mapDumps;
  auto* mapCommand =
      app.add_subcommand("map", "mechanistic flow-pattern map of a case's first segment");
  mapCommand->add_option("case", mapCase, "case file (JSON)")->required();
  mapCommand->add_option("--csv", mapCsv, "write the map points as CSV");
  mapCommand->add_option("--dumps", mapDumps, "write the pattern and boundary text files here");

  std::string batchPath;
  int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::string batchCsv, batchJson;
  auto* batch = app.add_subcommand("batch", "run many cases on all cores");
  batch->add_option("cases", batchPath, "CASES.json or CASES.csv")->required();
  batch->add_option("--threads", threads, "worker threads");
  batch->add_option("--csv", batchCsv, "write the result rows as CSV");
  batch->add_option("--json", batchJson, "write the result rows as JSON");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "pdrop: error: " << e.what() << "\n";
    return 2;
  }

  try {
    if (*traverse) return RunTraverseCommand(casePath, csvPath, jsonPath);
    if (*segment) return RunSegmentCommand(seg);
    if (*batch) return RunBatchCommand(batchPath, threads, batchCsv, batchJson);
    if (*mapCommand) return RunMapCommand(mapCase, mapCsv, mapDumps);
    PrintList(std::cout);
    return 0;
  } catch (const InputError& e) {
    std::cerr << "pdrop: error: " << e.what() << "\n";
    return 2;
  } catch (const std::invalid_argument& e) {
    std::cerr << "pdrop: error: " << e.what() << "\n";
    return 2;
  }
}
