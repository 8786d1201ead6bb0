// The Fanning friction factors of the Petalas & Aziz model: the ff and ff2
// forms of CPressDrop::FrictionFactors (16/Re up to Re = 2000; above 4000 the
// smooth-pipe fit for e = 0, else Chen's explicit form of Colebrook, Ind.
// Eng. Chem. Fundam. 18, 1979, 296; between them ff blends the two linearly
// in Re and ff2 takes the larger), with Chen's powers formed as exponentials
// of logarithms and its common logarithms as natural ones. The model
// evaluates them tens of times per decision; the values differ from
// CPressDrop's in the last bits only.
#pragma once

#include <algorithm>
#include <cmath>

#include "pdrop/core/Friction.h"

namespace pdrop::mech {

constexpr double kLog10e = 0.43429448190325182765;  // 1/ln 10

// Chen's turbulent factor for roughness ratio r and Reynolds number Re,
// given 1/Re and the natural logarithm of 0.3539 r^1.1098 + 5.8506 Re^-0.8981.
inline double ChenFromInner(double r, double inverseRe, double lnInner) {
  const double x = -4.0 * kLog10e * std::log(0.2698 * r - 5.0452 * inverseRe * kLog10e * lnInner);
  return 1.0 / (x * x);
}

// The same given r^1.1098, 1/Re and Re^-0.8981.
inline double Chen(double r, double rPow, double inverseRe, double rePow) {
  return ChenFromInner(r, inverseRe, std::log(0.3539 * rPow + 5.8506 * rePow));
}

// ff and ff2 at Reynolds number re, with the turbulent factor from
// turbulent(), called only where it is used.
template <class Turbulent>
void FactorPair(double re, const Turbulent& turbulent, double* f, double* f2) {
  if (re == 0.0) {
    *f = *f2 = 0.0;
    return;
  }
  if (re > kTurbulentReynolds) {
    *f = *f2 = turbulent();
    return;
  }
  const double fl = 16.0 / re;
  if (re <= kLaminarReynolds) {
    *f = *f2 = fl;
    return;
  }
  const double ft = turbulent();
  *f = ((re - kLaminarReynolds) * ft + (kTurbulentReynolds - re) * fl) /
       (kTurbulentReynolds - kLaminarReynolds);
  *f2 = std::max(ft, fl);
}

// ff and ff2 for absolute roughness e and diameter D in one unit.
inline void FanningFactors(double e, double D, double re, double* f, double* f2) {
  FactorPair(
      re,
      [&] {
        const double lnRe = std::log(re);
        if (e == 0.0) return 0.0014 + 0.125 * std::exp(-0.32 * lnRe);
        const double r = e / D;
        return Chen(r, std::exp(1.1098 * std::log(r)), 1.0 / re, std::exp(-0.8981 * lnRe));
      },
      f, f2);
}

inline double FanningFf(double e, double D, double re) {
  double f = 0.0, f2 = 0.0;
  FanningFactors(e, D, re, &f, &f2);
  return f;
}

inline double FanningFf2(double e, double D, double re) {
  double f = 0.0, f2 = 0.0;
  FanningFactors(e, D, re, &f, &f2);
  return f2;
}

}  // namespace pdrop::mech
