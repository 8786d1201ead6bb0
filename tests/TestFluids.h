// Small fluid objects for the tests: constant or simple analytic properties
// whose values a test can work out by hand.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "pdrop/core/PressData.h"
#include "pdrop/fluid/Prop.h"

namespace pdrop::test {

constexpr double kPi = 3.14159265358979323846;

// A computed value, its expectation and the tolerance (0: exactly equal).
struct Near {
  double got, want, tol = 0.0;
};

inline void ExpectRow(const Near& r, const char* what, int row) {
  if (r.tol == 0.0) {
    EXPECT_EQ(r.got, r.want) << what << " row " << row;
  } else {
    EXPECT_NEAR(r.got, r.want, r.tol) << what << " row " << row;
  }
}

// Checks a table of values against their expectations; a failure names its row.
inline void ExpectNear(std::initializer_list<Near> rows, const char* what = "") {
  int row = 0;
  for (const Near& r : rows) ExpectRow(r, what, row++);
}

// Checks values against their expectations pairwise, to tol (0: exactly).
inline void ExpectValues(std::initializer_list<double> got, std::initializer_list<double> want,
                         double tol = 0.0, const char* what = "") {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    ExpectRow({got.begin()[i], want.begin()[i], tol}, what, int(i));
  }
}

// The message of the E that fn throws, or "" when it throws none.
template <class E = std::exception, class F>
std::string ErrorOf(F&& fn) {
  try {
    fn();
  } catch (const E& e) {
    return e.what();
  }
  return std::string();
}

// The whole text of a file, and its lines.
inline std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
inline std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The in-situ state several correlation tests start from: liquid 50 and gas
// 5 lbm/ft3, 1 and 0.015 cP, 30 dyn/cm, at the given superficial velocities.
inline void SetProbeFluid(CPressData& e, double vsg, double vsl) {
  e.m_dVsg = vsg;
  e.m_dVsl = vsl;
  e.m_dRhoL = 50.0;
  e.m_dRhoG = 5.0;
  e.m_dMuL = 1.0;
  e.m_dMuG = 0.015;
  e.m_dSigma = 30.0;
}

// Gas constant of the real-gas density: rho = 2.69881 p gamma / (z T)
// [lbm/ft3] (28.9625 lbm/lbmol air, 10.7316 psia ft3/(lbmol degR)).
constexpr double kGasDensityConstant = 2.69881;

// An ideal-ish gas: constant z and viscosity, real-gas density.
class TestGas : public CProp {
 public:
  double gravity = 0.65;
  double z = 1.0;
  double viscosity = 0.012;     // cP
  double yield = kNotSet;       // bbl/MMscf
  double massFlow = kNotSet;    // lbm/s (stream mode)
  double stdVolFlow = kNotSet;  // MMscf/d (stream mode)

  double ZFactor(double, double) override { return z; }
  double SpecificGravity() override { return gravity; }
  double Density(double T, double p) override {
    return kGasDensityConstant * p * gravity / (z * T);
  }
  double Viscosity(double, double) override { return viscosity; }
  double LiquidYield(double, double) override { return yield; }
  double MassFlow() override { return massFlow; }
  double GasStdVolFlow() override { return stdVolFlow; }
};

// A liquid with constant properties; as oil it carries a bubble-point
// parameter and answers the bubble point with a fixed value.
class TestLiquid : public CProp {
 public:
  double gravity = 1.0;         // SpecificGravity and OilGravity
  double fvf = 1.0;             // bbl/STB
  double viscosity = 1.0;       // cP
  double solutionRatio = 0.0;   // MMscf/STB
  double tension = 30.0;        // dyn/cm
  double density = kNotSet;     // lbm/ft3, answered in stream mode
  double bubblePoint = 2000.0;  // psia
  double massFlow = kNotSet;    // lbm/s
  double volFlow = kNotSet;     // ft3/s
  double liqVolFlow = kNotSet;  // STB/d or bbl/d
  bool hasParameter = false;
  CSynPar parameter;
  int bubblePointCalls = 0;
  double lastPressure = kNotSet;   // pressure of the last volume-factor call
  double seenParameter = kNotSet;  // the bubble-point parameter at that call

  double FormationVolumeFactor(double, double p) override {
    lastPressure = p;
    seenParameter = parameter.Value();
    return fvf;
  }
  double SolutionGasRatio(double, double, int) override { return solutionRatio; }
  double BubblePointPressure(double, double) override {
    ++bubblePointCalls;
    return bubblePoint;
  }
  double SpecificGravity() override { return gravity; }
  double OilGravity() override { return gravity; }
  double Density(double, double) override { return density; }
  double SurfaceTension(double, double) override { return tension; }
  double Viscosity(double, double) override { return viscosity; }
  double MassFlow() override { return massFlow; }
  double VolFlow() override { return volFlow; }
  double LiqVolFlow() override { return liqVolFlow; }
  CSynPar* BubblePointParameter() override { return hasParameter ? &parameter : nullptr; }
};

// Standard water and a 35 API oil.
TestLiquid MakeWater();
TestLiquid MakeOil();

// An equation-of-state fluid made of the stream objects above.
class TestEOS : public CEOSBase {
 public:
  explicit TestEOS(CProp* gasPhase = nullptr, CProp* oilPhase = nullptr,
                   CProp* waterPhase = nullptr)
      : gas(gasPhase), oil(oilPhase), water(waterPhase) {}
  CProp* gas = nullptr;
  CProp* oil = nullptr;
  CProp* water = nullptr;
  bool isenthalpic = false;
  double temperature = kNotSet;

  CProp* GetGas() override { return gas; }
  CProp* GetOil() override { return oil; }
  CProp* GetWtr() override { return water; }
  bool IsIsenthalpic() override { return isenthalpic; }
  double GetTemp() override { return temperature; }
};

}  // namespace pdrop::test
