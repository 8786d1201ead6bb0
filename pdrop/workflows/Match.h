// Matching a measured pressure survey: each correlation's traverse set
// against the pressures a gauge read in the well (or along the pipeline),
// with the error statistics, and the friction and hydrostatic efficiencies
// (the engine's m_dFe and m_dHFe, which divide each segment's friction and
// elevation change) fitted so that the traverse passes closest to the
// measured points. Correlations are ranked best first.
//
// The traverse gets a station at every survey depth, so a predicted pressure
// is the march's own value there, not an interpolation. The fit minimises
// the mean squared difference [psi^2] with NLopt's bounded derivative-free
// methods (BOBYQA for two efficiencies, Nelder-Mead for one).
//
// Units: depths ft, pressures psia, differences psi, percentages of the
// measured pressure.
#pragma once

#include <string>
#include <vector>

#include "pdrop/case/Survey.h"
#include "pdrop/traverse/Traverse.h"

namespace pdrop {

enum class FitMode { kNone, kFriction, kHydrostatic, kBoth };

// "none", "friction", "hydrostatic", "both".
std::string FitModeName(FitMode mode);
// The mode of a name; an InputError naming `field` otherwise.
FitMode FitModeFromName(const std::string& name, const std::string& field);

// Whether this build can fit efficiencies (it was built with NLopt).
bool FittingAvailable();

struct EfficiencyBounds {
  double low = 0.5;
  double high = 1.5;
};

struct MatchOptions {
  std::vector<int> correlations;  // empty: MatchCorrelations(case)
  FitMode fit = FitMode::kBoth;
  EfficiencyBounds friction_bounds;
  EfficiencyBounds hydrostatic_bounds;
  int threads = 1;  // correlations matched at once

  // Throws InputError naming the field ("correlations[1]",
  // "friction_bounds.low", ...); a fit without NLopt is refused too.
  void Validate() const;
};

// Differences predicted - measured over the survey points.
struct MatchErrors {
  double mean_psi = 0.0, mean_abs_psi = 0.0, rms_psi = 0.0;
  double mean_pct = 0.0, mean_abs_pct = 0.0, rms_pct = 0.0;  // of the measured pressure
};

// How well a fitted efficiency is determined by the survey: the RMS error
// with the value moved 5 % down and up (the other efficiency kept at its
// fit). `effect_psi` is what that move alone does to the predicted
// pressures, sqrt(RMS_moved^2 - RMS_fit^2) for the smaller of the two moves.
// The value counts as determined when the effect exceeds both the scatter
// left after fitting and 0.5 % of the traverse's pressure change (a model
// error of that size would otherwise shift the value by 5 %).
struct Determination {
  bool fitted = false;
  double value = 1.0;
  double rms_down_psi = 0.0;  // RMS error at 0.95 x value
  double rms_up_psi = 0.0;    // RMS error at 1.05 x value
  double effect_psi = 0.0;
  bool at_bound = false;  // the fit stopped at a bound
  bool determined = false;
  std::string note;  // one sentence for the reader
};

struct CorrelationMatch {
  int correlation = 0;
  std::string title;  // "Modified Beggs & Brill (code 3)"
  // Every survey depth reached by the traverse with the case's efficiencies.
  bool ok = false;
  std::string reason;                  // why not, when !ok
  std::vector<double> predicted_psia;  // at the survey points, case's efficiencies
  MatchErrors errors;
  bool fitted = false;
  double friction_efficiency = 1.0;  // fitted, or the case's
  double hydrostatic_efficiency = 1.0;
  std::vector<double> fitted_psia;  // at the survey points, fitted efficiencies
  MatchErrors fitted_errors;
  Determination friction, hydrostatic;
  double friction_share = 0.0;     // |friction| / (|friction| + |elevation|), fitted traverse
  int evaluations = 0;             // traverses the fit ran
  std::string fit_note;            // how the optimizer stopped, when worth saying
  TraverseResult traverse;         // with the case's efficiencies
  TraverseResult fitted_traverse;  // with the fitted ones (= traverse without a fit)

  // The RMS error the ranking uses: after fitting when fitted.
  double RankingRms() const { return fitted ? fitted_errors.rms_psi : errors.rms_psi; }
};

struct MatchResult {
  FitMode fit = FitMode::kNone;
  std::vector<CorrelationMatch> ranked;  // best first; those that are not ok last
  // Sentences for the reader: survey temperatures that differ from the
  // case's temperature model.
  std::vector<std::string> warnings;
};

// The correlations that apply to a case: those of the catalogue's list for
// its stream (gas only, liquid only, or multiphase in a well or a pipeline;
// a profile whose depth changes by at least a fifth of its length is a well).
std::vector<int> MatchCorrelations(const TraverseCase& c);

// The case with a station at each survey depth that is not one already
// (true vertical depth interpolated in measured depth, the pipe of the next
// station, which is the pipe the survey depth lies in).
TraverseCase WithSurveyStations(const TraverseCase& c, const Survey& s);

// Matches the survey with each correlation. Throws InputError for a case, a
// survey or options that are not valid.
MatchResult MatchSurvey(const TraverseCase& c, const Survey& s, const MatchOptions& o);

}  // namespace pdrop
