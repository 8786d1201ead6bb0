// pdrop serve: the page in a browser, served on this machine.
#include <memory>

#include "Commands.h"
#include "Server.h"

namespace pdrop::cli {

Command AddServeCommand(CLI::App& app) {
  auto o = std::make_shared<ServeOptions>();
  CLI::App* sub = app.add_subcommand(
      "serve", "the page: cases, traverses, flow maps and lift curves in a browser");
  sub->add_option("--port", o->port, "port to listen on (default 8080; 0: any free port)");
  sub->add_option("--host", o->host, "address to listen on (default 127.0.0.1: this machine only)");
  sub->add_option("--threads", o->threads,
                  "requests served at once, 1 to 64 (default: one per core)");
  return {sub, [o] { return Serve(*o); }};
}

}  // namespace pdrop::cli
