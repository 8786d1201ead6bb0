#include "pdrop/correlations/BeggsBrill.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include "pdrop/correlations/BeggsBrillRules.h"
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
// Within this distance of lambda = 0 or 1 the friction exponent is damped.
constexpr double kLambdaDampThreshold = 0.01;
const double kLambdaDampFactor = std::pow(1.0 / kLambdaDampThreshold, 0.25);

constexpr const char* kUnmappedMessage = "*** ERROR -- UNMAPPED FLOW REGIME!";

bool NonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

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
  const beggsbrill::MapNumbers n =
      beggsbrill::FlowNumbers(m_dVm, m_dVsl, m_dLambdaL, m_dDiameter, m_dRhoL, m_dSigma);
  m_dFroude = n.froude;
  m_dLiqVelNo = n.liqVelNo;
  m_dL1 = n.l1;
  m_dL2 = n.l2;
  m_dL3 = n.l3;
  m_dL4 = n.l4;
  m_dLambdaPow = n.lambdaPow;
}

void CBeggsBrill::FlowRegime() {
  using namespace beggsbrill;
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

double CBeggsBrill::Psi(double C) const { return beggsbrill::Psi(C, m_dAngle); }

void CBeggsBrill::Holdup() {
  FlowNumbers();
  FlowRegime();
  const int regime = static_cast<int>(m_dFlowRegime);
  if (regime >= beggsbrill::kSegregated && regime <= beggsbrill::kTransitional) {
    const beggsbrill::MapNumbers n{m_dFroude, m_dLiqVelNo, m_dL1, m_dL2, m_dL3, m_dL4,
                                   m_dLambdaPow};
    m_dHoldup = beggsbrill::HoldupOfPattern(regime, m_dLambdaL, m_dAngle, n, m_nFlowOver != 0);
  } else {
    static const std::string message(kUnmappedMessage);
    ShowMessage(message);
    m_dHoldup = 0.0;
  }
}

// The exponent s of the two-phase friction factor ftp = e^s fn, damped
// towards 0 within 0.01 of lambda = 0 and 1 so that ftp meets fn there.
void CBeggsBrill::FrictionExponent() {
  const double lambda = m_dLambdaL;
  const beggsbrill::FrictionExponent e = beggsbrill::Exponent(lambda, m_dHoldup);
  double s = e.s;
  if (m_dHoldup != 0.0) {
    if (lambda > 0.0 && lambda < kLambdaDampThreshold) {
      s *= kLambdaDampFactor * std::pow(lambda, 0.25);
    } else if (1.0 - lambda < kLambdaDampThreshold && lambda < 1.0) {
      s *= kLambdaDampFactor * std::pow(1.0 - lambda, 0.25);
    }
  }
  m_dYRatio = e.y;
  m_dLnY = e.lnY;
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
  const double os =
      oy > 1.0 && oy < 1.2 ? std::log(2.2 * oy - 1.2) : beggsbrill::PublishedS(std::log(oy));
  const std::string flow = GetCodeName(GetCode());
  std::lock_guard<std::mutex> lock(table.mutex);
  if (table.file == nullptr) return;
  std::fprintf(table.file, "%f,%f,%f,%f,%f,%f,%f,%f,%s,%f,%f,%f,%f,%f,%f,%f\n",
               m_dQg / kScfPerMMscf, m_dQo, m_dQw, m_dVsg, m_dVsl, m_dLGR, lambda, hl, flow.c_str(),
               oy, os, std::exp(os), m_dYRatio, m_dLnY, m_dS, std::exp(m_dS));
  std::fflush(table.file);
}

}  // namespace pdrop
