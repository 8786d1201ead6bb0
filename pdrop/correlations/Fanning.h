// Fanning: single-phase gas or liquid flow with the Fanning friction
// equation, dp = 2 f rho v^2 L / (g D), f from the laminar 16/Re, the smooth-
// pipe fit or Chen's (1979) explicit rough-pipe equation.
//
// A stream in which gas and liquid both flow is treated as liquid alone: the
// gas takes no part in the gradient. Also the base of Gray and of Hagedorn &
// Brown, which add their own multiphase routine.
#pragma once

#include "pdrop/core/PressDrop.h"

namespace pdrop {

class CFanning : public CPressDrop {
  PDROP_DECLARE_DYNAMIC(CFanning)

 public:
  ~CFanning() override = default;
  void GasFlow() override;
  void LiquidFlow() override;
  bool bIsSinglePhase() override;
};

}  // namespace pdrop
