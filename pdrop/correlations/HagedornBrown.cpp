#include "pdrop/correlations/HagedornBrown.h"
#include "pdrop/platform/Units.h"

#include <array>
#include <cmath>

namespace pdrop {

PDROP_IMPLEMENT_DYNAMIC(CHagedornBrown, CFanning)

namespace {

constexpr double kGravity = units::kGravityRounded;  // ft/s2
constexpr double kSlipVelocity = 0.8;                // ft/s, Griffith bubble rise
constexpr double kLeastBubbleLimit = 0.13;
constexpr double kBubbleFlowRegime = 6.0;   // flow-regime code "Bubble"
constexpr double kReynoldsFactor = 1488.0;  // 1 / (6.72e-4 lbm/(ft s) per cP)
constexpr double kAtmosphere = 14.7;        // psia

// One straight piece of a chart: value = slope x + intercept for x up to
// upTo (inclusive).
struct ChartPiece {
  double upTo;
  double slope;
  double intercept;
};

// A chart read as straight pieces: below `from` it is `low`, beyond the last
// piece `high`.
template <std::size_t N>
struct Chart {
  double from;
  double low;
  std::array<ChartPiece, N> pieces;
  double high;

  double operator()(double x) const {
    if (x < from) return low;
    for (const ChartPiece& p : pieces) {
      if (x <= p.upTo) return p.slope * x + p.intercept;
    }
    return high;
  }
};

constexpr Chart<5> kViscosityCoefficient{0.001,
                                         0.00195,
                                         {{{0.01, 0.05, 0.0019},
                                           {0.031, 0.03, 0.0021},
                                           {0.1, 0.0429, 0.0017},
                                           {0.3, 0.02, 0.004},
                                           {0.5, 0.0063, 0.0081}}},
                                         0.01125};

constexpr Chart<7> kHoldupOverPsi{1e-9,
                                  0.0,
                                  {{{2.5e-6, 20008.0, -2e-5},
                                    {3e-5, 5454.5, 0.0364},
                                    {0.00018, 1333.3, 0.16},
                                    {0.001, 487.8, 0.3122},
                                    {0.002, 100.0, 0.7},
                                    {0.006, 20.0, 0.86},
                                    {0.1, 0.2128, 0.9787}}},
                                  1.0};

constexpr Chart<7> kPsi{0.01,
                        1.0,
                        {{{0.02, 10.0, 0.9},
                          {0.025, 20.0, 0.7},
                          {0.03, 40.0, 0.2},
                          {0.04, 20.0, 0.8},
                          {0.05, 7.0, 1.32},
                          {0.07, 6.0, 1.37},
                          {0.09, 1.0, 1.72}}},
                        1.81};

bool NonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

}  // namespace

bool CHagedornBrown::bIsSinglePhase() { return false; }

void CHagedornBrown::NoResult() {
  m_dHoldup = m_dRhoS = m_dRhoNS = m_dMuNS = m_dReM = m_dFm = kNotSet;
  m_dElevationDP = m_dFrictionDP = kNotSet;
}

void CHagedornBrown::MultiPhase() {
  const double d = m_dDiameter / units::kInchesPerFoot;  // ft
  const double vsg = m_dVsg;
  const double vsl = m_dVsl;
  const double vm = vsg + vsl;
  if (!NonNegative(vsg) || !NonNegative(vsl) || !(vm > 0.0) || !std::isfinite(vm)) {
    m_dVm = m_dLambdaL = m_dLambdaG = kNotSet;
    NoResult();
    return;
  }
  m_dVm = vm;
  m_dLambdaL = vsl / vm;
  m_dLambdaG = vsg / vm;

  m_dLB = std::fmax(1.07 - 0.2218 * vm * vm / d, kLeastBubbleLimit);
  if (m_dLambdaG < m_dLB) {
    BubbleFlow(d);
  } else {
    ChartFlow(d);
  }
  ClearNonFinite();
  for (double* v : {&m_dLB, &m_dDimGroup, &m_dNLV, &m_dNGV, &m_dND, &m_dNL, &m_dCNL, &m_dHoldupX,
                    &m_dHoldupPsi, &m_dPsiX, &m_dPsi, &m_dRhoF}) {
    *v = FiniteOrNotSet(*v);
  }
}

// Griffith: gas bubbles rise through the liquid at the slip velocity.
void CHagedornBrown::BubbleFlow(double d) {
  const double a = 1.0 + m_dVm / kSlipVelocity;
  const double holdup = 1.0 - 0.5 * (a - std::sqrt(a * a - 4.0 * m_dVsg / kSlipVelocity));
  m_dHoldup = holdup;
  m_dVl = m_dVsl / holdup;
  m_dRhoS = holdup * m_dRhoL + (1.0 - holdup) * m_dRhoG;
  m_dElevationDP = m_dRhoS * m_dDz / units::kSquareInchesPerSquareFoot * m_dDir;
  m_dReM = d * kReynoldsFactor * m_dVl * m_dRhoL / m_dMuL;
  m_dFm = ff(m_dFf, m_dDiameter, m_dReM);
  m_dFrictionDP = 2.0 * m_dFm * m_dRhoL * m_dVl * m_dVl / (kGravity * d) * m_dFlw * m_dLength /
                  units::kSquareInchesPerSquareFoot;
  m_dFlowRegime = kBubbleFlowRegime;
}

void CHagedornBrown::ChartFlow(double d) {
  const double rhoL = m_dRhoL;
  const double rhoG = m_dRhoG;
  const double sigma = m_dSigma;
  // Every dimensionless number divides by the surface tension, and the
  // holdup chart by the gas velocity number.
  if (!(sigma > 0.0) || !(rhoL > 0.0) || !std::isfinite(rhoL)) {
    NoResult();
    return;
  }
  m_dDimGroup = std::pow(rhoL / sigma, 0.25);
  m_dNLV = 1.938 * m_dVsl * m_dDimGroup;
  m_dNGV = 1.938 * m_dVsg * m_dDimGroup;
  m_dND = 120.872 * d * m_dDimGroup * m_dDimGroup;
  m_dNL = 0.157 * m_dMuL * std::pow(1.0 / (rhoL * sigma * sigma * sigma), 0.25);
  m_dCNL = kViscosityCoefficient(m_dNL);

  m_dHoldupX =
      m_dNLV / std::pow(m_dNGV, 0.575) * std::pow(m_dP / kAtmosphere, 0.1) * m_dCNL / m_dND;
  m_dHoldupPsi = kHoldupOverPsi(m_dHoldupX);
  m_dPsiX = m_dNGV * std::pow(m_dNL, 0.38) / std::pow(m_dND, 2.14);
  m_dPsi = kPsi(m_dPsiX);

  double holdup = m_dHoldupPsi * m_dPsi;
  if (holdup < m_dLambdaL) holdup = m_dLambdaL;
  if (holdup > 1.0) holdup = 1.0;
  m_dHoldup = holdup;

  m_dRhoS = rhoL * holdup + rhoG * (1.0 - holdup);
  m_dRhoNS = rhoL * m_dLambdaL + rhoG * (1.0 - m_dLambdaL);
  m_dMuNS = std::pow(m_dMuL, holdup) * std::pow(m_dMuG, 1.0 - holdup);
  m_dReM = kReynoldsFactor * m_dRhoNS * m_dVm * d / m_dMuNS;
  m_dFm = ff(m_dFf, m_dDiameter, m_dReM);

  m_dRhoF = m_dRhoNS * m_dRhoNS / m_dRhoS;
  m_dElevationDP = m_dRhoS * m_dDz / units::kSquareInchesPerSquareFoot * m_dDir;
  m_dFrictionDP = 2.0 * m_dFm * m_dRhoF * m_dVm * m_dVm / (kGravity * d) * m_dFlw * m_dLength /
                  units::kSquareInchesPerSquareFoot;
}

}  // namespace pdrop
