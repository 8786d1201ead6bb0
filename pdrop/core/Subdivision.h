// How many pieces a segment is marched in, shared by the engine's driver and
// the legacy calculator: a change of more than 20 psi in one pass is split
// into int(change / 10) + 1 pieces, at least 2 and at most the host's
// maximum. Piece counts come from public double settings, so NaN, infinite
// and huge values are capped before any integer conversion.
#pragma once

#include <algorithm>
#include <cmath>

namespace pdrop {

constexpr double kMaxPieces = 1000.0;  // cap of any piece count
constexpr double kDefaultMaxPieces = 20.0;

// A fixed piece count from a setting: NaN is 1, the rest within [0, 1000].
inline int PieceCount(double v) {
  if (std::isnan(v)) return 1;
  return static_cast<int>(std::clamp(v, 0.0, kMaxPieces));
}

// The automatic piece count for a one-pass change [psi] and a maximum
// setting (NaN: the default 20); 1 when the segment is not split.
inline int AutomaticPieceCount(double change, double maxSetting) {
  constexpr double kSplitTrigger = 20.0;  // psi
  constexpr double kPsiPerPiece = 10.0;
  const double maxPieces =
      std::isnan(maxSetting) ? kDefaultMaxPieces : std::clamp(maxSetting, 0.0, kMaxPieces);
  const int nMax = static_cast<int>(maxPieces);
  if (!(change > kSplitTrigger) || nMax <= 1) return 1;
  const double wanted = std::floor(change / kPsiPerPiece) + 1.0;
  return std::max(2, static_cast<int>(std::min(wanted, static_cast<double>(nMax))));
}

}  // namespace pdrop
