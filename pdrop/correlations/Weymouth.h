// Weymouth gas pipeline equation, with the Flanigan method for gas lines
// that carry liquid ("Weymouth Multiphase").
//
// T. R. Weymouth, "Problems in Natural-Gas Engineering", Trans. ASME 34
// (1912) 185-234: q = 433.5 E (Tb/pb) ((p1^2 - p2^2) / (G T L z))^0.5
// D^2.667. Units and the Flanigan treatment as in Panhandle.h.
//
// Departures from the published form: the diameter exponent of the squared
// form is 5.334 (twice 2.667); the default efficiency is 1.15, above 1,
// because Weymouth's friction factor (a function of diameter alone) is
// conservative for most lines.
#pragma once

#include "pdrop/correlations/Panhandle.h"

namespace pdrop {

class CWeymouth : public CPanhandle {
  PDROP_DECLARE_DYNAMIC(CWeymouth)

 public:
  CWeymouth();
  ~CWeymouth() override = default;
  static double GetDefaultFE(bool multiphase);
};

}  // namespace pdrop
