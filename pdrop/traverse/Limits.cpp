#include "pdrop/traverse/Limits.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace pdrop {
namespace {

std::string Format(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

void CheckSignedRate(const std::string& field, double value, const Range& magnitude,
                     const char* unit) {
  if (magnitude.Contains(std::fabs(value))) return;
  throw std::invalid_argument(field + " = " + Format(value) + " is outside the accepted range " +
                              Format(-magnitude.high) + " to " + Format(magnitude.high) + " " +
                              unit);
}

void CheckSign(const std::string& field, double value) {
  if (value == 1.0 || value == -1.0) return;
  throw std::invalid_argument(field + " = " + Format(value) + " must be +1 or -1");
}

}  // namespace

void CheckRange(const std::string& field, double value, const Range& range) {
  if (range.Contains(value)) return;
  throw std::invalid_argument(field + " = " + Format(value) + " is outside the accepted range " +
                              range.text);
}

void CheckPipe(double pipeId_in, double innerOd_in, double roughness_in,
               const std::string& pipeIdField, const std::string& innerOdField,
               const std::string& roughnessField) {
  CheckRange(pipeIdField, pipeId_in, limits::kPipeId_in);
  // The annulus must leave a gap of at least the smallest pipe diameter
  // (judged on the gap itself, so that the boundary value is accepted).
  const double gap = pipeId_in - innerOd_in;
  if (!(std::isfinite(innerOd_in) && innerOd_in >= 0.0 &&
        gap >= limits::kPipeId_in.low * (1.0 - 1e-12))) {
    throw std::invalid_argument(innerOdField + " = " + Format(innerOd_in) +
                                " is outside the accepted range 0 (no inner string) to " +
                                pipeIdField + " less 0.1 in (" +
                                Format(pipeId_in - limits::kPipeId_in.low) + " in)");
  }
  const double halfGap = 0.5 * (pipeId_in - innerOd_in);
  if (!(std::isfinite(roughness_in) && roughness_in >= 0.0 && roughness_in < halfGap)) {
    throw std::invalid_argument(roughnessField + " = " + Format(roughness_in) +
                                " is outside the accepted range 0 to below " + Format(halfGap) +
                                " in (half the hydraulic diameter)");
  }
}

void CheckSegment(const SegmentInputs& in, const SegmentFieldNames& n) {
  CheckPipe(in.pipeId_in, in.innerOd_in, in.roughness_in, n.pipeId, n.innerOd, n.roughness);
  const Range anyLength{-limits::kSegmentLength_ft.high, limits::kSegmentLength_ft.high, false,
                        "-1e7 to 1e7 ft"};
  CheckRange(n.dx, in.dx_ft, anyLength);
  CheckRange(n.dz, in.dz_ft, anyLength);
  const double length = std::hypot(in.dx_ft, in.dz_ft);
  if (!limits::kSegmentLength_ft.Contains(length)) {
    throw std::invalid_argument(n.dx + " = " + Format(in.dx_ft) + ", " + n.dz + " = " +
                                Format(in.dz_ft) + ": the segment length " + Format(length) +
                                " ft is outside the accepted range " +
                                limits::kSegmentLength_ft.text);
  }
  CheckRange(n.pressure, in.pressure_psia, limits::kPressure_psia);
  CheckRange(n.temperature, in.temperature_F, limits::kTemperature_F);
  CheckRange(n.gradient, in.gradient_F_per_ft, limits::kTemperatureGradient_F_per_ft);
  CheckSign(n.direction, in.direction);
  CheckSign(n.flowSign, in.flowSign);
  // The temperature marches with the direction along the segment's length.
  const double farEnd_F = in.temperature_F + in.gradient_F_per_ft * length * in.direction;
  if (!limits::kTemperature_F.Contains(farEnd_F)) {
    throw std::invalid_argument(n.gradient + " = " + Format(in.gradient_F_per_ft) +
                                " gives a far-end temperature of " + Format(farEnd_F) +
                                " degF, outside the accepted range " + limits::kTemperature_F.text);
  }
  // A segment takes signed rates (a negative rate flows the other way).
  CheckSignedRate(n.gas, in.gas_MMscfd, limits::kGas_MMscfd, "MMscf/d");
  CheckSignedRate(n.oil, in.oil_STBd, limits::kOil_STBd, "STB/d");
  CheckSignedRate(n.water, in.water_bbld, limits::kWater_bbld, "bbl/d");
}

std::string PressureOutOfRange(double p_psia) {
  if (limits::kPressure_psia.Contains(p_psia)) return "";
  std::ostringstream s;
  if (std::isnan(p_psia)) return "the pressure cannot be computed";
  if (p_psia < limits::kPressure_psia.low) {
    s << "the pressure falls below " << limits::kPressure_psia.low << " psia";
  } else {
    s << "the pressure rises above " << limits::kPressure_psia.high << " psia";
  }
  return s.str();
}

}  // namespace pdrop
