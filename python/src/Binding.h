// Pieces the binding's files share.
#pragma once

#include <pybind11/pybind11.h>

#include <cmath>
#include <limits>

#include "pdrop/core/PressData.h"
#include "pdrop/platform/NotSet.h"

namespace pdrop::python {

// A value as Python sees it: NaN for "not set" and for what is not finite.
inline double Nan(double v) {
  return IsSet(v) && std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
}

// The flat record of CopyData as a dict of named fields.
pybind11::dict RecordDict(const double (&values)[CPressData::kCopyDataSize]);

void BindSegment(pybind11::module_& m);
void BindGradient(pybind11::module_& m);

}  // namespace pdrop::python
