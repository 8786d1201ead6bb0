#include "pdrop/loading/Turner.h"

namespace pdrop {

double CTurner::Wtr(double p, double T, double z) { return Velocity(5.62, 67.0, p, T, z); }
double CTurner::Cnd(double p, double T, double z) { return Velocity(4.02, 45.0, p, T, z); }

}  // namespace pdrop
