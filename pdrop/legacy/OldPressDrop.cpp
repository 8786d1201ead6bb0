#include "pdrop/legacy/OldPressDrop.h"

#include <cmath>

#include "pdrop/core/Friction.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(COldPressDrop, CObject)

COldPressDrop::COldPressDrop(double innerOD, double pipeID, double dx, double dz)
    : m_dInnerOD(innerOD),
      m_dPipeID(pipeID),
      m_dDx(dx),
      m_dDz(dz),
      m_dLength(std::sqrt(dx * dx + dz * dz)) {}

void COldPressDrop::SetProps(CProp* gas, CProp* oil, CProp* water) {
  m_pGas = gas;
  m_pOil = oil;
  m_pWtr = water;
}

double COldPressDrop::Cal(double p, double, double, double, double, double) {
  m_dFrictionDP = m_dElevationDP = 0.0;
  return p;
}

double COldPressDrop::ff(double rough, double d, double re) {
  return FanningFrictionFactor(rough, d, re);
}

}  // namespace pdrop
