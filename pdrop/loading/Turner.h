// Turner, Hubbard & Dukler (1969): critical velocity of the largest drop that
// the gas can still lift, with their 20 % upward adjustment of the drop model
// (K = 5.62 for water at 67 lbm/ft3, 4.02 for condensate at 45 lbm/ft3).
#pragma once

#include "pdrop/loading/LiquidLift.h"

namespace pdrop {

class CTurner : public CLiquidLift {
 public:
  double Wtr(double p, double T, double z) override;
  double Cnd(double p, double T, double z) override;
};

}  // namespace pdrop
