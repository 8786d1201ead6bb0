#include "pdrop/fluid/blackoil/StreamFluid.h"

#include <algorithm>
#include <cmath>

#include "pdrop/fluid/blackoil/Units.h"

namespace pdrop {
namespace {

constexpr double kLeastFreeGas = 0.5;      // scf/d
constexpr double kLeastFreeWater = 0.001;  // bbl/d

}  // namespace

BlackOilStream::BlackOilStream(const BlackOilFluid& fluid, double qg, double qo, double qw)
    : phases_(fluid.MakePhases()),
      qg_(qg),
      qo_(qo),
      qw_(qw),
      lastT_(pvt::kStdTemperature),
      lastP_(pvt::kStdPressure) {}

void BlackOilStream::SetRates(double qg, double qo, double qw) {
  qg_ = qg;
  qo_ = qo;
  qw_ = qw;
  splitValid_ = false;
}

void BlackOilStream::Touch(double T, double p) {
  if (T != lastT_ || p != lastP_) {
    lastT_ = T;
    lastP_ = p;
    splitValid_ = false;
  }
}

double BlackOilStream::BubblePoint(double T) {
  const double fixed = phases_.oil->BubblePointParameter()->Value();
  if (IsSet(fixed)) return fixed;
  if (qg_ == 0.0 || qo_ == 0.0) return 0.0;  // dead oil
  return phases_.oil->BubblePointPressure(T, std::fabs(qg_ / qo_));
}

const BlackOilOil::State& BlackOilStream::OilAt(double T, double p) {
  return phases_.oil->At(T, p, BubblePoint(T));
}

// Stock-tank oil and the gas dissolved in it [lbm/STB].
double BlackOilStream::OilMassPerBarrel() {
  const Split& s = CurrentSplit();
  return pvt::kCubicFeetPerBarrel * pvt::kWaterDensity * phases_.oil->OilGravity() +
         pvt::kStdGasDensity * phases_.gas->SpecificGravity() * s.rs;
}

// Stock-tank water and the gas dissolved in it [lbm/bbl].
double BlackOilStream::WaterMassPerBarrel() {
  const Split& s = CurrentSplit();
  return pvt::kCubicFeetPerBarrel * phases_.water->StockTankDensity() +
         pvt::kStdGasDensity * phases_.gas->SpecificGravity() * s.rsw;
}

const BlackOilStream::Split& BlackOilStream::CurrentSplit() {
  if (splitValid_) return split_;
  const double T = lastT_;
  const double p = lastP_;
  const BlackOilOil::State& oil = OilAt(T, p);
  split_.rs = ZeroIfNotSet(oil.rs);
  split_.bo = ZeroIfNotSet(oil.bo);
  split_.rsw = ZeroIfNotSet(phases_.water->SolutionGasRatio(T, p, 0)) * pvt::kScfPerMMscf;
  split_.bw = ZeroIfNotSet(phases_.water->FormationVolumeFactor(T, p));
  split_.bg = ZeroIfNotSet(phases_.gas->Bg(T, p));

  // The oil takes its gas first, the water what the oil leaves: no phase
  // dissolves gas that the stream does not have.
  const double qg = std::fabs(qg_) * pvt::kScfPerMMscf;
  const double qo = std::fabs(qo_);
  const double qw = std::fabs(qw_);
  if (qo > 0.0) split_.rs = std::min(split_.rs, qg / qo);
  if (qw > 0.0) split_.rsw = std::min(split_.rsw, std::max(qg - split_.rs * qo, 0.0) / qw);
  split_.freeGas = qg - split_.rs * qo - split_.rsw * qw;
  if (split_.freeGas < kLeastFreeGas) split_.freeGas = 0.0;
  const double carried = split_.freeGas / pvt::kScfPerMMscf * phases_.gas->LiquidYield(T, p);
  split_.freeWater = qw - carried;
  if (split_.freeWater < kLeastFreeWater && split_.freeGas != 0.0) split_.freeWater = 0.0;
  splitValid_ = true;
  return split_;
}

CProp& BlackOilStream::Phase::Base() const {
  switch (kind_) {
    case Kind::kGas:
      return *owner_.phases_.gas;
    case Kind::kOil:
      return *owner_.phases_.oil;
    default:
      return *owner_.phases_.water;
  }
}

double BlackOilStream::Phase::FormationVolumeFactor(double T, double p) {
  owner_.Touch(T, p);
  return kind_ == Kind::kOil ? owner_.OilAt(T, p).bo : Base().FormationVolumeFactor(T, p);
}

double BlackOilStream::Phase::SolutionGasRatio(double T, double p, int flag) {
  owner_.Touch(T, p);
  if (kind_ != Kind::kOil) return Base().SolutionGasRatio(T, p, flag);
  const double rs = owner_.OilAt(T, p).rs;
  return IsSet(rs) ? rs / pvt::kScfPerMMscf : kNotSet;
}

double BlackOilStream::Phase::BubblePointPressure(double T, double gor) {
  return Base().BubblePointPressure(T, gor);
}

double BlackOilStream::Phase::ZFactor(double T, double p) {
  owner_.Touch(T, p);
  return Base().ZFactor(T, p);
}

double BlackOilStream::Phase::SpecificGravity() { return Base().SpecificGravity(); }
double BlackOilStream::Phase::OilGravity() { return Base().OilGravity(); }

double BlackOilStream::Phase::Density(double T, double p) {
  owner_.Touch(T, p);
  switch (kind_) {
    case Kind::kOil: {
      const Split& s = owner_.CurrentSplit();
      return s.bo > 0.0 ? owner_.OilMassPerBarrel() / (pvt::kCubicFeetPerBarrel * s.bo) : kNotSet;
    }
    case Kind::kWater: {
      const Split& s = owner_.CurrentSplit();
      return s.bw > 0.0 ? owner_.WaterMassPerBarrel() / (pvt::kCubicFeetPerBarrel * s.bw) : kNotSet;
    }
    default:
      return Base().Density(T, p);
  }
}

double BlackOilStream::Phase::SurfaceTension(double T, double p) {
  owner_.Touch(T, p);
  return kind_ == Kind::kOil ? owner_.OilAt(T, p).tension : Base().SurfaceTension(T, p);
}

double BlackOilStream::Phase::LiquidYield(double T, double p) {
  owner_.Touch(T, p);
  return Base().LiquidYield(T, p);
}

double BlackOilStream::Phase::Viscosity(double T, double p) {
  owner_.Touch(T, p);
  return kind_ == Kind::kOil ? owner_.OilAt(T, p).viscosity : Base().Viscosity(T, p);
}

double BlackOilStream::Phase::MassFlow() {
  const Split& s = owner_.CurrentSplit();
  switch (kind_) {
    case Kind::kGas:
      return s.freeGas * pvt::kStdGasDensity * owner_.phases_.gas->SpecificGravity() /
             pvt::kSecondsPerDay;
    case Kind::kOil:
      return std::fabs(owner_.qo_) * owner_.OilMassPerBarrel() / pvt::kSecondsPerDay;
    default:
      return s.freeWater * owner_.WaterMassPerBarrel() / pvt::kSecondsPerDay;
  }
}

double BlackOilStream::Phase::VolFlow() {
  const Split& s = owner_.CurrentSplit();
  switch (kind_) {
    case Kind::kGas:
      return s.freeGas * s.bg / pvt::kSecondsPerDay;
    case Kind::kOil:
      return std::fabs(owner_.qo_) * s.bo * pvt::kCubicFeetPerBarrel / pvt::kSecondsPerDay;
    default:
      return s.freeWater * s.bw * pvt::kCubicFeetPerBarrel / pvt::kSecondsPerDay;
  }
}

double BlackOilStream::Phase::LiqVolFlow() {
  switch (kind_) {
    case Kind::kGas:
      return kNotSet;
    case Kind::kOil:
      return std::fabs(owner_.qo_);
    default:
      return owner_.CurrentSplit().freeWater;
  }
}

double BlackOilStream::Phase::GasStdVolFlow() {
  return kind_ == Kind::kGas ? owner_.CurrentSplit().freeGas / pvt::kScfPerMMscf : kNotSet;
}

}  // namespace pdrop
