// The accepted ranges of the inputs of a segment or a traverse, and the
// pressure range inside which a computed pressure is shown as an answer.
//
// One set of limits for every tool built on the engine: the case reader, the
// `pdrop segment` command and Python's Engine.solve check their inputs with
// these functions and only supply the field names, so the same value is
// refused everywhere with the same words. The traverse uses the pressure
// range inside the march as well: a computed pressure outside it stops the
// march instead of being reported.
//
// The engine itself keeps its own contract (it returns what the correlations
// give); these limits are for the tools that present results to people.
#pragma once

#include <cmath>
#include <string>
#include <vector>

namespace pdrop {

// A closed interval, or one open at its low end, with the words that
// describe it in messages.
struct Range {
  double low;
  double high;
  bool lowOpen;      // low itself is outside
  const char* text;  // e.g. "5 to 30000 psia"

  bool Contains(double v) const {
    return std::isfinite(v) && (lowOpen ? v > low : v >= low) && v <= high;
  }
};

namespace limits {

// Pressures an engineer can mean for a well or pipeline; 30000 psia is above
// the deepest high-pressure wells, 5 psia the engine's own floor.
inline constexpr Range kPressure_psia{5.0, 30000.0, false, "5 to 30000 psia"};
// Temperatures from arctic lines to steam-flooded wells.
inline constexpr Range kTemperature_F{-60.0, 700.0, false, "-60 to 700 degF"};
inline constexpr Range kTemperatureGradient_F_per_ft{-1.0, 1.0, false, "-1 to 1 degF/ft"};
// Capillary strings to the largest trunk lines.
inline constexpr Range kPipeId_in{0.1, 120.0, false, "0.1 to 120 in"};
// Magnitudes of the rates (a segment may give them a sign for reverse flow).
inline constexpr Range kGas_MMscfd{0.0, 1.0e4, false, "0 to 10000 MMscf/d"};
inline constexpr Range kOil_STBd{0.0, 1.0e7, false, "0 to 1e7 STB/d"};
inline constexpr Range kWater_bbld{0.0, 1.0e7, false, "0 to 1e7 bbl/d"};
// A segment's length, and the depth or distance of a station.
inline constexpr Range kSegmentLength_ft{0.01, 1.0e7, false, "0.01 to 1e7 ft"};
inline constexpr double kMaxDepth_ft = 1.0e7;
inline constexpr Range kPieces{1.0, 1000.0, false, "a whole number 1 to 1000"};
// The divisors of the friction and elevation changes.
inline constexpr Range kEfficiency{0.0, 10.0, true, "above 0 and at most 10"};

}  // namespace limits

// Throws std::invalid_argument "FIELD = VALUE is outside the accepted range
// TEXT" unless the range contains the value.
void CheckRange(const std::string& field, double value, const Range& range);

// The names a tool gives the inputs of one segment in its messages.
struct SegmentFieldNames {
  std::string pipeId = "pipe_id_in";
  std::string innerOd = "inner_od_in";
  std::string roughness = "roughness_in";
  std::string dx = "dx_ft";
  std::string dz = "dz_ft";
  std::string pressure = "pressure_psia";
  std::string temperature = "temperature_F";
  std::string gradient = "gradient_F_per_ft";
  std::string gas = "gas_MMscfd";
  std::string oil = "oil_STBd";
  std::string water = "water_bbld";
  std::string direction = "direction";
  std::string flowSign = "flow_sign";
};

// The inputs of one segment as the engine takes them.
struct SegmentInputs {
  double pipeId_in = 0.0, innerOd_in = 0.0, roughness_in = 0.0006;
  double dx_ft = 0.0, dz_ft = 0.0;
  double pressure_psia = 0.0, temperature_F = 0.0, gradient_F_per_ft = 0.0;
  double gas_MMscfd = 0.0, oil_STBd = 0.0, water_bbld = 0.0;
  double direction = 1.0, flowSign = 1.0;
};

// Checks the pipe of a segment or a station: the diameter first, then the
// inner string, then the roughness, so that a message blames the field that
// is wrong (a roughness is only judged against a valid diameter).
void CheckPipe(double pipeId_in, double innerOd_in, double roughness_in,
               const std::string& pipeIdField, const std::string& innerOdField,
               const std::string& roughnessField);

// Checks every input of one segment; throws std::invalid_argument naming the
// first field that is wrong.
void CheckSegment(const SegmentInputs& in, const SegmentFieldNames& names = {});

// The reason a computed pressure is not shown as an answer, or "" when it is
// inside kPressure_psia.
std::string PressureOutOfRange(double p_psia);

}  // namespace pdrop
