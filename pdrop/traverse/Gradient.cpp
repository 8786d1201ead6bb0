#include "pdrop/traverse/Gradient.h"

#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "pdrop/correlations/BeggsBrill.h"
#include "pdrop/correlations/BeggsBrillPoint.h"
#include "pdrop/platform/Units.h"
#include "pdrop/traverse/Limits.h"

namespace pdrop {
namespace {

constexpr double kRankine = units::kRankineOffset;

[[noreturn]] void Refuse(const char* field, double value, const char* range) {
  std::ostringstream s;
  s << field << " = " << value << " is outside the accepted range " << range;
  throw std::invalid_argument(s.str());
}

// Every point of an array passes these checks: the message is built only for
// one that fails.
inline void Require(bool ok, const char* field, double value, const char* range) {
  if (!ok) Refuse(field, value, range);
}

}  // namespace

bool HasInSituGradient(int code) { return code == 3 || code == 4 || code == 5 || code == 9; }

namespace {

// The accepted values of each input, each written once. Every range has
// finite bounds, so NaN and the infinities fail its comparisons without a
// separate test.
bool VsgOk(const InSituPoint& p) { return p.vsg_ftps >= 0.0 && p.vsg_ftps <= 1.0e4; }
bool VslOk(const InSituPoint& p) { return p.vsl_ftps >= 0.0 && p.vsl_ftps <= 1.0e3; }
bool LiquidDensityOk(const InSituPoint& p) {
  return p.liquidDensity_lbmft3 > 0.0 && p.liquidDensity_lbmft3 <= 200.0;
}
bool GasDensityOk(const InSituPoint& p) {
  return p.gasDensity_lbmft3 > 0.0 && p.gasDensity_lbmft3 <= 200.0;
}
bool DensitiesOrdered(const InSituPoint& p) { return p.gasDensity_lbmft3 < p.liquidDensity_lbmft3; }
bool LiquidViscosityOk(const InSituPoint& p) {
  return p.liquidViscosity_cP > 0.0 && p.liquidViscosity_cP <= 1.0e6;
}
bool GasViscosityOk(const InSituPoint& p) {
  return p.gasViscosity_cP > 0.0 && p.gasViscosity_cP <= 10.0;
}
bool TensionOk(const InSituPoint& p) { return p.tension_dyncm > 0.0 && p.tension_dyncm <= 200.0; }
bool PipeIdOk(const InSituPoint& p) { return limits::kPipeId_in.Contains(p.pipeId_in); }
bool AngleOk(const InSituPoint& p) { return std::fabs(p.angle_deg) <= 90.0; }
bool PressureOk(const InSituPoint& p) { return limits::kPressure_psia.Contains(p.pressure_psia); }
bool TemperatureOk(const InSituPoint& p) {
  return limits::kTemperature_F.Contains(p.temperature_F);
}
bool RoughnessOk(const InSituPoint& p) {
  return p.roughness_in >= 0.0 && p.roughness_in < 0.5 * p.pipeId_in;
}
bool GasGravityOk(const InSituPoint& p) { return p.gasGravity >= 0.55 && p.gasGravity <= 1.8; }
bool ZFactorOk(const InSituPoint& p) {
  return !IsSet(p.zFactor) || (p.zFactor > 0.0 && p.zFactor <= 5.0);
}

}  // namespace

bool InSituFieldsAccepted(const InSituPoint& p, unsigned fields) {
  // Bit k is the k-th field of InSituPoint; a rule that joins two fields
  // is tested when either is asked for.
  const auto asked = [fields](unsigned bits) { return (fields & bits) != 0; };
  bool ok = true;
  if (asked(1u << 0)) ok &= VsgOk(p);
  if (asked(1u << 1)) ok &= VslOk(p);
  if (asked(1u << 2)) ok &= LiquidDensityOk(p);
  if (asked(1u << 3)) ok &= GasDensityOk(p);
  if (asked(1u << 2 | 1u << 3)) ok &= DensitiesOrdered(p);
  if (asked(1u << 4)) ok &= LiquidViscosityOk(p);
  if (asked(1u << 5)) ok &= GasViscosityOk(p);
  if (asked(1u << 6)) ok &= TensionOk(p);
  if (asked(1u << 7)) ok &= PipeIdOk(p);
  if (asked(1u << 8)) ok &= AngleOk(p);
  if (asked(1u << 9)) ok &= PressureOk(p);
  if (asked(1u << 10)) ok &= TemperatureOk(p);
  if (asked(1u << 11 | 1u << 7)) ok &= RoughnessOk(p);
  if (asked(1u << 12)) ok &= GasGravityOk(p);
  if (asked(1u << 13)) ok &= ZFactorOk(p);
  return ok;
}

void CheckInSitu(const InSituPoint& p) {
  if (InSituFieldsAccepted(p, kAllInSituFields)) return;
  // The first refused field, in the order of the arguments.
  Require(VsgOk(p), "vsg_ftps", p.vsg_ftps, "0 to 10000 ft/s");
  Require(VslOk(p), "vsl_ftps", p.vsl_ftps, "0 to 1000 ft/s");
  Require(LiquidDensityOk(p), "liquid_density_lbmft3", p.liquidDensity_lbmft3,
          "above 0 and at most 200 lbm/ft3");
  Require(GasDensityOk(p), "gas_density_lbmft3", p.gasDensity_lbmft3,
          "above 0 and at most 200 lbm/ft3");
  if (!DensitiesOrdered(p)) {
    std::ostringstream m;
    m << "gas_density_lbmft3 = " << p.gasDensity_lbmft3
      << " must be below liquid_density_lbmft3 = " << p.liquidDensity_lbmft3
      << " (two phases of one density are one phase)";
    throw std::invalid_argument(m.str());
  }
  Require(LiquidViscosityOk(p), "liquid_viscosity_cP", p.liquidViscosity_cP,
          "above 0 and at most 1e6 cP");
  Require(GasViscosityOk(p), "gas_viscosity_cP", p.gasViscosity_cP, "above 0 and at most 10 cP");
  Require(TensionOk(p), "tension_dyncm", p.tension_dyncm, "above 0 and at most 200 dyn/cm");
  if (!PipeIdOk(p)) CheckRange("pipe_id_in", p.pipeId_in, limits::kPipeId_in);
  Require(AngleOk(p), "angle_deg", p.angle_deg, "-90 to 90 deg");
  if (!PressureOk(p)) CheckRange("pressure_psia", p.pressure_psia, limits::kPressure_psia);
  if (!TemperatureOk(p)) CheckRange("temperature_F", p.temperature_F, limits::kTemperature_F);
  Require(RoughnessOk(p), "roughness_in", p.roughness_in, "0 to below half the pipe diameter");
  Require(GasGravityOk(p), "gas_gravity", p.gasGravity, "0.55 to 1.8 (air = 1)");
  Require(ZFactorOk(p), "z_factor", p.zFactor, "above 0 and at most 5");
}

namespace {

// The gradient of a one-foot segment's changes, as added marching with the
// flow (negative when the pressure falls) over the segment's length.
InSituGradient FromChanges(double friction, double elevation, double length, double holdup,
                           int regimeCode) {
  InSituGradient g;
  if (!IsSet(friction) || !IsSet(elevation) || !std::isfinite(friction) ||
      !std::isfinite(elevation)) {
    return g;
  }
  g.friction_psi_per_ft = -friction / length;
  g.elevation_psi_per_ft = -elevation / length;
  g.total_psi_per_ft = g.friction_psi_per_ft + g.elevation_psi_per_ft;
  g.holdup = FiniteOrNotSet(holdup);
  g.regimeCode = regimeCode;
  return g;
}

// Modified Beggs & Brill straight from its point solution: the numbers
// MultiPhase gives on the segment GradientAt sets up, without filling the
// rest of the record.
InSituGradient BeggsBrillGradient(const InSituPoint& p, const InSituGradientSolver::Pipe& pipe,
                                  const InSituGradientSolver::Roughness& kept) {
  const PipeRoughness roughness{kept.e, kept.D, kept.ratio, kept.ratioPow};
  constexpr double kFlw = -1.0;
  beggsbrill::PointInput in;
  in.vsg = p.vsg_ftps;
  in.vsl = p.vsl_ftps;
  in.rhoL = p.liquidDensity_lbmft3;
  in.rhoG = p.gasDensity_lbmft3;
  in.muL = p.liquidViscosity_cP;
  in.muG = p.gasViscosity_cP;
  in.sigma = p.tension_dyncm;
  in.diameter = p.pipeId_in;
  in.roughness = p.roughness_in;
  in.angle = pipe.flowAngle;
  in.dz = pipe.dz;
  in.length = pipe.length;
  in.dir = pipe.dir;
  in.flw = kFlw;
  in.flowOver = false;  // Init's SetUp clears it
  in.pipe = &roughness;
  const beggsbrill::PointResult r = beggsbrill::SolvePoint(in);
  const double code = r.regime;
  return FromChanges(r.frictionDP, r.elevationDP, in.length, r.holdup,
                     std::isfinite(code) ? static_cast<int>(code)
                                         : static_cast<int>(CPressData::kUndefinedRegime));
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

const InSituGradientSolver::Pipe& InSituGradientSolver::PipeAt(double angle_deg) {
  if (pipeSet_ && SameBits(angle_deg, pipe_.angle_deg)) return pipe_;
  // One foot of pipe at the point's angle, marched with the flow: uphill is
  // the engine's upward direction.
  constexpr double kFlw = -1.0;
  const double angle = angle_deg * units::kPi / 180.0;
  const double rise = std::sin(angle);
  pipe_.angle_deg = angle_deg;
  pipe_.dx = std::cos(angle);
  pipe_.dz = std::fabs(rise);
  pipe_.dir = rise > 0.0 ? -1.0 : 1.0;
  // What Init and CBeggsBrill::MultiPhase make of that run and rise.
  pipe_.length = std::sqrt(pipe_.dz * pipe_.dz + pipe_.dx * pipe_.dx);
  pipe_.flowAngle = std::fabs(pipe_.dx) <= beggsbrill::kVerticalRun
                        ? (pipe_.dz < 0.0 ? -units::kPi / 2.0 : units::kPi / 2.0)
                        : std::atan(pipe_.dz / pipe_.dx);
  pipe_.flowAngle *= kFlw * pipe_.dir;
  pipeSet_ = true;
  return pipe_;
}

const InSituGradientSolver::Roughness& InSituGradientSolver::RoughnessAt(double roughness_in,
                                                                         double pipeId_in) {
  if (!roughnessSet_ || !SameBits(roughness_in, roughness_.e) ||
      !SameBits(pipeId_in, roughness_.D)) {
    const PipeRoughness r = RoughnessOf(roughness_in, pipeId_in);
    roughness_ = {r.e, r.D, r.ratio, r.ratioPow};
    roughnessSet_ = true;
  }
  return roughness_;
}

InSituGradient InSituGradientSolver::operator()(const InSituPoint& p) {
  CPressDrop& e = engine_;
  const Pipe& pipe = PipeAt(p.angle_deg);
  if (e.GetRuntimeClass() == CBeggsBrill::GetThisClass() && !CBeggsBrill::DebugTableOn()) {
    return BeggsBrillGradient(p, pipe, RoughnessAt(p.roughness_in, p.pipeId_in));
  }
  e.Init(0.0, p.pipeId_in, pipe.dx, pipe.dz);
  e.SetDir(static_cast<int>(pipe.dir));
  e.SetFlw(-1);
  e.SetFf(p.roughness_in);
  e.m_bGas = e.m_bLiquid = true;
  e.m_dP = p.pressure_psia;
  e.m_dT = p.temperature_F + kRankine;
  e.m_dVsg = p.vsg_ftps;
  e.m_dVsl = p.vsl_ftps;
  e.m_dRhoL = p.liquidDensity_lbmft3;
  e.m_dRhoG = p.gasDensity_lbmft3;
  e.m_dMuL = p.liquidViscosity_cP;
  e.m_dMuG = p.gasViscosity_cP;
  e.m_dSigma = p.tension_dyncm;
  // Gray weighs the oil and water tensions by their rates: one liquid here.
  e.m_dSigmaO = p.tension_dyncm;
  e.m_dSigmaW = p.tension_dyncm;
  e.m_dQo = 1.0;
  e.m_dQwFree = 0.0;
  e.m_dZ = p.zFactor;
  e.MultiPhase();
  return FromChanges(e.m_dFrictionDP, e.m_dElevationDP, e.m_dLength, e.m_dHoldup, e.GetCode());
}

InSituGradient GradientAt(CPressDrop& e, const InSituPoint& p) {
  return InSituGradientSolver(e)(p);
}

}  // namespace pdrop
