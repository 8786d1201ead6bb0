// Black-oil oil phase: a stock-tank oil of given API gravity that dissolves
// the produced gas.
//
// Bubble point and solution gas-oil ratio: Standing, Drill. & Prod. Prac.
// (API, 1947), pb 130-7000 psia, 100-258 degF, Rs 20-1425 scf/STB, API
// 16.5-63.8; or Vasquez & Beggs, JPT 32 (1980) 968, API 15.3-59.3, 75-294 degF.
// Formation volume factor: Standing (or Vasquez & Beggs) at and below the
// bubble point; above it the exact integral of the Vasquez & Beggs
// compressibility co = A/p, Bo = Bob (pb/p)^A.
// Viscosity: Beggs & Robinson, JPT 27 (1975) 1140, dead oil 16-58 API and
// 70-295 degF, live oil Rs 20-2070 scf/STB; above the bubble point Vasquez &
// Beggs (1980), 141-9515 psia.
// Gas-oil surface tension: Baker & Swerdloff, Oil & Gas J. (1956), with the
// power-law pressure correction and a floor of 1 dyn/cm.
//
// The bubble point comes from the oil's bubble-point parameter: fixed by the
// user, or filled in by the engine during a calculation from the producing
// gas-oil ratio. Below the bubble point Rs follows the correlation, above it
// Rs stays at its bubble-point value; a bubble point at or below 14.7 psia is
// dead oil (Rs = 0). With the parameter not set the oil is saturated at every
// pressure.
//
// Outside the fitted ranges the correlations are extrapolated, with two
// guards that keep every property finite: temperatures below 32 degF are
// taken at 32 degF, and a negative compressibility coefficient A is taken as 0.
#pragma once

#include "pdrop/fluid/Prop.h"

namespace pdrop {

enum class BubblePointCorrelation { kStanding, kVasquezBeggs };

namespace pvt {
double StandingBubblePoint(double rsbScf, double gasGravity, double api, double tF);
double StandingRs(double p, double gasGravity, double api, double tF);
double StandingBo(double rsScf, double gasGravity, double oilGravity, double tF);
double VasquezBeggsBubblePoint(double rsbScf, double gasGravitySep, double api, double tF);
double VasquezBeggsRs(double p, double gasGravitySep, double api, double tF);
double VasquezBeggsBo(double rsScf, double gasGravitySep, double api, double tF);
// The coefficient A of co = A / p [1/psi].
double VasquezBeggsCompressibility(double rsbScf, double gasGravitySep, double api, double tF);
// Gas gravity normalised to a 100 psig separator.
double SeparatorGasGravity(double gasGravity, double api, double tSepF, double pSep);
double DeadOilViscosity(double api, double tF);
double LiveOilViscosity(double deadViscosity, double rsScf);
double UndersaturatedOilViscosity(double bubbleViscosity, double p, double pb);
double GasOilSurfaceTension(double api, double tF, double p);
double OilGravityFromApi(double api);
}  // namespace pvt

class BlackOilOil : public CProp {
 public:
  // Properties at one pressure and temperature [Rs scf/STB, Bo bbl/STB,
  // viscosity cP, surface tension dyn/cm, density lbm/ft3].
  struct State {
    double rs, bo, viscosity, tension, density;
  };

  // gasGravity is the gravity of the gas the oil dissolves; separatorGasGravity
  // the same normalised to a 100 psig separator (Vasquez & Beggs).
  BlackOilOil(double api, double gasGravity, double separatorGasGravity,
              BubblePointCorrelation correlation, double fixedBubblePoint);

  // State at T [degR] and p [psia] for a bubble point pb [psia].
  const State& At(double T, double p, double pb);
  // The bubble point in force: the parameter, or +infinity when it is unset.
  double CurrentBubblePoint() const;

  double FormationVolumeFactor(double T, double p) override;
  double SolutionGasRatio(double T, double p, int flag) override;  // MMscf/STB
  double BubblePointPressure(double T, double gor) override;       // gor in MMscf/STB
  double SpecificGravity() override { return oilGravity_; }
  double OilGravity() override { return oilGravity_; }
  double Density(double T, double p) override;
  double SurfaceTension(double T, double p) override;
  double Viscosity(double T, double p) override;
  CSynPar* BubblePointParameter() override { return &bubblePoint_; }

  double Api() const { return api_; }
  double GasGravity() const { return gasGravity_; }

 private:
  double SaturatedRs(double p, double tF) const;
  double SaturatedBo(double rs, double tF) const;
  const State* Evaluate(double T, double p, double pb);

  double api_, oilGravity_, gasGravity_, separatorGasGravity_;
  BubblePointCorrelation correlation_;
  CSynPar bubblePoint_;
  double cachedT_ = -1.0, cachedP_ = -1.0, cachedPb_ = -1.0;
  State cached_{};
  State unset_{kNotSet, kNotSet, kNotSet, kNotSet, kNotSet};
};

}  // namespace pdrop
