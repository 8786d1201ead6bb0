// A small host program: the way a well or network model uses pdrop. It
// creates an engine by correlation code, binds the built-in black-oil fluid,
// describes each segment, calls Cal and reads the record.
//
//   pdrop_example_host [code]      (default 5, Hagedorn & Brown)
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <pdrop/pdrop.h>

int main(int argc, char** argv) {
  const int code = argc > 1 ? std::atoi(argv[1]) : 5;

  pdrop::BlackOilFluid fluid;
  fluid.gasGravity = 0.7;
  fluid.oilApi = 35.0;
  fluid.waterSalinity = 3.0;
  pdrop::BlackOilPhases phases = fluid.MakePhases();

  std::unique_ptr<pdrop::CPressDrop> engine(pdrop::CPressDrop::New(code));
  std::printf("correlation %d: %s\n", code, pdrop::CPressDrop::GetBblHelp(0, code).c_str());
  std::printf("%8s %10s %10s %10s %8s %-20s\n", "depth_ft", "p_psia", "dPfric", "dPelev", "holdup",
              "regime");

  // A producing well marched down from the wellhead in 500 ft segments:
  // direction +1 (down), flow sign +1 (against the upward flow).
  double p = 200.0;
  const double tTopR = 90.0 + 459.67;
  const double gradient = 0.015;  // degR per ft of depth
  for (int i = 0; i < 12; ++i) {
    engine->Init(0.0, 2.441, 0.0, 500.0);
    engine->SetDir(+1);
    engine->SetFlw(+1);
    engine->SetProps(phases.gas.get(), phases.oil.get(), phases.water.get());
    const double p2 = engine->Cal(p, tTopR + gradient * 500.0 * i, gradient, 0.4, 900.0, 100.0);
    if (!pdrop::IsSet(p2)) {
      std::printf("segment %d has no result\n", i + 1);
      return 1;
    }
    p = p2;
    std::printf("%8.0f %10.2f %10.3f %10.3f %8.3f %-20s\n", 500.0 * (i + 1), p,
                engine->m_dFrictionDP, engine->m_dElevationDP, engine->m_dHoldup,
                pdrop::RegimeName(engine->GetCode()).c_str());
  }
  return 0;
}
