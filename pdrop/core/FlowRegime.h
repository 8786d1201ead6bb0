// One flow pattern of a flow-pattern map: its code and the map points that
// fell into it.
#pragma once

#include <cstdint>
#include <string>

#include "pdrop/platform/NotSet.h"

namespace pdrop {

class CFlowRegime {
 public:
  static constexpr std::uint32_t kNoCode = 0xFFFFFFFFu;

  std::uint32_t m_nCode = kNoCode;
  DblArray m_aVsg;          // superficial gas velocity [ft/s]
  DblArray m_aVsl;          // superficial liquid velocity [ft/s]
  DblArray m_aHoldup;       // liquid holdup [fraction]
  DblArray m_aElevationDP;  // elevation pressure gradient

  bool IsCode() const { return m_nCode < kNoCode; }
  // The display name of the code, or an empty string when no code is set.
  std::string GetCodeName() const;
};

}  // namespace pdrop
