#include "Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <sstream>

#include "pdrop/case/CaseFile.h"
#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"

namespace pdrop::cli {
namespace {

const char* kCsvHeader =
    "md_ft,tvd_ft,pressure_psia,temperature_F,friction_dp_psi,elevation_dp_psi,holdup,"
    "regime_code,regime,vsg_ftps,vsl_ftps,vg_ftps,vl_ftps,mixture_density_lbmft3,"
    "turner_MMscfd,coleman_MMscfd,loading";

std::string Number(double v, int decimals) { return FixedNumber(v, decimals); }

}  // namespace

std::string FixedNumber(double v, int decimals) {
  if (!IsSet(v) || !std::isfinite(v)) return "";
  std::ostringstream s;
  s << std::fixed << std::setprecision(decimals) << v;
  std::string text = s.str();
  // A value that rounds to zero is shown without a sign.
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

void PrintColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                  const std::vector<bool>& left) {
  std::vector<std::size_t> width;
  for (const auto& row : rows) {
    if (width.size() < row.size()) width.resize(row.size(), 0);
    for (std::size_t i = 0; i < row.size(); ++i) {
      // Width in characters, counting a UTF-8 sequence once.
      std::size_t n = 0;
      for (unsigned char ch : row[i]) n += (ch & 0xC0) != 0x80;
      width[i] = std::max(width[i], n);
    }
  }
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      std::size_t n = 0;
      for (unsigned char ch : row[i]) n += (ch & 0xC0) != 0x80;
      const std::string pad(width[i] - n, ' ');
      if (i > 0) line += "  ";
      const bool alignLeft = i < left.size() && left[i];
      line += alignLeft ? row[i] + pad : pad + row[i];
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << "\n";
  }
}

void PrintTable(std::ostream& out, const TraverseCase& c, const TraverseResult& r) {
  out << c.name << " - " << CorrelationTitle(c.correlation) << "\n";
  std::vector<std::vector<std::string>> rows;
  rows.push_back({"md [ft]", "tvd [ft]", "p [psia]", "T [degF]", "dPf [psi]", "dPel [psi]",
                  "holdup [-]", "regime", "vsg [ft/s]", "vsl [ft/s]", "rho [lbm/ft3]",
                  "turner [MMscf/d]", "loading"});
  for (const TraverseRow& row : r.rows) {
    rows.push_back({FixedNumber(row.md_ft, 1), FixedNumber(row.tvd_ft, 1),
                    FixedNumber(row.pressure_psia, 2), FixedNumber(row.temperature_F, 1),
                    FixedNumber(row.friction_dp_psi, 3), FixedNumber(row.elevation_dp_psi, 3),
                    FixedNumber(row.holdup, 3), row.regime_name, FixedNumber(row.vsg_ftps, 3),
                    FixedNumber(row.vsl_ftps, 3), FixedNumber(row.mixture_density_lbmft3, 3),
                    FixedNumber(row.turner_MMscfd, 3), row.loading ? "yes" : ""});
  }
  std::vector<bool> left(13, false);
  left[7] = left[12] = true;
  PrintColumns(out, rows, left);
}

void PrintSummary(std::ostream& out, const TraverseCase& c, const TraverseResult& r) {
  const bool knownFirst = c.known_end == ProfileEnd::kFirst;
  out << "\n";
  if (r.complete) {
    out << "computed " << (knownFirst ? "last" : "first") << "-station pressure: "
        << Number(r.computed_end_pressure_psia, 2) << " psia\n";
  } else {
    out << "INCOMPLETE: the segment starting at md " << Number(r.stopped_at_md_ft, 1)
        << " ft could not be computed: " << r.reason << "\n";
  }
  out << "total friction change:  " << Number(r.total_friction_dp_psi, 2) << " psi\n";
  out << "total elevation change: " << Number(r.total_elevation_dp_psi, 2) << " psi\n";
  if (r.has_loading) {
    out << "liquid loading: gas rate below the Turner critical rate from md "
        << Number(r.loading_md_ft, 1) << " ft\n";
  } else {
    out << "liquid loading: none\n";
  }
  for (const std::string& w : r.warnings) out << "note: " << w << "\n";
}

void WriteCsv(std::ostream& out, const TraverseResult& r) {
  out << kCsvHeader << "\n";
  for (const TraverseRow& row : r.rows) {
    out << Number(row.md_ft, 3) << ',' << Number(row.tvd_ft, 3) << ','
        << Number(row.pressure_psia, 4) << ',' << Number(row.temperature_F, 3) << ','
        << Number(row.friction_dp_psi, 5) << ',' << Number(row.elevation_dp_psi, 5) << ','
        << Number(row.holdup, 5) << ',' << row.regime_code << ",\"" << row.regime_name << "\","
        << Number(row.vsg_ftps, 5) << ',' << Number(row.vsl_ftps, 5) << ','
        << Number(row.vg_ftps, 5) << ',' << Number(row.vl_ftps, 5) << ','
        << Number(row.mixture_density_lbmft3, 5) << ',' << Number(row.turner_MMscfd, 5) << ','
        << Number(row.coleman_MMscfd, 5) << ',' << (row.loading ? 1 : 0) << "\n";
  }
}

nlohmann::json ResultJson(const TraverseCase& c, const TraverseResult& r) {
  auto value = [](double v) -> nlohmann::json {
    if (!IsSet(v) || !std::isfinite(v)) return nullptr;
    return v;
  };
  nlohmann::json rows = nlohmann::json::array();
  for (const TraverseRow& row : r.rows) {
    rows.push_back({{"md_ft", row.md_ft},
                    {"tvd_ft", row.tvd_ft},
                    {"pressure_psia", row.pressure_psia},
                    {"temperature_F", row.temperature_F},
                    {"friction_dp_psi", row.friction_dp_psi},
                    {"elevation_dp_psi", row.elevation_dp_psi},
                    {"holdup", row.holdup},
                    {"regime_code", row.regime_code},
                    {"regime", row.regime_name},
                    {"vsg_ftps", row.vsg_ftps},
                    {"vsl_ftps", row.vsl_ftps},
                    {"vg_ftps", row.vg_ftps},
                    {"vl_ftps", row.vl_ftps},
                    {"mixture_density_lbmft3", row.mixture_density_lbmft3},
                    {"turner_MMscfd", value(row.turner_MMscfd)},
                    {"coleman_MMscfd", value(row.coleman_MMscfd)},
                    {"loading", row.loading}});
  }
  nlohmann::json summary = {
      {"complete", r.complete},
      {"computed_end_pressure_psia", value(r.computed_end_pressure_psia)},
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

}  // namespace pdrop::cli
