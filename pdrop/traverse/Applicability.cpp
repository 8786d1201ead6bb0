#include "pdrop/traverse/Applicability.h"

#include <algorithm>
#include <sstream>

#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"

namespace pdrop {
namespace {

// The data a correlation was fitted on, and the words for a case outside it.
struct Fitted {
  const char* what;  // "Standing's bubble point (1947)"
  double low, high;
  const char* quantity;  // "temperature", "oil gravity"
  const char* unit;
};

void Judge(const Fitted& f, double low, double high, std::vector<std::string>& out) {
  if (low >= f.low && high <= f.high) return;
  std::ostringstream s;
  s << f.what << " was fitted on " << f.quantity << " " << f.low << " to " << f.high << " "
    << f.unit << "; this case has ";
  if (low == high) {
    s << low;
  } else {
    s << low << " to " << high;
  }
  s << " " << f.unit;
  out.push_back(s.str());
}

bool IsGasEquation(int code) {
  return code == 0 || code == 1 || code == 2 || code == 6 || code == 7 || code == 8;
}

}  // namespace

OperatingEnvelope EnvelopeOf(const TraverseCase& c) {
  OperatingEnvelope e;
  const double firstMd = c.stations.front().md_ft, lastMd = c.stations.back().md_ft;
  e.minTemperature_F = e.maxTemperature_F = c.temperature.At(c.stations.front(), firstMd, lastMd);
  for (const Station& s : c.stations) {
    const double t = c.temperature.At(s, firstMd, lastMd);
    e.minTemperature_F = std::min(e.minTemperature_F, t);
    e.maxTemperature_F = std::max(e.maxTemperature_F, t);
    // The size the correlations see: the hydraulic diameter of an annulus.
    e.maxPipeId_in = std::max(e.maxPipeId_in, s.id_in - s.inner_od_in);
  }
  e.gas_MMscfd = c.gas_MMscfd;
  e.oil_STBd = c.oil_STBd;
  e.water_bbld = c.water_bbld;
  return e;
}

std::vector<std::string> FittedRangeWarnings(const BlackOilFluid& fluid, int correlation,
                                             const OperatingEnvelope& e) {
  std::vector<std::string> out;
  const double tLow = e.minTemperature_F, tHigh = e.maxTemperature_F;
  if (e.oil_STBd != 0.0) {
    if (fluid.bubblePointCorrelation == BubblePointCorrelation::kStanding) {
      // Standing, Drill. & Prod. Prac. (API, 1947): 105 points of 22 California oils.
      Judge({"Standing's bubble-point correlation", 100.0, 258.0, "temperatures", "degF"}, tLow,
            tHigh, out);
      Judge({"Standing's bubble-point correlation", 16.5, 63.8, "oil gravities", "degAPI"},
            fluid.oilApi, fluid.oilApi, out);
      Judge({"Standing's bubble-point correlation", 0.59, 0.95, "gas gravities", "(air = 1)"},
            fluid.gasGravity, fluid.gasGravity, out);
    } else {
      // Vasquez & Beggs, JPT June 1980: about 600 PVT analyses.
      Judge({"Vasquez & Beggs' solution-gas correlation", 75.0, 294.0, "temperatures", "degF"},
            tLow, tHigh, out);
      Judge({"Vasquez & Beggs' solution-gas correlation", 15.3, 59.3, "oil gravities", "degAPI"},
            fluid.oilApi, fluid.oilApi, out);
      Judge(
          {"Vasquez & Beggs' solution-gas correlation", 0.511, 1.35, "gas gravities", "(air = 1)"},
          fluid.gasGravity, fluid.gasGravity, out);
    }
  }
  if (e.gas_MMscfd != 0.0) {
    // Lee, Gonzalez & Eakin, JPT Aug 1966: four natural gases.
    Judge({"Lee, Gonzalez & Eakin's gas viscosity", 100.0, 340.0, "temperatures", "degF"}, tLow,
          tHigh, out);
    // Sutton, SPE-14265 (1985).
    Judge({"Sutton's pseudo-critical properties", 0.57, 1.68, "gas gravities", "(air = 1)"},
          fluid.gasGravity, fluid.gasGravity, out);
  }
  if (correlation == 4) {
    // Gray (API 14B, 1974) states its own limits: tubing up to 3.5 in,
    // condensate up to 50 and water up to 5 bbl/MMscf.
    Judge({"Gray's correlation", 0.0, 3.5, "tubing sizes", "in"}, e.maxPipeId_in, e.maxPipeId_in,
          out);
    if (e.gas_MMscfd > 0.0) {
      Judge({"Gray's correlation", 0.0, 50.0, "condensate ratios", "bbl/MMscf"},
            e.oil_STBd / e.gas_MMscfd, e.oil_STBd / e.gas_MMscfd, out);
      Judge({"Gray's correlation", 0.0, 5.0, "water ratios", "bbl/MMscf"},
            e.water_bbld / e.gas_MMscfd, e.water_bbld / e.gas_MMscfd, out);
    }
  }
  return out;
}

std::string CalculationNote(CPressDrop& e) {
  const int code = e.m_nCode;
  if (!IsGasEquation(code)) return "";
  // The stream as the segment driver sees it, and the routine it calls.
  enum class Routine { kStatic, kGas, kLiquid, kTwoPhase } routine;
  bool twoPhaseStream = false;
  if (!e.m_bGas && !e.m_bLiquid) {
    routine = Routine::kStatic;
  } else if (!e.m_bLiquid) {
    routine = Routine::kGas;
  } else if (!e.m_bGas || e.m_dQgFree == 0.0) {
    routine = Routine::kLiquid;
  } else if (e.m_dQo == 0.0 && e.m_dQwFree == 0.0) {
    routine = Routine::kGas;
  } else {
    twoPhaseStream = true;
    // A class that calls itself single-phase runs liquid flow on it.
    routine = e.bIsSinglePhase() ? Routine::kLiquid : Routine::kTwoPhase;
  }
  const std::string name = CorrelationName(code);
  switch (routine) {
    case Routine::kStatic:
      return "";
    case Routine::kLiquid:
      if (twoPhaseStream) {
        return name +
               " on a gas-and-liquid stream: Fanning liquid flow of the liquid alone was "
               "used (the gas is left out)";
      }
      return code == 0 ? "" : name + " on a liquid stream: Fanning liquid flow was used";
    case Routine::kGas:
      if (code == 7) return "Flanigan on a gas-only stream: the Panhandle gas equation was used";
      if (code == 8) {
        return "Modified Flanigan on a gas-only stream: the Modified Panhandle gas equation was "
               "used";
      }
      return "";
    case Routine::kTwoPhase:
      if (code == 1) return "Panhandle on a two-phase stream: its Flanigan form was used";
      if (code == 2) {
        return "Modified Panhandle on a two-phase stream: its Flanigan form (Modified Flanigan) "
               "was used";
      }
      if (code == 6) return "Weymouth on a two-phase stream: its Flanigan form was used";
      return "";
  }
  return "";
}

}  // namespace pdrop
