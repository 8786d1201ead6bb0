// The multiphase pressure gradient at given in-situ conditions: superficial
// velocities and phase properties in, friction and elevation gradients out,
// with no fluid objects and no rates. For the correlations that need neither
// (Modified Beggs & Brill, Gray, Hagedorn & Brown, Petalas & Aziz); the
// Flanigan forms work from the standard rates and are not offered here.
#pragma once

#include "pdrop/core/PressDrop.h"

namespace pdrop {

struct InSituPoint {
  double vsg_ftps = 0.0, vsl_ftps = 0.0;  // superficial velocities [ft/s]
  double liquidDensity_lbmft3 = 0.0, gasDensity_lbmft3 = 0.0;
  double liquidViscosity_cP = 0.0, gasViscosity_cP = 0.0;
  double tension_dyncm = 0.0;  // gas-liquid surface tension
  double pipeId_in = 0.0;
  double angle_deg = 0.0;  // from horizontal, positive uphill in the flow direction
  double pressure_psia = 0.0, temperature_F = 0.0;
  double roughness_in = 0.0006;
  double gasGravity = 0.65;  // [-], air = 1
  double zFactor = kNotSet;  // [-]; not set: not given
};

struct InSituGradient {
  // Per ft of pipe along the flow; positive when the pressure falls.
  double friction_psi_per_ft = kNotSet, elevation_psi_per_ft = kNotSet, total_psi_per_ft = kNotSet;
  double holdup = kNotSet;
  int regimeCode = 666;
};

// True for the correlation codes GradientAt takes: 3, 4, 5 and 9.
bool HasInSituGradient(int code);

// Throws std::invalid_argument naming the first field that is wrong (the
// names of pdrop.gradient's keyword arguments).
void CheckInSitu(const InSituPoint& p);

// Whether the fields of p named by `fields` (bit k: the k-th field of
// InSituPoint, vsg_ftps first) pass CheckInSitu, with the rules that join
// them to other fields. A point whose other fields are those of a point
// already accepted needs only the fields that changed.
inline constexpr unsigned kAllInSituFields = (1u << 14) - 1;
bool InSituFieldsAccepted(const InSituPoint& p, unsigned fields);

// The gradient on a one-foot segment of the point's inclination, solved by
// the engine's own multiphase routine; a Modified Beggs & Brill engine gives
// the same numbers from its point solution without filling its record
// (unless its debug table is on). A point the correlation cannot compute has
// kNotSet fields and code 666.
InSituGradient GradientAt(CPressDrop& engine, const InSituPoint& p);

// GradientAt for one point after another with one engine: the one-foot
// segment of the last inclination and the roughness terms of the last pipe
// are kept, since the points of an array mostly share them. The results are
// GradientAt's, bit for bit.
class InSituGradientSolver {
 public:
  explicit InSituGradientSolver(CPressDrop& engine) : engine_(engine) {}
  InSituGradient operator()(const InSituPoint& p);

  // Chen's roughness terms of a pipe (PipeRoughness of the friction factor).
  struct Roughness {
    double e, D, ratio, ratioPow;
  };

  // The one-foot segment of an inclination as the engine sees it.
  struct Pipe {
    double angle_deg;
    double dx, dz, length;  // run, rise and length [ft]
    double dir;             // the engine's direction sign
    double flowAngle;       // the inclination Beggs & Brill works with [rad]
  };

 private:
  const Pipe& PipeAt(double angle_deg);
  const Roughness& RoughnessAt(double roughness_in, double pipeId_in);

  CPressDrop& engine_;
  Pipe pipe_{};
  bool pipeSet_ = false;
  Roughness roughness_{};
  bool roughnessSet_ = false;
};

}  // namespace pdrop
