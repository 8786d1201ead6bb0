// Modified Panhandle (Panhandle B) gas pipeline equation, with the Flanigan
// method for gas lines that carry liquid (code 8, "Modified Flanigan").
//
// q = 737 E (Tb/pb)^1.02 ((p1^2 - p2^2) / (G^0.961 T L z))^0.51 D^2.53, the
// Panhandle Eastern Pipe Line Co. revision of its equation, as given in the
// GPSA Engineering Data Book (section 17) and in C. U. Ikoku, Natural Gas
// Production Engineering, Wiley, 1984. Units and the Flanigan treatment as
// in Panhandle.h.
//
// Departures from the published form: the gravity exponent of the squared
// form is 0.9608 = 0.49/0.51 (the published q ~ G^-0.49) rather than its
// rounded 0.961; everything else as Panhandle.h says.
#pragma once

#include "pdrop/correlations/Panhandle.h"

namespace pdrop {

class CPanEastern : public CPanhandle {
  PDROP_DECLARE_DYNAMIC(CPanEastern)

 public:
  CPanEastern();
  ~CPanEastern() override = default;
  static double GetDefaultFE(bool multiphase);
};

}  // namespace pdrop
