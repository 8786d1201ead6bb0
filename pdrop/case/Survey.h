// Measured pressure surveys: pressures (and, optionally, temperatures) read
// by a gauge at measured depths of a well or along a pipeline, to be set
// against a traverse of its case.
//
// Two file formats, told apart by their first character:
//   CSV   a header line naming the columns md_ft, pressure_psia and
//         optionally temperature_F (in any order), then one point a line;
//         blank lines are skipped, a temperature cell may be left empty;
//   JSON  a list of objects {"md_ft": ..., "pressure_psia": ...,
//         "temperature_F": ...} (temperature_F optional).
// Depths [ft] must lie inside the case's measured depths and run strictly
// one way (increasing, or decreasing as when a gauge is pulled out of the
// hole); pressures [psia] and temperatures [degF] within the shared limits.
// Bad input is an InputError naming the row: "survey.csv line 4: ..." for
// CSV, "survey.json[3]: ..." for JSON.
#pragma once

#include <string>
#include <vector>

#include "pdrop/platform/NotSet.h"
#include "pdrop/traverse/Traverse.h"

namespace pdrop {

struct SurveyPoint {
  double md_ft = 0.0;
  double pressure_psia = 0.0;
  double temperature_F = kNotSet;  // kNotSet where the survey gives none
};

struct Survey {
  std::vector<SurveyPoint> points;  // in order of increasing measured depth
  bool has_temperature = false;     // at least one point carries a temperature
};

// At most this many points, so that a survey cannot turn a traverse into
// millions of segments.
inline constexpr std::size_t kMaxSurveyPoints = 10000;

// Parses survey text (CSV or JSON); `where` names it in messages.
Survey ParseSurvey(const std::string& text, const std::string& where, const TraverseCase& c);
// Reads a survey file; an unreadable file is an InputError "cannot read
// survey file PATH (why)".
Survey ReadSurveyFile(const std::string& path, const TraverseCase& c);
// Checks a survey built in code by the same rules; points are named
// "survey[i]". Points must already be in increasing measured depth.
void CheckSurvey(const Survey& s, const TraverseCase& c);

}  // namespace pdrop
