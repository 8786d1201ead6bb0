#include "Server.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <httplib.h>

#include "Commands.h"
#include "Outputs.h"
#include "Report.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/ResultJson.h"
#include "pdrop/traverse/CaseFlowMap.h"
#include "pdrop/workflows/VlpRequest.h"

namespace pdrop::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// The field a message of the case reader names: "oil_STBd: expected a
// number" and "oil_STBd = -1 is outside ..." name oil_STBd, "unknown field
// 'x'" names x. "" when the message names none (a syntax error).
std::string FieldOf(const std::string& message) {
  for (const std::string quoted : {"unknown field '", "missing field '"}) {
    const std::size_t at = message.find(quoted);
    if (at != std::string::npos) {
      const std::size_t from = at + quoted.size();
      const std::string key = message.substr(from, message.find('\'', from) - from);
      // "temperature: unknown field 'x'" names temperature.x.
      const std::size_t colon = at >= 2 ? message.rfind(": ", at) : std::string::npos;
      return colon != std::string::npos && colon + 2 == at ? message.substr(0, colon) + "." + key
                                                           : key;
    }
  }
  std::size_t end = 0;
  while (end < message.size() && (std::isalnum(static_cast<unsigned char>(message[end])) ||
                                  std::string("_.[]").find(message[end]) != std::string::npos)) {
    ++end;
  }
  const bool named = message.compare(end, 1, ":") == 0 || message.compare(end, 3, " = ") == 0;
  return end > 0 && named ? message.substr(0, end) : "";
}

// 400 with the message as the command gives it after the file name, and the
// field it names; `part` ("case" or "sensitivities") is the request part the
// message came from.
ApiAnswer BadInput(std::string message, const std::string& part) {
  const std::string prefix = part + ": ";
  if (message.compare(0, prefix.size(), prefix) == 0) message.erase(0, prefix.size());
  std::string field = FieldOf(message);
  if (!field.empty() && part != "case") field = part + "." + field;
  return {400, json{{"error", message}, {"field", field}}.dump()};
}

ApiAnswer Json(const json& j) { return {200, j.dump()}; }
ApiAnswer Json(const nlohmann::ordered_json& j) { return {200, j.dump()}; }

TraverseCase CaseOf(const json& j) {
  const TraverseCase c = CaseFromJson(j, "case");
  const std::size_t segments = c.MarchStations().size() - 1;
  if (segments > kMaxTraverseSegments) {
    throw InputError("case: stations: the profile has " + std::to_string(segments) +
                     " segments of at most max_segment_ft; the page runs at most " +
                     std::to_string(kMaxTraverseSegments) +
                     " (the pdrop command has no such limit)");
  }
  return c;
}

ApiAnswer LiftCurvesAnswer(const json& body) {
  if (!body.is_object())
    throw InputError("case: the request must be an object {\"case\": ..., \"sensitivities\": ...}");
  for (const auto& item : body.items()) {
    if (item.key() != "case" && item.key() != "sensitivities") {
      throw InputError("case: unknown field '" + item.key() + "' of the request");
    }
  }
  if (!body.contains("case")) throw InputError("case: the request has no case");
  const TraverseCase base = CaseOf(body["case"]);
  WellKind kind;
  try {
    kind = KindOfWell(base);
  } catch (const std::invalid_argument& e) {
    throw InputError(std::string("case: ") + e.what());
  }
  VlpRequest request;
  try {
    if (body.contains("sensitivities"))
      request = VlpRequestFromJson(body["sensitivities"], "sensitivities");
    if (request.rates.empty()) request.rates = DefaultRates(base, kind);
    request.threads = 1;  // one request, one engine at a time
    ValidateVlp(base, request);
  } catch (const std::exception& e) {
    return BadInput(e.what(), "sensitivities");
  }
  std::size_t curves = 1;
  for (const VlpSensitivity& s : request.sensitivities)
    curves *= std::max<std::size_t>(1, s.values.size());
  const std::size_t work = curves * request.rates.size() * (base.MarchStations().size() - 1);
  if (work > kMaxLiftCurveSegments) {
    return BadInput("sensitivities: " + std::to_string(curves) + " curves of " +
                        std::to_string(request.rates.size()) + " rates over this profile are " +
                        std::to_string(work) + " segments; the page runs at most " +
                        std::to_string(kMaxLiftCurveSegments) + " (use pdrop vlp)",
                    "sensitivities");
  }
  const VlpResult result = LiftCurves(base, request);
  return Json(LiftCurvesJson(base, request, result));
}

// The bundled example cases, read once: name -> case text.
const std::map<std::string, std::string>& Examples();

ApiAnswer Answer(const std::string& method, const std::string& path, const std::string& body) {
  if (method == "GET") {
    if (path == "/api/catalogue") return Json(CatalogueJson());
    if (path == "/api/examples") {
      json names = json::array();
      for (const auto& [name, text] : Examples()) names.push_back(name);
      return Json(names);
    }
    const std::string prefix = "/api/examples/";
    if (path.compare(0, prefix.size(), prefix) == 0) {
      const auto it = Examples().find(path.substr(prefix.size()));
      if (it == Examples().end())
        return {404, json{{"error", "no such example"}, {"field", ""}}.dump()};
      return {200, it->second};
    }
  }
  const bool traverse = path == "/api/traverse" || path == "/api/traverse.csv";
  if (!traverse && path != "/api/map" && path != "/api/lift-curves") {
    return {404, json{{"error", "no such resource"}, {"field", ""}}.dump()};
  }
  if (method != "POST") {
    return {405, json{{"error", path + " takes POST with a case"}, {"field", ""}}.dump()};
  }
  const json j = ParseJsonText(body, "case");
  if (path == "/api/lift-curves") return LiftCurvesAnswer(j);
  TraverseCase c = CaseOf(j);
  if (path == "/api/map") {
    c.correlation = 9;
    return Json(FlowMapJson(MapFirstSegment(c)));
  }
  const TraverseResult r = RunTraverse(c);
  if (path == "/api/traverse.csv") {
    std::ostringstream csv;
    WriteCsv(csv, r);
    return {200, csv.str(), "text/csv"};
  }
  return Json(TraverseJson(c, r));
}

// Where the page and the examples are: installed beside the command
// (<prefix>/share/pdrop), or in the source tree this command was built from.
fs::path DataDir(const std::string& part) {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path installed = exe.parent_path().parent_path() / "share" / "pdrop" / part;
    if (fs::is_directory(installed, ec)) return installed;
  }
  return part == "web" ? fs::path(PDROP_SOURCE_DIR) / "apps" / "pdrop" / "web"
                       : fs::path(PDROP_SOURCE_DIR) / "examples";
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::map<std::string, std::string>& Examples() {
  static const std::map<std::string, std::string> examples = [] {
    std::map<std::string, std::string> out;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(DataDir("examples"), ec)) {
      if (e.path().extension() != ".json") continue;
      const std::string text = ReadWhole(e.path());
      try {
        CaseFromJson(ParseJsonText(text, "example"), "example");  // cases only, not axes files
        out[e.path().stem().string()] = text;
      } catch (const std::exception&) {
      }
    }
    return out;
  }();
  return examples;
}

// The page's files, read once; no request names a file.
struct StaticFile {
  std::string body;
  std::string contentType;
};

std::map<std::string, StaticFile> StaticFiles() {
  const fs::path web = DataDir("web");
  std::map<std::string, StaticFile> files{
      {"/", {ReadWhole(web / "index.html"), "text/html; charset=utf-8"}},
      {"/app.js", {ReadWhole(web / "app.js"), "text/javascript; charset=utf-8"}},
      {"/style.css", {ReadWhole(web / "style.css"), "text/css; charset=utf-8"}},
      {"/chart.js", {ReadWhole(PDROP_CHARTJS_FILE), "text/javascript; charset=utf-8"}}};
  for (const auto& [path, file] : files) {
    if (file.body.empty()) throw std::runtime_error("the page's file for " + path + " is missing");
  }
  return files;
}

bool IsLoopback(const std::string& host) {
  return host == "127.0.0.1" || host == "localhost" || host == "::1";
}

}  // namespace

ApiAnswer AnswerApi(const std::string& method, const std::string& path, const std::string& body) {
  try {
    return Answer(method, path, body);
  } catch (const InputError& e) {
    return BadInput(e.what(), "case");
  } catch (const std::invalid_argument& e) {
    return BadInput(e.what(), "case");
  } catch (const std::exception& e) {
    return {500, json{{"error", std::string("internal error: ") + e.what()}, {"field", ""}}.dump()};
  }
}

int Serve(const ServeOptions& o) {
  if (o.port < 0 || o.port > 65535) {
    throw InputError("--port = " + std::to_string(o.port) +
                     " is outside the accepted range 0 to 65535");
  }
  // 0: one per core.
  const int threads = o.threads != 0
                          ? o.threads
                          : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  CheckThreads(threads, 64);
  const std::map<std::string, StaticFile> files = StaticFiles();
  Examples();

  httplib::Server server;
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_payload_max_length(kMaxBodyBytes);
  server.set_tcp_nodelay(true);  // answers are written in parts; no wait for the client's ack
  server.set_read_timeout(30, 0);
  server.set_write_timeout(30, 0);

  std::atomic<int> port{o.port};
  // Only this page may call the API: a request from another site's page
  // (an Origin header of another host) or through another host name (a
  // DNS rebinding of a loopback server) is refused. No CORS header is sent.
  server.set_pre_routing_handler([&](const httplib::Request& req, httplib::Response& res) {
    const std::string self = o.host.find(':') != std::string::npos ? "[" + o.host + "]" : o.host;
    const std::string suffix = ":" + std::to_string(port.load());
    const std::string host = req.get_header_value("Host");
    // A server on another address is reached by whatever name the network
    // gives it; only a loopback server knows all its names.
    const bool hostOk = !IsLoopback(o.host) || host == self + suffix ||
                        host == "127.0.0.1" + suffix || host == "localhost" + suffix ||
                        host == "[::1]" + suffix;
    const bool originOk =
        !req.has_header("Origin") || req.get_header_value("Origin") == "http://" + host;
    // A body must say its length, so that one over the limit is refused
    // before it is read (a chunked body would be read whole first).
    if (hostOk && originOk && req.has_header("Transfer-Encoding")) {
      res.status = 411;
      res.set_header("Connection", "close");
      res.set_content(json{{"error", "a request body must come with its length (Content-Length)"},
                           {"field", ""}}
                          .dump(),
                      "application/json");
      return httplib::Server::HandlerResponse::Handled;
    }
    if (hostOk && originOk) return httplib::Server::HandlerResponse::Unhandled;
    res.status = 403;
    res.set_content(
        json{{"error", "requests from another origin or host are refused"}, {"field", ""}}.dump(),
        "application/json");
    return httplib::Server::HandlerResponse::Handled;
  });
  for (const auto& [path, file] : files) {
    server.Get(path, [&file = file](const httplib::Request&, httplib::Response& res) {
      res.set_content(file.body, file.contentType);
    });
  }
  auto api = [](const httplib::Request& req, httplib::Response& res) {
    if (req.method == "POST" &&
        req.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
      res.status = 415;
      res.set_content(
          json{{"error", "the body must be JSON (Content-Type: application/json)"}, {"field", ""}}
              .dump(),
          "application/json");
      return;
    }
    const ApiAnswer a = AnswerApi(req.method, req.path, req.body);
    res.status = a.status;
    res.set_content(a.body, a.contentType);
  };
  server.Get(R"(/api/.*)", api);
  server.Post(R"(/api/.*)", api);
  server.set_error_handler(
      httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        const std::string error = res.status == 413   ? "the request body is over 1 MB"
                                  : res.status == 404 ? "no such resource"
                                                      : "the request cannot be served";
        res.set_content(json{{"error", error}, {"field", ""}}.dump(), "application/json");
        return httplib::Server::HandlerResponse::Handled;
      }));

  if (o.port == 0) {
    port = server.bind_to_any_port(o.host);
    if (port <= 0) throw InputError("--host " + o.host + ": cannot listen there");
  } else if (!server.bind_to_port(o.host, o.port)) {
    throw InputError("--port " + std::to_string(o.port) + " on " + o.host +
                     ": cannot listen there (in use, or not an address of this machine)");
  }
  StopOnInterrupt([&server] { server.stop(); });
  const std::string shown = o.host.find(':') != std::string::npos ? "[" + o.host + "]" : o.host;
  std::cout << "pdrop serve: open http://" << shown << ":" << port << "/ in a browser "
            << "(Ctrl-C stops the server)" << std::endl;
  if (!IsLoopback(o.host)) {
    std::cout << "pdrop serve: listening on " << o.host
              << ": every machine that reaches it can use the page" << std::endl;
  }
  server.listen_after_bind();
  StopOnInterrupt(nullptr);
  std::cout << "pdrop serve: stopped" << std::endl;
  return 0;
}

}  // namespace pdrop::cli
