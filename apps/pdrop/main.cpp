// The pdrop command: pressure traverses of wells and pipelines from case
// files, single segments from flags, batches on all cores, and the catalogue.
// Exit codes: 0 done, 1 a traverse, segment or batch case without a complete
// result, 2 bad input, 3 an internal error.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include <CLI/CLI.hpp>

#include "Batch.h"
#include "Commands.h"
#include "Outputs.h"
#include "Report.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/ResultJson.h"
#include "pdrop/pdrop.h"
#include "pdrop/platform/Units.h"

namespace {

using namespace pdrop;
using namespace pdrop::cli;

int RunTraverseCommand(const std::string& casePath, const std::string& csvPath,
                       const std::string& jsonPath) {
  const TraverseCase c = ReadCaseFile(casePath);
  OutputSet outputs({casePath});
  outputs.ExpectFile("--csv", csvPath);
  outputs.ExpectFile("--json", jsonPath);
  const TraverseResult r = RunTraverse(c);
  PrintTable(std::cout, c, r);
  PrintSummary(std::cout, c, r);
  if (!csvPath.empty()) {
    std::ostringstream s;
    WriteCsv(s, r);
    outputs.Stage(csvPath, s.str());
  }
  if (!jsonPath.empty()) outputs.Stage(jsonPath, TraverseJson(c, r).dump(2) + "\n");
  outputs.Commit();
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
    for (std::size_t i = 0; i < names.size(); ++i)
      out << (i ? ", " : " ") << names[i] << " (" << codes[i] << ")";
    out << "\n";
  }
  out << "\nFlow regimes (code, name):\n";
  CPressDrop::EnumerateFlowCodes(names, codes);
  for (std::size_t i = 0; i < names.size(); ++i) {
    out << "  " << codes[i] << "  " << CPressDrop::GetCodeName(codes[i]) << "\n";
  }
}

struct SegmentArgs {
  std::string code = "3";
  SegmentInputs in;
  BlackOilFluid fluid;
  bool json = false;
};

// The names of the segment's options in messages.
SegmentFieldNames SegmentFlags() {
  return {"--id-in",      "--inner-od-in",   "--roughness-in",  "--dx-ft",
          "--dz-ft",      "--pressure-psia", "--temperature-F", "--gradient-F-per-ft",
          "--gas-MMscfd", "--oil-STBd",      "--water-bbld",    "--dir",
          "--flw"};
}

std::string FluidFlag(const std::string& caseField) {
  std::string flag = "--" + caseField;
  for (char& ch : flag) {
    if (ch == '_') ch = '-';
  }
  return flag;
}

int RunSegmentCommand(const SegmentArgs& a) {
  // A code or a name, by the case files' rule.
  const bool digits =
      !a.code.empty() && a.code.find_first_not_of("0123456789") == std::string::npos;
  const int code = CorrelationCode(
      digits ? nlohmann::json(std::stoull(a.code.substr(0, 18))) : nlohmann::json(a.code),
      "--code");
  const SegmentInputs& in = a.in;
  CheckSegment(in, SegmentFlags());
  a.fluid.Validate(&FluidFlag);
  BlackOilPhases ph = a.fluid.MakePhases();
  std::unique_ptr<CPressDrop> e(
      CPressDrop::New(in.innerOd_in, in.pipeId_in, in.dx_ft, in.dz_ft, code));
  e->SetDir(static_cast<int>(in.direction));
  e->SetFlw(static_cast<int>(in.flowSign));
  e->SetFf(in.roughness_in);
  e->SetProps(ph.gas.get(), ph.oil.get(), ph.water.get());
  const double p2 = e->Cal(in.pressure_psia, in.temperature_F + units::kRankineOffset,
                           in.gradient_F_per_ft, in.gas_MMscfd, in.oil_STBd, in.water_bbld);
  std::string noResult = IsSet(p2) ? PressureOutOfRange(p2) : NoResultReason(*e);
  const bool ok = noResult.empty();

  OperatingEnvelope envelope;
  envelope.minTemperature_F = envelope.maxTemperature_F = in.temperature_F;
  envelope.maxPipeId_in = in.pipeId_in - in.innerOd_in;
  envelope.gas_MMscfd = std::fabs(in.gas_MMscfd);
  envelope.oil_STBd = std::fabs(in.oil_STBd);
  envelope.water_bbld = std::fabs(in.water_bbld);
  std::vector<std::string> warnings = FittedRangeWarnings(a.fluid, code, envelope);
  const std::string note = ok ? CalculationNote(*e) : std::string();
  if (!note.empty()) warnings.insert(warnings.begin(), note);

  auto value = [ok](double v) -> nlohmann::ordered_json {
    return ok && IsSet(v) && std::isfinite(v) ? nlohmann::ordered_json(v)
                                              : nlohmann::ordered_json();
  };
  nlohmann::ordered_json j;
  j["correlation"] = CorrelationTitle(code);
  j["outlet_pressure_psia"] = value(p2);
  if (!ok) j["no_result"] = noResult;
  j["friction_dp_psi"] = value(e->m_dFrictionDP);
  j["elevation_dp_psi"] = value(e->m_dElevationDP);
  j["holdup"] = value(e->m_dHoldup);
  j["regime_code"] = e->GetCode();
  j["regime"] = RegimeName(e->GetCode());
  j["vsg_ftps"] = value(e->m_dVsg);
  j["vsl_ftps"] = value(e->m_dVsl);
  j["mixture_density_lbmft3"] = value(e->m_dRhoS);
  j["reynolds"] = value(e->m_dReM);
  j["friction_factor"] = value(e->m_dFm);
  j["pieces"] = e->m_nSubdivUsed;
  j["warnings"] = warnings;
  if (a.json) {
    std::cout << j.dump(2) << "\n";
  } else if (!ok) {
    std::cout << j["correlation"].get<std::string>() << "\nno result: " << noResult << "\n";
  } else {
    for (auto it = j.begin(); it != j.end(); ++it) {
      if (it.key() == "warnings") continue;
      const auto& v = it.value();
      std::cout << std::left << std::setw(24) << it.key() << " "
                << (v.is_null()     ? std::string("\u2014")
                    : v.is_string() ? v.get<std::string>()
                                    : v.dump())
                << "\n";
    }
  }
  if (!a.json) {
    for (const std::string& w : warnings) std::cout << "note: " << w << "\n";
  }
  return ok ? 0 : 1;
}

int RunMapCommand(const std::string& casePath, const std::string& csvPath,
                  const std::string& jsonPath, const std::string& dumpsPath) {
  TraverseCase c = ReadCaseFile(casePath);
  c.correlation = 9;
  OutputSet outputs({casePath});
  outputs.ExpectFile("--csv", csvPath);
  outputs.ExpectFile("--json", jsonPath);
  const std::string staging =
      dumpsPath.empty() ? std::string() : outputs.ExpectFolder("--dumps", dumpsPath);
  const CaseFlowMap map = MapFirstSegment(c);
  if (!map.ok) {
    std::cerr << "pdrop: " << casePath << ": " << map.reason << "\n";
    return 1;
  }
  std::ostringstream csv;
  csv << "regime_code,regime,vsg_ftps,vsl_ftps,holdup,elevation_dp_psi_per_ft\n";
  std::cout << "Flow patterns of the segment next to the known end (Petalas & Aziz):\n";
  for (const CFlowRegime& e : map.entries) {
    if (!e.IsCode() || e.m_aVsg.empty()) continue;
    std::cout << "  " << std::left << std::setw(22) << e.GetCodeName() << e.m_aVsg.size()
              << " points\n";
    for (std::size_t i = 0; i < e.m_aVsg.size(); ++i) {
      csv << e.m_nCode << ",\"" << e.GetCodeName() << "\"," << e.m_aVsg[i] << ',' << e.m_aVsl[i]
          << ',';
      if (IsSet(e.m_aHoldup[i])) csv << e.m_aHoldup[i];
      csv << ',';
      if (IsSet(e.m_aElevationDP[i])) csv << e.m_aElevationDP[i];
      csv << '\n';
    }
  }
  std::cout << "operating point: vsg " << map.vsg_ftps << " ft/s, vsl " << map.vsl_ftps << " ft/s, "
            << RegimeName(map.regime_code) << "\n";
  if (!csvPath.empty()) outputs.Stage(csvPath, csv.str());
  if (!jsonPath.empty()) outputs.Stage(jsonPath, FlowMapJson(map).dump(2) + "\n");
  if (!staging.empty()) {
    std::string reason;
    if (!WriteFlowMapDumps(c, staging, &reason))
      throw InputError("--dumps " + dumpsPath + ": " + reason);
  }
  outputs.Commit();
  return 0;
}

int RunBatchCommand(const std::string& path, int threads, const std::string& csvPath,
                    const std::string& jsonPath) {
  CheckThreads(threads);
  const std::vector<BatchEntry> entries = ReadBatch(path);
  OutputSet outputs(BatchInputs(path, entries));
  outputs.ExpectFile("--csv", csvPath);
  outputs.ExpectFile("--json", jsonPath);
  const std::vector<BatchOutcome> outcomes = RunBatch(entries, threads, true);
  const std::string csv = BatchCsv(outcomes);
  std::cout << csv;
  if (!csvPath.empty()) outputs.Stage(csvPath, csv);
  if (!jsonPath.empty()) outputs.Stage(jsonPath, BatchJson(outcomes).dump(2) + "\n");
  outputs.Commit();
  std::size_t failed = 0;
  for (const BatchOutcome& o : outcomes) failed += o.status != "complete";
  if (failed > 0) {
    std::cerr << "pdrop: " << failed << " of " << outcomes.size()
              << " cases have no complete result (see their reason)\n";
  }
  return failed > 0 ? 1 : 0;
}

// The first command-line word that names no option of the chosen command.
std::string UnknownOption(const CLI::App& app, int argc, char** argv) {
  for (const CLI::App* sub : app.get_subcommands()) {
    for (int i = 1; i < argc; ++i) {
      const std::string word = argv[i];
      if (word.size() < 2 || word[0] != '-' || std::isdigit(static_cast<unsigned char>(word[1])) ||
          word[1] == '.') {
        continue;
      }
      const std::string name = word.substr(0, word.find('='));
      if (sub->get_option_no_throw(name) == nullptr && app.get_option_no_throw(name) == nullptr) {
        return "unknown option '" + name + "' (see 'pdrop " + sub->get_name() + " --help')";
      }
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  pdrop::cli::RemoveStagedOnInterrupt();
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
  auto* segment =
      app.add_subcommand("segment", "solve one segment with the built-in black-oil fluid");
  segment->add_option("--code", seg.code, "correlation code or name (see 'pdrop list'; default 3)");
  segment->add_option("--id-in", seg.in.pipeId_in, "pipe inside diameter [in]")->required();
  segment->add_option("--inner-od-in", seg.in.innerOd_in,
                      "inner-string outside diameter [in] (default 0: none)");
  segment->add_option("--dx-ft", seg.in.dx_ft, "horizontal run [ft] (default 0)");
  segment->add_option("--dz-ft", seg.in.dz_ft,
                      "elevation change [ft] (default 0); with --dir +1 it goes down");
  segment->add_option("--dir", seg.in.direction, "+1 marching down (or level), -1 up (default +1)");
  segment->add_option("--flw", seg.in.flowSign,
                      "+1 marching against the flow, -1 with it (default +1)");
  segment->add_option("--roughness-in", seg.in.roughness_in,
                      "absolute roughness [in] (default 0.0006)");
  segment->add_option("--pressure-psia", seg.in.pressure_psia, "known-end pressure [psia]")
      ->required();
  segment->add_option("--temperature-F", seg.in.temperature_F, "known-end temperature [degF]")
      ->required();
  segment->add_option("--gradient-F-per-ft", seg.in.gradient_F_per_ft,
                      "temperature change per ft of pipe [degF/ft]");
  segment->add_option("--gas-MMscfd", seg.in.gas_MMscfd, "gas rate [MMscf/d]");
  segment->add_option("--oil-STBd", seg.in.oil_STBd, "oil rate [STB/d]");
  segment->add_option("--water-bbld", seg.in.water_bbld, "water rate [bbl/d]");
  segment->add_option("--gas-gravity", seg.fluid.gasGravity, "gas gravity [air = 1]");
  segment->add_option("--oil-api", seg.fluid.oilApi, "oil gravity [degAPI]");
  segment->add_option("--water-salinity-wt-pct", seg.fluid.waterSalinity, "water salinity [wt %]");
  segment->add_option("--water-yield-bbl-per-MMscf", seg.fluid.waterYield,
                      "water carried by the gas [bbl/MMscf]");
  segment->add_option("--bubble-point-psia", seg.fluid.bubblePoint, "fixed bubble point [psia]");
  segment->add_flag("--json", seg.json, "print JSON");

  bool listJson = false;
  app.add_subcommand("list", "correlations, their lists and flow-regime codes")
      ->add_flag("--json", listJson, "print JSON");

  std::string mapCase, mapCsv, mapJson, mapDumps;
  auto* mapCommand =
      app.add_subcommand("map", "mechanistic flow-pattern map of a case's first segment");
  mapCommand->add_option("case", mapCase, "case file (JSON)")->required();
  mapCommand->add_option("--csv", mapCsv, "write the map points as CSV");
  mapCommand->add_option("--json", mapJson, "write the map and the operating point as JSON");
  mapCommand->add_option("--dumps", mapDumps, "write the pattern and boundary text files here");

  std::string batchPath;
  int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::string batchCsv, batchJson;
  auto* batch = app.add_subcommand("batch", "run many cases on all cores");
  batch->add_option("cases", batchPath, "CASES.json or CASES.csv")->required();
  batch->add_option("--threads", threads, "worker threads");
  batch->add_option("--csv", batchCsv, "write the result rows as CSV");
  batch->add_option("--json", batchJson, "write the result rows as JSON");

  // The workflow subcommands.
  std::vector<Command> workflows;
  workflows.push_back(AddVlpCommand(app));
  workflows.push_back(AddVfpCommand(app));
  workflows.push_back(AddMatchCommand(app));
#ifdef PDROP_HAVE_SERVE
  workflows.push_back(AddServeCommand(app));
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ExtrasError& e) {
    const std::string unknown = UnknownOption(app, argc, argv);
    std::cerr << "pdrop: error: " << (unknown.empty() ? std::string(e.what()) : unknown) << "\n";
    return 2;
  } catch (const CLI::ParseError& e) {
    std::cerr << "pdrop: error: " << e.what() << "\n";
    return 2;
  }

  try {
    if (*traverse) return RunTraverseCommand(casePath, csvPath, jsonPath);
    if (*segment) return RunSegmentCommand(seg);
    if (*batch) return RunBatchCommand(batchPath, threads, batchCsv, batchJson);
    if (*mapCommand) return RunMapCommand(mapCase, mapCsv, mapJson, mapDumps);
    for (const Command& c : workflows) {
      if (*c.app) return c.run();
    }
    if (listJson) {
      std::cout << CatalogueJson().dump(2) << "\n";
    } else {
      PrintList(std::cout);
    }
    return 0;
  } catch (const InputError& e) {
    std::cerr << "pdrop: error: " << e.what() << "\n";
    return 2;
  } catch (const std::invalid_argument& e) {
    std::cerr << "pdrop: error: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    // Every expected failure is handled above; this is the last line of
    // defence, so that nothing reaches std::terminate.
    std::cerr << "pdrop: internal error: " << e.what() << "\n";
    return 3;
  } catch (...) {
    std::cerr << "pdrop: internal error\n";
    return 3;
  }
}
