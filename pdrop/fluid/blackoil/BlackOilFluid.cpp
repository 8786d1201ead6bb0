#include "pdrop/fluid/blackoil/BlackOilFluid.h"

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

namespace pdrop {
namespace {

void Require(bool ok, const char* field, double value, const char* range) {
  if (ok) return;
  std::ostringstream msg;
  msg << "black-oil fluid: " << field << " = " << value << " is outside the accepted range "
      << range;
  throw std::invalid_argument(msg.str());
}

bool Within(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

}  // namespace

void BlackOilFluid::Validate() const {
  Require(Within(gasGravity, 0.55, 1.8), "gasGravity", gasGravity, "0.55 to 1.8 (air = 1)");
  Require(Within(oilApi, 5.0, 80.0), "oilApi", oilApi, "5 to 80 degAPI");
  Require(Within(waterSalinity, 0.0, 30.0), "waterSalinity", waterSalinity, "0 to 30 wt %");
  if (IsSet(waterGravity)) {
    Require(Within(waterGravity, 0.95, 1.25), "waterGravity", waterGravity,
            "0.95 to 1.25 (water = 1)");
  }
  Require(Within(waterYield, 0.0, 1000.0), "waterYield", waterYield, "0 to 1000 bbl/MMscf");
  if (IsSet(bubblePoint)) {
    Require(Within(bubblePoint, 0.0, 20000.0), "bubblePoint", bubblePoint, "0 to 20000 psia");
  }
  if (IsSet(separatorPressure) || IsSet(separatorTemperature)) {
    Require(Within(separatorPressure, 14.7, 2000.0), "separatorPressure", separatorPressure,
            "14.7 to 2000 psia, given together with separatorTemperature");
    Require(Within(separatorTemperature, 0.0, 300.0), "separatorTemperature",
            separatorTemperature, "0 to 300 degF, given together with separatorPressure");
  }
}

double BlackOilFluid::EffectiveSalinity() const {
  return IsSet(waterGravity) ? pvt::SalinityFromGravity(waterGravity) : waterSalinity;
}

double BlackOilFluid::SeparatorGasGravity() const {
  if (!IsSet(separatorPressure) || !IsSet(separatorTemperature)) return gasGravity;
  return pvt::SeparatorGasGravity(gasGravity, oilApi, separatorTemperature, separatorPressure);
}

BlackOilPhases BlackOilFluid::MakePhases() const {
  Validate();
  BlackOilPhases phases;
  phases.gas = std::make_unique<BlackOilGas>(gasGravity, waterYield, zCorrelation);
  phases.oil = std::make_unique<BlackOilOil>(oilApi, gasGravity, SeparatorGasGravity(),
                                             bubblePointCorrelation, bubblePoint);
  phases.water = std::make_unique<BlackOilWater>(EffectiveSalinity());
  return phases;
}

}  // namespace pdrop
