#include "pdrop/workflows/VlpRequest.h"

#include <stdexcept>

#include "pdrop/case/CaseFile.h"
#include "pdrop/shell/Catalogue.h"

namespace pdrop {

VlpSensitivity VlpSensitivityFromJson(const std::string& name, const nlohmann::json& values,
                                      const std::string& where) {
  VlpSensitivity s;
  try {
    s.parameter = ParameterOfName(name);
  } catch (const std::invalid_argument& e) {
    throw InputError(where + ": unknown field " + std::string(e.what()) + " (or rates)");
  }
  const std::string field = where + ": " + name;
  if (!values.is_array()) throw InputError(field + ": expected a list of values");
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string item = name + "[" + std::to_string(i) + "]";
    if (s.parameter == VlpParameter::kCorrelation) {
      s.values.push_back(CorrelationCode(values[i], where + ": " + item));
    } else if (values[i].is_number()) {
      s.values.push_back(values[i].get<double>());
    } else {
      throw InputError(where + ": " + item + ": expected a number, found " + values[i].dump());
    }
  }
  return s;
}

VlpRequest VlpRequestFromJson(const nlohmann::json& j, const std::string& where) {
  if (!j.is_object()) throw InputError(where + ": expected an object of lists");
  VlpRequest r;
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (it.key() == "rates") {
      if (!it.value().is_array()) throw InputError(where + ": rates: expected a list of rates");
      for (std::size_t i = 0; i < it.value().size(); ++i) {
        const nlohmann::json& v = it.value()[i];
        if (!v.is_number()) {
          throw InputError(where + ": rates[" + std::to_string(i) + "]: expected a number");
        }
        r.rates.push_back(v.get<double>());
      }
    } else {
      r.sensitivities.push_back(VlpSensitivityFromJson(it.key(), it.value(), where));
    }
  }
  return r;
}

nlohmann::ordered_json LiftCurvesJson(const TraverseCase& c, const VlpRequest& r,
                                      const VlpResult& result) {
  nlohmann::ordered_json points = nlohmann::ordered_json::array();
  for (const VlpPoint& p : result.points) {
    nlohmann::ordered_json j;
    j["curve"] = p.curve + 1;
    for (std::size_t i = 0; i < p.values.size(); ++i) {
      j[ParameterName(r.sensitivities[i].parameter)] = p.values[i];
    }
    j[RateName(result.kind)] = p.rate;
    j["bhp_psia"] = p.complete ? nlohmann::ordered_json(p.bhp_psia) : nlohmann::ordered_json();
    j["complete"] = p.complete;
    j["reason"] = p.reason;
    j["bottom_regime"] = p.bottom_regime;
    j["loading"] = p.loading;
    j["coleman_loading"] = p.coleman_loading;
    j["minimum"] = p.minimum;
    j["unstable"] = p.unstable;
    points.push_back(j);
  }
  nlohmann::ordered_json out;
  out["name"] = c.name;
  out["correlation"] = CorrelationTitle(c.correlation);
  out["rate"] = RateName(result.kind);
  out["warnings"] = result.warnings;
  out["points"] = points;
  return out;
}

}  // namespace pdrop
