#include "pdrop/traverse/Traverse.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "pdrop/core/PressDrop.h"
#include "pdrop/fluid/blackoil/StreamFluid.h"
#include "pdrop/loading/Coleman.h"
#include "pdrop/platform/Units.h"
#include "pdrop/traverse/Applicability.h"
#include "pdrop/traverse/Limits.h"

namespace pdrop {
namespace {

constexpr double kRankine = units::kRankineOffset;
constexpr double kShortestSegment = 0.01;  // ft, the engine's own limit
constexpr std::size_t kMaxStations = 100000;
constexpr int kHighestCode = 9;
constexpr double kGasWellLiquidRatio = 200.0;  // bbl/MMscf

[[noreturn]] void Reject(const std::string& field, double value, const char* range) {
  std::ostringstream msg;
  msg << field << " = " << value << " is outside the accepted range " << range;
  throw std::invalid_argument(msg.str());
}

void Require(bool ok, const std::string& field, double value, const char* range) {
  if (!ok) Reject(field, value, range);
}

std::string StationField(std::size_t i, const char* name) {
  return "stations[" + std::to_string(i) + "]." + name;
}

double FlowArea_ft2(const Station& s) {
  return units::kPi * (s.id_in * s.id_in - s.inner_od_in * s.inner_od_in) / 576.0;
}

}  // namespace

double TemperatureModel::At(const Station& s, double firstMd_ft, double lastMd_ft) const {
  if (kind == Kind::kGeothermal) return surface_F + gradient_F_per_ft * s.tvd_ft;
  const double span = lastMd_ft - firstMd_ft;
  const double w = span > 0.0 ? (s.md_ft - firstMd_ft) / span : 0.0;
  return first_F + (last_F - first_F) * w;
}

void TraverseCase::Validate() const {
  Require(correlation >= 0 && correlation <= kHighestCode, "correlation", correlation,
          "0 to 9 (see 'pdrop list')");
  Require(stations.size() >= 2, "stations (count)", static_cast<double>(stations.size()),
          "at least 2");
  Require(stations.size() <= kMaxStations, "stations (count)", static_cast<double>(stations.size()),
          "at most 100000");
  const Range depth{-limits::kMaxDepth_ft, limits::kMaxDepth_ft, false, "-1e7 to 1e7 ft"};
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const Station& s = stations[i];
    CheckRange(StationField(i, "md_ft"), s.md_ft, depth);
    CheckRange(StationField(i, "tvd_ft"), s.tvd_ft, depth);
    CheckPipe(s.id_in, s.inner_od_in, s.roughness_in, StationField(i, "id_in"),
              StationField(i, "inner_od_in"), StationField(i, "roughness_in"));
    if (i == 0) continue;
    const Station& prev = stations[i - 1];
    const double dmd = s.md_ft - prev.md_ft;
    Require(dmd >= kShortestSegment, StationField(i, "md_ft"), s.md_ft,
            "at least 0.01 ft beyond the station before (measured depth must increase)");
    Require(std::fabs(s.tvd_ft - prev.tvd_ft) <= dmd * (1.0 + 1e-9) + 1e-6,
            StationField(i, "tvd_ft"), s.tvd_ft,
            "within the measured-depth interval of the station before");
  }
  Require(std::isfinite(max_segment_ft) && max_segment_ft >= 0.0 &&
              (max_segment_ft == 0.0 || max_segment_ft >= 1.0),
          "max_segment_ft", max_segment_ft, "0 (no splitting) or at least 1 ft");
  if (max_segment_ft > 0.0) {
    const double pieces = (stations.back().md_ft - stations.front().md_ft) / max_segment_ft;
    Require(pieces <= static_cast<double>(kMaxStations), "max_segment_ft", max_segment_ft,
            "large enough for at most 100000 segments");
  }
  if (temperature.kind == TemperatureModel::Kind::kLinear) {
    CheckRange("temperature.first_F", temperature.first_F, limits::kTemperature_F);
    CheckRange("temperature.last_F", temperature.last_F, limits::kTemperature_F);
  } else {
    CheckRange("temperature.surface_F", temperature.surface_F, limits::kTemperature_F);
    CheckRange("temperature.gradient_F_per_ft", temperature.gradient_F_per_ft,
               limits::kTemperatureGradient_F_per_ft);
    for (std::size_t i = 0; i < stations.size(); ++i) {
      CheckRange(StationField(i, "temperature_F") + " (from the geothermal gradient)",
                 temperature.At(stations[i], 0.0, 0.0), limits::kTemperature_F);
    }
  }
  CheckRange("known_pressure_psia", known_pressure_psia, limits::kPressure_psia);
  CheckRange("gas_MMscfd", gas_MMscfd, limits::kGas_MMscfd);
  CheckRange("oil_STBd", oil_STBd, limits::kOil_STBd);
  CheckRange("water_bbld", water_bbld, limits::kWater_bbld);
  Require(flow_over == 0 || flow_over == 1, "flow_over", flow_over, "0 or 1");
  Require(static_phase >= 0 && static_phase <= 2, "static_phase", static_phase,
          "0 (gas), 1 (oil) or 2 (water)");
  Require(std::isfinite(max_subdivisions) && max_subdivisions >= 1.0 && max_subdivisions <= 1000.0,
          "max_subdivisions", max_subdivisions, "1 to 1000");
  CheckRange("options.friction_efficiency", friction_efficiency, limits::kEfficiency);
  CheckRange("options.hydrostatic_efficiency", hydrostatic_efficiency, limits::kEfficiency);
  fluid.Validate("fluid.");
}

std::vector<Station> TraverseCase::MarchStations() const {
  std::vector<Station> out;
  out.reserve(stations.size());
  out.push_back(stations.front());
  for (std::size_t i = 1; i < stations.size(); ++i) {
    const Station& a = stations[i - 1];
    const Station& b = stations[i];
    int parts = 1;
    if (max_segment_ft > 0.0) {
      parts = static_cast<int>(std::ceil((b.md_ft - a.md_ft) / max_segment_ft - 1e-9));
      if (parts < 1) parts = 1;
    }
    for (int k = 1; k <= parts; ++k) {
      Station s = b;  // the pipe of the further station
      const double w = static_cast<double>(k) / parts;
      s.md_ft = a.md_ft + (b.md_ft - a.md_ft) * w;
      s.tvd_ft = a.tvd_ft + (b.tvd_ft - a.tvd_ft) * w;
      out.push_back(s);
    }
  }
  return out;
}

namespace {

// Sets up the segment from station cur to station next on the engine, with
// the sign rules of the march, and solves it from pressure p [psia].
double SolveSegment(const TraverseCase& c, const std::vector<Station>& st, std::size_t cur,
                    std::size_t next, int flowSign, double p, CPressDrop& engine) {
  const Station& pipe = st[std::max(cur, next)];
  const double dzSigned = st[next].tvd_ft - st[cur].tvd_ft;
  const double dmd = std::fabs(st[next].md_ft - st[cur].md_ft);
  const double dx = std::sqrt(std::max(dmd * dmd - dzSigned * dzSigned, 0.0));
  const int dir = dzSigned < 0.0 ? -1 : +1;

  engine.Init(pipe.inner_od_in, pipe.id_in, dx, std::fabs(dzSigned));
  // Options after Init, whose correlation set-up may reset them.
  engine.SetDir(dir);
  engine.SetFlw(flowSign);
  engine.SetFf(pipe.roughness_in);
  engine.SetFlowOver(c.flow_over);
  engine.SetGradientType(c.static_phase);
  engine.SetSubdiv(c.subdivide ? 1 : 0);
  engine.m_dMaxSubdiv = c.max_subdivisions;
  engine.SetFe(c.friction_efficiency);
  engine.SetHFe(c.hydrostatic_efficiency);

  const double firstMd = st.front().md_ft, lastMd = st.back().md_ft;
  const double t1 = c.temperature.At(st[cur], firstMd, lastMd) + kRankine;
  const double t2 = c.temperature.At(st[next], firstMd, lastMd) + kRankine;
  const double length = engine.m_dLength;
  const double dTdL = length > 0.0 ? (t2 - t1) / (length * dir) : 0.0;
  return engine.Cal(p, t1, dTdL, c.gas_MMscfd, c.oil_STBd, c.water_bbld);
}

int FlowSign(const TraverseCase& c) {
  const ProfileEnd marchTo =
      c.known_end == ProfileEnd::kFirst ? ProfileEnd::kLast : ProfileEnd::kFirst;
  // Against the flow the pressure rises toward the computed end by friction.
  return marchTo == c.flow_to ? -1 : +1;
}

// What the march knows of a case while it writes the row of a station.
struct RowContext {
  const TraverseCase& c;
  const std::vector<Station>& st;
  bool gasWell;  // a producing gas well, where liquid loading is flagged
  CTurner& turner;
  CColeman& coleman;
};

// The row of station i: its pressure p, the changes of the segment that ends
// there, and what the engine's record says of that segment.
TraverseRow MakeRow(const RowContext& x, const CPressDrop& e, std::size_t i, double p,
                    double friction, double elevation) {
  const Station& station = x.st[i];
  TraverseRow r{};
  r.md_ft = station.md_ft;
  r.tvd_ft = station.tvd_ft;
  r.pressure_psia = p;
  r.temperature_F = x.c.temperature.At(station, x.st.front().md_ft, x.st.back().md_ft);
  r.friction_dp_psi = friction;
  r.elevation_dp_psi = elevation;
  r.holdup = ZeroIfNotSet(e.m_dHoldup);
  r.regime_code = e.GetCode();
  r.regime_name = RegimeName(r.regime_code);
  r.vsg_ftps = ZeroIfNotSet(e.m_dVsg);
  r.vsl_ftps = ZeroIfNotSet(e.m_dVsl);
  r.vg_ftps = ZeroIfNotSet(e.m_dVg);
  r.vl_ftps = ZeroIfNotSet(e.m_dVl);
  r.mixture_density_lbmft3 = ZeroIfNotSet(e.m_dRhoS);
  const double area = FlowArea_ft2(station);
  const double tR = r.temperature_F + kRankine;
  const bool water = x.c.water_bbld > 0.0 || x.c.oil_STBd == 0.0;
  r.turner_MMscfd = water ? x.turner.WtrA(area, p, tR) : x.turner.CndA(area, p, tR);
  r.coleman_MMscfd = water ? x.coleman.WtrA(area, p, tR) : x.coleman.CndA(area, p, tR);
  r.loading = x.gasWell && IsSet(r.turner_MMscfd) && x.c.gas_MMscfd < r.turner_MMscfd;
  return r;
}

TraverseResult March(const TraverseCase& c, const std::function<void(CPressDrop&)>& bind,
                     CProp* gas) {
  c.Validate();
  const std::vector<Station> st = c.MarchStations();
  const std::size_t n = st.size();
  const bool forward = c.known_end == ProfileEnd::kFirst;
  const int flowSign = FlowSign(c);

  std::unique_ptr<CPressDrop> engine(CPressDrop::New(c.correlation));
  bind(*engine);
  CColeman coleman;
  coleman.SetProps(gas);
  CTurner turner;
  turner.SetProps(gas);

  // Liquid loading is a producing gas well's trouble: the gas flows up to the
  // first station and at most 200 bbl of liquid per MMscf rides with it.
  const bool gasWell =
      c.flow_to == ProfileEnd::kFirst && IsGasWellStream(c.gas_MMscfd, c.oil_STBd + c.water_bbld);
  TraverseResult result;
  std::vector<TraverseRow> rows;
  rows.reserve(n);

  const RowContext rowContext{c, st, gasWell, turner, coleman};

  double p = c.known_pressure_psia;
  std::size_t cur = forward ? 0 : n - 1;
  for (std::size_t step = 0; step + 1 < n; ++step) {
    const std::size_t next = forward ? cur + 1 : cur - 1;
    const double p2 = SolveSegment(c, st, cur, next, flowSign, p, *engine);
    const std::string outOfRange = IsSet(p2) ? PressureOutOfRange(p2) : std::string();
    if (!IsSet(p2) || !outOfRange.empty()) {
      result.stopped_at_md_ft = st[cur].md_ft;
      result.reason = !outOfRange.empty() ? outOfRange : NoResultReason(*engine);
      break;
    }
    const std::string note = CalculationNote(*engine);
    if (!note.empty() &&
        std::find(result.warnings.begin(), result.warnings.end(), note) == result.warnings.end()) {
      result.warnings.push_back(note);
    }
    if (step == 0) rows.push_back(MakeRow(rowContext, *engine, cur, p, 0.0, 0.0));
    rows.push_back(
        MakeRow(rowContext, *engine, next, p2, engine->m_dFrictionDP, engine->m_dElevationDP));
    result.total_friction_dp_psi += engine->m_dFrictionDP;
    result.total_elevation_dp_psi += engine->m_dElevationDP;
    p = p2;
    cur = next;
  }
  result.complete = result.reason.empty();
  result.computed_end_pressure_psia = result.complete ? p : kNotSet;
  if (!forward) std::reverse(rows.begin(), rows.end());
  for (const TraverseRow& r : rows) {
    if (r.loading) {
      result.has_loading = true;
      result.loading_md_ft = r.md_ft;
      break;
    }
  }
  result.rows = std::move(rows);
  const std::vector<std::string> fitted =
      FittedRangeWarnings(c.fluid, c.correlation, EnvelopeOf(c));
  result.warnings.insert(result.warnings.begin(), fitted.begin(), fitted.end());
  return result;
}

}  // namespace

std::string RegimeName(int regimeCode) {
  return regimeCode == 666 ? std::string(kNotClassified) : CPressDrop::GetCodeName(regimeCode);
}

bool IsGasWellStream(double gas_MMscfd, double liquid_bbld) {
  return gas_MMscfd > 0.0 && liquid_bbld / gas_MMscfd <= kGasWellLiquidRatio;
}

std::string NoResultReason(const CPressDrop& e) {
  if (IsSet(e.m_dP2) && e.m_dP2 < CPressDrop::m_dMinAbsPress) {
    return PressureOutOfRange(e.m_dP2);
  }
  return "the correlation has no result for this segment";
}

TraverseResult RunTraverse(const TraverseCase& c) {
  c.Validate();
  if (c.fluid_mode == FluidMode::kStream) {
    BlackOilStream stream(c.fluid, c.gas_MMscfd, c.oil_STBd, c.water_bbld);
    return March(
        c, [&stream](CPressDrop& e) { e.SetProps(&stream); }, stream.GetGas());
  }
  BlackOilPhases ph = c.fluid.MakePhases();
  return RunTraverse(c, ph.gas.get(), ph.oil.get(), ph.water.get());
}

TraverseResult RunTraverse(const TraverseCase& c, CProp* gas, CProp* oil, CProp* water) {
  return March(
      c, [=](CPressDrop& e) { e.SetProps(gas, oil, water); }, gas);
}

double SolveFirstSegment(const TraverseCase& c, CPressDrop& engine, CProp* gas, CProp* oil,
                         CProp* water) {
  c.Validate();
  const std::vector<Station> st = c.MarchStations();
  const bool forward = c.known_end == ProfileEnd::kFirst;
  const std::size_t cur = forward ? 0 : st.size() - 1;
  const std::size_t next = forward ? 1 : st.size() - 2;
  engine.SetProps(gas, oil, water);
  return SolveSegment(c, st, cur, next, FlowSign(c), c.known_pressure_psia, engine);
}

}  // namespace pdrop
