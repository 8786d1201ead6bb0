// The workflow subcommands of the pdrop command, each in a file of its own:
// Add...Command declares its options on the app and returns how to run it.
#pragma once

#include <functional>
#include <vector>

#include <CLI/CLI.hpp>

namespace pdrop::cli {

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
