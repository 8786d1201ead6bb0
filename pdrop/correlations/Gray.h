// Gray: vertical upward flow of gas carrying condensate or water.
//
// H. E. Gray, "Vertical Flow Correlation in Gas Wells", in User's Manual for
// API 14B, Subsurface Controlled Safety Valve Sizing Computer Program,
// Appendix B, American Petroleum Institute, Dallas, 1974.
//
// Units: velocities ft/s, densities lbm/ft3, surface tension dyn/cm (lbm/s2
// inside the dimensionless groups), diameter and roughness in, lengths ft,
// pressure changes psi.
//
// Departures from the published method: the holdup exponent is held at -20
// or above, and it is -20 outright when the gas is as dense as the liquid
// (near-critical fluids, where the diameter number has no meaning); a
// density difference below 1 lbm/ft3 is left out of the velocity number
// rather than let it explode; the friction factor of an effective roughness
// ratio up to 1 is the fully rough Fanning factor of the library's Chen
// equation (at Re = 1e7), above 1 a fitted extension beyond the Moody chart.
// There is no acceleration term. Gas-only and liquid-only segments use the
// Fanning routines.
#pragma once

#include "pdrop/correlations/Fanning.h"

namespace pdrop {

class CGray : public CFanning {
  PDROP_DECLARE_DYNAMIC(CGray)

 public:
  ~CGray() override = default;
  void MultiPhase() override;
  bool bIsSinglePhase() override;

  // Working values of the last MultiPhase, kept for inspection.
  double m_dG = 32.2;        // gravitational acceleration [ft/s2]
  double m_dR = 0.0;         // superficial liquid/gas velocity ratio Vsl/Vsg
  double m_dSigmaLbm = 0.0;  // liquid surface tension [lbm/s2]
  double m_dN1 = 0.0;        // velocity number
  double m_dN2 = 0.0;        // diameter number
  double m_dB = 0.0;         // exponent B
  double m_dY = 0.0;         // holdup exponent Y
  double m_dK = 0.0;         // pipe roughness [ft]
  double m_dKe = 0.0;        // effective roughness [ft]
  double m_dMassFlux = 0.0;  // mass flux G [lbm/(ft2 s)]

 private:
  double LiquidSurfaceTension() const;
  void NoResult();
};

}  // namespace pdrop
