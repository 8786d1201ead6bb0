#include "pdrop/traverse/RowColumns.h"

namespace pdrop {

const std::array<RowColumn, 17>& TraverseColumns() {
  using K = RowColumn::Kind;
  static const std::array<RowColumn, 17> columns{{
      {"md_ft", "md [ft]", K::kNumber, 3, 1, [](const TraverseRow& r) { return r.md_ft; }},
      {"tvd_ft", "tvd [ft]", K::kNumber, 3, 1, [](const TraverseRow& r) { return r.tvd_ft; }},
      {"pressure_psia", "p [psia]", K::kNumber, 4, 2,
       [](const TraverseRow& r) { return r.pressure_psia; }},
      {"temperature_F", "T [degF]", K::kNumber, 3, 1,
       [](const TraverseRow& r) { return r.temperature_F; }},
      {"friction_dp_psi", "dPf [psi]", K::kNumber, 5, 3,
       [](const TraverseRow& r) { return r.friction_dp_psi; }},
      {"elevation_dp_psi", "dPel [psi]", K::kNumber, 5, 3,
       [](const TraverseRow& r) { return r.elevation_dp_psi; }},
      {"holdup", "holdup [-]", K::kNumber, 5, 3, [](const TraverseRow& r) { return r.holdup; }},
      {"regime_code", nullptr, K::kCode, 0, 0,
       [](const TraverseRow& r) { return static_cast<double>(r.regime_code); }},
      {"regime", "regime", K::kText, 0, 0, nullptr},
      {"vsg_ftps", "vsg [ft/s]", K::kNumber, 5, 3, [](const TraverseRow& r) { return r.vsg_ftps; }},
      {"vsl_ftps", "vsl [ft/s]", K::kNumber, 5, 3, [](const TraverseRow& r) { return r.vsl_ftps; }},
      {"vg_ftps", nullptr, K::kNumber, 5, 3, [](const TraverseRow& r) { return r.vg_ftps; }},
      {"vl_ftps", nullptr, K::kNumber, 5, 3, [](const TraverseRow& r) { return r.vl_ftps; }},
      {"mixture_density_lbmft3", "rho [lbm/ft3]", K::kNumber, 5, 3,
       [](const TraverseRow& r) { return r.mixture_density_lbmft3; }},
      {"turner_MMscfd", "turner [MMscf/d]", K::kOptional, 5, 3,
       [](const TraverseRow& r) { return r.turner_MMscfd; }},
      {"coleman_MMscfd", nullptr, K::kOptional, 5, 3,
       [](const TraverseRow& r) { return r.coleman_MMscfd; }},
      {"loading", "loading", K::kFlag, 0, 0,
       [](const TraverseRow& r) { return r.loading ? 1.0 : 0.0; }},
  }};
  return columns;
}

}  // namespace pdrop
