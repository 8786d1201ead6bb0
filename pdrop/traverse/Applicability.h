// Where a result rests on a correlation outside the data it was fitted on,
// and which calculation an engine actually ran for a stream.
//
// Both give words for the outputs, never a refusal: a gas pipeline at 65 degF
// is an ordinary case even though Standing's bubble-point data start at
// 100 degF.
#pragma once

#include <string>
#include <vector>

#include "pdrop/traverse/Traverse.h"

namespace pdrop {

class CPressDrop;

// The conditions of a segment or a traverse that the fitted ranges are
// judged on.
struct OperatingEnvelope {
  double minTemperature_F = 0.0, maxTemperature_F = 0.0;
  double maxPipeId_in = 0.0;  // the largest flow diameter (hydraulic, of an annulus)
  double gas_MMscfd = 0.0, oil_STBd = 0.0, water_bbld = 0.0;
};

// One sentence per published correlation whose fitted range the case leaves:
// the bubble-point correlation of the fluid (when oil flows), the gas
// viscosity and pseudo-critical properties (when gas flows), and Gray's
// well data (code 4).
std::vector<std::string> FittedRangeWarnings(const BlackOilFluid& fluid, int correlation,
                                             const OperatingEnvelope& envelope);
OperatingEnvelope EnvelopeOf(const TraverseCase& c);

// When a gas equation (codes 0, 1, 2, 6, 7, 8) has just run a calculation
// other than its own for the stream of the last Cal (Fanning liquid flow on a
// liquid stream, the Flanigan form on a two-phase stream, Fanning liquid flow
// of the liquid alone on a two-phase stream), the sentence that says so;
// otherwise "".
std::string CalculationNote(CPressDrop& engine);

}  // namespace pdrop
