#include "pdrop/loading/Coleman.h"

namespace pdrop {

double CColeman::Wtr(double p, double T, double z) { return Velocity(4.434, 67.0, p, T, z); }
double CColeman::Cnd(double p, double T, double z) { return Velocity(3.369, 45.0, p, T, z); }

}  // namespace pdrop
