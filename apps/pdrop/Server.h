// pdrop serve: a local HTTP server for the page in apps/pdrop/web and a
// small JSON API that the page and scripts use. Each endpoint takes a case
// as the command does and answers what the command's JSON output holds:
//   GET  /api/catalogue          pdrop list --json
//   GET  /api/examples           the bundled example cases by name
//   GET  /api/examples/NAME      one of them, as its case file holds it
//   POST /api/traverse           pdrop traverse CASE --json   (body: the case)
//   POST /api/traverse.csv       pdrop traverse CASE --csv
//   POST /api/map                pdrop map CASE --json
//   POST /api/lift-curves        pdrop vlp CASE --json
//                                (body: {"case": ..., "sensitivities": ...})
// Bad input is 400 with {"error": message, "field": the field it names}.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace pdrop::cli {

struct ServeOptions {
  std::string host = "127.0.0.1";
  int port = 8080;  // 0: any free port
  int threads = 0;  // 0: one per core
};

// Runs until interrupted (SIGINT, SIGTERM); returns the exit code.
int Serve(const ServeOptions& options);

// What the API answers, apart from the transport: status and JSON body (or
// CSV text for /api/traverse.csv). Runs in the calling thread.
struct ApiAnswer {
  int status = 200;
  std::string body;
  std::string contentType = "application/json";
};
ApiAnswer AnswerApi(const std::string& method, const std::string& path, const std::string& body);

// The largest work a request may ask for: segments marched in one traverse
// (or map), and segments over all traverses of a family of lift curves.
constexpr std::size_t kMaxTraverseSegments = 5000;
constexpr std::size_t kMaxLiftCurveSegments = 200000;
constexpr std::size_t kMaxBodyBytes = 1 << 20;

}  // namespace pdrop::cli
