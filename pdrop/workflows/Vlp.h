// Lift curves (vertical lift performance): the bottomhole pressure a well
// needs to deliver each rate against a known wellhead pressure, as a family
// of curves over the sensitivities an engineer varies in nodal analysis.
//
// Each point is one traverse from the wellhead down to the bottom station of
// the case, run on all cores; the results do not depend on the thread count.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "pdrop/traverse/Traverse.h"

namespace pdrop {

// What the rate of a lift curve counts, by kind of well: liquid STB/d for an
// oil well, gas MMscf/d for a gas well (at most 200 bbl of liquid per MMscf)
// and a gas injector, water bbl/d for a water injector.
enum class WellKind { kOil, kGas, kWaterInjector, kGasInjector };

// The quantities a family of curves can vary.
enum class VlpParameter {
  kWellheadPressure,  // psia
  kWaterCut,          // fraction of the liquid [-], 0 to below 1
  kGor,               // gas-oil ratio [scf/STB]
  kGlr,               // gas-liquid ratio [scf/STB]
  kTubingId,          // inside diameter of every station [in]
  kCorrelation,       // correlation code
};

struct VlpSensitivity {
  VlpParameter parameter;
  std::vector<double> values;
};

struct VlpRequest {
  std::vector<double> rates;                  // in the well kind's rate unit, above 0
  std::vector<VlpSensitivity> sensitivities;  // every combination is one curve
  int threads = 1;
};

struct VlpPoint {
  std::size_t curve = 0;       // index of the curve (combination of sensitivity values)
  std::vector<double> values;  // the sensitivity values of the curve, in request order
  double rate = 0.0;
  bool complete = false;
  std::string reason;     // why the traverse stopped, when it did
  double bhp_psia = 0.0;  // at the bottom station; kNotSet when incomplete
  int bottom_regime_code = 666;
  std::string bottom_regime;     // flow pattern of the bottom segment
  bool loading = false;          // gas rate below Turner's critical rate at some station
  bool coleman_loading = false;  // ... below Coleman's
  double loading_md_ft = 0.0;    // shallowest station flagged by Turner
  // The lowest BHP of its curve (producers), when it lies inside the rates
  // computed: at the first or last rate the curve's minimum is not known.
  bool minimum = false;
  bool unstable = false;  // rate below the curve's minimum: heading region
};

struct VlpResult {
  WellKind kind = WellKind::kOil;
  std::vector<VlpPoint> points;  // curve by curve, rates in request order
  // The notes of the traverses (fitted ranges left, the calculation a gas
  // equation ran), each once.
  std::vector<std::string> warnings;
};

// The kind of a case's well; throws std::invalid_argument unless the case is
// a well whose wellhead pressure is known (known_end at the first station).
WellKind KindOfWell(const TraverseCase& c);
// "liquid_STBd", "gas_MMscfd" or "water_bbld".
const char* RateName(WellKind kind);
// "wellhead_pressure_psia", "water_cut", "gor_scf_per_STB", "glr_scf_per_STB",
// "id_in", "correlation".
const char* ParameterName(VlpParameter p);
// The parameter of a name above; throws std::invalid_argument otherwise.
VlpParameter ParameterOfName(const std::string& name);

// The case of one point: the base case at the rate, with the curve's values.
// The base case's own ratios (water cut, gas-oil ratio, condensate and water
// yields of a gas well) carry over unless a sensitivity sets them.
TraverseCase PointCase(const TraverseCase& base, WellKind kind, double rate,
                       const std::vector<VlpSensitivity>& sensitivities,
                       const std::vector<double>& values);

// Twenty rates from 5 % to 300 % of the case's own rate.
std::vector<double> DefaultRates(const TraverseCase& base, WellKind kind);

// Checks the request (rates above 0 and strictly increasing, values in
// range, and every point's case valid); throws std::invalid_argument naming
// the field.
void ValidateVlp(const TraverseCase& base, const VlpRequest& request);

// The family of curves. Throws std::invalid_argument for a bad request.
VlpResult LiftCurves(const TraverseCase& base, const VlpRequest& request,
                     const std::function<void(std::size_t, std::size_t)>& progress = {});

}  // namespace pdrop
