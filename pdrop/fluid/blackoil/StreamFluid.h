// The black-oil fluid as an equation-of-state stream: the engine then takes
// the phase rates from the stream objects (mass, in-situ volume and standard
// volume rates) instead of splitting the standard rates itself.
//
// The stream operations take no pressure or temperature: they answer for the
// conditions of the last property call made on any phase of this fluid,
// which is how the engine uses them (properties first, then rates, at the
// same mean pressure and temperature). Before any property call they answer
// for standard conditions.
//
// The split follows the black-oil rules: free gas = produced gas less the gas
// dissolved in oil and water (none below 0.5 scf/d); the water the gas
// carries comes out of the water rate. Oil and water carry the mass of
// their dissolved gas, so the three mass rates add up to the same total at
// any conditions (the water the gas carries aside). The bubble point is the
// fixed one of the fluid, or that of the producing gas-oil ratio at the
// temperature of the call.
#pragma once

#include "pdrop/fluid/blackoil/BlackOilFluid.h"

namespace pdrop {

class BlackOilStream : public CEOSBase {
 public:
  // Standard rates: gas [MMscf/d], oil [STB/d], water [bbl/d].
  BlackOilStream(const BlackOilFluid& fluid, double qg, double qo, double qw);
  BlackOilStream(const BlackOilStream&) = delete;
  BlackOilStream& operator=(const BlackOilStream&) = delete;

  void SetRates(double qg, double qo, double qw);

  CProp* GetGas() override { return &gasStream_; }
  CProp* GetOil() override { return &oilStream_; }
  CProp* GetWtr() override { return &waterStream_; }

  // The phase split at the conditions of the last property call.
  struct Split {
    double freeGas;    // scf/d
    double freeWater;  // bbl/d
    double rs;         // oil, scf/STB
    double rsw;        // water, scf/bbl
    double bo, bw;     // bbl/STB, bbl/bbl
    double bg;         // ft3/scf
  };
  const Split& CurrentSplit();
  // The oil's bubble point at temperature T [degR].
  double BubblePoint(double T);

 private:
  enum class Kind { kGas, kOil, kWater };

  class Phase : public CProp {
   public:
    Phase(BlackOilStream& owner, Kind kind) : owner_(owner), kind_(kind) {}
    double FormationVolumeFactor(double T, double p) override;
    double SolutionGasRatio(double T, double p, int flag) override;
    double BubblePointPressure(double T, double gor) override;
    double ZFactor(double T, double p) override;
    double SpecificGravity() override;
    double OilGravity() override;
    double Density(double T, double p) override;
    double SurfaceTension(double T, double p) override;
    double LiquidYield(double T, double p) override;
    double Viscosity(double T, double p) override;
    double MassFlow() override;
    double VolFlow() override;
    double LiqVolFlow() override;
    double GasStdVolFlow() override;

   private:
    CProp& Base() const;
    BlackOilStream& owner_;
    Kind kind_;
  };

  void Touch(double T, double p);
  double OilMassPerBarrel();
  double WaterMassPerBarrel();
  const BlackOilOil::State& OilAt(double T, double p);

  BlackOilPhases phases_;
  double qg_, qo_, qw_;
  double lastT_, lastP_;
  bool splitValid_ = false;
  Split split_{};
  Phase gasStream_{*this, Kind::kGas};
  Phase oilStream_{*this, Kind::kOil};
  Phase waterStream_{*this, Kind::kWater};
};

}  // namespace pdrop
