// The legacy Beggs & Brill calculator (Beggs & Brill, J. Pet. Tech. 25
// (1973) 607). It keeps the legacy rules where they differ from the engine's
// Modified Beggs & Brill: its own pattern ties (NFr = L1 is intermittent,
// NFr = L2 or L3 unmapped as code 6), no damping of the friction exponent, no
// sign factors in the inclination, 6 psia floors, and the factors
// 0.178010756 and 0.1781075 of its velocities and liquid volume. The holdup
// coefficients, the psi correction and the mirrored friction argument are
// the engine's, shared.
//
// Departures from the calculator it replaces: the march divides the
// horizontal run with the elevation change, so every piece has the pipe's
// inclination; a negative oil or water rate reverses the flow as a negative
// gas rate does (all rates taken as magnitudes); a fixed piece count below 2
// is one piece solved normally.
#pragma once

#include "pdrop/legacy/OldPressDrop.h"

namespace pdrop {

class CPressDrop;

class COldBegsBrill : public COldPressDrop {
  PDROP_DECLARE_DYNAMIC(COldBegsBrill)

 public:
  // Legacy flow-regime codes.
  static constexpr int kStaticGas = 0, kSinglePhase = 1, kUnmapped = 6;
  static constexpr int kDiagStride = 50;  // doubles per diagnostic row
  static constexpr int kDiagCols = 45;    // of which written

  COldBegsBrill();
  COldBegsBrill(double innerOD, double pipeID, double dx, double dz, int liquidRates);
  // A sub-segment of src: 1/n of its run and elevation change, its signs,
  // phase objects and properties.
  COldBegsBrill(COldBegsBrill* src, int n);
  ~COldBegsBrill() override = default;

  // Takes the settings and geometry of an engine.
  COldBegsBrill& operator=(const CPressDrop& engine);

  void SetFlw(int flw) { m_dFlw = flw; }
  void SetDir(int dir) { m_dDir = dir; }
  void SetSubdiv(int subdiv) { m_nSubdivSet = subdiv; }
  int GetCode() const { return m_nFlowRegime; }

  // Outlet pressure [psia] of the segment for inlet pressure [psia],
  // temperature [degR], temperature gradient [degR/ft] and gas [MMscf/d],
  // oil and water [bbl/d] rates; 0 when nothing could be computed.
  double Cal(double pIn, double tIn, double dTdL, double qg, double qo, double qw) override;
  // One sub-segment.
  void Cal();

  void Init();
  void GasProp();
  void OilProp();
  void WaterProp();
  void MixedProp();
  void StaticGas();
  void GasFlow();
  void LiquidFlow();
  void MultiPhase();
  void MakeFlowMap();
  void GetFlowRegime();
  double Phi(double C) const;
  void LiquidHoldup();
  void SaveDiag(int k);
  void Dump() {}

  int m_nSegs = 1;
  int m_nDiagCols = 0;
  double m_dTGrad = 0.0;
  double m_dDir = 1.0, m_dFlw = 1.0;
  double m_dAccel = 0.0;
  double m_dLGR = 0.0;
  double m_dQo = 0.0, m_dQg = 0.0, m_dQw = 0.0;
  double m_dQgFree = 0.0;
  double m_dArea = 0.0;
  double m_dPMean = 0.0, m_dPIn = 0.0, m_dPOut = 0.0;
  double m_dTMean = 0.0;
  double m_dBg = 0.0;
  double m_dZ = 1.0;
  double m_dMuG = 0.01;
  double m_dMuO = 1.0, m_dBo = 1.0, m_dRso = 0.0, m_dSGo = 1.0;
  double m_dMuW = 1.0, m_dBw = 1.0, m_dRsw = 0.0, m_dSGw = 1.0;
  double m_dSigma = 15.0;
  double m_dQL = 0.0;
  double m_dSGL = 1.0, m_dMuL = 0.0;
  double m_dRe = 0.0, m_dAccelDP = 0.0, m_dFn = 0.0;
  double m_dRhoG = 0.0, m_dRhoL = 62.3;
  double m_dAngle = 0.0;
  double m_dVsl = 0.0, m_dVsg = 0.0, m_dVm = 0.0;
  double m_dLambda = 0.0, m_dLambdaG = 0.0;
  double m_dRhoNS = 0.0, m_dMuNS = 0.0;
  double m_dNFr = 0.0, m_dNLv = 0.0, m_dL1 = 0.0, m_dL2 = 0.0, m_dL3 = 0.0, m_dL4 = 0.0;
  double m_dLambdaPow = 0.0;
  double m_dHoldup = 0.0, m_dLnY = 0.0, m_dY = 0.0, m_dS = 0.0;
  double m_dReM = 0.0, m_dFtp = 0.0, m_dRhoS = 0.0;
  int m_nLiquidRates = 1;
  int m_nSubdivSet = 0;
  double m_dLiqVol = 0.0;
  double m_dVgIn = 0.0, m_dVlIn = 0.0;
  int m_nFlowRegime = 0;

 private:
  double Dh() const { return m_dPipeID - m_dInnerOD; }
  void SetArea();
  void Outlet(double friction, double elevation, double acceleration);
};

}  // namespace pdrop
