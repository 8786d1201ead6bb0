// pdrop vfp: a VFPPROD or VFPINJ table of a well case, for a reservoir
// simulator deck. Exit codes as the other commands: 0 written, 1 a table
// that cannot be completed (a whole curve without a result), 2 bad input.
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "Commands.h"
#include "Outputs.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/VfpAxes.h"
#include "pdrop/traverse/Parallel.h"
#include "pdrop/workflows/Vfp.h"

namespace pdrop::cli {
namespace {

struct VfpArgs {
  std::string casePath;
  std::string axesPath;
  std::string outPath;
  int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
};

int RunVfp(const VfpArgs& a) {
  CheckThreads(a.threads);
  const TraverseCase c = ReadCaseFile(a.casePath);
  const VfpAxes axes = ReadVfpAxesFile(a.axesPath);
  OutputSet outputs({a.casePath, a.axesPath});
  outputs.ExpectFile("-o", a.outPath);
  // Checked before the traverses start, so that bad input costs nothing.
  VfpCellCases(c, axes, VfpDatum_ft(c, axes));

  VfpTable table;
  try {
    table = BuildVfpTable(c, axes, a.threads,
                          isatty(STDERR_FILENO) != 0
                              ? std::function<void(std::size_t, std::size_t)>(&ProgressBar)
                              : nullptr);
  } catch (const VfpTableError& e) {
    std::cerr << "pdrop: " << a.casePath << ": " << e.what() << "\n";
    return 1;
  }
  table.case_file = a.casePath;
  for (const std::string& line : VfpAdjustmentLines(table)) std::cerr << "pdrop: " << line << "\n";
  outputs.Stage(a.outPath, VfpDeckText(table));
  outputs.Commit();
  const bool prod = axes.type == VfpType::kProducer;
  std::cout << (prod ? "VFPPROD" : "VFPINJ") << " table " << axes.table << " ("
            << DeckWord(axes.units) << ", datum " << DeckNumber(table.datum, 4) << " "
            << DepthUnit(axes.units) << "): " << axes.CellCount() << " cells, "
            << table.FilledCount() << " filled, " << table.RaisedCount() << " raised; written to "
            << a.outPath << "\n";
  return 0;
}

}  // namespace

Command AddVfpCommand(CLI::App& app) {
  auto args = std::make_shared<VfpArgs>();
  CLI::App* sub = app.add_subcommand(
      "vfp", "VFP table (VFPPROD or VFPINJ) of a well case, for a reservoir simulator deck");
  sub->add_option("case", args->casePath, "well case file (JSON); its known end is the wellhead")
      ->required();
  sub->add_option("--axes", args->axesPath,
                  "axes file (JSON): table number, type, units, FLO, THP, WFR, GFR values")
      ->required();
  sub->add_option("-o,--output", args->outPath, "deck file to write, e.g. TABLE.inc")->required();
  sub->add_option("--threads", args->threads, "worker threads (default: all cores)");
  return {sub, [args] { return RunVfp(*args); }};
}

}  // namespace pdrop::cli
