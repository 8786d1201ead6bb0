// Interfaces of the fluid objects that an engine evaluates properties with.
//
// A host binds either three phase objects (black-oil mode) or one
// equation-of-state fluid that hands out stream objects for its phases.
// Units: T absolute temperature [degR], p pressure [psia], always in that
// argument order. Every operation returns kNotSet unless a subclass answers it;
// the engine reads kNotSet as a missing value.
#pragma once

#include "pdrop/platform/NotSet.h"

namespace pdrop {

// The oil's bubble-point parameter [psia]. The engine fills it in during a
// calculation when the host left it unset, and puts the host's value back
// before it returns.
class CSynPar {
 public:
  CSynPar() = default;
  explicit CSynPar(double v) : m_dValue(v) {}

  double Value() const { return m_dValue; }  // kNotSet when not set
  CSynPar& operator=(const double& v) {
    m_dValue = v;
    return *this;
  }

 private:
  double m_dValue = kNotSet;
};

// One phase. In equation-of-state mode the same object is also a stream and
// answers the rate operations.
class CProp {
 public:
  virtual ~CProp() = default;

  // Oil or water formation volume factor [bbl/STB].
  virtual double FormationVolumeFactor(double T, double p);
  // Gas dissolved per stock-tank volume [MMscf/STB]; flag is 0.
  virtual double SolutionGasRatio(double T, double p, int flag);
  // Bubble point of the oil [psia] for a gas-oil ratio [MMscf/STB].
  virtual double BubblePointPressure(double T, double gor);
  // Gas compressibility factor [-].
  virtual double ZFactor(double T, double p);
  // Relative density (gas: air = 1, water: water = 1). A phase counts as
  // present only when this is above 0.
  virtual double SpecificGravity();
  // Oil relative density (water = 1) used for the black-oil density.
  virtual double OilGravity();
  // Density [lbm/ft3].
  virtual double Density(double T, double p);
  // Surface tension against gas [dyn/cm].
  virtual double SurfaceTension(double T, double p);
  // Liquid carried by the gas [bbl/MMscf] (gas object).
  virtual double LiquidYield(double T, double p);
  // Viscosity [cP].
  virtual double Viscosity(double T, double p);

  // Stream operations (equation-of-state mode).
  virtual double MassFlow();       // [lbm/s]
  virtual double VolFlow();        // in-situ volume rate [ft3/s]
  virtual double LiqVolFlow();     // liquid volume rate [STB/d oil, bbl/d water]
  virtual double GasStdVolFlow();  // gas at standard conditions [MMscf/d]

  // The oil's bubble-point parameter; nullptr for other phases.
  virtual CSynPar* BubblePointParameter();
};

using CEOSFluidProp = CProp;

// An equation-of-state fluid: hands out its phases as stream objects.
class CEOSBase {
 public:
  virtual ~CEOSBase() = default;
  virtual CProp* GetGas() = 0;
  virtual CProp* GetOil() = 0;
  virtual CProp* GetWtr() = 0;
  // True when the fluid is flashed isenthalpically: the engine then takes the
  // segment temperature from GetTemp() after each flow calculation.
  virtual bool IsIsenthalpic() { return false; }
  virtual double GetTemp() { return kNotSet; }  // [degR]
};

// True when a phase object is bound and has a positive gravity.
bool IsPhasePresent(CProp* phase);

}  // namespace pdrop
