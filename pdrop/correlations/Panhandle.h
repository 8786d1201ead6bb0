// Panhandle (Panhandle A) gas pipeline equation, with the Flanigan method
// for gas lines that carry liquid. The base of the Modified Panhandle and
// Weymouth classes, which differ only in the constants of the flow equation
// and in their default efficiencies.
//
// The flow equation, solved for the difference of squared pressures:
//   p1^2 - p2^2 = C (pb/Tb)^a (q/E)^n G^g T L z / D^m
// with q the free gas rate [scf/d], E the pipeline efficiency, G the gas
// gravity, T [degR], L [miles], z, D the pipe inside diameter [in], pressures
// [psia] and base conditions pb = 14.65 psia, Tb = 520 degR. Panhandle A:
// q = 435.87 E (Tb/pb)^1.0788 ((p1^2 - p2^2) / (G^0.8539 T L z))^0.5394
// D^2.6182, the Panhandle Eastern Pipe Line Co. form as given in the GPSA
// Engineering Data Book (section 17) and in C. U. Ikoku, Natural Gas
// Production Engineering, Wiley, 1984.
//
// Flanigan: O. Flanigan, "Effect of Uphill Flow on Pressure Drop in Design
// of Two-Phase Gathering Systems", Oil and Gas Journal 56 (10 March 1958)
// 132-141. The efficiency falls with the liquid load along his efficiency
// curve, and the elevation term uses his holdup HL = 1 / (1 + 0.3264
// Vsg^1.006).
//
// Departures from the published forms: the efficiency curve is a piecewise
// power fit, scaled so that its plateau of 82 % leaves the pipeline
// efficiency unchanged; Flanigan's holdup is held within [no-slip holdup, 1];
// the elevation term is the signed in-situ head over the whole rise or fall
// (Flanigan counted uphill rises only, so downhill runs recover pressure
// here). A squared-pressure difference that would leave less than 5 psia
// gives no result.
#pragma once

#include "pdrop/core/PressDrop.h"

namespace pdrop {

// The constants that tell the equations of the family apart: the flow
// equation solved for p1^2 - p2^2 = coef (pb/Tb)^expBase (q/E)^expQ
// G^expGravity T L z / D^expD, and the default pipeline efficiencies.
struct GasEquationConstants {
  double expQ, expBase, expGravity, expD, coef;
  double gasFE, multiphaseFE;
};

class CPanhandle : public CPressDrop {
  PDROP_DECLARE_DYNAMIC(CPanhandle)

 public:
  CPanhandle();
  ~CPanhandle() override = default;
  void GasFlow() override;
  void MultiPhase() override;
  bool bIsSinglePhase() override;
  void SetUp() override;
  double GetFE() override;
  // A zero, negative or NaN efficiency is replaced by the Panhandle gas
  // default 0.85, in all three classes: a zero efficiency would mean an
  // infinite pressure drop, and hosts pass 0 for "not given".
  void SetFE(double fe) override;
  virtual void SetDefaultFE();
  // The class defaults: multiphase (Flanigan) or gas.
  static double GetDefaultFE(bool multiphase);

  double m_dExpQ = 0.0;        // exponent of the gas rate
  double m_dExpBase = 0.0;     // exponent of the base-condition ratio
  double m_dExpGravity = 0.0;  // exponent of the gas gravity
  double m_dExpD = 0.0;        // exponent of the diameter
  double m_dCoef = 0.0;        // equation coefficient
  double m_dBaseTerm = 0.0;    // (14.65/520)^m_dExpBase
  double m_dDiamTerm = 0.0;    // 1 / m_dPipeID^m_dExpD
  double m_dFlowEff = 0.0;     // pipeline efficiency; GetFE returns it

 protected:
  // The Modified Panhandle and Weymouth classes are this class with their
  // own constants.
  explicit CPanhandle(const GasEquationConstants& k);
  void SetConstants(double expQ, double expBase, double expGravity, double expD, double coef);

 private:
  void GasEquation();
  double m_dGasDefaultFE;  // the class's gas default, SetDefaultFE's value
};

}  // namespace pdrop
