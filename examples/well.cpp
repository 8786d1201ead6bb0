// A small host program: a dry-gas well and a water-disposal well, each solved
// segment by segment from the wellhead down with the Fanning engine, using
// two simple fluid objects that stand in for a property package.
#include <cmath>
#include <cstdio>
#include <memory>

#include "pdrop/pdrop.h"

namespace {

// A natural gas with a constant compressibility factor and viscosity.
class SimpleGas : public pdrop::CProp {
 public:
  double ZFactor(double, double) override { return 0.9; }
  double SpecificGravity() override { return 0.65; }
  // rho = p M / (z R T), M = 28.9625 gamma lbm/lbmol, R = 10.7316 psia ft3/(lbmol degR).
  double Density(double T, double p) override { return p * 28.9625 * 0.65 / (0.9 * 10.7316 * T); }
  double Viscosity(double, double) override { return 0.015; }
};

// Brine of gravity 1.05, slightly compressible.
class SimpleBrine : public pdrop::CProp {
 public:
  double FormationVolumeFactor(double, double p) override { return 1.02 - 3.0e-6 * p; }
  double SpecificGravity() override { return 1.05; }
  double Viscosity(double, double) override { return 0.7; }
  double SurfaceTension(double, double) override { return 60.0; }
};

struct Well {
  const char* title;
  double tubingID;     // in
  double depth;        // ft
  int segments;
  double whp;          // wellhead pressure, psia
  double whtF;         // wellhead temperature, degF
  double gradient;     // temperature increase with depth, degF/ft
  double qg, qw;       // MMscf/d, bbl/d
  int flowSign;        // +1 producing (the pressure rises down the well), -1 injecting
};

void Traverse(const Well& w, pdrop::CProp* gas, pdrop::CProp* water) {
  std::unique_ptr<pdrop::CPressDrop> engine(pdrop::CPressDrop::New(0));
  std::printf("\n%s\n", w.title);
  std::printf("%9s %10s %8s %10s %10s %-14s %9s %12s\n", "depth_ft", "p_psia", "T_F",
              "dPfric", "dPelev", "regime", "vsg_ft/s", "turner_MMscf");
  double p = w.whp;
  const double dz = w.depth / w.segments;
  std::printf("%9.0f %10.2f %8.1f\n", 0.0, p, w.whtF);
  for (int i = 0; i < w.segments; ++i) {
    const double top = i * dz;
    const double tTopR = w.whtF + w.gradient * top + 459.67;
    engine->Init(0.0, w.tubingID, 0.0, dz);
    engine->SetDir(+1);          // marching down
    engine->SetFlw(w.flowSign);  // against the flow for a producer
    engine->SetProps(gas, nullptr, water);
    const double p2 = engine->Cal(p, tTopR, w.gradient, w.qg, 0.0, w.qw);
    if (!pdrop::IsSet(p2)) {
      std::printf("segment at %.0f ft could not be solved\n", top);
      return;
    }
    p = p2;
    const double turner = w.qg > 0.0 ? engine->m_LiquidLift.WtrD(w.tubingID, p, tTopR) : 0.0;
    std::printf("%9.0f %10.2f %8.1f %10.3f %10.3f %-14s %9.3f %12.3f\n", top + dz, p,
                tTopR + w.gradient * dz - 459.67, engine->m_dFrictionDP, engine->m_dElevationDP,
                pdrop::CPressDrop::GetCodeName(engine->GetCode()).c_str(),
                pdrop::ZeroIfNotSet(engine->m_dVsg), turner);
  }
}

}  // namespace

int main() {
  SimpleGas gas;
  SimpleBrine brine;
  std::printf("pdrop %s example: Fanning engine (code 0), %s\n", pdrop::kVersion,
              pdrop::CPressDrop::GetBblHelp(0, 0).c_str());
  Traverse({"Dry-gas well, 3 MMscf/d up 2.441-in tubing", 2.441, 8000.0, 10, 800.0, 80.0,
            0.015, 3.0, 0.0, +1},
           &gas, &brine);
  Traverse({"Water-disposal well, 4000 bbl/d down 2.992-in tubing", 2.992, 6000.0, 6, 300.0,
            70.0, 0.0, 0.0, 4000.0, -1},
           &gas, &brine);
  return 0;
}
