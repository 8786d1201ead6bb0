// The not-set value: the library-wide marker for an input that was not given
// and for a result that could not be computed.
#pragma once

#include <cmath>
#include <vector>

namespace pdrop {

constexpr double kNotSet = -32600.0;

inline bool IsSet(double v) { return v != kNotSet; }

// A value that can be used in arithmetic: set and finite.
inline bool IsUsable(double v) { return IsSet(v) && std::isfinite(v); }

// Reads a not-set value as zero, as consumers of the record do.
inline double ZeroIfNotSet(double v) { return IsSet(v) ? v : 0.0; }

// Turns a non-finite intermediate into the not-set value before it can reach
// a result.
inline double FiniteOrNotSet(double v) { return std::isfinite(v) ? v : kNotSet; }

using DblArray = std::vector<double>;

}  // namespace pdrop
