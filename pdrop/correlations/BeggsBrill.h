// Modified Beggs & Brill: two-phase flow in pipes of any inclination.
//
// H. D. Beggs and J. P. Brill, "A Study of Two-Phase Flow in Inclined
// Pipes", J. Pet. Tech. 25 (May 1973) 607-617, with the flow-pattern map as
// revised in J. P. Brill and H. D. Beggs, Two-Phase Flow in Pipes (1978 and
// later editions) and J. P. Brill and H. Mukherjee, Multiphase Flow in Wells,
// SPE Monograph 17, 1999.
//
// Units: velocities ft/s, densities lbm/ft3, viscosities cP, surface
// tension dyn/cm, diameter and roughness in, lengths ft, angles rad,
// pressure changes psi.
//
// Departures from the published method:
// - the horizontal holdup is never below the no-slip holdup lambda, nor is
//   the corrected holdup in the distributed pattern;
// - a flow-over option forces the distributed pattern and, below a Froude
//   number of 1.1, replaces its holdup by a linear extension;
// - the friction-ratio argument y = lambda / HL^2 is mirrored (in ln y)
//   about 52.15, where the published exponent s(y) peaks, instead of using
//   the published ln(2.2 y - 1.2) for 1 < y < 1.2; and s is damped towards 0
//   when lambda is within 0.01 of 0 or of 1, so that the two-phase factor
//   meets the single-phase one at both ends;
// - there is no acceleration term;
// - an optional debug table (DEBUG_BEGGS_AND_BRILL) records every
//   calculation next to the published friction columns.
#pragma once

#include "pdrop/core/PressDrop.h"

namespace pdrop {

class CBeggsBrill : public CPressDrop {
  PDROP_DECLARE_DYNAMIC(CBeggsBrill)

 public:
  // Switches the debug table on when the environment variable
  // DEBUG_BEGGS_AND_BRILL is set and not empty.
  CBeggsBrill();
  ~CBeggsBrill() override;
  void MultiPhase() override;
  bool bIsSinglePhase() override;
  void SetUp() override;

  // True while the debug table is written: a calculation then has to go
  // through MultiPhase to leave its row.
  static bool DebugTableOn();

  // The steps of MultiPhase, in order of use.
  void FlowNumbers();
  void FlowRegime();
  double Psi(double C) const;
  void Holdup();
  // y, ln y and s of the two-phase friction factor e^s fn, from m_dLambdaL
  // and m_dHoldup.
  void FrictionExponent();

  double m_dAngle = 0.0;     // inclination of the flow [rad], up positive
  double m_dFroude = 1.0;    // mixture Froude number vm^2 / (g D)
  double m_dLiqVelNo = 0.0;  // liquid velocity number
  double m_dL1 = 0.0;        // regime-map boundaries
  double m_dL2 = 0.0;
  double m_dL3 = 0.0;
  double m_dL4 = 0.0;
  double m_dLambdaPow = 0.0;  // lambda^6.738
  double m_dYRatio = 0.0;     // friction-ratio argument y after remapping
  double m_dLnY = 0.0;        // ln y
  double m_dS = 0.0;          // friction exponent s after damping

 private:
  void WriteDebugRow() const;

  bool m_bDebugUser = false;  // this engine holds the debug table open
};

}  // namespace pdrop
