#include "pdrop/case/ResultJson.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"
#include "pdrop/traverse/RowColumns.h"

namespace pdrop {

nlohmann::json JsonNumber(double v) {
  if (!IsSet(v) || !std::isfinite(v)) return nullptr;
  return v;
}

nlohmann::ordered_json TraverseJson(const TraverseCase& c, const TraverseResult& r) {
  using K = RowColumn::Kind;
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (const TraverseRow& row : r.rows) {
    nlohmann::ordered_json& out = rows.emplace_back(nlohmann::ordered_json::object());
    for (const RowColumn& col : TraverseColumns()) {
      switch (col.kind) {
        case K::kNumber:
          out[col.name] = col.number(row);
          break;
        case K::kOptional:
          out[col.name] = JsonNumber(col.number(row));
          break;
        case K::kCode:
          out[col.name] = static_cast<int>(col.number(row));
          break;
        case K::kText:
          out[col.name] = row.regime_name;
          break;
        case K::kFlag:
          out[col.name] = col.number(row) != 0.0;
          break;
      }
    }
  }
  nlohmann::json summary = {
      {"complete", r.complete},
      {"computed_end_pressure_psia", JsonNumber(r.computed_end_pressure_psia)},
      {"total_friction_dp_psi", r.total_friction_dp_psi},
      {"total_elevation_dp_psi", r.total_elevation_dp_psi},
      {"loading_md_ft", r.has_loading ? nlohmann::json(r.loading_md_ft) : nlohmann::json()},
      {"warnings", r.warnings}};
  if (!r.complete) {
    summary["reason"] = r.reason;
    summary["stopped_at_md_ft"] = r.stopped_at_md_ft;
  }
  return {{"name", c.name}, {"correlation", c.correlation}, {"summary", summary}, {"rows", rows}};
}

nlohmann::json FlowMapJson(const CaseFlowMap& map) {
  nlohmann::json entries = nlohmann::json::array();
  for (const CFlowRegime& e : map.entries) {
    if (!e.IsCode() || e.m_aVsg.empty()) continue;
    nlohmann::json holdup = nlohmann::json::array(), elevation = nlohmann::json::array();
    for (double v : e.m_aHoldup) holdup.push_back(JsonNumber(v));
    for (double v : e.m_aElevationDP) elevation.push_back(JsonNumber(v));
    entries.push_back({{"code", e.m_nCode},
                       {"name", e.GetCodeName()},
                       {"vsg_ftps", e.m_aVsg},
                       {"vsl_ftps", e.m_aVsl},
                       {"holdup", holdup},
                       {"elevation_dp_psi_per_ft", elevation}});
  }
  return {{"ok", map.ok},
          {"reason", map.reason},
          {"vsg_ftps", JsonNumber(map.vsg_ftps)},
          {"vsl_ftps", JsonNumber(map.vsl_ftps)},
          {"regime_code", map.regime_code},
          {"regime", RegimeName(map.regime_code)},
          {"entries", entries}};
}

namespace {

using EnumFn = void (*)(std::vector<std::string>&, std::vector<std::uint16_t>&);

nlohmann::json ListJson(EnumFn fill) {
  std::vector<std::string> names;
  std::vector<std::uint16_t> codes;
  fill(names, codes);
  nlohmann::json out = nlohmann::json::array();
  for (std::size_t i = 0; i < names.size() && i < codes.size(); ++i) {
    out.push_back({{"code", codes[i]}, {"name", names[i]}});
  }
  return out;
}

}  // namespace

nlohmann::json CatalogueJson() {
  std::vector<std::string> names;
  std::vector<std::uint16_t> codes;
  CPressDrop::EnumerateAll(names, codes);
  nlohmann::json correlations = nlohmann::json::array();
  for (std::size_t i = 0; i < names.size(); ++i) {
    correlations.push_back({{"code", codes[i]},
                            {"name", names[i]},
                            {"title", CorrelationName(codes[i])},
                            {"default_efficiency", CPressDrop::GetDefaultFlowEff(codes[i])},
                            {"help", CPressDrop::GetBblHelp(0, codes[i])}});
  }
  CPressDrop::EnumerateFlowCodes(names, codes);
  nlohmann::json regimes = nlohmann::json::array();
  for (std::size_t i = 0; i < codes.size(); ++i) {
    regimes.push_back({{"code", codes[i]}, {"name", CPressDrop::GetCodeName(codes[i])}});
  }
  return {{"correlations", correlations},
          {"lists",
           {{"gas", ListJson(&CPressDrop::EnumerateGas)},
            {"liquid", ListJson(&CPressDrop::EnumerateLiquid)},
            {"multiphase_wells", ListJson(&CPressDrop::EnumerateMultiphase1)},
            {"multiphase_pipelines", ListJson(&CPressDrop::EnumerateMultiphase2)}}},
          {"flow_regimes", regimes}};
}

}  // namespace pdrop
