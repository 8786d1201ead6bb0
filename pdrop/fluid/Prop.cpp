#include "pdrop/fluid/Prop.h"

namespace pdrop {

double CProp::FormationVolumeFactor(double, double) { return kNotSet; }
double CProp::SolutionGasRatio(double, double, int) { return kNotSet; }
double CProp::BubblePointPressure(double, double) { return kNotSet; }
double CProp::ZFactor(double, double) { return kNotSet; }
double CProp::SpecificGravity() { return kNotSet; }
double CProp::OilGravity() { return kNotSet; }
double CProp::Density(double, double) { return kNotSet; }
double CProp::SurfaceTension(double, double) { return kNotSet; }
double CProp::LiquidYield(double, double) { return kNotSet; }
double CProp::Viscosity(double, double) { return kNotSet; }
double CProp::MassFlow() { return kNotSet; }
double CProp::VolFlow() { return kNotSet; }
double CProp::LiqVolFlow() { return kNotSet; }
double CProp::GasStdVolFlow() { return kNotSet; }
CSynPar* CProp::BubblePointParameter() { return nullptr; }

bool IsPhasePresent(CProp* phase) {
  if (phase == nullptr) return false;
  const double sg = phase->SpecificGravity();
  return sg > 0.0 && std::isfinite(sg);
}

}  // namespace pdrop
