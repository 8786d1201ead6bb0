#include "TestFluids.h"

namespace pdrop::test {

TestLiquid MakeWater() {
  TestLiquid w;  // gravity, volume factor and viscosity 1
  w.tension = 60.0;
  return w;
}

TestLiquid MakeOil() {
  TestLiquid o;
  o.gravity = 0.85;
  o.fvf = 1.2;
  o.viscosity = 2.0;
  o.solutionRatio = 0.0004;  // 400 scf/STB
  o.tension = 25.0;
  o.hasParameter = true;
  return o;
}

}  // namespace pdrop::test
