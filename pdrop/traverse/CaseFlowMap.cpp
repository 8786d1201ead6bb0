#include "pdrop/traverse/CaseFlowMap.h"

#include "pdrop/mechanistic/FlowMapWriter.h"

namespace pdrop {
namespace {

constexpr const char* kNoSegment = "the segment next to the known end has no result";

}  // namespace

CaseFlowMap MapFirstSegment(const TraverseCase& c) {
  CaseFlowMap out;
  BlackOilPhases ph = c.fluid.MakePhases();
  CMechModel engine;
  if (!IsSet(SolveFirstSegment(c, engine, ph.gas.get(), ph.oil.get(), ph.water.get()))) {
    out.reason = kNoSegment;
    return out;
  }
  if (!engine.m_bGas || !engine.m_bLiquid || engine.m_dQgFree == 0.0) {
    out.reason = std::string(
                     "the flow-pattern map needs two flowing phases (gas and liquid); "
                     "the segment next to the known end has ") +
                 (engine.m_bGas && engine.m_dQgFree != 0.0 ? "gas only" : "liquid only or no flow");
    return out;
  }
  out.vsg_ftps = engine.m_dVsg;
  out.vsl_ftps = engine.m_dVsl;
  out.regime_code = engine.GetCode();
  out.ok = engine.GetFlowMap(out.entries);
  if (!out.ok) out.reason = "the fluid properties of the segment are not known";
  return out;
}

bool WriteFlowMapDumps(const TraverseCase& c, const std::string& directory, std::string* reason) {
  BlackOilPhases ph = c.fluid.MakePhases();
  FlowMapWriter writer;
  if (!IsSet(SolveFirstSegment(c, writer, ph.gas.get(), ph.oil.get(), ph.water.get()))) {
    if (reason != nullptr) *reason = kNoSegment;
    return false;
  }
  if (!writer.WritePatternFiles(directory) || !writer.WriteBoundaryFile(directory)) {
    if (reason != nullptr) *reason = "cannot create the map files in " + directory;
    return false;
  }
  return true;
}

}  // namespace pdrop
