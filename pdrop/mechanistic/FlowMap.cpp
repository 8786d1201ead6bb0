// The flow-pattern map of the Petalas & Aziz model (Petalas & Aziz, J. Can.
// Pet. Tech. 39(6), 2000): patterns over the plane of superficial gas and
// liquid velocities, in memory and as text files.
//
// Departures from the form this replaces: the map is made on a one-foot
// piece of the segment's inclination (so that elevation changes, not only
// friction, are per foot), puts the segment's record back and refuses to map
// a fluid that was never evaluated; the dumps put
// the fluid back on every exit; the fourth field of a dump line is the
// liquid holdup the header names (EL); in the boundary file the previous
// point is written with its own Vsg.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "pdrop/mechanistic/MechModel.h"

namespace pdrop {
namespace {

constexpr int kMapEntries = 15;
constexpr double kGridEndTolerance = 1.1920928955078125e-07;  // in log10
constexpr int kGridPoints = 50;

// The fixed test fluid of the text dumps.
constexpr double kTestRhoG = 8.139, kTestRhoL = 52.53;  // lbm/ft3
constexpr double kTestMuG = 0.018, kTestMuL = 2.757;    // cP
constexpr double kTestSigma = 20.0;                     // dyn/cm

constexpr const char* kLineFormat = "%i , %1.8E , %1.8E, %1.8E , %1.8E\n";

double GasStep(double v, double previous) {
  if (v > 0.01 && v <= 0.05) return 0.001;
  if (v > 0.05 && v <= 0.1) return 0.01;
  if (v > 0.1 && v <= 0.5) return 0.005;
  if (v > 0.5 && v <= 1.0) return 0.01;
  if (v > 1.0 && v <= 5.0) return 0.05;
  if (v > 5.0 && v <= 10.0) return 0.1;
  if (v > 10.0 && v <= 50.0) return 1.0;
  if (v > 50.0 && v <= 100.0) return 5.0;
  if (v > 100.0 && v <= 500.0) return 10.0;
  if (v > 500.0 && v <= 1000.0) return 50.0;
  return previous;
}

double LiquidStep(double v, double previous) {
  if (v > 0.01 && v <= 0.5) return 0.0025;
  if (v > 0.5 && v <= 1.0) return 0.01;
  if (v > 1.0 && v < 5.0) return 0.05;
  if (v > 5.0 && v < 10.0) return 0.1;
  if (v >= 10.0 && v <= 50.0) return 1.0;
  if (v > 50.0 && v <= 100.0) return 5.0;
  return previous;
}

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f != nullptr) std::fclose(f);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool Positive(double v) { return IsUsable(v) && v > 0.0; }

}  // namespace

bool CMechModel::GetFlowMap(std::vector<CFlowRegime>& map) {
  map.clear();
  // Only a fluid never evaluated has no map. A fluid without liquid (or
  // without gas) has one whose points are all undetermined: its entries are
  // there, with no points, for hosts that index them by code.
  if ((!Positive(m_dRhoG) && !Positive(m_dRhoL)) || !Positive(m_dDiameter)) return false;
  map.resize(kMapEntries);
  const CPressData saved(*this);
  const double savedTheta = m_dTheta, savedDx = m_dDx, savedDz = m_dDz;
  SetInclination();
  // A one-foot piece of the same inclination: friction and elevation
  // changes per foot.
  if (m_dLength > 0.0) {
    m_dDx /= m_dLength;
    m_dDz /= m_dLength;
  }
  m_dLength = 1.0;

  const double liquidStep = (std::log10(100.0) - std::log10(0.01)) / (kGridPoints - 1);
  const double gasStep = (std::log10(500.0) - std::log10(0.01)) / (kGridPoints - 1);
  const double liquidEnd = std::log10(100.0) + kGridEndTolerance;
  const double gasEnd = std::log10(500.0) + kGridEndTolerance;
  for (double y = -2.0; y <= liquidEnd; y += liquidStep) {
    for (double x = -2.0; x <= gasEnd; x += gasStep) {
      m_dVsg = std::pow(10.0, x);
      m_dVsl = std::pow(10.0, y);
      m_dStatus = 0.0;
      const int code = Mphase(true);
      if (code < 0 || code >= kMapEntries) continue;
      CFlowRegime& entry = map[static_cast<std::size_t>(code)];
      if (!entry.IsCode()) entry.m_nCode = static_cast<std::uint32_t>(code);
      entry.m_aVsl.push_back(m_dVsl);
      entry.m_aVsg.push_back(m_dVsg);
      entry.m_aHoldup.push_back(FiniteOrNotSet(m_dHoldup));
      entry.m_aElevationDP.push_back(FiniteOrNotSet(m_dElevationDP));
    }
  }
  CPressData::operator=(saved);
  m_dTheta = savedTheta;
  m_dDx = savedDx;
  m_dDz = savedDz;
  return true;
}

namespace {

// The text files of the map: one per pattern, or the boundary file.
struct DumpFiles {
  File patterns[8];
  File boundary;
};

// Opens the files in `directory` (the working directory when empty) and
// writes their headers; false when one cannot be created.
bool OpenDumpFiles(const std::string& directory, bool boundaries, DumpFiles* files) {
  auto open = [&directory](const char* name) {
    const std::filesystem::path path =
        directory.empty() ? std::filesystem::path(name) : std::filesystem::path(directory) / name;
    return File(std::fopen(path.string().c_str(), "w"));
  };
  static constexpr const char* kPatternFiles[] = {"FlowPattern_6_Bubble.txt",
                                                  "FlowPattern_7_Dispersed_Bubble.txt",
                                                  "FlowPattern_8_Stratified_Smooth.txt",
                                                  "FlowPattern_9_Stratified_Wavy.txt",
                                                  "FlowPattern_10_Annular_Mist.txt",
                                                  "FlowPattern_11_Slug.txt",
                                                  "FlowPattern_12_Elongated_Bubble.txt",
                                                  "FlowPattern_13_Froth.txt"};
  if (boundaries) {
    files->boundary = open("FlowPatternMapBoundaries.txt");
    if (!files->boundary) return false;
    std::fputs("Flow Pattern , VsG [ft/s] , VsL [ft/s]\n", files->boundary.get());
    return true;
  }
  for (int i = 0; i < 8; ++i) {
    files->patterns[i] = open(kPatternFiles[i]);
    if (!files->patterns[i]) return false;
    std::fputs("Flow Pattern , VsG [ft/s] , VsL [ft/s] , EL , FE\n", files->patterns[i].get());
  }
  return true;
}

// Decides the pattern over the fine grid of the text files and writes each
// point to its pattern's file, or the points where the pattern changes (and
// the edges of the grid) to the boundary file.
void WalkDumpGrid(CMechModel& model, bool boundaries, DumpFiles& files) {
  struct Point {
    int code;
    double vsg, vsl, holdup, fent;
  };
  auto write = [](std::FILE* f, const Point& p) {
    std::fprintf(f, kLineFormat, p.code, p.vsg, p.vsl, FiniteOrNotSet(p.holdup),
                 FiniteOrNotSet(p.fent));
  };
  Point previous{static_cast<int>(CMechModel::kUndetermined), 0.0, 0.0, kNotSet, kNotSet};
  bool firstChange = true;
  double gasStep = 0.001;
  for (double vsg = 0.01; vsg <= 1000.0; vsg += gasStep) {
    gasStep = GasStep(vsg, gasStep);
    double liquidStep = 0.001;
    for (double vsl = 0.01; vsl <= 100.0; vsl += liquidStep) {
      liquidStep = LiquidStep(vsl, liquidStep);
      model.m_dVsg = vsg;
      model.m_dVsl = vsl;
      const Point p{model.GetFlowRegime(), vsg, vsl, model.m_dHoldup, model.m_dFEnt};
      if (!boundaries) {
        if (p.code >= CMechModel::kBubble && p.code <= CMechModel::kFroth) {
          write(files.patterns[p.code - CMechModel::kBubble].get(), p);
        }
        continue;
      }
      if (p.code != previous.code) {
        if (firstChange) {
          firstChange = false;
        } else {
          write(files.boundary.get(), previous);
        }
        write(files.boundary.get(), p);
      }
      if (vsl == 0.01 || vsl >= 100.0 - liquidStep || vsg == 0.01 || vsg >= 1000.0 - gasStep) {
        write(files.boundary.get(), p);
      }
      previous = p;
    }
  }
}

}  // namespace

bool CMechModel::CreateFlowPatternMap(bool bBoundaries) {
  DumpFiles files;
  if (!OpenDumpFiles(dumpDirectory_, bBoundaries, &files)) return false;
  const double saved[] = {m_dVsg, m_dVsl, m_dRhoG, m_dRhoL, m_dMuG, m_dMuL, m_dSigma, m_dTheta};
  m_dRhoG = kTestRhoG;
  m_dRhoL = kTestRhoL;
  m_dMuG = kTestMuG;
  m_dMuL = kTestMuL;
  m_dSigma = kTestSigma;
  SetInclination();
  WalkDumpGrid(*this, bBoundaries, files);
  m_dVsg = saved[0];
  m_dVsl = saved[1];
  m_dRhoG = saved[2];
  m_dRhoL = saved[3];
  m_dMuG = saved[4];
  m_dMuL = saved[5];
  m_dSigma = saved[6];
  m_dTheta = saved[7];
  return true;
}

void CMechModel::WriteFunctionToFile(Residual f, double x0, double x1, double dx) {
  char name[128];
  std::snprintf(name, sizeof name, "dl_d_%4.3f_%4.3f_.txt", m_dVsg, m_dVsl);
  const std::filesystem::path path = dumpDirectory_.empty()
                                         ? std::filesystem::path(name)
                                         : std::filesystem::path(dumpDirectory_) / name;
  File file(std::fopen(path.string().c_str(), "w"));
  if (!file) return;
  std::fprintf(file.get(), "%1.8E , %1.8E , %1.8E\n", m_dVsg, m_dVsl, m_dFilmRatio);
  std::fputs("x , f(x)\n", file.get());
  // A bounded table whatever the step.
  constexpr double kMaxLines = 1e6;
  const double span = (x1 - x0) / dx;
  const long n =
      std::isfinite(span) && span > 0.0 ? static_cast<long>(std::min(span, kMaxLines)) : 0;
  double x = x0;
  for (long i = 1; i <= n; ++i) {
    std::fprintf(file.get(), "%1.8E , %1.8E\n", x, (this->*f)(x));
    x += dx;
  }
}

}  // namespace pdrop
