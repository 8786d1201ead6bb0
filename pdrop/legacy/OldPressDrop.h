// The legacy calculator interface, kept for hosts written against it: a
// self-contained segment calculator with its own property evaluation, its
// own driver with automatic sub-division and its own Beggs & Brill
// (Beggs & Brill, J. Pet. Tech. 25 (1973) 607). It shares no state with the
// engine classes and can take its settings from an engine by assignment.
//
// Units: pressures psia, temperatures degR, lengths ft, diameters and
// roughness in, gas MMscf/d at the interface and scf/d inside, oil and water
// bbl/d, velocities ft/s, densities lbm/ft3. A result of 0 from Cal means
// nothing was computed.
#pragma once

#include <vector>

#include "pdrop/fluid/Prop.h"
#include "pdrop/platform/NotSet.h"
#include "pdrop/platform/Object.h"

namespace pdrop {

class COldPressDrop : public CObject {
  PDROP_DECLARE_DYNAMIC(COldPressDrop)

 public:
  // Inner-string outside diameter [in] (0 for a plain pipe), pipe inside
  // diameter [in], horizontal run [ft], elevation change [ft].
  COldPressDrop(double innerOD, double pipeID, double dx, double dz);
  ~COldPressDrop() override = default;

  virtual void SetProps(CProp* gas, CProp* oil, CProp* water);
  // The base computes nothing: both components become 0 and p comes back.
  virtual double Cal(double p, double T, double dTdL, double qg, double qo, double qw);

  void SetFf(double roughness) { m_dRough = roughness; }
  void SetFe(double fe) { m_dFe = fe; }
  void SetHFe(double hfe) { m_dHFe = hfe; }
  void SetFlowOver(int flowOver) { m_nFlowOver = flowOver; }
  void SetDebug(int debug) { m_bDebug = debug; }
  void SetDiag(bool diag) { m_bDiag = diag; }
  void FixOutletPressure() {}
  // Fanning friction factor, roughness and diameter in inches.
  static double ff(double rough, double d, double re);

  bool m_bDiag = false;
  std::vector<double> m_pDiag;  // diagnostic buffer, 50 doubles per sub-segment row
  int m_nMaxIter = 10;
  int m_nIter = 0;
  double m_dSubdiv = kNotSet;  // forced number of sub-segments; kNotSet = automatic
  double m_dMaxSeg = 20.0;     // largest number of automatic sub-segments
  double m_dFe = 1.0;
  double m_dHFe = 1.0;
  double m_dRough = 0.0006;      // in
  double m_dInnerOD, m_dPipeID;  // in
  double m_dDx, m_dDz;           // ft
  double m_dLength;              // ft
  double m_dFrictionDP = 0.0;    // psi
  double m_dElevationDP = 0.0;   // psi
  double m_dVso = kNotSet;       // ft/s
  double m_dVsw = kNotSet;       // ft/s
  int m_bDebug = 0;
  int m_nFlowOver = 0;
  CProp* m_pGas = nullptr;
  CProp* m_pOil = nullptr;
  CProp* m_pWtr = nullptr;
};

}  // namespace pdrop
