#include "pdrop/workflows/Match.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iomanip>
#include <set>
#include <sstream>
#include <stdexcept>

#include "pdrop/case/CaseFile.h"
#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"
#include "pdrop/traverse/Limits.h"
#include "pdrop/traverse/Parallel.h"

#ifdef PDROP_HAVE_NLOPT
#include <nlopt.hpp>
#endif

namespace pdrop {
namespace {

constexpr double kMinStationGap_ft = 0.01;  // the traverse's shortest segment
// A profile whose true vertical depth changes by at least this share of its
// measured length is a well; below it, a pipeline.
constexpr double kWellSlope = 0.2;
// How far a fitted efficiency is moved to judge how well it is determined.
constexpr double kProbe = 0.05;
// A model error of this share of the pressure change could move a value
// whose 5 % effect is smaller by 5 % or more.
constexpr double kModelShare = 0.005;
// The optimizer: first steps, stopping tolerance on the efficiencies, and
// the most traverses one fit may run.
constexpr double kInitialStep = 0.05;
constexpr double kEfficiencyTolerance = 1e-7;
constexpr int kMaxEvaluations = 400;
// Mean squared error [psi^2] given to the optimizer for efficiencies whose
// traverse does not reach every survey depth: far above any real match.
constexpr double kNoResultPenalty = 1e12;
// Survey temperatures further than this from the case's model are reported.
constexpr double kTemperatureWarning_F = 5.0;

std::string Number(double v, int decimals) {
  std::ostringstream s;
  s << std::fixed << std::setprecision(decimals) << v;
  return s.str();
}

// Pressures at the survey depths read from the traverse rows (the survey
// depths are stations, so each value is a row's own; interpolation in
// measured depth covers depths within a hundredth of a foot of a station).
// Sets `reason` when a depth lies outside the rows the march computed.
std::vector<double> AtSurvey(const TraverseResult& r, const Survey& s, std::string& reason) {
  std::vector<double> out;
  out.reserve(s.points.size());
  const std::vector<TraverseRow>& rows = r.rows;
  for (const SurveyPoint& p : s.points) {
    if (rows.empty() || p.md_ft < rows.front().md_ft - 1e-6 || p.md_ft > rows.back().md_ft + 1e-6) {
      std::ostringstream msg;
      msg << "no pressure at the survey depth " << p.md_ft
          << " ft: " << (r.reason.empty() ? std::string("the traverse stopped") : r.reason)
          << " (segment from " << r.stopped_at_md_ft << " ft)";
      reason = msg.str();
      return {};
    }
    auto hi = std::lower_bound(rows.begin(), rows.end(), p.md_ft,
                               [](const TraverseRow& row, double md) { return row.md_ft < md; });
    if (hi == rows.end()) hi = rows.end() - 1;
    if (hi == rows.begin() || std::fabs(hi->md_ft - p.md_ft) <= 1e-9) {
      out.push_back(hi->pressure_psia);
      continue;
    }
    const TraverseRow& a = *(hi - 1);
    const TraverseRow& b = *hi;
    const double w = (p.md_ft - a.md_ft) / (b.md_ft - a.md_ft);
    out.push_back(a.pressure_psia + (b.pressure_psia - a.pressure_psia) * w);
  }
  return out;
}

MatchErrors Errors(const std::vector<double>& predicted, const Survey& s) {
  MatchErrors e;
  const double n = static_cast<double>(s.points.size());
  for (std::size_t i = 0; i < predicted.size(); ++i) {
    const double measured = s.points[i].pressure_psia;
    const double d = predicted[i] - measured;
    const double pct = 100.0 * d / measured;
    e.mean_psi += d / n;
    e.mean_abs_psi += std::fabs(d) / n;
    e.rms_psi += d * d / n;
    e.mean_pct += pct / n;
    e.mean_abs_pct += std::fabs(pct) / n;
    e.rms_pct += pct * pct / n;
  }
  e.rms_psi = std::sqrt(e.rms_psi);
  e.rms_pct = std::sqrt(e.rms_pct);
  return e;
}

// One traverse of the survey case with the given efficiencies.
struct Trial {
  TraverseResult traverse;
  std::vector<double> predicted;
  std::string reason;  // empty when every survey depth has a pressure
  bool ok() const { return reason.empty(); }
};

Trial Run(TraverseCase c, const Survey& s, double fe, double hfe) {
  c.friction_efficiency = fe;
  c.hydrostatic_efficiency = hfe;
  Trial t;
  t.traverse = RunTraverse(c);
  t.predicted = AtSurvey(t.traverse, s, t.reason);
  return t;
}

double PressureChange(const TraverseResult& r) {
  if (r.rows.empty()) return 0.0;
  auto [lo, hi] = std::minmax_element(
      r.rows.begin(), r.rows.end(),
      [](const TraverseRow& a, const TraverseRow& b) { return a.pressure_psia < b.pressure_psia; });
  return hi->pressure_psia - lo->pressure_psia;
}

struct FitOutcome {
  double fe = 1.0, hfe = 1.0;
  int evaluations = 0;
  std::string note;
};

#ifdef PDROP_HAVE_NLOPT
double MeanSquare(const Trial& t, const Survey& s) {
  if (!t.ok()) return kNoResultPenalty;
  const double rms = Errors(t.predicted, s).rms_psi;
  return rms * rms;
}

// The objective as NLopt calls it: the mean squared error of the survey
// case with the efficiencies of x, the best point kept on the side.
struct Objective {
  const TraverseCase* c;
  const Survey* s;
  FitMode mode;
  double fe0, hfe0;  // the efficiencies that are not fitted
  double lows[2], highs[2];
  int evaluations = 0;
  double best = HUGE_VAL;
  std::vector<double> bestX;

  double operator()(const std::vector<double>& x) {
    // BOBYQA may step outside its bounds by a rounding error.
    std::vector<double> y(x);
    for (std::size_t i = 0; i < y.size(); ++i) y[i] = std::clamp(y[i], lows[i], highs[i]);
    double fe = fe0, hfe = hfe0;
    if (mode == FitMode::kFriction) {
      fe = y[0];
    } else if (mode == FitMode::kHydrostatic) {
      hfe = y[0];
    } else {
      fe = y[0];
      hfe = y[1];
    }
    ++evaluations;
    const double f = MeanSquare(Run(*c, *s, fe, hfe), *s);
    if (f < best) {
      best = f;
      bestX = y;
    }
    return f;
  }

  static double Call(const std::vector<double>& x, std::vector<double>& /*grad*/, void* data) {
    return (*static_cast<Objective*>(data))(x);
  }
};
#endif

FitOutcome Fit(const TraverseCase& c, const Survey& s, const MatchOptions& o) {
  FitOutcome out;
  out.fe = c.friction_efficiency;
  out.hfe = c.hydrostatic_efficiency;
#ifdef PDROP_HAVE_NLOPT
  Objective obj;
  obj.c = &c;
  obj.s = &s;
  obj.mode = o.fit;
  obj.fe0 = c.friction_efficiency;
  obj.hfe0 = c.hydrostatic_efficiency;
  std::vector<double> x, lows, highs;
  auto add = [&](double start, const EfficiencyBounds& b) {
    lows.push_back(b.low);
    highs.push_back(b.high);
    x.push_back(std::clamp(start, b.low, b.high));
  };
  if (o.fit == FitMode::kFriction || o.fit == FitMode::kBoth) add(out.fe, o.friction_bounds);
  if (o.fit == FitMode::kHydrostatic || o.fit == FitMode::kBoth) add(out.hfe, o.hydrostatic_bounds);
  for (std::size_t i = 0; i < x.size(); ++i) {
    obj.lows[i] = lows[i];
    obj.highs[i] = highs[i];
  }
  // BOBYQA's quadratic models need two or more variables; one efficiency
  // alone goes to Nelder-Mead.
  nlopt::opt opt(x.size() == 2 ? nlopt::LN_BOBYQA : nlopt::LN_NELDERMEAD,
                 static_cast<unsigned>(x.size()));
  opt.set_lower_bounds(lows);
  opt.set_upper_bounds(highs);
  opt.set_min_objective(&Objective::Call, &obj);
  std::vector<double> steps(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    // A first step that stays inside the bounds on one side at least.
    steps[i] = std::min(kInitialStep, 0.5 * (highs[i] - lows[i]));
  }
  opt.set_initial_step(steps);
  opt.set_xtol_abs(kEfficiencyTolerance);
  opt.set_maxeval(kMaxEvaluations);
  double f = 0.0;
  std::string stopped;
  try {
    opt.optimize(x, f);
  } catch (const nlopt::roundoff_limited&) {
    // The best point so far stands: rounding kept the method from refining it.
  } catch (const std::exception& e) {
    stopped = e.what();
  }
  if (opt.last_optimize_result() == nlopt::MAXEVAL_REACHED) {
    out.note = "the fit stopped at its limit of " + std::to_string(kMaxEvaluations) + " traverses";
  } else if (!stopped.empty()) {
    out.note = "the optimizer stopped early (" + stopped + ")";
  }
  out.evaluations = obj.evaluations;
  if (!obj.bestX.empty()) {
    std::size_t k = 0;
    if (o.fit == FitMode::kFriction || o.fit == FitMode::kBoth) out.fe = obj.bestX[k++];
    if (o.fit == FitMode::kHydrostatic || o.fit == FitMode::kBoth) out.hfe = obj.bestX[k];
  }
#else
  (void)s;
  (void)o;
#endif
  return out;
}

// How well one fitted efficiency is determined (see Determination).
Determination Judge(const TraverseCase& c, const Survey& s, const CorrelationMatch& m,
                    bool friction, const EfficiencyBounds& bounds) {
  Determination d;
  d.fitted = true;
  d.value = friction ? m.friction_efficiency : m.hydrostatic_efficiency;
  d.at_bound = std::fabs(d.value - bounds.low) < 1e-6 || std::fabs(d.value - bounds.high) < 1e-6;
  const double rmsFit = m.fitted_errors.rms_psi;
  double smallest = HUGE_VAL;
  for (double factor : {1.0 - kProbe, 1.0 + kProbe}) {
    const double moved = d.value * factor;
    const Trial t = friction ? Run(c, s, moved, m.hydrostatic_efficiency)
                             : Run(c, s, m.friction_efficiency, moved);
    const double rms = t.ok() ? Errors(t.predicted, s).rms_psi : HUGE_VAL;
    (factor < 1.0 ? d.rms_down_psi : d.rms_up_psi) = t.ok() ? rms : kNotSet;
    smallest = std::min(smallest, rms);
  }
  d.effect_psi = std::isfinite(smallest)
                     ? std::sqrt(std::max(0.0, smallest * smallest - rmsFit * rmsFit))
                     : 0.0;
  const double change = PressureChange(m.fitted_traverse);
  const double modelFloor = kModelShare * change;
  d.determined = !d.at_bound && d.effect_psi > rmsFit && d.effect_psi > modelFloor;

  const std::string name = friction ? "friction efficiency " : "hydrostatic efficiency ";
  std::ostringstream note;
  note << name << Number(d.value, 3);
  if (d.at_bound) {
    note << " stopped at its bound (" << Number(bounds.low, 2) << " to " << Number(bounds.high, 2)
         << "): the survey asks for a value beyond it, or the bounds are too narrow";
  } else if (!std::isfinite(smallest)) {
    note << " is poorly determined: the traverse has no result 5 % away from it";
  } else {
    note << (d.determined ? " is well determined" : " is poorly determined")
         << ": 5 % either way moves the predicted pressures by " << Number(d.effect_psi, 1)
         << " psi (RMS error " << Number(rmsFit, 1) << " -> " << Number(d.rms_down_psi, 1) << " / "
         << Number(d.rms_up_psi, 1) << " psi)";
    if (!d.determined) {
      note << ", "
           << (d.effect_psi <= rmsFit
                   ? "no more than the scatter left after fitting"
                   : "less than 0.5 % of the pressure change (" + Number(modelFloor, 1) + " psi)");
    }
  }
  if (friction && !d.determined) {
    note << "; friction is " << Number(100.0 * m.friction_share, 0) << " % of the pressure change ("
         << Number(std::fabs(m.fitted_traverse.total_friction_dp_psi), 0) << " of "
         << Number(std::fabs(m.fitted_traverse.total_friction_dp_psi) +
                       std::fabs(m.fitted_traverse.total_elevation_dp_psi),
                   0)
         << " psi)";
  }
  d.note = note.str();
  return d;
}

CorrelationMatch MatchOne(const TraverseCase& surveyCase, const Survey& s, const MatchOptions& o,
                          int code) {
  TraverseCase c = surveyCase;
  c.correlation = code;
  CorrelationMatch m;
  m.correlation = code;
  m.title = CorrelationTitle(code);
  m.friction_efficiency = c.friction_efficiency;
  m.hydrostatic_efficiency = c.hydrostatic_efficiency;
  Trial given = Run(c, s, c.friction_efficiency, c.hydrostatic_efficiency);
  m.ok = given.ok();
  m.reason = given.reason;
  m.traverse = std::move(given.traverse);
  if (!m.ok) return m;
  m.predicted_psia = std::move(given.predicted);
  m.errors = Errors(m.predicted_psia, s);
  m.fitted_traverse = m.traverse;
  m.fitted_psia = m.predicted_psia;
  m.fitted_errors = m.errors;
  auto share = [&m] {
    const double f = std::fabs(m.fitted_traverse.total_friction_dp_psi);
    const double e = std::fabs(m.fitted_traverse.total_elevation_dp_psi);
    m.friction_share = f + e > 0.0 ? f / (f + e) : 0.0;
  };
  share();
  if (o.fit == FitMode::kNone) return m;

  const FitOutcome fit = Fit(c, s, o);
  m.fitted = true;
  m.evaluations = fit.evaluations;
  m.fit_note = fit.note;
  m.friction_efficiency = fit.fe;
  m.hydrostatic_efficiency = fit.hfe;
  Trial best = Run(c, s, fit.fe, fit.hfe);
  if (best.ok()) {
    m.fitted_traverse = std::move(best.traverse);
    m.fitted_psia = std::move(best.predicted);
    m.fitted_errors = Errors(m.fitted_psia, s);
    share();
  } else {
    // No better point than the start: the fit found nothing to improve.
    m.friction_efficiency = c.friction_efficiency;
    m.hydrostatic_efficiency = c.hydrostatic_efficiency;
    m.fit_note =
        "no efficiencies inside the bounds give a traverse that reaches every survey depth";
  }
  if (o.fit == FitMode::kFriction || o.fit == FitMode::kBoth) {
    m.friction = Judge(c, s, m, true, o.friction_bounds);
  }
  if (o.fit == FitMode::kHydrostatic || o.fit == FitMode::kBoth) {
    m.hydrostatic = Judge(c, s, m, false, o.hydrostatic_bounds);
  }
  // Moving one value at a time cannot see that two values fitted to fewer
  // points than two trade off against each other: neither is determined.
  const std::size_t fitted = (m.friction.fitted ? 1 : 0) + (m.hydrostatic.fitted ? 1 : 0);
  if (s.points.size() < fitted) {
    for (Determination* d : {&m.friction, &m.hydrostatic}) {
      if (!d->fitted) continue;
      d->determined = false;
      d->note += "; poorly determined all the same: " + std::to_string(fitted) +
                 " values were fitted to " + std::to_string(s.points.size()) +
                 " survey point(s), so any pair that meets them fits as well";
    }
  }
  return m;
}

double TvdAt(const std::vector<Station>& st, double md) {
  auto hi = std::lower_bound(st.begin(), st.end(), md,
                             [](const Station& a, double v) { return a.md_ft < v; });
  if (hi == st.end()) return st.back().tvd_ft;
  if (hi == st.begin() || hi->md_ft == md) return hi->tvd_ft;
  const Station& a = *(hi - 1);
  return a.tvd_ft + (hi->tvd_ft - a.tvd_ft) * (md - a.md_ft) / (hi->md_ft - a.md_ft);
}

std::vector<std::string> TemperatureWarnings(const TraverseCase& c, const Survey& s) {
  double worst = 0.0, worstMd = 0.0;
  for (const SurveyPoint& p : s.points) {
    if (!IsSet(p.temperature_F)) continue;
    Station at;
    at.md_ft = p.md_ft;
    at.tvd_ft = TvdAt(c.stations, p.md_ft);
    const double model = c.temperature.At(at, c.stations.front().md_ft, c.stations.back().md_ft);
    if (std::fabs(model - p.temperature_F) > std::fabs(worst)) {
      worst = model - p.temperature_F;
      worstMd = p.md_ft;
    }
  }
  if (std::fabs(worst) <= kTemperatureWarning_F) return {};
  std::ostringstream msg;
  msg << "the case's temperature model differs from the survey's temperatures by up to "
      << Number(worst, 1) << " degF (at " << Number(worstMd, 0)
      << " ft); the traverses use the case's model";
  return {msg.str()};
}

}  // namespace

std::string FitModeName(FitMode mode) {
  switch (mode) {
    case FitMode::kNone:
      return "none";
    case FitMode::kFriction:
      return "friction";
    case FitMode::kHydrostatic:
      return "hydrostatic";
    case FitMode::kBoth:
      return "both";
  }
  return "none";
}

FitMode FitModeFromName(const std::string& name, const std::string& field) {
  for (FitMode m : {FitMode::kNone, FitMode::kFriction, FitMode::kHydrostatic, FitMode::kBoth}) {
    if (name == FitModeName(m)) return m;
  }
  throw InputError(field + " = '" + name + "' is not one of none, friction, hydrostatic, both");
}

bool FittingAvailable() {
#ifdef PDROP_HAVE_NLOPT
  return true;
#else
  return false;
#endif
}

void MatchOptions::Validate() const {
  std::set<int> seen;
  for (std::size_t i = 0; i < correlations.size(); ++i) {
    const std::string field = "correlations[" + std::to_string(i) + "]";
    if (correlations[i] < 0 || correlations[i] > 9) {
      throw InputError(field + " = " + std::to_string(correlations[i]) +
                       " is not a correlation code (0 to 9, see 'pdrop list')");
    }
    if (!seen.insert(correlations[i]).second) {
      throw InputError(field + " = " + std::to_string(correlations[i]) + " is listed twice");
    }
  }
  for (const auto& [name, b] :
       {std::pair<const char*, const EfficiencyBounds&>{"friction_bounds", friction_bounds},
        {"hydrostatic_bounds", hydrostatic_bounds}}) {
    try {
      CheckRange(std::string(name) + ".low", b.low, limits::kEfficiency);
      CheckRange(std::string(name) + ".high", b.high, limits::kEfficiency);
    } catch (const std::invalid_argument& e) {
      throw InputError(e.what());
    }
    if (!(b.low < b.high)) {
      std::ostringstream msg;
      msg << name << ".low = " << b.low << " must be below " << name << ".high = " << b.high;
      throw InputError(msg.str());
    }
  }
  if (threads < 1 || threads > 1024) {
    throw InputError("threads = " + std::to_string(threads) +
                     " is outside the accepted range 1 to 1024");
  }
  if (fit != FitMode::kNone && !FittingAvailable()) {
    throw InputError("fit = '" + FitModeName(fit) +
                     "' needs NLopt, and this pdrop was built without it (Debian package "
                     "libnlopt-cxx-dev); only 'none' is available");
  }
}

std::vector<int> MatchCorrelations(const TraverseCase& c) {
  std::vector<std::string> names;
  std::vector<std::uint16_t> codes;
  const bool liquid = c.oil_STBd > 0.0 || c.water_bbld > 0.0;
  if (c.gas_MMscfd > 0.0 && !liquid) {
    CPressDrop::EnumerateGas(names, codes);
  } else if (c.gas_MMscfd <= 0.0) {
    CPressDrop::EnumerateLiquid(names, codes);
  } else {
    const double length = c.stations.back().md_ft - c.stations.front().md_ft;
    const double depth = std::fabs(c.stations.back().tvd_ft - c.stations.front().tvd_ft);
    if (depth >= kWellSlope * length) {
      CPressDrop::EnumerateMultiphase1(names, codes);
    } else {
      CPressDrop::EnumerateMultiphase2(names, codes);
    }
  }
  std::vector<int> out;
  for (std::uint16_t code : codes) {
    if (std::find(out.begin(), out.end(), code) == out.end()) out.push_back(code);
  }
  std::sort(out.begin(), out.end());
  return out;
}

TraverseCase WithSurveyStations(const TraverseCase& c, const Survey& s) {
  TraverseCase out = c;
  std::vector<Station>& st = out.stations;
  for (const SurveyPoint& p : s.points) {
    auto hi = std::lower_bound(st.begin(), st.end(), p.md_ft,
                               [](const Station& a, double v) { return a.md_ft < v; });
    const bool nearNext = hi != st.end() && hi->md_ft - p.md_ft < kMinStationGap_ft;
    const bool nearPrev = hi != st.begin() && p.md_ft - (hi - 1)->md_ft < kMinStationGap_ft;
    if (hi == st.end() || hi == st.begin() || nearNext || nearPrev) continue;
    Station added = *hi;  // the pipe the survey depth lies in
    added.md_ft = p.md_ft;
    added.tvd_ft = TvdAt(st, p.md_ft);
    st.insert(hi, added);
  }
  return out;
}

MatchResult MatchSurvey(const TraverseCase& c, const Survey& s, const MatchOptions& o) {
  try {
    c.Validate();
  } catch (const std::invalid_argument& e) {
    throw InputError(std::string("case: ") + e.what());
  }
  o.Validate();
  CheckSurvey(s, c);
  const TraverseCase surveyCase = WithSurveyStations(c, s);
  const std::vector<int> codes = o.correlations.empty() ? MatchCorrelations(c) : o.correlations;

  MatchResult result;
  result.fit = o.fit;
  result.warnings = TemperatureWarnings(c, s);
  std::vector<CorrelationMatch> matches(codes.size());
  ParallelFor(codes.size(), o.threads, [&](std::size_t i) {
    try {
      matches[i] = MatchOne(surveyCase, s, o, codes[i]);
    } catch (const std::exception& e) {
      matches[i] = CorrelationMatch{};
      matches[i].correlation = codes[i];
      matches[i].title = CorrelationTitle(codes[i]);
      matches[i].reason = e.what();
    }
  });
  std::stable_sort(matches.begin(), matches.end(),
                   [](const CorrelationMatch& a, const CorrelationMatch& b) {
                     if (a.ok != b.ok) return a.ok;
                     if (!a.ok) return a.correlation < b.correlation;
                     if (a.RankingRms() != b.RankingRms()) return a.RankingRms() < b.RankingRms();
                     return a.correlation < b.correlation;
                   });
  result.ranked = std::move(matches);
  return result;
}

}  // namespace pdrop
