#include "pdrop/correlations/Fanning.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CFanning, CPressDrop)

// The holdup fields are set first, so that the base routine and any reader of
// the record see a pure phase.
void CFanning::GasFlow() {
  m_dHoldup = 0.0;
  m_dLambdaL = 0.0;
  m_dLambdaG = 1.0;
  CPressDrop::GasFlow();
}

void CFanning::LiquidFlow() {
  m_dHoldup = 1.0;
  m_dLambdaL = 1.0;
  m_dLambdaG = 0.0;
  CPressDrop::LiquidFlow();
}

bool CFanning::bIsSinglePhase() { return true; }

}  // namespace pdrop
