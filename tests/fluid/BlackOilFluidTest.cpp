// The fluid description: validation with messages that name the field, and
// fresh, independent phase objects.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

std::string ErrorOf(const BlackOilFluid& fluid) {
  try {
    fluid.Validate();
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return std::string();
}

TEST(BlackOilFluid, RejectsImpossibleInputNamingTheField) {
  struct Case {
    const char* field;
    void (*spoil)(BlackOilFluid&);
  } cases[] = {
      {"gas_gravity", [](BlackOilFluid& f) { f.gasGravity = -0.65; }},
      {"oil_api", [](BlackOilFluid& f) { f.oilApi = 90.0; }},
      {"oil_api", [](BlackOilFluid& f) { f.oilApi = 4.0; }},
      {"water_salinity_wt_pct", [](BlackOilFluid& f) { f.waterSalinity = -1.0; }},
      {"water_gravity", [](BlackOilFluid& f) { f.waterGravity = 0.5; }},
      {"water_yield_bbl_per_MMscf", [](BlackOilFluid& f) { f.waterYield = std::nan(""); }},
      {"bubble_point_psia", [](BlackOilFluid& f) { f.bubblePoint = -100.0; }},
      {"separator_pressure_psia is missing",
       [](BlackOilFluid& f) { f.separatorTemperature = 80.0; }},
      {"separator_temperature_F = 400", [](BlackOilFluid& f) {
         f.separatorPressure = 100.0;
         f.separatorTemperature = 400.0;
       }},
  };
  EXPECT_EQ(ErrorOf(BlackOilFluid{}), "");
  for (const Case& c : cases) {
    BlackOilFluid fluid;
    c.spoil(fluid);
    const std::string message = ErrorOf(fluid);
    EXPECT_NE(message.find(c.field), std::string::npos) << message;
    // The not-set marker is never shown as a value.
    EXPECT_EQ(message.find("32600"), std::string::npos) << message;
    EXPECT_THROW(fluid.MakePhases(), std::invalid_argument);
  }
}

TEST(BlackOilFluid, EachSetIsFreshAndIndependent) {
  BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 30.0;
  fluid.waterGravity = 1.05;
  fluid.waterYield = 2.0;
  BlackOilPhases a = fluid.MakePhases();
  BlackOilPhases b = fluid.MakePhases();
  EXPECT_NE(a.oil->BubblePointParameter(), b.oil->BubblePointParameter());
  *a.oil->BubblePointParameter() = 2500.0;
  EXPECT_EQ(b.oil->BubblePointParameter()->Value(), kNotSet);
  EXPECT_EQ(a.gas->SpecificGravity(), 0.7);
  EXPECT_EQ(a.gas->LiquidYield(600.0, 1000.0), 2.0);
  EXPECT_NEAR(a.oil->OilGravity(), 141.5 / 161.5, 1e-12);
  EXPECT_NEAR(a.water->SpecificGravity(), 1.05, 1e-9) << "salinity from the gravity";

  fluid.bubblePoint = 1800.0;
  EXPECT_EQ(fluid.MakePhases().oil->BubblePointParameter()->Value(), 1800.0);
  // A described separator normalises the gas gravity for Vasquez & Beggs.
  fluid.separatorPressure = 164.7;
  fluid.separatorTemperature = 60.0;
  EXPECT_GT(fluid.SeparatorGasGravity(), fluid.gasGravity);
}

}  // namespace
}  // namespace pdrop
