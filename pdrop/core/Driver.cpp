// The segment driver: turns one call of Cal into the outlet pressure of a
// segment. It cleans the arguments, detects the flowing phases and the flow
// direction, fills in the oil bubble point, solves the whole segment by
// fixed-point iteration on the mean pressure, marches it again in pieces when
// the change is large, applies the efficiencies and clamps a negative outlet.
#include <algorithm>
#include <cmath>
#include <memory>

#include "pdrop/core/PressDrop.h"
#include "pdrop/core/Subdivision.h"
#include "pdrop/platform/Units.h"

namespace pdrop {
namespace {

constexpr double kShortestSegment = 0.01;      // ft
constexpr double kTolerance = 0.01;            // psi, change of the mean pressure
constexpr double kZeroInletPressure = 0.0001;  // psia
constexpr double kGuessPivot = 500.0;          // psia
constexpr int kRescuePieces = 10;
constexpr int kIterationCap = 10000;  // bound of a host-set iteration limit

}  // namespace

CSynPar* CPressDrop::BubblePointParam() const {
  if (m_bEOS || m_pOil == nullptr) return nullptr;
  return m_pOil->BubblePointParameter();
}

void CPressDrop::SavePbp() {
  if (CSynPar* par = BubblePointParam()) m_dSavedPbp = par->Value();
}

void CPressDrop::Pbp() {
  CSynPar* par = BubblePointParam();
  if (par == nullptr) return;
  if (m_dQg != 0.0 && m_dQo != 0.0) {
    double pb = par->Value();
    if (!IsSet(pb)) {
      const double gor = m_dQg / m_dQo / units::kScfPerMMscf;  // MMscf/STB
      pb = FiniteOrNotSet(m_pOil->BubblePointPressure(m_dT, gor));
    }
    *par = pb;
  } else {
    *par = 0.0;
  }
}

void CPressDrop::RestorePbp() {
  if (CSynPar* par = BubblePointParam()) *par = m_dSavedPbp;
}

bool CPressDrop::SolveInputsUsable(double p1, double t1, double dTdL, double qg, double qo,
                                   double qw) const {
  for (double v : {p1, t1, dTdL, qg, qo, qw, m_dInnerOD, m_dPipeID, m_dDx, m_dDz, m_dArea,
                   m_dDiameter, m_dLength}) {
    if (!std::isfinite(v)) return false;
  }
  // A pipe whose inner string fills it has no flow area.
  if (m_dPipeID > 0.0 && (m_dArea <= 0.0 || m_dDiameter <= 0.0)) return false;
  // Absolute temperatures at both ends must be positive.
  const double t2 = t1 + dTdL * m_dLength * m_dDir;
  return t1 > 0.0 && t2 > 0.0 && std::isfinite(t2);
}

bool CPressDrop::FlowingPhasesBound() const {
  if (!m_bGas && !m_bLiquid) {
    switch (m_nGradientType) {
      case 1:
        return IsPhasePresent(m_pOil);
      case 2:
        return IsPhasePresent(m_pWtr);
      default:
        return IsPhasePresent(m_pGas);
    }
  }
  return (!m_bGas || IsPhasePresent(m_pGas)) && (!m_bOil || IsPhasePresent(m_pOil)) &&
         (!m_bWater || IsPhasePresent(m_pWtr));
}

// Equation-of-state mode: the phases that flow are those whose stream
// carries mass.
void CPressDrop::ReadStreamMassFlows() {
  auto massFlow = [](CProp* phase) {
    return phase != nullptr ? ZeroIfNotSet(phase->MassFlow()) : 0.0;
  };
  const double mg = massFlow(m_pGas);
  const double mo = massFlow(m_pOil);
  const double mw = massFlow(m_pWtr);
  SetMassFractions(mg, mo, mw);
  m_bGas = mg != 0.0;
  m_bOil = mo != 0.0;
  m_bWater = mw != 0.0;
  m_bLiquid = m_bOil || m_bWater;
}

double CPressDrop::Cal(double p1, double t1, double dTdL, double qg, double qo, double qw) {
  if (m_nRescueDepth == 0) BeginSegment();
  double p2 = kNotSet;
  if (m_dLength >= kShortestSegment && SolveInputsUsable(p1, t1, dTdL, qg, qo, qw)) {
    const double flw = m_dFlw;
    SavePbp();
    p2 = SolveUsableSegment(p1, t1, dTdL, qg, qo, qw);
    RestorePbp();
    m_dFlw = flw;
  } else {
    // Too short a segment, or unusable input (non-finite numbers, no flow
    // area, a non-positive absolute temperature): no result, and the host's
    // objects are not touched.
    m_dP2 = kNotSet;
  }
  // No non-finite value is left in the record (a non-finite geometry field,
  // or a huge rate that overflowed in its conversion).
  ClearNonFinite();
  return p2;
}

double CPressDrop::SolveUsableSegment(double p1, double t1, double dTdL, double qg, double qo,
                                      double qw) {
  m_dTotalDP = 0.0;
  if (!IsSet(qg)) qg = 0.0;
  if (!IsSet(qo)) qo = 0.0;
  if (!IsSet(qw)) qw = 0.0;
  m_dP1 = p1;
  m_dQo = m_nUseLiquid != 0 ? qo : 0.0;
  m_dQw = m_nUseLiquid != 0 ? qw : 0.0;
  // The phase flags follow the rates actually used: with m_nUseLiquid off no
  // liquid flows.
  m_bGas = qg != 0.0;
  m_bOil = m_dQo != 0.0;
  m_bWater = m_dQw != 0.0;
  m_bLiquid = m_bOil || m_bWater;
  m_dLGR = qg != 0.0 ? std::fabs((m_dQo + m_dQw) / qg) : 0.0;
  m_dQg = qg * units::kScfPerMMscf;

  // Reverse flow: the pressure changes the other way; the rates are magnitudes.
  if (m_dQg < 0.0 || m_dQw < 0.0 || m_dQo < 0.0) {
    m_dFlw = -m_dFlw;
    m_dQg = std::fabs(m_dQg);
    m_dQo = std::fabs(m_dQo);
    m_dQw = std::fabs(m_dQw);
  }

  m_dTempGradient = dTdL;
  m_dFrictionDP = m_dElevationDP = 0.0;
  m_dP = m_dP2 = m_dP1;

  if (m_dP < m_dMinAbsPress || m_dPipeID <= 0.0) {
    m_dP = 0.0;
    m_dTotalDP = 0.0;
    return kNotSet;
  }

  if (m_bEOS) ReadStreamMassFlows();
  // A flowing phase (or the phase of a static column) without a fluid object
  // cannot be computed.
  if (!FlowingPhasesBound()) {
    m_dP2 = kNotSet;
    m_dTotalDP = kNotSet;
    return kNotSet;
  }

  m_dT = t1 + m_dTempGradient * m_dLength / 2.0 * m_dDir;
  Pbp();
  m_aSubSegments.clear();
  m_nSubdivUsed = 1;

  if (!IsSet(m_dNumSubdiv) || std::isnan(m_dNumSubdiv)) {
    SolveWholeSegment(true);
  } else {
    const int fixed = PieceCount(m_dNumSubdiv);
    // A fixed count below 2 is one piece, solved as a whole segment.
    if (fixed < 2) {
      SolveWholeSegment(false);
    } else {
      m_nSubdivUsed = fixed;
    }
  }
  if (m_nSubdivUsed > 1) MarchPieces(t1);

  m_dP1 = p1;
  const bool hasResult = IsSet(m_dP2) && IsUsable(m_dFrictionDP) && IsUsable(m_dElevationDP);
  if (hasResult) {
    m_dP2 = m_dP1 + m_dFrictionDP + m_dElevationDP;
    FixOutletPressure();
    m_dP = (m_dP1 + m_dP2) / 2.0;
  } else {
    m_dP2 = kNotSet;
  }
  m_dTotalDP = hasResult ? m_dFrictionDP + m_dElevationDP : kNotSet;
  return IsUsable(m_dP2) && m_dP2 >= m_dMinAbsPress ? m_dP2 : kNotSet;
}

void CPressDrop::SolveWholeSegment(bool mayDivide) {
  m_bSubSegment = false;
  Cal();
  if (!IsSet(m_dP2)) return;
  FixOutletPressure();
  m_dP = (m_dP1 + m_dP2) / 2.0;
  m_dTotalDP = m_dFrictionDP + m_dElevationDP;

  if (mayDivide && m_nSubdiv != 0) {
    m_nSubdivUsed = AutomaticPieceCount(std::fabs(m_dTotalDP), m_dMaxSubdiv);
  }
  if (m_bDiag && m_aSubSegments.empty() && m_nSubdivUsed == 1) m_aSubSegments.push_back(*this);
}

void CPressDrop::MarchPieces(double t1) {
  const int n = m_nSubdivUsed;
  m_aSubSegments.clear();
  if (m_bDiag) m_aSubSegments.reserve(static_cast<std::size_t>(n));
  // The whole segment's geometry is put back exactly after the march.
  const double dx = m_dDx;
  const double dz = m_dDz;
  const double length = m_dLength;
  m_dDx /= n;
  m_dDz /= n;
  m_dLength /= n;

  m_dT = t1;
  m_dP = m_dP1;
  double friction = 0.0;
  double elevation = 0.0;
  m_dHalfStepT = m_dTempGradient * m_dLength / 2.0 * m_dDir;
  for (int i = 0; i < n; ++i) {
    m_dT += m_dHalfStepT;
    Pbp();
    m_dFrictionDP = m_dElevationDP = 0.0;
    m_bSubSegment = true;
    Cal();
    if (!IsSet(m_dP2)) break;  // a piece without a result ends the march
    friction += m_dFrictionDP;
    elevation += m_dElevationDP;
    m_dT += m_dHalfStepT;
    if (m_dP2 < 0.0) break;
    m_dP1 = m_dP2;
  }
  const bool hasResult = IsSet(m_dP2);
  m_dFrictionDP = hasResult ? friction : kNotSet;
  m_dElevationDP = hasResult ? elevation : kNotSet;
  m_dDx = dx;
  m_dDz = dz;
  m_dLength = length;
}

void CPressDrop::Dispatch() {
  if (!m_bGas && !m_bLiquid) {
    StaticGradient();
  } else if (!m_bLiquid) {
    GasProp();
    if (m_bGas) GasFlow();
  } else if (!m_bGas) {
    LiquidProp();
    if (m_bLiquid) LiquidFlow();
  } else if (bIsSinglePhase()) {
    LiquidProp();
    LiquidFlow();
  } else {
    GasProp();
    LiquidProp();
    if (m_dQgFree == 0.0) {
      LiquidFlow();
    } else if (m_dQo == 0.0 && m_dQwFree == 0.0) {
      GasFlow();
    } else {
      MultiPhase();
    }
  }
}

void CPressDrop::Cal() {
  if (m_dP1 == 0.0) m_dP1 = kZeroInletPressure;
  m_dP2 = m_dP1;
  if (!m_bEOS) {
    // Start from a guess on the side the pressure will move to.
    if (m_dFlw == 1.0 && m_dP2 < kGuessPivot) {
      m_dP2 *= 2.0;
    } else if (m_dFlw != 1.0 && m_dP2 > kGuessPivot) {
      m_dP2 /= 2.0;
    }
  }
  // Without a single iteration nothing was computed; a huge limit is capped
  // so that a piece that never settles still ends.
  const int maxIter = std::min(m_nMaxIter, kIterationCap);
  if (maxIter < 1) {
    m_nIter = 0;
    m_dP2 = kNotSet;
    return;
  }

  double previous = 0.0;
  for (m_nIter = 0; m_nIter < maxIter; ++m_nIter) {
    if (m_dP2 < 0.0) m_dP2 = 0.0;
    m_dP = std::max((m_dP1 + m_dP2) / 2.0, m_dMinAbsPress);
    if (m_nIter > 0 && std::fabs(previous - m_dP) < kTolerance) break;
    previous = m_dP;

    m_dQgFree = m_dQg;
    m_dQwFree = m_dQw;
    Dispatch();

    if (m_bEOS) {
      ReadStreamMassFlows();
      if (m_bIsenthalpic && m_pEOS != nullptr) {
        const double t = m_pEOS->GetTemp();
        if (IsUsable(t) && t > 0.0) m_dT = t;
      }
    }
    // A flow routine that could not compute a component leaves the piece
    // without a result; so does a non-finite one.
    if (!IsUsable(m_dFrictionDP) || !IsUsable(m_dElevationDP)) {
      m_dP2 = kNotSet;
      return;
    }
    m_dFrictionDP /= m_dFe;
    m_dElevationDP /= m_dHFe;
    if (!std::isfinite(m_dFrictionDP) || !std::isfinite(m_dElevationDP)) {
      m_dP2 = kNotSet;
      return;
    }
    m_dTotalDP = m_dFrictionDP + m_dElevationDP;
    m_dP2 = m_dP1 + m_dTotalDP;
  }

  if (m_nIter == maxIter && m_bSubSegment && m_nRescueDepth < kMaxRescueDepth) {
    RescueSplit();
    return;
  }
  // Converged, or out of iterations where no further split is allowed: the
  // last iterate stands.
  m_dIterations = m_nIter;
  HoldupAndVelocity();
  if (m_bDiag) m_aSubSegments.push_back(*this);
}

// A piece that did not converge is solved again as a march of ten parts by a
// copy of this engine.
void CPressDrop::RescueSplit() {
  std::unique_ptr<CPressDrop> copy(CopySeg(this));
  copy->m_dNumSubdiv = kRescuePieces;
  copy->m_bSubSegment = true;
  copy->m_bDiag = m_bDiag;
  copy->m_nRescueDepth = m_nRescueDepth + 1;
  // The copy goes on with this segment: what its earlier pieces reported
  // stands.
  copy->m_dStatus = m_dStatus;

  const double t = m_dT;
  copy->Cal(m_dP1, m_dT - m_dHalfStepT, m_dTempGradient, m_dQg / units::kScfPerMMscf, m_dQo, m_dQw);
  if (m_bDiag) {
    m_aSubSegments.insert(m_aSubSegments.end(), copy->m_aSubSegments.begin(),
                          copy->m_aSubSegments.end());
  }
  CPressData::operator=(*copy);
  m_dT = t;
}

void CPressDrop::FixOutletPressure() {
  if (m_dP2 > 0.0 || !IsSet(m_dP2)) return;
  m_dP2 = 0.0;
  const double sum = m_dFrictionDP + m_dElevationDP;
  if ((m_dFrictionDP == 0.0 && m_dElevationDP == 0.0) || sum == 0.0) {
    m_dFrictionDP = m_dElevationDP = 0.0;
    m_dP2 = m_dP1;
  } else if (m_dFrictionDP == 0.0) {
    m_dElevationDP = -m_dP1;
  } else if (m_dElevationDP == 0.0) {
    m_dFrictionDP = -m_dP1;
  } else {
    const double s = m_dFrictionDP / sum;
    m_dFrictionDP = -m_dP1 * s;
    m_dElevationDP = -m_dP1 * (1.0 - s);
  }
}

CPressDrop* CPressDrop::CopySeg(CPressDrop* src) {
  if (src == nullptr) return nullptr;
  CPressDrop* copy = New(src->m_dInnerOD, src->m_dPipeID, src->m_dDx, src->m_dDz, src->m_nCode);
  // The same fluid binding: an equation-of-state fluid is bound again, so
  // that its isenthalpic temperature still reaches the copy.
  if (src->m_pEOS != nullptr) {
    copy->SetProps(src->m_pEOS);
  } else {
    copy->SetProps(src->m_pGas, src->m_pOil, src->m_pWtr);
  }
  copy->m_bEOS = src->m_bEOS;
  copy->m_bIsenthalpic = src->m_bIsenthalpic;
  // Every setting the host made, after Init and SetUp have had their say.
  copy->m_dFlw = src->m_dFlw;
  copy->m_dDir = src->m_dDir;
  copy->m_dFe = src->m_dFe;
  copy->m_dHFe = src->m_dHFe;
  copy->m_dFf = src->m_dFf;
  copy->m_nFlowOver = src->m_nFlowOver;
  copy->m_nGradientType = src->m_nGradientType;
  copy->m_bWaterInGas = src->m_bWaterInGas;
  copy->m_nMaxIter = src->m_nMaxIter;
  copy->m_dMaxSubdiv = src->m_dMaxSubdiv;
  copy->m_nUseLiquid = src->m_nUseLiquid;
  copy->m_nSubdiv = src->m_nSubdiv;
  copy->m_nLegacyOption = src->m_nLegacyOption;
  copy->SetFE(src->GetFE());
  return copy;
}

}  // namespace pdrop
