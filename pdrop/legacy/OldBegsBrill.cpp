#include "pdrop/legacy/OldBegsBrill.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "pdrop/core/PressDrop.h"
#include "pdrop/core/Subdivision.h"
#include "pdrop/correlations/BeggsBrillRules.h"
#include "pdrop/platform/Message.h"
#include "pdrop/platform/Units.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(COldBegsBrill, COldPressDrop)

namespace {

constexpr double kLeastPressure = 6.0;         // psia, the legacy floor
constexpr double kZeroInletPressure = 0.0001;  // psia
constexpr double kTolerance = 0.01;            // psi
constexpr double kSubSegmentPressure = 14.5;   // psia, a new sub-segment's pressures
constexpr double kWaterDensity = 62.3;         // lbm/ft3
constexpr double kDefaultGasGravity = 0.65;
// The legacy calculator's own conversions of bbl/d to ft3/s and of ft3 to
// bbl; kept as they were.
constexpr double kBarrelVelocityFactor = 0.178010756;
constexpr double kLiquidVolumeFactor = 0.1781075;

}  // namespace

COldBegsBrill::COldBegsBrill() : COldPressDrop(0.0, 4.0, 5280.0, 0.0) {
  Init();
  SetArea();
}

COldBegsBrill::COldBegsBrill(double innerOD, double pipeID, double dx, double dz, int liquidRates)
    : COldPressDrop(innerOD, pipeID, dx, dz) {
  Init();
  m_nLiquidRates = liquidRates;
  SetArea();
}

COldBegsBrill::COldBegsBrill(COldBegsBrill* src, int n)
    : COldPressDrop(src->m_dInnerOD, src->m_dPipeID, src->m_dDx / n, src->m_dDz / n) {
  Init();
  m_dDir = src->m_dDir;
  m_dFlw = src->m_dFlw;
  m_pGas = src->m_pGas;
  m_pOil = src->m_pOil;
  m_pWtr = src->m_pWtr;
  m_dSigma = src->m_dSigma;
  m_dArea = src->m_dArea;
  m_dAccel = src->m_dAccel;
  m_dRough = src->m_dRough;
  m_dMuG = src->m_dMuG;
  m_dZ = src->m_dZ;
  m_dBo = src->m_dBo;
  m_dMuO = src->m_dMuO;
  m_dRso = src->m_dRso;
  m_dSGo = src->m_dSGo;
  m_dBw = src->m_dBw;
  m_dMuW = src->m_dMuW;
  m_dRsw = src->m_dRsw;
  m_dSGw = src->m_dSGw;
  m_dPIn = m_dPOut = kSubSegmentPressure;
}

void COldBegsBrill::SetArea() {
  m_dArea = units::kPi * (std::pow(m_dPipeID / 24.0, 2.0) - std::pow(m_dInnerOD / 24.0, 2.0));
}

void COldBegsBrill::Init() {
  m_nSegs = 1;
  m_nDiagCols = 0;
  m_dTGrad = 0.0;
  m_dDir = m_dFlw = 1.0;
  m_dAccel = 0.0;
  m_dLGR = m_dQo = m_dQg = m_dQw = m_dQgFree = 0.0;
  m_dPMean = m_dPIn = m_dPOut = m_dTMean = m_dBg = 0.0;
  m_dZ = 1.0;
  m_dMuG = 0.01;
  m_dMuO = m_dBo = m_dSGo = 1.0;
  m_dRso = 0.0;
  m_dMuW = m_dBw = m_dSGw = 1.0;
  m_dRsw = 0.0;
  m_dSigma = 15.0;
  m_dQL = 0.0;
  m_dSGL = 1.0;
  m_dMuL = m_dRe = m_dAccelDP = m_dFn = m_dRhoG = 0.0;
  m_dRhoL = 62.3;
  m_dAngle = m_dVsl = m_dVsg = m_dVm = m_dLambda = m_dLambdaG = m_dRhoNS = m_dMuNS = 0.0;
  m_dNFr = m_dNLv = m_dL1 = m_dL2 = m_dL3 = m_dL4 = m_dLambdaPow = 0.0;
  m_dHoldup = m_dLnY = m_dY = m_dS = m_dReM = m_dFtp = m_dRhoS = 0.0;
  m_nLiquidRates = 1;
  m_nSubdivSet = 0;
  m_dLiqVol = m_dVgIn = m_dVlIn = 0.0;
  m_nFlowRegime = 0;
  m_dRough = 0.0006;
  m_pGas = m_pOil = m_pWtr = nullptr;
  m_nFlowOver = 0;
}

COldBegsBrill& COldBegsBrill::operator=(const CPressDrop& e) {
  m_nLiquidRates = e.m_nUseLiquid;
  m_nSubdivSet = e.m_nSubdiv;
  m_dMaxSeg = e.m_dMaxSubdiv;
  m_dFe = e.m_dFe;
  m_dHFe = e.m_dHFe;
  m_dRough = e.m_dFf;
  m_dArea = e.m_dArea;
  m_dInnerOD = e.m_dInnerOD;
  m_dPipeID = e.m_dPipeID;
  m_dDx = e.m_dDx;
  m_dDz = e.m_dDz;
  m_dLength = e.m_dLength;
  m_dFrictionDP = e.m_dFrictionDP;
  m_dElevationDP = e.m_dElevationDP;
  m_bDebug = e.m_nLegacyOption;
  m_nFlowOver = e.m_nFlowOver;
  m_pGas = e.m_pGas;
  m_pOil = e.m_pOil;
  m_pWtr = e.m_pWtr;
  m_nFlowRegime = e.GetCode();
  return *this;
}

double COldBegsBrill::Cal(double pIn, double tIn, double dTdL, double qg, double qo, double qw) {
  if (!IsSet(qg)) qg = 0.0;
  if (!IsSet(qo)) qo = 0.0;
  if (!IsSet(qw)) qw = 0.0;
  m_dPIn = pIn;
  m_dQo = m_nLiquidRates != 0 ? qo : 0.0;
  m_dQw = m_nLiquidRates != 0 ? qw : 0.0;
  m_dLGR = qg != 0.0 ? std::fabs((m_dQo + m_dQw) / qg) : 0.0;
  m_dQg = qg * units::kScfPerMMscf;
  const double flw = m_dFlw;
  // Any negative rate is flow the other way: friction changes sign, and the
  // rates are magnitudes.
  if (m_dQg < 0.0 || m_dQo < 0.0 || m_dQw < 0.0) {
    m_dFlw = -m_dFlw;
    m_dQg = std::fabs(m_dQg);
    m_dQo = std::fabs(m_dQo);
    m_dQw = std::fabs(m_dQw);
  }
  m_dTGrad = dTdL;
  m_dFrictionDP = m_dElevationDP = 0.0;
  m_dPMean = m_dPOut = pIn;

  bool usable = true;
  for (double v : {pIn, tIn, dTdL, m_dQg, m_dQo, m_dQw, m_dPipeID, m_dInnerOD, m_dDx, m_dDz,
                   m_dLength, m_dArea}) {
    usable = usable && std::isfinite(v);
  }
  usable = usable && m_dArea > 0.0 && Dh() > 0.0 && tIn > 0.0;
  if (!(pIn > kLeastPressure) || !(m_dPipeID > 0.0) || !usable) {
    m_dPMean = 0.0;
    m_dPOut = 0.0;
    m_dFlw = flw;
    return 0.0;
  }

  const bool automatic = !IsSet(m_dSubdiv) || std::isnan(m_dSubdiv);
  m_nSegs = 1;
  if (automatic || PieceCount(m_dSubdiv) < 2) {
    m_dTMean = tIn + dTdL * m_dLength / 2.0 * m_dDir;
    Cal();
    if (m_bDiag) {
      m_pDiag.assign(kDiagStride, 0.0);
      SaveDiag(0);
    }
    const double change = std::fabs(m_dFrictionDP + m_dElevationDP);
    if (automatic) m_nSegs = AutomaticPieceCount(change, m_dMaxSeg);
  } else {
    m_nSegs = PieceCount(m_dSubdiv);
  }

  if (m_nSegs > 1) {
    if (m_bDiag) m_pDiag.assign(static_cast<std::size_t>(m_nSegs) * kDiagStride, 0.0);
    const double dx = m_dDx, dz = m_dDz, length = m_dLength;
    m_dDx /= m_nSegs;
    m_dDz /= m_nSegs;
    m_dLength /= m_nSegs;
    const double halfStep = dTdL * m_dLength / 2.0 * m_dDir;
    double friction = 0.0, elevation = 0.0;
    m_dTMean = tIn;
    m_dPIn = pIn;
    for (int k = 0; k < m_nSegs; ++k) {
      m_dTMean += halfStep;
      m_dFrictionDP = m_dElevationDP = 0.0;
      Cal();
      if (m_bDiag) SaveDiag(k);
      friction += m_dFrictionDP;
      elevation += m_dElevationDP;
      m_dTMean += halfStep;
      if (m_dPOut < 0.0) break;
      m_dPIn = m_dPOut;
    }
    m_dFrictionDP = friction;
    m_dElevationDP = elevation;
    m_dDx = dx;
    m_dDz = dz;
    m_dLength = length;
  }
  m_dFlw = flw;
  if (!std::isfinite(m_dPOut)) {
    m_dPOut = 0.0;
    m_dFrictionDP = m_dElevationDP = 0.0;
  }
  return m_dPOut;
}

void COldBegsBrill::Cal() {
  const double pIn = m_dPIn == 0.0 ? kZeroInletPressure : m_dPIn;
  m_dPIn = pIn;
  m_dPOut = pIn;
  m_dQgFree = m_dQg;
  double previous = 0.0;
  for (m_nIter = 0; m_nIter < std::min(m_nMaxIter, 10000); ++m_nIter) {
    if (m_dPOut < 0.0) m_dPOut = 0.0;
    m_dPMean = std::max((pIn + m_dPOut) / 2.0, kLeastPressure);
    if (m_nIter > 0 && std::fabs(previous - m_dPMean) < kTolerance) break;
    previous = m_dPMean;
    const bool gas = m_dQg != 0.0;
    const bool liquid = m_dQo + m_dQw != 0.0;
    if (!gas && !liquid) {
      GasProp();
      StaticGas();
    } else if (!liquid) {
      GasProp();
      GasFlow();
    } else {
      OilProp();
      WaterProp();
      MixedProp();
      if (gas) {
        GasProp();
        MultiPhase();
      } else {
        LiquidFlow();
      }
    }
    if (!std::isfinite(m_dPOut)) break;
  }
}

void COldBegsBrill::GasProp() {
  const double T = m_dTMean;
  const double p = m_dPMean;
  double gravity = kDefaultGasGravity;
  if (m_pGas != nullptr) {
    const double z = m_pGas->ZFactor(T, p);
    const double mu = m_pGas->Viscosity(T, p);
    if (IsUsable(z) && z > 0.0) m_dZ = z;
    if (IsUsable(mu) && mu > 0.0) m_dMuG = mu;
    const double sg = m_pGas->SpecificGravity();
    if (IsUsable(sg) && sg > 0.0) gravity = sg;
  }
  m_dRhoG = gravity * p * 28.964 / m_dZ / T / 10.73;
  m_dBg = units::kEngineStdPressure * T * m_dZ / (units::kEngineStdTemperature * p);
  m_dVsg = m_dQgFree * m_dBg / m_dArea / units::kSecondsPerDay;
}

void COldBegsBrill::OilProp() {
  if (m_pOil == nullptr) return;
  const double T = m_dTMean, p = m_dPMean;
  const double mu = m_pOil->Viscosity(T, p);
  const double b = m_pOil->FormationVolumeFactor(T, p);
  const double rs = m_pOil->SolutionGasRatio(T, p, 0);
  const double g = m_pOil->OilGravity();
  if (IsUsable(mu)) m_dMuO = mu;
  if (IsUsable(b) && b > 0.0) m_dBo = b;
  if (IsUsable(rs)) m_dRso = rs;
  if (IsUsable(g)) m_dSGo = g / m_dBo;
}

void COldBegsBrill::WaterProp() {
  if (m_pWtr == nullptr) return;
  const double T = m_dTMean, p = m_dPMean;
  const double mu = m_pWtr->Viscosity(T, p);
  const double b = m_pWtr->FormationVolumeFactor(T, p);
  const double rs = m_pWtr->SolutionGasRatio(T, p, 0);
  const double g = m_pWtr->SpecificGravity();
  if (IsUsable(mu)) m_dMuW = mu;
  if (IsUsable(b) && b > 0.0) m_dBw = b;
  if (IsUsable(rs)) m_dRsw = rs;
  if (IsUsable(g)) m_dSGw = g / m_dBw;
}

void COldBegsBrill::MixedProp() {
  // More gas in solution than produced leaves no free gas.
  m_dQgFree = std::max(m_dQg - (m_dRso * m_dQo + m_dRsw * m_dQw) * units::kScfPerMMscf, 0.0);
  m_dQL = m_dQo * m_dBo + m_dQw * m_dBw;
  if (m_dQL == 0.0) {
    m_dSGL = m_dMuL = 1.0;
    m_dRhoL = m_dSGw * kWaterDensity;
    m_dVsl = m_dVso = m_dVsw = 0.0;
    return;
  }
  const double fo = m_dQo * m_dBo / m_dQL;
  const double fw = m_dQw * m_dBw / m_dQL;
  m_dSGL = m_dSGo * fo + m_dSGw * fw;
  m_dMuL = m_dMuO * fo + m_dMuW * fw;
  m_dRhoL = m_dSGL * kWaterDensity;
  auto velocity = [this](double q) {
    return q / m_dArea / units::kSecondsPerDay / kBarrelVelocityFactor;
  };
  m_dVsl = velocity(m_dQL);
  m_dVso = velocity(m_dQo * m_dBo);
  m_dVsw = velocity(m_dQw * m_dBw);
}

void COldBegsBrill::Outlet(double friction, double elevation, double acceleration) {
  m_dFrictionDP = friction;
  m_dElevationDP = elevation;
  m_dAccelDP = acceleration;
  m_dPOut = m_dPIn + acceleration + friction + elevation;
}

void COldBegsBrill::StaticGas() {
  m_dElevationDP = m_dRhoG * m_dDz / 144.0 * m_dDir;
  m_dPOut = m_dPIn + m_dElevationDP;
  m_nFlowRegime = kStaticGas;
}

void COldBegsBrill::GasFlow() {
  const double gravity = m_pGas != nullptr && m_pGas->SpecificGravity() > 0.0
                             ? m_pGas->SpecificGravity()
                             : kDefaultGasGravity;
  m_dRe = 0.020011 * gravity * m_dQg / m_dMuG / (m_dPipeID + m_dInnerOD);
  m_dFn = ff(m_dRough, Dh(), m_dRe);
  m_dVso = m_dVsw = kNotSet;
  m_nFlowRegime = kSinglePhase;
  Outlet(2.0 * m_dFn * m_dRhoG * m_dVsg * m_dVsg * m_dLength / (Dh() / units::kInchesPerFoot) /
             units::kSquareInchesPerSquareFoot / units::kGravityRounded * m_dFlw,
         m_dRhoG * m_dDz / 144.0 * m_dDir, 0.0);
}

void COldBegsBrill::LiquidFlow() {
  m_dRe = Dh() / 12.0 * m_dVsl * m_dRhoL / m_dMuL / 0.000672;
  m_dFn = ff(m_dRough, Dh(), m_dRe);
  m_nFlowRegime = kSinglePhase;
  Outlet(2.0 * m_dFn * m_dRhoL * m_dVsl * m_dVsl * m_dLength / (Dh() / units::kInchesPerFoot) /
             units::kSquareInchesPerSquareFoot / units::kGravityRounded * m_dFlw,
         m_dRhoL * m_dDz / 144.0 * m_dDir, m_dAccel * m_dRhoL * m_dVsl * m_dVsl / 288.0 * m_dFlw);
}

void COldBegsBrill::MultiPhase() {
  // The pipe's own inclination: no sign factors here.
  m_dAngle = m_dDx == 0.0 ? units::kPi / 2.0 : std::atan(m_dDz / m_dDx);
  m_dVm = m_dVsg + m_dVsl;
  m_dLambda = m_dVm > 0.0 ? m_dVsl / m_dVm : 0.0;
  m_dLambdaG = m_dVm > 0.0 ? m_dVsg / m_dVm : 0.0;
  m_dRhoNS = m_dLambda * m_dRhoL + m_dLambdaG * m_dRhoG;
  m_dMuNS = m_dLambda * m_dMuL + m_dLambdaG * m_dMuG;
  LiquidHoldup();
  // The mirrored friction argument, without the engine's damping near 0 and 1.
  const beggsbrill::FrictionExponent e = beggsbrill::Exponent(m_dLambda, m_dHoldup);
  m_dY = e.y;
  m_dLnY = e.lnY;
  m_dS = e.s;
  m_dReM = Dh() / 12.0 * m_dVm * m_dRhoNS / m_dMuNS / 0.000672;
  m_dFtp = std::exp(m_dS) * ff(m_dRough, Dh(), m_dReM);
  m_dRhoS = m_dRhoL * m_dHoldup + (1.0 - m_dHoldup) * m_dRhoG;
  m_dLiqVol = m_dHoldup * m_dLength * m_dArea * kLiquidVolumeFactor;
  if (m_dHoldup == 1.0) {
    m_dVgIn = m_dVlIn = kNotSet;
  } else {
    m_dVgIn = m_dVsg / (1.0 - m_dHoldup);
    m_dVlIn = m_dHoldup != 0.0 ? m_dVsl / m_dHoldup : kNotSet;
  }
  Outlet(2.0 * m_dFtp * m_dVm * m_dVm * m_dRhoNS * m_dLength / units::kGravityRounded /
             (Dh() / units::kInchesPerFoot) / units::kSquareInchesPerSquareFoot * m_dFlw,
         m_dRhoS * m_dDz / 144.0 * m_dDir, m_dAccel * m_dRhoS * m_dVm * m_dVm / 288.0 * m_dFlw);
}

void COldBegsBrill::MakeFlowMap() {
  const beggsbrill::MapNumbers n =
      beggsbrill::FlowNumbers(m_dVm, m_dVsl, m_dLambda, Dh(), m_dRhoL, m_dSigma);
  m_dNFr = n.froude;
  m_dNLv = n.liqVelNo;
  m_dL1 = n.l1;
  m_dL2 = n.l2;
  m_dL3 = n.l3;
  m_dL4 = n.l4;
  m_dLambdaPow = n.lambdaPow;
}

// The legacy ties: NFr = L1 is intermittent for 0.01 <= lambda < 0.4, and
// the transition needs L2 < NFr < L3 strictly, so NFr = L2 or L3 is unmapped.
void COldBegsBrill::GetFlowRegime() {
  using namespace beggsbrill;
  const double l = m_dLambda;
  const double nfr = m_dNFr;
  if ((l < 0.01 && nfr < m_dL1) || (l >= 0.01 && nfr < m_dL2)) {
    m_nFlowRegime = kSegregated;
  } else if ((l >= 0.01 && l < 0.4 && m_dL3 < nfr && nfr <= m_dL1) ||
             (l >= 0.4 && m_dL3 < nfr && nfr <= m_dL4)) {
    m_nFlowRegime = kIntermittent;
  } else if ((l < 0.4 && nfr >= m_dL1) || (l >= 0.4 && nfr > m_dL4)) {
    m_nFlowRegime = kDistributed;
  } else if (l >= 0.01 && m_dL2 < nfr && nfr < m_dL3) {
    m_nFlowRegime = kTransitional;
  } else {
    m_nFlowRegime = kUnmapped;
  }
}

double COldBegsBrill::Phi(double C) const { return beggsbrill::Psi(C, m_dAngle); }

void COldBegsBrill::LiquidHoldup() {
  MakeFlowMap();
  GetFlowRegime();
  if (m_nFlowOver != 0) m_nFlowRegime = beggsbrill::kDistributed;
  double hl = kNotSet;
  if (m_nFlowRegime != kUnmapped) {
    const beggsbrill::MapNumbers n{m_dNFr, m_dNLv, m_dL1, m_dL2, m_dL3, m_dL4, m_dLambdaPow};
    hl = beggsbrill::HoldupOfPattern(m_nFlowRegime, m_dLambda, m_dAngle, n, m_nFlowOver != 0);
  } else {
    static const std::string message("*** ERROR -- UNMAPPED FLOW REGIME!");
    ShowMessage(message);
  }
  m_dHoldup = IsUsable(hl) ? hl : 0.0;
}

void COldBegsBrill::SaveDiag(int k) {
  const std::size_t base = static_cast<std::size_t>(k) * kDiagStride;
  if (k < 0 || base + kDiagStride > m_pDiag.size()) return;
  const double row[kDiagCols] = {m_dLength,      static_cast<double>(m_nFlowRegime),
                                 m_dPIn,         m_dPOut,
                                 m_dPMean,       static_cast<double>(m_nIter),
                                 m_dTMean,       m_dFrictionDP,
                                 m_dElevationDP, m_dHoldup,
                                 kNotSet,        m_dBg,
                                 m_dRhoG,        m_dZ,
                                 m_dMuG,         m_dVsg,
                                 m_dLambdaG,     kNotSet,
                                 kNotSet,        kNotSet,
                                 m_dBo,          m_dSGo * kWaterDensity,
                                 m_dRso,         m_dMuO,
                                 m_dSigma,       m_dVso,
                                 m_dBw,          m_dSGw * kWaterDensity,
                                 m_dMuW,         m_dSigma,
                                 m_dVsw,         m_dRhoL,
                                 m_dMuL,         m_dVsl,
                                 m_dLambda,      m_dSigma,
                                 m_dLiqVol,      m_dVgIn,
                                 m_dVlIn,        m_dReM,
                                 m_dFtp,         m_dRhoNS,
                                 m_dMuNS,        m_dRhoS,
                                 m_dVm};
  std::copy(row, row + kDiagCols, m_pDiag.begin() + static_cast<std::ptrdiff_t>(base));
  m_nDiagCols = kDiagCols;
}

}  // namespace pdrop
