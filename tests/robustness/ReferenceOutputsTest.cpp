// Every correlation code on the reference segments gives the stored outputs:
// a change made for speed must not change a result.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "ReferenceCases.h"

namespace pdrop {
namespace {

TEST(ReferenceOutputs, EveryCodeReproducesTheStoredResults) {
  std::ifstream in(PDROP_REFERENCE_FILE);
  ASSERT_TRUE(in) << PDROP_REFERENCE_FILE;
  std::string line;
  std::getline(in, line);
  int rows = 0;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string field[7];
    for (std::string& f : field) std::getline(s, f, ',');
    const int code = std::stoi(field[0]);
    const reference::Segment* segment = nullptr;
    for (const auto& seg : reference::Segments()) {
      if (field[1] == seg.name) segment = &seg;
    }
    ASSERT_NE(segment, nullptr) << line;
    const reference::Outcome o = reference::Solve(code, *segment);
    const double stored[4] = {std::stod(field[2]), std::stod(field[3]), std::stod(field[4]),
                              std::stod(field[5])};
    const double now[4] = {o.p2, o.friction, o.elevation, o.holdup};
    for (int k = 0; k < 4; ++k) {
      EXPECT_NEAR(now[k], stored[k], 1e-10 * std::max(1.0, std::fabs(stored[k])))
          << "code " << code << ", " << segment->name << ", column " << k + 2;
    }
    EXPECT_EQ(o.regime, std::stoi(field[6])) << "code " << code << ", " << segment->name;
    ++rows;
  }
  EXPECT_EQ(rows, 10 * static_cast<int>(reference::Segments().size()));
}

}  // namespace
}  // namespace pdrop
