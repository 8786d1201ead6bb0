// pdrop match CASE.json SURVEY.csv: ranks the correlations by how closely
// their traverses follow a measured pressure survey, fitting the friction and
// hydrostatic efficiencies; writes the ranking as CSV and the best match
// back into a case file.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>

#include "Commands.h"
#include "Outputs.h"
#include "Report.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/shell/Catalogue.h"
#include "pdrop/traverse/Limits.h"
#include "pdrop/workflows/Match.h"

namespace pdrop::cli {
namespace {

struct MatchArgs {
  std::string casePath, surveyPath;
  std::string correlations;
  std::string fit;
  std::vector<double> frictionBounds, hydrostaticBounds;
  int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::string csvPath, writeCasePath;
};

// "3,5,Gray" -> codes, by the case files' rule for codes and names.
std::vector<int> Codes(const std::string& list) {
  std::vector<int> codes;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    const std::size_t b = item.find_first_not_of(' ');
    const std::size_t e = item.find_last_not_of(' ');
    item = b == std::string::npos ? "" : item.substr(b, e - b + 1);
    const bool digits = !item.empty() && item.find_first_not_of("0123456789") == std::string::npos;
    const int code = CorrelationCode(
        digits ? nlohmann::json(std::stoull(item.substr(0, 18))) : nlohmann::json(item),
        "--correlations");
    if (std::find(codes.begin(), codes.end(), code) != codes.end()) {
      throw InputError("--correlations: " + CorrelationTitle(code) + " is listed twice");
    }
    codes.push_back(code);
  }
  if (codes.empty()) throw InputError("--correlations is empty");
  return codes;
}

EfficiencyBounds Bounds(const std::vector<double>& given, const std::string& option) {
  EfficiencyBounds b;
  if (given.empty()) return b;
  b.low = given[0];
  b.high = given[1];
  try {
    CheckRange(option + " low", b.low, limits::kEfficiency);
    CheckRange(option + " high", b.high, limits::kEfficiency);
  } catch (const std::invalid_argument& e) {
    throw InputError(e.what());
  }
  if (!(b.low < b.high)) {
    throw InputError(option + " = " + FixedNumber(b.low, 3) + "," + FixedNumber(b.high, 3) +
                     ": the low bound must be below the high one");
  }
  return b;
}

std::string Efficiency(double v) { return FixedNumber(v, 3); }

void PrintRanking(std::ostream& out, const MatchResult& r) {
  const bool fitted = r.fit != FitMode::kNone;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> header = {"rank",           "correlation", "mean [psi]",
                                     "mean |d| [psi]", "RMS [psi]",   "RMS [%]"};
  if (fitted) {
    for (const char* h : {"Fe", "HFe", "fitted mean [psi]", "fitted RMS [psi]", "fitted RMS [%]"}) {
      header.push_back(h);
    }
  }
  rows.push_back(header);
  int rank = 0;
  for (const CorrelationMatch& m : r.ranked) {
    if (!m.ok) {
      rows.push_back({"-", m.title, "no result"});
      continue;
    }
    std::vector<std::string> row = {std::to_string(++rank),
                                    m.title,
                                    FixedNumber(m.errors.mean_psi, 1),
                                    FixedNumber(m.errors.mean_abs_psi, 1),
                                    FixedNumber(m.errors.rms_psi, 1),
                                    FixedNumber(m.errors.rms_pct, 2)};
    if (fitted) {
      row.push_back(Efficiency(m.friction_efficiency));
      row.push_back(Efficiency(m.hydrostatic_efficiency));
      row.push_back(FixedNumber(m.fitted_errors.mean_psi, 1));
      row.push_back(FixedNumber(m.fitted_errors.rms_psi, 1));
      row.push_back(FixedNumber(m.fitted_errors.rms_pct, 2));
    }
    rows.push_back(row);
  }
  std::vector<bool> left(header.size(), false);
  left[1] = true;
  PrintColumns(out, rows, left);
}

void PrintNotes(std::ostream& out, const MatchResult& r) {
  std::vector<std::string> seen;
  for (const CorrelationMatch& m : r.ranked) {
    if (!m.ok) {
      out << m.title << ": " << m.reason << "\n";
      continue;
    }
    if (!m.fitted) continue;
    out << m.title << ":";
    for (const Determination* d : {&m.friction, &m.hydrostatic}) {
      if (d->fitted) out << "\n  " << d->note;
    }
    if (!m.fit_note.empty()) out << "\n  " << m.fit_note;
    out << "\n";
  }
  std::vector<std::string> notes = r.warnings;
  for (const CorrelationMatch& m : r.ranked) {
    for (const std::string& w : m.fitted_traverse.warnings) {
      if (std::find(notes.begin(), notes.end(), w) == notes.end()) notes.push_back(w);
    }
  }
  for (const std::string& n : notes) out << "note: " << n << "\n";
}

std::string Csv(const MatchResult& r) {
  std::ostringstream s;
  s << "rank,correlation_code,correlation,status,reason,mean_psi,mean_abs_psi,rms_psi,mean_pct,"
       "mean_abs_pct,rms_pct,friction_efficiency,hydrostatic_efficiency,fitted_mean_psi,"
       "fitted_mean_abs_psi,fitted_rms_psi,fitted_mean_pct,fitted_mean_abs_pct,fitted_rms_pct,"
       "friction_effect_psi,friction_determined,hydrostatic_effect_psi,hydrostatic_determined,"
       "friction_share,traverses\n";
  int rank = 0;
  auto quoted = [](std::string text) {
    std::string out = "\"";
    for (char ch : text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
  };
  auto errors = [&s](const MatchErrors& e) {
    s << FixedNumber(e.mean_psi, 3) << ',' << FixedNumber(e.mean_abs_psi, 3) << ','
      << FixedNumber(e.rms_psi, 3) << ',' << FixedNumber(e.mean_pct, 4) << ','
      << FixedNumber(e.mean_abs_pct, 4) << ',' << FixedNumber(e.rms_pct, 4);
  };
  for (const CorrelationMatch& m : r.ranked) {
    s << (m.ok ? std::to_string(++rank) : std::string()) << ',' << m.correlation << ','
      << quoted(m.title) << ',' << (m.ok ? "ok" : "no result") << ',' << quoted(m.reason) << ',';
    if (!m.ok) {
      s << std::string(19, ',') << "\n";
      continue;
    }
    errors(m.errors);
    s << ',' << FixedNumber(m.friction_efficiency, 5) << ','
      << FixedNumber(m.hydrostatic_efficiency, 5) << ',';
    if (m.fitted) {
      errors(m.fitted_errors);
    } else {
      s << ",,,,,";
    }
    for (const Determination* d : {&m.friction, &m.hydrostatic}) {
      s << ',';
      if (d->fitted)
        s << FixedNumber(d->effect_psi, 3) << ',' << (d->determined ? "yes" : "no");
      else
        s << ',';
    }
    s << ',' << FixedNumber(m.friction_share, 4) << ',' << m.evaluations << "\n";
  }
  return s.str();
}

// The case file's own text with the best correlation and its efficiencies.
std::string FittedCase(const std::string& casePath, const CorrelationMatch& best) {
  std::ifstream in(casePath, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  nlohmann::ordered_json j = nlohmann::ordered_json::parse(text);
  auto rounded = [](double v) { return std::round(v * 1e4) / 1e4; };
  j["correlation"] = best.correlation;
  nlohmann::ordered_json& options = j["options"];
  if (!options.is_object()) options = nlohmann::ordered_json::object();
  options["friction_efficiency"] = rounded(best.friction_efficiency);
  options["hydrostatic_efficiency"] = rounded(best.hydrostatic_efficiency);
  return j.dump(2) + "\n";
}

int Run(const MatchArgs& a) {
  const TraverseCase c = ReadCaseFile(a.casePath);
  MatchOptions o;
  if (!a.correlations.empty()) o.correlations = Codes(a.correlations);
  o.fit = a.fit.empty() ? (FittingAvailable() ? FitMode::kBoth : FitMode::kNone)
                        : FitModeFromName(a.fit, "--fit");
  if (o.fit != FitMode::kNone && !FittingAvailable()) {
    throw InputError("--fit " + a.fit +
                     ": this pdrop was built without NLopt (Debian package libnlopt-cxx-dev), "
                     "so it can only compare (--fit none)");
  }
  o.friction_bounds = Bounds(a.frictionBounds, "--friction-bounds");
  o.hydrostatic_bounds = Bounds(a.hydrostaticBounds, "--hydrostatic-bounds");
  CheckThreads(a.threads);
  o.threads = a.threads;
  const Survey s = ReadSurveyFile(a.surveyPath, c);
  OutputSet outputs({a.casePath, a.surveyPath});
  outputs.ExpectFile("--csv", a.csvPath);
  outputs.ExpectFile("--write-case", a.writeCasePath);

  const MatchResult r = MatchSurvey(c, s, o);
  std::cout << "Survey " << a.surveyPath << ": " << s.points.size() << " points from "
            << FixedNumber(s.points.front().md_ft, 0) << " to "
            << FixedNumber(s.points.back().md_ft, 0) << " ft; case " << c.name << "\n";
  if (o.fit == FitMode::kNone) {
    std::cout << "No fit: the case's efficiencies (friction " << Efficiency(c.friction_efficiency)
              << ", hydrostatic " << Efficiency(c.hydrostatic_efficiency) << ")\n\n";
  } else {
    std::cout << "Fit: " << FitModeName(o.fit) << " (friction efficiency Fe within "
              << FixedNumber(o.friction_bounds.low, 2) << "-"
              << FixedNumber(o.friction_bounds.high, 2) << ", hydrostatic efficiency HFe within "
              << FixedNumber(o.hydrostatic_bounds.low, 2) << "-"
              << FixedNumber(o.hydrostatic_bounds.high, 2)
              << "); differences are predicted minus measured\n\n";
  }
  PrintRanking(std::cout, r);
  std::cout << "\n";
  PrintNotes(std::cout, r);

  const bool any = !r.ranked.empty() && r.ranked.front().ok;
  if (!any) {
    std::cerr << "pdrop: no correlation has a pressure at every survey depth; nothing written\n";
    return 1;
  }
  if (!a.csvPath.empty()) outputs.Stage(a.csvPath, Csv(r));
  if (!a.writeCasePath.empty()) {
    outputs.Stage(a.writeCasePath, FittedCase(a.casePath, r.ranked.front()));
    std::cout << "wrote " << a.writeCasePath << ": " << r.ranked.front().title
              << " with its efficiencies\n";
  }
  outputs.Commit();
  return 0;
}

}  // namespace

Command AddMatchCommand(CLI::App& app) {
  auto args = std::make_shared<MatchArgs>();
  CLI::App* sub = app.add_subcommand(
      "match", "rank the correlations against a measured pressure survey and fit efficiencies");
  sub->add_option("case", args->casePath, "case file (JSON)")->required();
  sub->add_option("survey", args->surveyPath,
                  "survey: CSV md_ft,pressure_psia[,temperature_F] or a JSON list")
      ->required();
  sub->add_option("--correlations", args->correlations,
                  "codes or names, comma-separated (default: all that apply to the case)");
  sub->add_option("--fit", args->fit, "none, friction, hydrostatic or both (default both)");
  sub->add_option("--friction-bounds", args->frictionBounds,
                  "LOW,HIGH of the friction efficiency (default 0.5,1.5)")
      ->expected(2)
      ->delimiter(',');
  sub->add_option("--hydrostatic-bounds", args->hydrostaticBounds,
                  "LOW,HIGH of the hydrostatic efficiency (default 0.5,1.5)")
      ->expected(2)
      ->delimiter(',');
  sub->add_option("--threads", args->threads, "correlations matched at once");
  sub->add_option("--csv", args->csvPath, "write the ranking as CSV");
  sub->add_option("--write-case", args->writeCasePath,
                  "write the case with the best correlation and its fitted efficiencies");
  return {sub, [args] { return Run(*args); }};
}

}  // namespace pdrop::cli
