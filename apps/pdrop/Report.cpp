#include "Report.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "CaseFile.h"
#include "pdrop/core/PressDrop.h"

namespace pdrop::cli {
namespace {

const char* kCsvHeader =
    "md_ft,tvd_ft,pressure_psia,temperature_F,friction_dp_psi,elevation_dp_psi,holdup,"
    "regime_code,regime,vsg_ftps,vsl_ftps,vg_ftps,vl_ftps,mixture_density_lbmft3,"
    "turner_MMscfd,coleman_MMscfd,loading";

std::string Number(double v, int decimals) {
  if (!IsSet(v) || !std::isfinite(v)) return "";
  std::ostringstream s;
  s << std::fixed << std::setprecision(decimals) << v;
  return s.str();
}

}  // namespace

void PrintTable(std::ostream& out, const TraverseCase& c, const TraverseResult& r) {
  out << c.name << " - " << CPressDrop::GetBblHelp(0, c.correlation) << " (code "
      << c.correlation << ")\n";
  char line[256];
  std::snprintf(line, sizeof line, "%9s %9s %10s %7s %9s %9s %6s %-20s %8s %8s %8s %8s %4s\n",
                "md_ft", "tvd_ft", "p_psia", "T_F", "dPf_psi", "dPel_psi", "holdup", "regime",
                "vsg_ft/s", "vsl_ft/s", "rho_lb/ft3", "turner", "load");
  out << line;
  for (const TraverseRow& row : r.rows) {
    std::snprintf(line, sizeof line,
                  "%9.1f %9.1f %10.2f %7.1f %9.3f %9.3f %6.3f %-20s %8.3f %8.3f %8.3f %8s %4s\n",
                  row.md_ft, row.tvd_ft, row.pressure_psia, row.temperature_F,
                  row.friction_dp_psi, row.elevation_dp_psi, row.holdup, row.regime_name.c_str(),
                  row.vsg_ftps, row.vsl_ftps, row.mixture_density_lbmft3,
                  Number(row.turner_MMscfd, 3).c_str(), row.loading ? "yes" : "");
    out << line;
  }
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
      {"loading_md_ft", r.has_loading ? nlohmann::json(r.loading_md_ft) : nlohmann::json()}};
  if (!r.complete) {
    summary["reason"] = r.reason;
    summary["stopped_at_md_ft"] = r.stopped_at_md_ft;
  }
  return {{"name", c.name}, {"correlation", c.correlation}, {"summary", summary}, {"rows", rows}};
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".partial";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw InputError(path + ": cannot be written");
    out << text;
    if (!out.flush()) {
      std::filesystem::remove(temporary);
      throw InputError(path + ": cannot be written");
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary);
    throw InputError(path + ": cannot be written (" + ec.message() + ")");
  }
}

}  // namespace pdrop::cli
