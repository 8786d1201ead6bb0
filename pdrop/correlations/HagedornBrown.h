// Hagedorn & Brown: vertical upward two-phase flow in oil wells.
//
// A. R. Hagedorn and K. E. Brown, "Experimental Study of Pressure Gradients
// Occurring During Continuous Two-Phase Flow in Small-Diameter Vertical
// Conduits", J. Pet. Tech. 17 (April 1965) 475-484. Bubble flow after
// P. Griffith and G. B. Wallis, "Two-Phase Slug Flow", J. Heat Transfer 83
// (1961) 307-320, with the bubble-flow limit of J. Orkiszewski, "Predicting
// Two-Phase Pressure Drops in Vertical Pipe", J. Pet. Tech. 19 (June 1967)
// 829-838.
//
// Units: velocities ft/s, densities lbm/ft3, viscosities cP, surface
// tension dyn/cm, pressure psia, diameter and roughness in, lengths ft,
// pressure changes psi.
//
// Departures from the published method: the three charts (CNL, HL/psi, psi)
// are read as piecewise-linear fits; the holdup is held at the no-slip
// holdup or above and at 1 or below (the usual modified form); the Griffith
// bubble-flow test comes first, with a slip velocity of 0.8 ft/s and the
// limit held at 0.13 or above; there is no acceleration term. Gas-only and
// liquid-only segments use the Fanning routines.
#pragma once

#include "pdrop/correlations/Fanning.h"

namespace pdrop {

class CHagedornBrown : public CFanning {
  PDROP_DECLARE_DYNAMIC(CHagedornBrown)

 public:
  ~CHagedornBrown() override = default;
  void MultiPhase() override;
  bool bIsSinglePhase() override;

  // Working values of the last MultiPhase, kept for inspection.
  double m_dLB = 0.0;         // Griffith bubble-flow limit
  double m_dDimGroup = 0.0;   // (rhoL/sigma)^0.25
  double m_dNLV = 0.0;        // liquid velocity number
  double m_dNGV = 0.0;        // gas velocity number
  double m_dND = 0.0;         // pipe diameter number
  double m_dNL = 0.0;         // liquid viscosity number
  double m_dCNL = 0.0;        // viscosity-number coefficient
  double m_dHoldupX = 0.0;    // abscissa of the holdup chart
  double m_dHoldupPsi = 0.0;  // HL/psi read from the holdup chart
  double m_dPsiX = 0.0;       // abscissa of the psi chart
  double m_dPsi = 0.0;        // secondary correction factor psi
  double m_dRhoF = 0.0;       // friction density rhoNS^2/rhoS [lbm/ft3]

 private:
  void BubbleFlow(double d);
  void ChartFlow(double d);
  void NoResult();
};

}  // namespace pdrop
