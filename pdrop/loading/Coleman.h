// Coleman, Clay, McCurdy & Norris (1991): the Turner drop model without the
// 20 % adjustment, which fits low-pressure wells better (K = 4.434 for water,
// 3.369 for condensate).
#pragma once

#include "pdrop/loading/LiquidLift.h"

namespace pdrop {

class CColeman : public CLiquidLift {
 public:
  double Wtr(double p, double T, double z) override;
  double Cnd(double p, double T, double z) override;
};

}  // namespace pdrop
