// The mechanistic flow-pattern map of a case: the segment next to the known
// end, solved with the Petalas & Aziz model and the case's built-in fluid,
// then mapped over the superficial-velocity plane; optionally the text dumps
// of the map.
#pragma once

#include <string>
#include <vector>

#include "pdrop/core/FlowRegime.h"
#include "pdrop/traverse/Traverse.h"

namespace pdrop {

struct CaseFlowMap {
  bool ok = false;
  std::string reason;                // why there is no map
  std::vector<CFlowRegime> entries;  // 15, by pattern code
  double vsg_ftps = kNotSet;         // the segment's operating point
  double vsl_ftps = kNotSet;
  int regime_code = 666;  // the segment's own pattern
};

// Throws std::invalid_argument for an invalid case.
CaseFlowMap MapFirstSegment(const TraverseCase& c);

// Writes the per-pattern files and the boundary file into directory; false
// (with the reason) when the segment cannot be solved or a file cannot be
// created.
bool WriteFlowMapDumps(const TraverseCase& c, const std::string& directory, std::string* reason);

}  // namespace pdrop
