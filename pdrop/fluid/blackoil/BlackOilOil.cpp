#include "pdrop/fluid/blackoil/BlackOilOil.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "pdrop/fluid/blackoil/Units.h"

namespace pdrop {

namespace pvt {
namespace {

constexpr double kLowestTemperatureF = 32.0;  // guard of the viscosity and Bo fits
constexpr double kLeastTension = 1.0;         // dyn/cm

struct VasquezBeggsCoefficients {
  double c1, c2, c3;
};
VasquezBeggsCoefficients VbRs(double api) {
  return api <= 30.0 ? VasquezBeggsCoefficients{0.0362, 1.0937, 25.7240}
                     : VasquezBeggsCoefficients{0.0178, 1.1870, 23.931};
}
VasquezBeggsCoefficients VbBo(double api) {
  return api <= 30.0 ? VasquezBeggsCoefficients{4.677e-4, 1.751e-5, -1.811e-8}
                     : VasquezBeggsCoefficients{4.670e-4, 1.100e-5, 1.337e-9};
}

}  // namespace

double OilGravityFromApi(double api) { return 141.5 / (131.5 + api); }

double StandingBubblePoint(double rsb, double gg, double api, double tF) {
  const double a = 0.00091 * tF - 0.0125 * api;
  return 18.2 * (std::pow(rsb / gg, 0.83) * std::pow(10.0, a) - 1.4);
}

double StandingRs(double p, double gg, double api, double tF) {
  const double x = 0.0125 * api - 0.00091 * tF;
  return gg * std::pow((p / 18.2 + 1.4) * std::pow(10.0, x), 1.2048);
}

double StandingBo(double rs, double gg, double go, double tF) {
  const double f = std::max(rs * std::sqrt(gg / go) + 1.25 * tF, 0.0);
  return 0.9759 + 0.000120 * std::pow(f, 1.2);
}

double VasquezBeggsRs(double p, double ggs, double api, double tF) {
  const VasquezBeggsCoefficients c = VbRs(api);
  return c.c1 * ggs * std::pow(p, c.c2) * std::exp(c.c3 * api / (tF + 460.0));
}

double VasquezBeggsBubblePoint(double rsb, double ggs, double api, double tF) {
  const VasquezBeggsCoefficients c = VbRs(api);
  return std::pow(rsb / (c.c1 * ggs * std::exp(c.c3 * api / (tF + 460.0))), 1.0 / c.c2);
}

double VasquezBeggsBo(double rs, double ggs, double api, double tF) {
  const VasquezBeggsCoefficients c = VbBo(api);
  return 1.0 + c.c1 * rs + (tF - 60.0) * (api / ggs) * (c.c2 + c.c3 * rs);
}

double VasquezBeggsCompressibility(double rsb, double ggs, double api, double tF) {
  return (-1433.0 + 5.0 * rsb + 17.2 * tF - 1180.0 * ggs + 12.61 * api) / 1e5;
}

double SeparatorGasGravity(double gg, double api, double tSepF, double pSep) {
  return gg * (1.0 + 5.912e-5 * api * tSepF * std::log10(pSep / 114.7));
}

double DeadOilViscosity(double api, double tF) {
  tF = std::max(tF, kLowestTemperatureF);
  const double y = std::pow(10.0, 3.0324 - 0.02023 * api);
  return std::pow(10.0, y * std::pow(tF, -1.163)) - 1.0;
}

double LiveOilViscosity(double dead, double rs) {
  const double a = 10.715 * std::pow(rs + 100.0, -0.515);
  const double b = 5.44 * std::pow(rs + 150.0, -0.338);
  return a * std::pow(dead, b);
}

double UndersaturatedOilViscosity(double bubble, double p, double pb) {
  const double m = 2.6 * std::pow(p, 1.187) * std::exp(-11.513 - 8.98e-5 * p);
  return bubble * std::pow(p / pb, m);
}

double GasOilSurfaceTension(double api, double tF, double p) {
  const double s68 = 39.0 - 0.2571 * api;
  const double s100 = 37.5 - 0.2571 * api;
  double dead = s68;
  if (tF >= 100.0) {
    dead = s100;
  } else if (tF > 68.0) {
    dead = s68 - (tF - 68.0) * (s68 - s100) / 32.0;
  }
  return std::max(dead * (1.0 - 0.024 * std::pow(p, 0.45)), kLeastTension);
}

}  // namespace pvt

BlackOilOil::BlackOilOil(double api, double gasGravity, double separatorGasGravity,
                         BubblePointCorrelation correlation, double fixedBubblePoint)
    : api_(api),
      oilGravity_(pvt::OilGravityFromApi(api)),
      gasGravity_(gasGravity),
      separatorGasGravity_(separatorGasGravity),
      correlation_(correlation),
      bubblePoint_(fixedBubblePoint) {}

double BlackOilOil::SaturatedRs(double p, double tF) const {
  return correlation_ == BubblePointCorrelation::kVasquezBeggs
             ? pvt::VasquezBeggsRs(p, separatorGasGravity_, api_, tF)
             : pvt::StandingRs(p, gasGravity_, api_, tF);
}

double BlackOilOil::SaturatedBo(double rs, double tF) const {
  return correlation_ == BubblePointCorrelation::kVasquezBeggs
             ? pvt::VasquezBeggsBo(rs, separatorGasGravity_, api_, tF)
             : pvt::StandingBo(rs, gasGravity_, oilGravity_, tF);
}

double BlackOilOil::CurrentBubblePoint() const {
  const double pb = bubblePoint_.Value();
  return IsSet(pb) ? pb : std::numeric_limits<double>::infinity();
}

const BlackOilOil::State& BlackOilOil::At(double T, double p, double pb) {
  if (T == cachedT_ && p == cachedP_ && pb == cachedPb_) return cached_;
  const State* s = Evaluate(T, p, pb);
  if (s == nullptr) return unset_;
  cachedT_ = T;
  cachedP_ = p;
  cachedPb_ = pb;
  return cached_;
}

const BlackOilOil::State* BlackOilOil::Evaluate(double T, double p, double pb) {
  if (!(T > 0.0) || !(p > 0.0) || !std::isfinite(T) || !std::isfinite(p) || std::isnan(pb)) {
    return nullptr;
  }
  const double tF = pvt::Fahrenheit(T);
  const double tFGuarded = std::max(tF, 32.0);
  const double dead = pvt::DeadOilViscosity(api_, tFGuarded);
  State& s = cached_;
  if (pb <= pvt::kDeadOilBubblePoint) {
    s.rs = 0.0;
    s.bo = SaturatedBo(0.0, tFGuarded);
    s.viscosity = pvt::LiveOilViscosity(dead, 0.0);
  } else if (p <= pb) {
    s.rs = SaturatedRs(p, tF);
    s.bo = SaturatedBo(s.rs, tFGuarded);
    s.viscosity = pvt::LiveOilViscosity(dead, s.rs);
  } else {
    s.rs = SaturatedRs(pb, tF);
    const double bob = SaturatedBo(s.rs, tFGuarded);
    const double a =
        std::max(pvt::VasquezBeggsCompressibility(s.rs, separatorGasGravity_, api_, tF), 0.0);
    s.bo = bob * std::pow(pb / p, a);
    s.viscosity = pvt::UndersaturatedOilViscosity(pvt::LiveOilViscosity(dead, s.rs), p, pb);
  }
  s.tension = pvt::GasOilSurfaceTension(api_, tF, p);
  // Stock-tank oil plus the dissolved gas, in the reservoir volume Bo.
  s.density = (pvt::kWaterDensity * oilGravity_ +
               pvt::kStdGasDensity / pvt::kCubicFeetPerBarrel * gasGravity_ * s.rs) /
              s.bo;
  return &s;
}

double BlackOilOil::BubblePointPressure(double T, double gor) {
  if (!(T > 0.0) || std::isnan(gor) || !std::isfinite(T)) return kNotSet;
  const double rsb = gor * pvt::kScfPerMMscf;
  if (!(rsb > 0.0)) return pvt::kDeadOilBubblePoint;
  const double tF = pvt::Fahrenheit(T);
  const double pb = correlation_ == BubblePointCorrelation::kVasquezBeggs
                        ? pvt::VasquezBeggsBubblePoint(rsb, separatorGasGravity_, api_, tF)
                        : pvt::StandingBubblePoint(rsb, gasGravity_, api_, tF);
  if (!std::isfinite(pb)) return kNotSet;
  return std::max(pb, pvt::kDeadOilBubblePoint);
}

double BlackOilOil::FormationVolumeFactor(double T, double p) {
  return At(T, p, CurrentBubblePoint()).bo;
}

double BlackOilOil::SolutionGasRatio(double T, double p, int) {
  const double rs = At(T, p, CurrentBubblePoint()).rs;
  return IsSet(rs) ? rs / pvt::kScfPerMMscf : kNotSet;
}

double BlackOilOil::Density(double T, double p) { return At(T, p, CurrentBubblePoint()).density; }

double BlackOilOil::SurfaceTension(double T, double p) {
  return At(T, p, CurrentBubblePoint()).tension;
}

double BlackOilOil::Viscosity(double T, double p) {
  return At(T, p, CurrentBubblePoint()).viscosity;
}

}  // namespace pdrop
