// A family of lift curves in JSON: the request (its sensitivities) in, the
// points out. The request:
//   {"rates": [...], "wellhead_pressure_psia": [...], "water_cut": [...],
//    "gor_scf_per_STB": [...], "glr_scf_per_STB": [...], "id_in": [...],
//    "correlation": [3, "Gray", ...]}
// Every field is optional; unknown fields and values of the wrong type are
// InputErrors that name the field.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "pdrop/workflows/Vlp.h"

namespace pdrop {

VlpRequest VlpRequestFromJson(const nlohmann::json& j, const std::string& where);

// The values of one sensitivity from JSON (a list of numbers, or for
// "correlation" codes and names).
VlpSensitivity VlpSensitivityFromJson(const std::string& name, const nlohmann::json& values,
                                      const std::string& where);

// The points as the command's JSON output and the Python frame give them:
// {"name", "correlation", "rate", "warnings", "points": [{"curve" (from 1),
// the sensitivity values, the rate, "bhp_psia" (null without a result),
// "complete", "reason", "bottom_regime", "loading", "coleman_loading",
// "minimum", "unstable"}]}.
nlohmann::ordered_json LiftCurvesJson(const TraverseCase& c, const VlpRequest& r,
                                      const VlpResult& result);

}  // namespace pdrop
