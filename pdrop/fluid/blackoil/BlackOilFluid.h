// A black-oil fluid described in plain words, and the phase objects it hands
// out. Each call of MakePhases gives a fresh, independent set: an engine
// writes the oil's bubble-point parameter during a calculation, so engines
// on different threads each need their own.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "pdrop/fluid/blackoil/BlackOilGas.h"
#include "pdrop/fluid/blackoil/BlackOilOil.h"
#include "pdrop/fluid/blackoil/BlackOilWater.h"

namespace pdrop {

struct BlackOilPhases {
  std::unique_ptr<BlackOilGas> gas;
  std::unique_ptr<BlackOilOil> oil;
  std::unique_ptr<BlackOilWater> water;
};

struct BlackOilFluid {
  double gasGravity = 0.65;               // separator gas, air = 1 [-]
  double oilApi = 35.0;                   // stock-tank oil [degAPI]
  double waterSalinity = 0.0;             // total dissolved solids [wt %]
  double waterGravity = kNotSet;          // [-], water = 1; when set, it decides the salinity
  double waterYield = 0.0;                // water carried by the gas [bbl/MMscf]
  double bubblePoint = kNotSet;           // fixed bubble point [psia]; not set: from the GOR
  double separatorPressure = kNotSet;     // [psia], for Vasquez & Beggs
  double separatorTemperature = kNotSet;  // [degF], for Vasquez & Beggs
  ZCorrelation zCorrelation = ZCorrelation::kDranchukAbouKassem;
  BubblePointCorrelation bubblePointCorrelation = BubblePointCorrelation::kStanding;

  // Throws std::invalid_argument naming the field, its value and the
  // accepted range. Fields are named as in case files (gas_gravity, oil_api,
  // water_salinity_wt_pct, water_gravity, water_yield_bbl_per_MMscf,
  // bubble_point_psia, separator_pressure_psia, separator_temperature_F),
  // after "black-oil fluid: ", after `prefix`, or as `name` turns them.
  void Validate() const;
  void Validate(const std::string& prefix) const;
  void Validate(const std::function<std::string(const std::string&)>& name) const;
  // Validates, then builds the three phase objects.
  BlackOilPhases MakePhases() const;
  // The salinity in force: from the water gravity when that is set.
  double EffectiveSalinity() const;
  // Gas gravity normalised to a 100 psig separator (the gas gravity itself
  // when the separator is not described).
  double SeparatorGasGravity() const;
};

}  // namespace pdrop
