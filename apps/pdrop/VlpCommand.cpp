// pdrop vlp: a family of lift curves of a well case.
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "Commands.h"
#include "Outputs.h"
#include "Report.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/shell/Catalogue.h"
#include "pdrop/traverse/Parallel.h"
#include "pdrop/workflows/VlpRequest.h"

namespace pdrop::cli {
namespace {

struct VlpOptions {
  std::string casePath, sensitivitiesPath, csvPath, jsonPath;
  // Each option: the text values as given (numbers, or codes and names for
  // the correlation), in the order the sensitivities were named.
  std::vector<std::pair<std::string, std::vector<std::string>>> lists;
  std::vector<std::string> rates;
  int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
};

double NumberOption(const std::string& text, const std::string& field) {
  double v = 0.0;
  if (!ParseNumber(text, v)) throw InputError(field + " = '" + text + "' is not a number");
  return v;
}

// The request: the sensitivities file first, then the options, which
// replace the file's values of the same name.
VlpRequest BuildRequest(const VlpOptions& o, const TraverseCase& base, WellKind kind) {
  VlpRequest r;
  if (!o.sensitivitiesPath.empty())
    r = VlpRequestFromJson(ReadJsonFile(o.sensitivitiesPath, "sensitivities file"),
                           o.sensitivitiesPath);
  if (!o.rates.empty()) {
    r.rates.clear();
    for (std::size_t i = 0; i < o.rates.size(); ++i) {
      r.rates.push_back(NumberOption(o.rates[i], "--rates[" + std::to_string(i) + "]"));
    }
  }
  for (const auto& [name, texts] : o.lists) {
    if (texts.empty()) continue;
    nlohmann::json values = nlohmann::json::array();
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (name == "correlation") {
        const bool digits = texts[i].find_first_not_of("0123456789") == std::string::npos;
        values.push_back(digits && !texts[i].empty()
                             ? nlohmann::json(std::stoi(texts[i].substr(0, 9)))
                             : nlohmann::json(texts[i]));
      } else {
        values.push_back(NumberOption(texts[i], "--" + name + "[" + std::to_string(i) + "]"));
      }
    }
    VlpSensitivity s = VlpSensitivityFromJson(name, values, "options");
    bool replaced = false;
    for (VlpSensitivity& x : r.sensitivities) {
      if (x.parameter == s.parameter) {
        x = s;
        replaced = true;
      }
    }
    if (!replaced) r.sensitivities.push_back(s);
  }
  if (r.rates.empty()) r.rates = DefaultRates(base, kind);
  r.threads = o.threads;
  return r;
}

std::string CurveLabel(const VlpRequest& r, const std::vector<double>& values) {
  std::ostringstream s;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) s << ", ";
    const VlpParameter p = r.sensitivities[i].parameter;
    s << ParameterName(p) << " = ";
    if (p == VlpParameter::kCorrelation) {
      s << CorrelationTitle(static_cast<int>(values[i]));
    } else {
      s << values[i];
    }
  }
  return values.empty() ? std::string("the case as given") : s.str();
}

std::string PointsCsv(const VlpRequest& r, const VlpResult& result) {
  std::ostringstream s;
  s << "curve";
  for (const VlpSensitivity& x : r.sensitivities) s << ',' << ParameterName(x.parameter);
  s << ',' << RateName(result.kind)
    << ",bhp_psia,complete,reason,bottom_regime,loading,coleman_loading,minimum,unstable\n";
  for (const VlpPoint& p : result.points) {
    s << p.curve + 1;
    for (double v : p.values) s << ',' << v;
    s << ',' << p.rate << ',' << (p.complete ? FixedNumber(p.bhp_psia, 3) : std::string()) << ','
      << p.complete << ",\"" << p.reason << "\",\"" << p.bottom_regime << "\"," << p.loading << ','
      << p.coleman_loading << ',' << p.minimum << ',' << p.unstable << '\n';
  }
  return s.str();
}

void PrintCurves(std::ostream& out, const TraverseCase& c, const VlpRequest& r,
                 const VlpResult& result) {
  const bool varied = std::any_of(
      r.sensitivities.begin(), r.sensitivities.end(),
      [](const VlpSensitivity& s) { return s.parameter == VlpParameter::kCorrelation; });
  out << c.name << " - lift curves"
      << (varied ? std::string() : ", " + CorrelationTitle(c.correlation)) << "\n";
  std::size_t curve = static_cast<std::size_t>(-1);
  std::vector<std::vector<std::string>> rows;
  auto flush = [&] {
    if (rows.size() > 1) PrintColumns(out, rows, {false, false, true, true, true});
    rows.clear();
  };
  for (const VlpPoint& p : result.points) {
    if (p.curve != curve) {
      flush();
      curve = p.curve;
      out << "\ncurve " << curve + 1 << ": " << CurveLabel(r, p.values) << "\n";
      rows.push_back({RateName(result.kind), "bhp_psia", "bottom regime", "loading", "note"});
    }
    std::string note = p.complete ? "" : "no result: " + p.reason;
    if (p.minimum) note = "minimum (below this rate the well heads)";
    if (p.unstable) note = "unstable";
    rows.push_back({FixedNumber(p.rate, 3), p.complete ? FixedNumber(p.bhp_psia, 1) : "",
                    p.bottom_regime,
                    p.loading           ? "Turner"
                    : p.coleman_loading ? "Coleman"
                                        : "",
                    note});
  }
  flush();
  if (!result.warnings.empty()) out << "\n";
  for (const std::string& w : result.warnings) out << "note: " << w << "\n";
}

int RunVlp(const VlpOptions& o) {
  CheckThreads(o.threads);
  const TraverseCase base = ReadCaseFile(o.casePath);
  WellKind kind;
  try {
    kind = KindOfWell(base);
  } catch (const std::invalid_argument& e) {
    throw InputError(o.casePath + ": " + e.what());
  }
  const VlpRequest request = BuildRequest(o, base, kind);
  try {
    ValidateVlp(base, request);
  } catch (const std::invalid_argument& e) {
    throw InputError(e.what());
  }
  std::vector<std::string> inputs{o.casePath};
  if (!o.sensitivitiesPath.empty()) inputs.push_back(o.sensitivitiesPath);
  OutputSet outputs(inputs);
  outputs.ExpectFile("--csv", o.csvPath);
  outputs.ExpectFile("--json", o.jsonPath);
  const bool terminal = ::isatty(STDERR_FILENO) != 0;
  const VlpResult result =
      LiftCurves(base, request,
                 terminal ? std::function<void(std::size_t, std::size_t)>(&ProgressBar) : nullptr);
  PrintCurves(std::cout, base, request, result);
  if (!o.csvPath.empty()) outputs.Stage(o.csvPath, PointsCsv(request, result));
  if (!o.jsonPath.empty())
    outputs.Stage(o.jsonPath, LiftCurvesJson(base, request, result).dump(2) + "\n");
  outputs.Commit();
  for (const VlpPoint& p : result.points) {
    if (!p.complete) return 1;
  }
  return 0;
}

}  // namespace

Command AddVlpCommand(CLI::App& app) {
  auto o = std::make_shared<VlpOptions>();
  CLI::App* sub = app.add_subcommand("vlp", "lift curves: bottomhole pressure against rate");
  sub->add_option("case", o->casePath, "well case file (JSON), wellhead pressure known")
      ->required();
  sub->add_option("--sensitivities", o->sensitivitiesPath,
                  "sensitivities as JSON (see the user guide)");
  sub->add_option("--rates", o->rates,
                  "rates: liquid STB/d (oil wells), gas MMscf/d (gas wells), water bbl/d "
                  "(water injectors); default 20 from 5 % to 300 % of the case's rate")
      ->delimiter(',');
  o->lists.reserve(6);  // the options keep references into it
  for (const char* name : {"wellhead_pressure_psia", "water_cut", "gor_scf_per_STB",
                           "glr_scf_per_STB", "id_in", "correlation"}) {
    o->lists.emplace_back(name, std::vector<std::string>());
    std::string flag = std::string("--") + name;
    for (char& ch : flag) {
      if (ch == '_') ch = '-';
    }
    sub->add_option(flag, o->lists.back().second, std::string("values of ") + name)->delimiter(',');
  }
  sub->add_option("--threads", o->threads, "worker threads");
  sub->add_option("--csv", o->csvPath, "write the points as CSV");
  sub->add_option("--json", o->jsonPath, "write the points as JSON");
  return {sub, [o] { return RunVlp(*o); }};
}

}  // namespace pdrop::cli
