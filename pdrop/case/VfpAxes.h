// The axes of a VFP table — the grid of flow rate, tubing-head pressure,
// water fraction and gas fraction over which a reservoir simulator's
// VFPPROD (producers) or VFPINJ (injectors) keyword tabulates the
// bottomhole pressure — and the JSON file that gives them.
//
// Axis values are in the table's own units, those of the simulator deck the
// table goes into:
//   FIELD:  depth ft, pressure psia, OIL/LIQ/WAT stb/d, GAS Mscf/d, WCT
//           fraction, WOR stb/stb, WGR stb/Mscf, GOR/GLR Mscf/stb, OGR stb/Mscf;
//   METRIC: depth m, pressure barsa, every rate sm3/d, every ratio sm3/sm3
//           (WCT a fraction).
// Surface volumes convert by volume alone (1 stb = 0.158987294928 m3,
// 1 Mscf = 28.316846592 m3), as the simulators do.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "pdrop/platform/NotSet.h"

namespace pdrop {

enum class VfpType { kProducer, kInjector };  // VFPPROD, VFPINJ
enum class VfpUnits { kField, kMetric };
// The rate axis: OIL, LIQ, GAS for producers; WAT, GAS, OIL for injectors.
enum class VfpFlo { kOil, kLiquid, kGas, kWater };
enum class VfpWfr { kWaterOilRatio, kWaterCut, kWaterGasRatio };    // WOR, WCT, WGR
enum class VfpGfr { kGasOilRatio, kGasLiquidRatio, kOilGasRatio };  // GOR, GLR, OGR

struct VfpAxes {
  int table = 1;  // the table number, 1 to 9999
  VfpType type = VfpType::kProducer;
  VfpUnits units = VfpUnits::kField;
  VfpFlo flo = VfpFlo::kLiquid;
  VfpWfr wfr = VfpWfr::kWaterCut;     // producers only
  VfpGfr gfr = VfpGfr::kGasOilRatio;  // producers only
  // Each strictly increasing, in the table's units. An injector has no WFR
  // and GFR values.
  std::vector<double> flo_values, thp_values, wfr_values, gfr_values;
  // Depth of the tabulated BHP [ft or m]; kNotSet: the true vertical depth
  // of the case's last station.
  double datum = kNotSet;

  std::size_t FloCount() const { return flo_values.size(); }
  std::size_t ThpCount() const { return thp_values.size(); }
  std::size_t WfrCount() const;  // 1 for an injector
  std::size_t GfrCount() const;  // 1 for an injector
  std::size_t CellCount() const;
  // The position of a cell in a table's values: FLO fastest, then GFR, WFR, THP.
  std::size_t Index(std::size_t thp, std::size_t wfr, std::size_t gfr, std::size_t flo) const {
    return ((thp * WfrCount() + wfr) * GfrCount() + gfr) * FloCount() + flo;
  }

  // The names of the unit-bearing fields ("thp_psia" or "thp_barsa",
  // "datum_ft" or "datum_m").
  std::string ThpField() const;
  std::string DatumField() const;

  // Throws InputError naming the first field that is wrong: the table
  // number, the words, an empty, unsorted or too long axis, a THP outside
  // the accepted pressures, a rate of the wrong sign, a ratio that leaves a
  // cell without rates, or rates outside the traverse's limits.
  void Validate() const;
};

// The words of the deck: "OIL", "LIQ", "GAS", "WAT"; "WOR", "WCT", "WGR";
// "GOR", "GLR", "OGR"; "FIELD", "METRIC".
const char* DeckWord(VfpFlo flo);
const char* DeckWord(VfpWfr wfr);
const char* DeckWord(VfpGfr gfr);
const char* DeckWord(VfpUnits units);

// The units of each axis in a table's units, e.g. "stb/d", "Mscf/stb",
// "psia", "ft"; "fraction" for a water cut.
std::string FloUnit(const VfpAxes& axes);
std::string WfrUnit(const VfpAxes& axes);
std::string GfrUnit(const VfpAxes& axes);
const char* PressureUnit(VfpUnits units);
const char* DepthUnit(VfpUnits units);

// Pressures and depths between a table's units and pdrop's [psia, ft].
double ToPsia(double pressure, VfpUnits units);
double FromPsia(double pressure_psia, VfpUnits units);
double ToFeet(double depth, VfpUnits units);
double FromFeet(double depth_ft, VfpUnits units);

// The standard rates of one cell of the table.
struct VfpRates {
  double gas_MMscfd = 0.0;
  double oil_STBd = 0.0;
  double water_bbld = 0.0;
};
// The rates that give the cell's FLO, WFR and GFR values together; throws
// InputError naming the three values when no rates do (a water cut of 1 with
// an oil rate, a gas-oil ratio of 0 with a gas rate).
VfpRates CellRates(const VfpAxes& axes, std::size_t wfr, std::size_t gfr, std::size_t flo);

// A number as the deck shows it: fixed notation, at most `decimals`
// decimals, trailing zeros dropped ("8000", "0.25").
std::string DeckNumber(double value, int decimals = 10);

// Reads and validates an axes file; `where` names it in messages.
VfpAxes VfpAxesFromJson(const nlohmann::json& j, const std::string& where);
VfpAxes ReadVfpAxesFile(const std::string& path);

}  // namespace pdrop
