// Results as JSON, the one form the command's --json outputs, the Python
// package and the page's server share: a traverse, the flow-pattern map of a
// case and the correlation catalogue. Values that are not set or not finite
// are null.
#pragma once

#include <nlohmann/json.hpp>

#include "pdrop/traverse/CaseFlowMap.h"
#include "pdrop/traverse/Traverse.h"

namespace pdrop {

// A number, or null when it is not set or not finite.
nlohmann::json JsonNumber(double v);

// {"name", "correlation", "summary": {...}, "rows": [{column: value}]}, the
// columns of a row in the order of the command's table and CSV.
nlohmann::ordered_json TraverseJson(const TraverseCase& c, const TraverseResult& r);

// {"ok", "reason", "vsg_ftps", "vsl_ftps", "regime_code", "regime",
//  "entries": [{"code", "name", "vsg_ftps", "vsl_ftps", "holdup",
//               "elevation_dp_psi_per_ft"}]}: the patterns that have points.
nlohmann::json FlowMapJson(const CaseFlowMap& map);

// {"correlations": [{"code", "name", "title", "default_efficiency", "help"}],
//  "lists": {"gas", "liquid", "multiphase_wells", "multiphase_pipelines": [{"code", "name"}]},
//  "flow_regimes": [{"code", "name"}]}, in the order the engine lists them.
nlohmann::json CatalogueJson();

}  // namespace pdrop
