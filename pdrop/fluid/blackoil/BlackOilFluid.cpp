#include "pdrop/fluid/blackoil/BlackOilFluid.h"

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>

namespace pdrop {
namespace {

bool Within(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

}  // namespace

void BlackOilFluid::Validate() const { Validate(std::string("black-oil fluid: ")); }

void BlackOilFluid::Validate(const std::string& prefix) const {
  Validate([&prefix](const std::string& field) { return prefix + field; });
}

void BlackOilFluid::Validate(const std::function<std::string(const std::string&)>& name) const {
  auto require = [&name](bool ok, const char* field, double value, const char* range) {
    if (ok) return;
    std::ostringstream msg;
    msg << name(field) << " = " << value << " is outside the accepted range " << range;
    throw std::invalid_argument(msg.str());
  };
  require(Within(gasGravity, 0.55, 1.8), "gas_gravity", gasGravity, "0.55 to 1.8 (air = 1)");
  require(Within(oilApi, 5.0, 80.0), "oil_api", oilApi, "5 to 80 degAPI");
  require(Within(waterSalinity, 0.0, 30.0), "water_salinity_wt_pct", waterSalinity, "0 to 30 wt %");
  if (IsSet(waterGravity)) {
    require(Within(waterGravity, 0.95, 1.25), "water_gravity", waterGravity,
            "0.95 to 1.25 (water = 1)");
  }
  require(Within(waterYield, 0.0, 1000.0), "water_yield_bbl_per_MMscf", waterYield,
          "0 to 1000 bbl/MMscf");
  if (IsSet(bubblePoint)) {
    require(Within(bubblePoint, 0.0, 20000.0), "bubble_point_psia", bubblePoint, "0 to 20000 psia");
  }
  // The separator is described by both values or by neither; a missing one
  // is named as missing, never shown as the not-set marker.
  const bool pressure = IsSet(separatorPressure), temperature = IsSet(separatorTemperature);
  if (pressure != temperature) {
    const char* given = pressure ? "separator_pressure_psia" : "separator_temperature_F";
    const char* missing = pressure ? "separator_temperature_F" : "separator_pressure_psia";
    throw std::invalid_argument(name(missing) + " is missing: the separator takes " + given +
                                " and " + missing + " together");
  }
  if (pressure) {
    require(Within(separatorPressure, 14.7, 2000.0), "separator_pressure_psia", separatorPressure,
            "14.7 to 2000 psia");
    require(Within(separatorTemperature, 0.0, 300.0), "separator_temperature_F",
            separatorTemperature, "0 to 300 degF");
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
