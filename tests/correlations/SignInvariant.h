// Reversing the flow sign reverses the friction change only; reversing the
// direction sign reverses the elevation change only.
#pragma once

#include <gtest/gtest.h>

#include "pdrop/core/PressDrop.h"

namespace pdrop::test {

inline void ExpectSignsActOnTheirOwnComponent(CPressDrop& e) {
  const double friction = e.m_dFrictionDP;
  const double elevation = e.m_dElevationDP;
  e.m_dFlw = -1.0;
  e.MultiPhase();
  EXPECT_EQ(e.m_dFrictionDP, -friction);
  EXPECT_EQ(e.m_dElevationDP, elevation);
  e.m_dFlw = 1.0;
  e.m_dDir = -1.0;
  e.MultiPhase();
  EXPECT_EQ(e.m_dFrictionDP, friction);
  EXPECT_EQ(e.m_dElevationDP, -elevation);
}

}  // namespace pdrop::test
