// Gas compressibility factor.
//
// Sutton (1985), SPE-14265: pseudo-critical temperature and pressure of a
// sweet natural gas from its gravity (0.57 < gamma < 1.68).
// Dranchuk & Abou-Kassem (1975), JCPT 14(3): an 11-constant equation of state
// fitted to the Standing-Katz chart; 1.0 <= Tpr <= 3.0 with 0.2 <= ppr <= 30,
// and 0.7 <= Tpr < 1.0 with ppr <= 1.0.
// Hall & Yarborough (1973), Oil & Gas J. 71(25): the Starling-Carnahan form;
// 1.2 <= Tpr <= 3.0, 0.1 <= ppr <= 24.
//
// Both solvers keep a bracket and fall back to bisection, so they return a
// finite, positive z for any positive reduced temperature and pressure; near
// and below Tpr = 1, where the equations have liquid-like roots, they return
// the vapour (lowest-density) root.
#pragma once

namespace pdrop::pvt {

struct PseudoCritical {
  double temperature;  // degR
  double pressure;     // psia
};

PseudoCritical SuttonPseudoCritical(double gasGravity);

// z at reduced temperature tpr and reduced pressure ppr.
double ZFactorDAK(double tpr, double ppr);
double ZFactorHallYarborough(double tpr, double ppr);

}  // namespace pdrop::pvt
