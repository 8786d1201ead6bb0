// The sign rules of every multiphase correlation over a map of velocities,
// two diameters, a level line, a 30 degree slope and a vertical well either
// way: the flow sign alone turns the friction
// change only and the direction sign alone the elevation change only. Beggs &
// Brill takes the product of the two as the sign of its inclination, so off
// the level only both signs together turn both changes. The Flanigan form
// keeps Panhandle's squared pressures: against the flow its friction costs
// more than with it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

#include "../TestFluids.h"
#include "pdrop/pdrop.h"

namespace pdrop {
namespace {

using test::kPi;

TEST(SignRules, FlowAndDirectionSignsActOnTheirOwnComponent) {
  test::TestGas gas;
  int solved = 0;
  for (int code : {1, 3, 4, 5}) {
    for (double d : {1.0, 6.0}) {
      for (const auto& [dx, dz] : {std::pair{1000.0, 0.0},
                                   {0.0, 1000.0},
                                   {0.0, -1000.0},
                                   {1000.0 * std::sqrt(3.0), 1000.0}}) {
        for (double vsg : {0.05, 0.5, 2.0, 8.0, 30.0, 120.0}) {
          for (double vsl : {0.01, 0.1, 0.5, 2.0, 8.0, 20.0}) {
            std::unique_ptr<CPressDrop> e(CPressDrop::New(0.0, d, dx, dz, code));
            e->SetProps(&gas, nullptr, nullptr);
            const auto run = [&](double flw, double dir) {
              // Liquid 50, gas 5 lbm/ft3, 1 and 0.015 cP, 30 dyn/cm (oil 25,
              // water 60 for Gray); 1 MMscf/d and 1 bbl/d for Flanigan.
              test::SetProbeFluid(*e, vsg, vsl);
              e->m_dQo = 100.0;
              e->m_dSigmaO = 25.0;
              e->m_dQwFree = 50.0;
              e->m_dSigmaW = 60.0;
              e->m_dP = e->m_dP1 = 1000.0;
              e->m_dQgFree = 1e6;
              e->m_dQlInSitu = 1.0;
              e->m_dT = 520.0;
              e->m_dZ = 0.9;
              e->m_dFlw = flw;
              e->m_dDir = dir;
              e->MultiPhase();
              return std::pair{e->m_dFrictionDP, e->m_dElevationDP};
            };
            SCOPED_TRACE(testing::Message()
                         << code << " " << d << " " << dz << " " << vsg << " " << vsl);
            const auto [f, z] = run(1.0, 1.0);
            if (!IsUsable(f) || !IsUsable(z)) continue;
            ++solved;
            const auto expectTurnedFriction = [&](double turned) {
              if (code == 1) {
                EXPECT_LT(turned, -f);
              } else {
                EXPECT_EQ(turned, -f);
              }
            };
            const auto both = run(-1.0, -1.0);
            expectTurnedFriction(both.first);
            EXPECT_EQ(both.second, -z);
            if (code == 3 && dz != 0.0) {
              // One sign alone turns the flow downhill: upward pi/2 becomes -pi/2.
              run(-1.0, 1.0);
              if (dx == 0.0) {
                EXPECT_EQ(static_cast<CBeggsBrill&>(*e).m_dAngle, -std::copysign(kPi / 2.0, dz));
              }
              continue;
            }
            const auto flow = run(-1.0, 1.0);
            expectTurnedFriction(flow.first);
            EXPECT_EQ(flow.second, z);
            EXPECT_EQ(run(1.0, -1.0), std::pair(f, -z));
          }
        }
      }
    }
  }
  EXPECT_GT(solved, 1000);
}

}  // namespace
}  // namespace pdrop
