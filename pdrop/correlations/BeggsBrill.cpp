#include "pdrop/correlations/BeggsBrill.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include "pdrop/platform/Message.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CBeggsBrill, CPressDrop)

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGravity = 32.2;  // ft/s2
constexpr double kSquareInchesPerSquareFoot = 144.0;
constexpr double kInchesPerFoot = 12.0;
constexpr double kScfPerMMscf = 1.0e6;
constexpr double kDefaultRoughness = 0.0006;  // in
constexpr double kVerticalRun = 1e-10;        // ft, a horizontal run this short is vertical
constexpr double kNoFourthBoundary = 1e30;    // L4 when lambda^6.738 underflows to 0
constexpr double kLeastPsi = 0.0001;
// The flow-over holdup is extended linearly below this Froude number.
constexpr double kFlowOverFroude = 1.1;
// s(y) peaks at y = 52.15; y below it is mirrored in ln y about the peak.
constexpr double kPeakY = 52.15;
constexpr double kPeakYSquared = 2719.6225;
// Within this distance of lambda = 0 or 1 the friction exponent is damped.
constexpr double kLambdaDampThreshold = 0.01;
const double kLambdaDampFactor = std::pow(1.0 / kLambdaDampThreshold, 0.25);

// Flow-regime codes of the map (the catalogue's codes 2 to 5).
enum Regime {
  kSegregated = 2,
  kIntermittent = 3,
  kDistributed = 4,
  kTransitional = 5,
};

// Horizontal holdup HL0 = a lambda^b / NFr^c of one flow pattern.
struct HoldupRow {
  double a;
  double b;
  double c;
};

constexpr HoldupRow kSegregatedRow{0.98, 0.4846, 0.0868};
constexpr HoldupRow kIntermittentRow{0.845, 0.5351, 0.0173};
constexpr HoldupRow kDistributedRow{1.065, 0.5824, 0.0609};

constexpr const char* kUnmappedMessage = "*** ERROR -- UNMAPPED FLOW REGIME!";

// The published friction exponent s(y), evaluated in Horner form.
double PublishedS(double x) {
  return x / ((((0.01853 * x) * x - 0.8725) * x + 3.182) * x - 0.0523);
}

bool NonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

constexpr double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

// The debug table: one file for the process, open while any engine that
// asked for it lives. Every use of the handle is under the lock.
constexpr const char* kDebugVariable = "DEBUG_BEGGS_AND_BRILL";
constexpr const char* kDebugFile = "Beggs&Brill.csv";
constexpr const char* kDebugHeader = "qg,qo,qw,vsg,vsl,LGR,Cl,El,flow,oy,os,e(os),y,ln(y),s,e(s)\n";

struct DebugTable {
  std::mutex mutex;
  std::atomic<bool> on{false};  // the variable was set at the last construction
  std::FILE* file = nullptr;
  int users = 0;  // engines holding the file open
};

DebugTable& Debug() {
  static DebugTable table;
  return table;
}

}  // namespace

CBeggsBrill::CBeggsBrill() {
  const char* value = std::getenv(kDebugVariable);
  const bool on = value != nullptr && value[0] != '\0';
  DebugTable& table = Debug();
  std::lock_guard<std::mutex> lock(table.mutex);
  table.on = on;
  if (!on) return;
  if (table.file == nullptr) {
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    if (error) return;
    table.file = std::fopen((dir / kDebugFile).string().c_str(), "a+");
    if (table.file == nullptr) return;
    std::fputs(kDebugHeader, table.file);
  } else {
    std::fputs("\n", table.file);
  }
  std::fflush(table.file);
  ++table.users;
  m_bDebugUser = true;
}

CBeggsBrill::~CBeggsBrill() {
  if (!m_bDebugUser) return;
  DebugTable& table = Debug();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (--table.users == 0 && table.file != nullptr) {
    std::fclose(table.file);
    table.file = nullptr;
  }
}

bool CBeggsBrill::bIsSinglePhase() { return false; }

void CBeggsBrill::SetUp() {
  m_nUseLiquid = 1;
  m_dFf = kDefaultRoughness;
  m_dFroude = 1.0;
  m_nFlowOver = 0;
  m_dLambdaL = m_dLambdaG = m_dVm = m_dRhoNS = m_dMuNS = m_dRhoS = 0.0;
  m_dHoldup = m_dReM = m_dFm = 0.0;
  m_dAngle = m_dLiqVelNo = m_dL1 = m_dL2 = m_dL3 = m_dL4 = m_dLambdaPow = 0.0;
  m_dYRatio = m_dLnY = m_dS = 0.0;
}

void CBeggsBrill::FlowNumbers() {
  const double lambda = m_dLambdaL;
  m_dFroude = m_dVm * m_dVm / kGravity / (m_dDiameter / kInchesPerFoot);
  m_dL1 = 316.0 * std::pow(lambda, 0.302);
  m_dL2 = 0.0009252 / std::pow(lambda, 2.4684);
  m_dL3 = 0.1 / std::pow(lambda, 1.4516);
  m_dLambdaPow = std::pow(lambda, 6.738);
  m_dL4 = m_dLambdaPow == 0.0 ? kNoFourthBoundary : 0.5 / m_dLambdaPow;
  // Only the inclination correction needs it; a liquid without surface
  // tension has none.
  m_dLiqVelNo = m_dSigma > 0.0 && NonNegative(m_dRhoL)
                    ? 1.938 * m_dVsl * std::pow(m_dRhoL / m_dSigma, 0.25)
                    : kNotSet;
}

void CBeggsBrill::FlowRegime() {
  const double lambda = m_dLambdaL;
  const double nfr = m_dFroude;
  m_dFlowRegime = kUndefinedRegime;
  if ((lambda < 0.01 && nfr < m_dL1) || (lambda >= 0.01 && nfr < m_dL2)) {
    m_dFlowRegime = kSegregated;
  } else if ((lambda >= 0.01 && lambda < 0.4 && m_dL3 < nfr && nfr < m_dL1) ||
             (lambda >= 0.4 && m_dL3 < nfr && nfr <= m_dL4)) {
    m_dFlowRegime = kIntermittent;
  } else if ((lambda < 0.4 && nfr >= m_dL1) || (lambda >= 0.4 && nfr > m_dL4)) {
    m_dFlowRegime = kDistributed;
  } else if (lambda >= 0.01 && m_dL2 <= nfr && nfr <= m_dL3) {
    m_dFlowRegime = kTransitional;
  }
  if (m_nFlowOver != 0) m_dFlowRegime = kDistributed;
}

double CBeggsBrill::Psi(double C) const {
  const double s = std::sin(1.8 * m_dAngle);
  const double psi = 1.0 + C * (s - s * s * s / 3.0);
  return psi < 0.0 ? kLeastPsi : psi;
}

double CBeggsBrill::HorizontalHoldup(int regime) const {
  const HoldupRow& row = regime == kSegregated     ? kSegregatedRow
                         : regime == kIntermittent ? kIntermittentRow
                                                   : kDistributedRow;
  return row.a * std::pow(m_dLambdaL, row.b) / std::pow(m_dFroude, row.c);
}

// C = (1 - lambda) ln K, not below 0; uphill distributed flow has none.
double CBeggsBrill::InclinationCoefficient(int regime) const {
  const double lambda = m_dLambdaL;
  const double nfr = m_dFroude;
  const double nlv = m_dLiqVelNo;
  double k;
  if (m_dAngle > 0.0) {
    if (regime == kDistributed) return 0.0;
    k = regime == kSegregated
            ? 0.011 * std::pow(nlv, 3.539) / (std::pow(lambda, 3.768) * std::pow(nfr, 1.614))
            : 2.96 * std::pow(lambda, 0.305) * std::pow(nfr, 0.0978) / std::pow(nlv, 0.4473);
  } else {
    k = 4.7 * std::pow(nlv, 0.1244) / (std::pow(lambda, 0.3692) * std::pow(nfr, 0.5056));
  }
  const double c = (1.0 - lambda) * std::log(k);
  return c < 0.0 ? 0.0 : c;
}

double CBeggsBrill::SegregatedOrIntermittent(int regime) const {
  double hl0 = HorizontalHoldup(regime);
  if (hl0 > 1.0) hl0 = 1.0;
  if (hl0 < m_dLambdaL) hl0 = m_dLambdaL;
  const double hl = m_dAngle != 0.0 ? Psi(InclinationCoefficient(regime)) * hl0 : hl0;
  return Clamp01(hl);
}

double CBeggsBrill::Distributed() const {
  const double lambda = m_dLambdaL;
  const bool flowOver = m_nFlowOver != 0;
  double hl0;
  if (flowOver && m_dFroude < kFlowOverFroude) {
    // Linear in NFr below 1.1, meeting the power law at 1.1; the slope
    // coefficient is 0.069, not the exponent 0.0609.
    const HoldupRow& row = kDistributedRow;
    hl0 = Clamp01(row.a * std::pow(lambda, row.b) *
                  (std::pow(kFlowOverFroude, -row.c) -
                   0.069 * (m_dFroude - kFlowOverFroude) / std::pow(kFlowOverFroude, 1.0 + row.c)));
  } else {
    hl0 = HorizontalHoldup(kDistributed);
    if (hl0 > 1.0) hl0 = 1.0;
    if (hl0 < lambda) hl0 = lambda;
  }
  double hl = m_dAngle != 0.0 ? Psi(InclinationCoefficient(kDistributed)) * hl0 : hl0;
  if (flowOver && hl < hl0) {
    hl = hl0;
  } else if (hl < lambda) {
    hl = lambda;
  }
  return hl > 1.0 ? 1.0 : hl;
}

// The intermittent part of the transitional blend: on a horizontal pipe its
// holdup is left without the lambda and 1 limits.
double CBeggsBrill::TransitionalIntermittent() const {
  double hl0 = HorizontalHoldup(kIntermittent);
  double hl = hl0;
  if (m_dAngle != 0.0) {
    if (hl0 > 1.0) hl0 = 1.0;
    if (hl0 < m_dLambdaL) hl0 = m_dLambdaL;
    hl = Psi(InclinationCoefficient(kIntermittent)) * hl0;
  }
  return Clamp01(hl);
}

void CBeggsBrill::Holdup() {
  FlowNumbers();
  FlowRegime();
  const int regime = static_cast<int>(m_dFlowRegime);
  // The inclination correction needs the liquid velocity number, except in
  // uphill distributed flow.
  const bool needsVelocityNumber = m_dAngle != 0.0 && !(regime == kDistributed && m_dAngle > 0.0);
  if (needsVelocityNumber && !IsSet(m_dLiqVelNo)) {
    m_dHoldup = kNotSet;
    return;
  }
  switch (regime) {
    case kSegregated:
      m_dHoldup = SegregatedOrIntermittent(kSegregated);
      break;
    case kIntermittent:
      m_dHoldup = SegregatedOrIntermittent(kIntermittent);
      break;
    case kDistributed:
      m_dHoldup = Distributed();
      break;
    case kTransitional: {
      const double a = (m_dL3 - m_dFroude) / (m_dL3 - m_dL2);
      m_dHoldup =
          a * SegregatedOrIntermittent(kSegregated) + (1.0 - a) * TransitionalIntermittent();
      break;
    }
    default: {
      static const std::string message(kUnmappedMessage);
      ShowMessage(message);
      m_dHoldup = 0.0;
      break;
    }
  }
}

// The exponent s of the two-phase friction factor ftp = e^s fn.
void CBeggsBrill::FrictionExponent() {
  const double lambda = m_dLambdaL;
  const double hl = m_dHoldup;
  if (hl == 0.0) {
    m_dYRatio = 1.0;
    m_dLnY = 0.0;
    m_dS = 0.0;
    return;
  }
  double y = lambda / (hl * hl);
  if (y < kPeakY) y = kPeakYSquared / y;
  const double x = std::log(y);
  double s = PublishedS(x);
  if (lambda > 0.0 && lambda < kLambdaDampThreshold) {
    s *= kLambdaDampFactor * std::pow(lambda, 0.25);
  } else if (1.0 - lambda < kLambdaDampThreshold && lambda < 1.0) {
    s *= kLambdaDampFactor * std::pow(1.0 - lambda, 0.25);
  }
  m_dYRatio = y;
  m_dLnY = x;
  m_dS = s;
}

void CBeggsBrill::NoResult() {
  m_dHoldup = m_dRhoS = m_dReM = m_dFm = m_dFrictionDP = m_dElevationDP = kNotSet;
  m_dYRatio = m_dLnY = m_dS = kNotSet;
}

void CBeggsBrill::MultiPhase() {
  if (std::fabs(m_dDx) <= kVerticalRun) {
    m_dAngle = m_dDz < 0.0 ? -kPi / 2.0 : kPi / 2.0;
  } else {
    m_dAngle = std::atan(m_dDz / m_dDx);
  }
  m_dAngle *= m_dFlw * m_dDir;

  const double vsg = m_dVsg;
  const double vsl = m_dVsl;
  const double vm = vsg + vsl;
  // lambda = vsl / vm and the Froude number need a mixture that moves.
  if (!NonNegative(vsg) || !NonNegative(vsl) || !(vm > 0.0) || !std::isfinite(vm)) {
    m_dVm = m_dLambdaL = m_dLambdaG = m_dRhoNS = m_dMuNS = kNotSet;
    m_dFlowRegime = kUndefinedRegime;
    NoResult();
  } else {
    m_dVm = vm;
    m_dLambdaL = vsl / vm;
    m_dLambdaG = vsg / vm;
    m_dRhoNS = m_dLambdaL * m_dRhoL + m_dLambdaG * m_dRhoG;
    m_dMuNS = m_dLambdaL * m_dMuL + m_dLambdaG * m_dMuG;

    Holdup();
    if (!IsSet(m_dHoldup)) {
      NoResult();
    } else {
      FrictionExponent();
      m_dReM = REm(vm, m_dRhoNS, m_dMuNS, kNotSet);
      m_dFm = std::exp(m_dS) * ff(m_dFf, m_dDiameter, m_dReM);
      m_dRhoS = m_dHoldup * m_dRhoL + (1.0 - m_dHoldup) * m_dRhoG;
      m_dElevationDP = m_dRhoS * m_dDz / kSquareInchesPerSquareFoot * m_dDir;
      m_dFrictionDP = 2.0 * m_dFm * vm * vm * m_dRhoNS / (kGravity * m_dDiameter / kInchesPerFoot) *
                      m_dFlw * m_dLength / kSquareInchesPerSquareFoot;
      // A viscosity of 0 makes the Reynolds number infinite: no friction.
      if (!std::isfinite(m_dReM)) m_dFrictionDP = kNotSet;
    }
  }
  WriteDebugRow();
  ClearNonFinite();
  for (double* v : {&m_dAngle, &m_dFroude, &m_dLiqVelNo, &m_dL1, &m_dL2, &m_dL3, &m_dL4,
                    &m_dLambdaPow, &m_dYRatio, &m_dLnY, &m_dS}) {
    *v = FiniteOrNotSet(*v);
  }
}

void CBeggsBrill::WriteDebugRow() const {
  DebugTable& table = Debug();
  if (!table.on) return;
  const double lambda = m_dLambdaL;
  const double hl = m_dHoldup;
  // The published friction columns, for comparison only.
  const double oy = lambda / (hl * hl);
  const double os = oy > 1.0 && oy < 1.2 ? std::log(2.2 * oy - 1.2) : PublishedS(std::log(oy));
  const std::string flow = GetCodeName(GetCode());
  std::lock_guard<std::mutex> lock(table.mutex);
  if (table.file == nullptr) return;
  std::fprintf(table.file, "%f,%f,%f,%f,%f,%f,%f,%f,%s,%f,%f,%f,%f,%f,%f,%f\n",
               m_dQg / kScfPerMMscf, m_dQo, m_dQw, m_dVsg, m_dVsl, m_dLGR, lambda, hl, flow.c_str(),
               oy, os, std::exp(os), m_dYRatio, m_dLnY, m_dS, std::exp(m_dS));
  std::fflush(table.file);
}

}  // namespace pdrop
