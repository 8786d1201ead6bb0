// Writes the stored reference outputs (tests/data/reference_outputs.csv):
//   pdrop_make_reference > tests/data/reference_outputs.csv
// Run it only when a change of results is intended, and say why in the commit.
#include <cstdio>

#include "ReferenceCases.h"

int main() {
  std::printf("code,segment,p2_psia,friction_dp_psi,elevation_dp_psi,holdup,regime\n");
  for (int code = 0; code <= 9; ++code) {
    for (const auto& s : pdrop::reference::Segments()) {
      const auto o = pdrop::reference::Solve(code, s);
      std::printf("%d,%s,%.17g,%.17g,%.17g,%.17g,%d\n", code, s.name, o.p2, o.friction, o.elevation,
                  o.holdup, o.regime);
    }
  }
  return 0;
}
