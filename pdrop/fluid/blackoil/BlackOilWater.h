// Black-oil water phase: a brine described by its salinity.
//
// McCain, Properties of Petroleum Fluids (2nd ed., 1990) and SPEFE 6 (1991):
// stock-tank density from salinity, formation volume factor (T <= 260 degF,
// p <= 5000 psia), viscosity (100-400 degF, S <= 26 wt %; pressure factor
// 86.5-167 degF, p <= 10000 psia).
// Gas solubility: Culberson & McKetta, Trans. AIME 192 (1951), in McCain's
// form (100-340 degF, 1000-10000 psia), tapered linearly to zero between
// 1000 psia and 14.7 psia where the fit's intercept would leave gas in
// solution at atmospheric pressure.
// Gas-water surface tension: Jennings & Newman, SPEJ 11 (1971), in McCain's
// form (74-350 degF, p <= 8000 psia), with a floor of 1 dyn/cm.
//
// Salinity S is total dissolved solids in weight percent. Temperatures below
// 32 degF are taken at 32 degF.
#pragma once

#include "pdrop/fluid/Prop.h"

namespace pdrop {

namespace pvt {
double BrineDensity(double salinity);  // lbm/ft3 at standard conditions
// The salinity [wt %] whose stock-tank density is that of the given gravity.
double SalinityFromGravity(double gravity);
double WaterFvf(double tF, double p);
double WaterViscosity(double tF, double p, double salinity);
double GasWaterSolubility(double tF, double p, double salinity);  // scf/STB
double GasWaterSurfaceTension(double tF, double p);
}  // namespace pvt

class BlackOilWater : public CProp {
 public:
  explicit BlackOilWater(double salinity);

  double FormationVolumeFactor(double T, double p) override;
  double SolutionGasRatio(double T, double p, int flag) override;  // MMscf/bbl
  double SpecificGravity() override { return gravity_; }
  double Density(double T, double p) override;
  double SurfaceTension(double T, double p) override;
  double Viscosity(double T, double p) override;

  double Salinity() const { return salinity_; }
  double StockTankDensity() const { return stockTankDensity_; }  // lbm/ft3

 private:
  double salinity_;
  double stockTankDensity_;
  double gravity_;
};

}  // namespace pdrop
