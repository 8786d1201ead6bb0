// Black-oil gas phase: a sweet natural gas described by its gravity.
//
// z-factor: Sutton (1985) pseudo-criticals with Dranchuk & Abou-Kassem (1975),
// or Hall & Yarborough (1973) where selected. Viscosity: Lee, Gonzalez &
// Eakin, JPT 18 (1966) 997, original constants; fitted for 100-340 degF and
// 100-8000 psia. Density: real-gas law, rho = (M_air/R) gamma p / (z T).
// LiquidYield answers the water the gas carries [bbl/MMscf], an input of the
// fluid; condensate is given to the engine as the oil rate.
//
// Temperatures arrive in degR, pressures in psia.
#pragma once

#include "pdrop/fluid/Prop.h"

namespace pdrop {

enum class ZCorrelation { kDranchukAbouKassem, kHallYarborough };

namespace pvt {
// Lee-Gonzalez-Eakin viscosity [cP] of a gas of molar mass M [lbm/lbmol] and
// density rho [lbm/ft3] at T [degR].
double GasViscosityLGE(double molarMass, double density, double temperatureR);
}  // namespace pvt

class BlackOilGas : public CProp {
 public:
  BlackOilGas(double gravity, double waterYield, ZCorrelation z);

  double ZFactor(double T, double p) override;
  double SpecificGravity() override { return gravity_; }
  double Density(double T, double p) override;
  double Viscosity(double T, double p) override;
  double LiquidYield(double T, double p) override;

  // Gas formation volume factor [ft3/scf] at standard conditions of
  // 14.696 psia and 519.67 degR.
  double Bg(double T, double p);

 private:
  double gravity_;
  double waterYield_;  // bbl/MMscf
  ZCorrelation zCorrelation_;
  double tpc_, ppc_;
  // The engine asks for z, density and viscosity at the same conditions in
  // turn: the last z is kept.
  double lastT_ = -1.0, lastP_ = -1.0, lastZ_ = 1.0;
};

}  // namespace pdrop
