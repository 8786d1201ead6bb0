// The workflow subcommands of the pdrop command, each in a file of its own:
// Add...Command declares its options on the app and returns how to run it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pdrop/case/CaseFile.h"

namespace pdrop::cli {

// The value of a --threads option: an InputError outside 1 to `most`.
inline void CheckThreads(int threads, int most = 1024) {
  if (threads < 1 || threads > most) {
    throw InputError("--threads = " + std::to_string(threads) +
                     " is outside the accepted range 1 to " + std::to_string(most));
  }
}

struct Command {
  CLI::App* app;             // the subcommand, chosen when *app is true
  std::function<int()> run;  // its exit code; throws InputError for bad input
};

Command AddVlpCommand(CLI::App& app);
Command AddVfpCommand(CLI::App& app);
Command AddMatchCommand(CLI::App& app);
// Only in a build with cpp-httplib and Chart.js (PDROP_HAVE_SERVE).
Command AddServeCommand(CLI::App& app);

}  // namespace pdrop::cli
