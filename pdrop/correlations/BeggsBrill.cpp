#include "pdrop/correlations/BeggsBrill.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <mutex>
#include <string>
#include <system_error>

#include "pdrop/correlations/BeggsBrillPoint.h"
#include "pdrop/platform/Message.h"
#include "pdrop/platform/Units.h"

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CBeggsBrill, CPressDrop)

namespace {

constexpr double kGravity = units::kGravityRounded;  // ft/s2
constexpr double kCpToLbmPerFtS = units::kCpToLbmPerFtS;
constexpr double kDefaultRoughness = 0.0006;  // in
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
  const beggsbrill::MapNumbers n{m_dFroude, m_dLiqVelNo, m_dL1, m_dL2, m_dL3, m_dL4, m_dLambdaPow};
  m_dFlowRegime = beggsbrill::Pattern(m_dLambdaL, n, m_nFlowOver != 0);
}

double CBeggsBrill::Psi(double C) const { return beggsbrill::Psi(C, m_dAngle); }

void CBeggsBrill::Holdup() {
  FlowNumbers();
  FlowRegime();
  const int regime = static_cast<int>(m_dFlowRegime);
  if (regime >= beggsbrill::kSegregated && regime <= beggsbrill::kTransitional) {
    const beggsbrill::MapNumbers n{m_dFroude, m_dLiqVelNo, m_dL1,       m_dL2,
                                   m_dL3,     m_dL4,       m_dLambdaPow};
    m_dHoldup = beggsbrill::HoldupOfPattern(regime, m_dLambdaL, m_dAngle, n, m_nFlowOver != 0);
  } else {
    static const std::string message(kUnmappedMessage);
    ShowMessage(message);
    m_dHoldup = 0.0;
  }
}

void CBeggsBrill::FrictionExponent() {
  const beggsbrill::FrictionExponent e = beggsbrill::DampedExponent(m_dLambdaL, m_dHoldup);
  m_dYRatio = e.y;
  m_dLnY = e.lnY;
  m_dS = e.s;
}

void CBeggsBrill::MultiPhase() {
  if (std::fabs(m_dDx) <= beggsbrill::kVerticalRun) {
    m_dAngle = m_dDz < 0.0 ? -units::kPi / 2.0 : units::kPi / 2.0;
  } else {
    m_dAngle = std::atan(m_dDz / m_dDx);
  }
  m_dAngle *= m_dFlw * m_dDir;

  beggsbrill::PointInput in;
  in.vsg = m_dVsg;
  in.vsl = m_dVsl;
  in.rhoL = m_dRhoL;
  in.rhoG = m_dRhoG;
  in.muL = m_dMuL;
  in.muG = m_dMuG;
  in.sigma = m_dSigma;
  in.diameter = m_dDiameter;
  in.roughness = m_dFf;
  in.angle = m_dAngle;
  in.dz = m_dDz;
  in.length = m_dLength;
  in.dir = m_dDir;
  in.flw = m_dFlw;
  in.flowOver = m_nFlowOver != 0;
  const beggsbrill::PointResult r = beggsbrill::SolvePoint(in);

  m_dVm = r.vm;
  m_dLambdaL = r.lambdaL;
  m_dLambdaG = r.lambdaG;
  m_dRhoNS = r.rhoNS;
  m_dMuNS = r.muNS;
  m_dFlowRegime = r.regime;
  // Without a moving mixture the map numbers of the last calculation stay.
  if (r.moving) {
    m_dFroude = r.map.froude;
    m_dLiqVelNo = r.map.liqVelNo;
    m_dL1 = r.map.l1;
    m_dL2 = r.map.l2;
    m_dL3 = r.map.l3;
    m_dL4 = r.map.l4;
    m_dLambdaPow = r.map.lambdaPow;
  }
  m_dHoldup = r.holdup;
  m_dYRatio = r.y;
  m_dLnY = r.lnY;
  m_dS = r.s;
  m_dReM = r.reM;
  m_dFm = r.fm;
  m_dRhoS = r.rhoS;
  m_dElevationDP = r.elevationDP;
  m_dFrictionDP = r.frictionDP;

  WriteDebugRow();
  ClearNonFinite();
  for (double* v : {&m_dAngle, &m_dFroude, &m_dLiqVelNo, &m_dL1, &m_dL2, &m_dL3, &m_dL4,
                    &m_dLambdaPow, &m_dYRatio, &m_dLnY, &m_dS}) {
    *v = FiniteOrNotSet(*v);
  }
}

bool CBeggsBrill::DebugTableOn() { return Debug().on; }

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
               m_dQg / units::kScfPerMMscf, m_dQo, m_dQw, m_dVsg, m_dVsl, m_dLGR, lambda, hl,
               flow.c_str(), oy, os, std::exp(os), m_dYRatio, m_dLnY, m_dS, std::exp(m_dS));
  std::fflush(table.file);
}

namespace beggsbrill {

double Pattern(double lambda, const MapNumbers& n, bool flowOver) {
  const double nfr = n.froude;
  double regime = CPressData::kUndefinedRegime;
  if ((lambda < 0.01 && nfr < n.l1) || (lambda >= 0.01 && nfr < n.l2)) {
    regime = kSegregated;
  } else if ((lambda >= 0.01 && lambda < 0.4 && n.l3 < nfr && nfr < n.l1) ||
             (lambda >= 0.4 && n.l3 < nfr && nfr <= n.l4)) {
    regime = kIntermittent;
  } else if ((lambda < 0.4 && nfr >= n.l1) || (lambda >= 0.4 && nfr > n.l4)) {
    regime = kDistributed;
  } else if (lambda >= 0.01 && n.l2 <= nfr && nfr <= n.l3) {
    regime = kTransitional;
  }
  return flowOver ? static_cast<double>(kDistributed) : regime;
}

// The exponent s of the two-phase friction factor ftp = e^s fn, damped
// towards 0 within 0.01 of lambda = 0 and 1 so that ftp meets fn there.
FrictionExponent DampedExponent(double lambda, double holdup) {
  return DampedExponent(lambda, holdup, 0.0, std::numeric_limits<double>::quiet_NaN());
}

FrictionExponent DampedExponent(double lambda, double holdup, double lnLambda, double lnHoldup) {
  FrictionExponent e = Exponent(lambda, holdup, lnLambda, lnHoldup);
  if (holdup != 0.0) {
    if (lambda > 0.0 && lambda < kLambdaDampThreshold) {
      e.s *= kLambdaDampFactor * std::pow(lambda, 0.25);
    } else if (1.0 - lambda < kLambdaDampThreshold && lambda < 1.0) {
      e.s *= kLambdaDampFactor * std::pow(1.0 - lambda, 0.25);
    }
  }
  return e;
}

PointResult SolvePoint(const PointInput& in) {
  PointResult out;
  const double vsg = in.vsg;
  const double vsl = in.vsl;
  const double vm = vsg + vsl;
  // lambda = vsl / vm and the Froude number need a mixture that moves.
  if (!NonNegative(vsg) || !NonNegative(vsl) || !(vm > 0.0) || !std::isfinite(vm)) return out;
  out.moving = true;
  out.vm = vm;
  const double lambda = vsl / vm;
  out.lambdaL = lambda;
  out.lambdaG = vsg / vm;
  out.rhoNS = lambda * in.rhoL + out.lambdaG * in.rhoG;
  out.muNS = lambda * in.muL + out.lambdaG * in.muG;

  MapLogs logs;
  out.map = FlowNumbers(vm, vsl, lambda, in.diameter, in.rhoL, in.sigma, &logs);
  out.regime = Pattern(lambda, out.map, in.flowOver);
  const int regime = static_cast<int>(out.regime);
  double holdup;
  double lnHoldup = std::numeric_limits<double>::quiet_NaN();
  if (regime >= kSegregated && regime <= kTransitional) {
    holdup = HoldupOfPattern(regime, lambda, in.angle, out.map, logs, in.flowOver, &lnHoldup);
  } else {
    static const std::string message(kUnmappedMessage);
    ShowMessage(message);
    holdup = 0.0;
  }
  if (!IsSet(holdup)) return out;
  out.holdup = holdup;

  const FrictionExponent e = DampedExponent(lambda, holdup, logs.lambda, lnHoldup);
  out.y = e.y;
  out.lnY = e.lnY;
  out.s = e.s;
  // Re = D v rho / mu with D in ft and mu in lbm/(ft s), as CPressDrop::REm.
  const double d = in.diameter / units::kInchesPerFoot;
  out.reM = d * vm * out.rhoNS / out.muNS / kCpToLbmPerFtS;
  const double fn = in.pipe != nullptr ? FanningFrictionFactor(*in.pipe, out.reM)
                                       : FanningFrictionFactor(in.roughness, in.diameter, out.reM);
  out.fm = std::exp(out.s) * fn;
  out.rhoS = holdup * in.rhoL + (1.0 - holdup) * in.rhoG;
  out.elevationDP = out.rhoS * in.dz / units::kSquareInchesPerSquareFoot * in.dir;
  out.frictionDP = 2.0 * out.fm * vm * vm * out.rhoNS /
                   (kGravity * in.diameter / units::kInchesPerFoot) * in.flw * in.length /
                   units::kSquareInchesPerSquareFoot;
  // A viscosity of 0 makes the Reynolds number infinite: no friction.
  if (!std::isfinite(out.reM)) out.frictionDP = kNotSet;
  return out;
}

}  // namespace beggsbrill

}  // namespace pdrop
