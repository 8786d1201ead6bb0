// VFP tables: the bottomhole pressure of a well over a grid of rates,
// tubing-head pressures, water and gas fractions, written as the VFPPROD or
// VFPINJ keyword of an Eclipse-format deck (the format OPM Flow reads).
//
// Every cell of the grid is one traverse of the case, marched down from the
// wellhead (the case's known pressure is replaced by the cell's THP, its
// rates by the cell's) to the datum, on all cores.
//
// Cells whose traverse has no result are filled, and the table is made to
// rise with THP, by the rule CompleteVfpGrid describes; every such cell is
// reported in the table's comment header.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "pdrop/case/VfpAxes.h"
#include "pdrop/traverse/Traverse.h"

namespace pdrop {

// A cell that is not the plain result of its traverse.
struct VfpAdjustment {
  enum class Kind {
    kFilled,  // its traverse has no result: filled along the FLO axis
    kRaised,  // not above the BHP at the next lower THP: raised
  };
  Kind kind = Kind::kFilled;
  std::size_t index = 0;  // position in VfpTable::bhp (VfpAxes::Index)
  double bhp = 0.0;       // the value written [table units]
  std::string reason;     // why: the traverse's reason, or the lower BHP
};

struct VfpTable {
  VfpAxes axes;
  double datum = 0.0;                      // resolved [ft or m]
  std::vector<double> bhp;                 // [psia or barsa], VfpAxes::Index order
  std::vector<VfpAdjustment> adjustments;  // the fills in index order, then the raises
  // For the comment header.
  std::string case_name;
  std::string case_file;  // as given; may be empty
  int correlation = 0;
  std::string written_at;  // UTC, "2024-05-01 12:00:00 UTC"

  double Bhp(std::size_t thp, std::size_t wfr, std::size_t gfr, std::size_t flo) const {
    return bhp[axes.Index(thp, wfr, gfr, flo)];
  }
  std::size_t FilledCount() const;
  std::size_t RaisedCount() const;
};

// A table that cannot be completed: every cell of one curve (THP, WFR, GFR)
// has no result. The message names the curve and a traverse's reason.
class VfpTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The traverse cases of the cells, in VfpAxes::Index order, each marched
// from the wellhead at the cell's THP to the datum [ft]. Throws InputError
// when the case is not a well marched down from its wellhead in the
// direction the table needs (a producer flows to the top, an injector to
// the bottom), or when the datum is outside the well's depths.
std::vector<TraverseCase> VfpCellCases(const TraverseCase& c, const VfpAxes& axes, double datum_ft);

// The datum [ft] a table of the case has: the axes' datum, or the true
// vertical depth of the case's last station.
double VfpDatum_ft(const TraverseCase& c, const VfpAxes& axes);

// Completes a grid of BHP values [table units] in which `computed[i]` marks
// the cells that have a traverse result (`reasons[i]` says why the others
// have none):
//  1. along each curve of BHP against FLO (fixed THP, WFR, GFR), a missing
//     cell between computed cells is interpolated linearly in FLO; one beyond
//     them is extrapolated linearly from the two nearest computed cells (one
//     computed cell: its value), bounded so that it offers the simulator no
//     easier operating point than the nearest computed cell: a producer's
//     never below that cell's BHP (a higher BHP at a rate makes the rate
//     harder to reach), an injector's never above it (and never below the
//     5 psia floor of the pressure range);
//  2. along each column of THP (fixed FLO, WFR, GFR), a BHP that is not above
//     the BHP at the next lower THP is raised to that BHP plus the THP step,
//     so that BHP increases strictly with THP everywhere.
// Computed cells at rates below a producer curve's minimum (the unstable,
// heading branch) keep their values: OPM Flow, given two crossings of the
// inflow and the table, takes the one of higher rate. Returns the filled
// cells in index order, then the raised ones; throws VfpTableError when a
// curve has no computed cell.
std::vector<VfpAdjustment> CompleteVfpGrid(const VfpAxes& axes, std::vector<double>& bhp,
                                           const std::vector<bool>& computed,
                                           const std::vector<std::string>& reasons);

// The fill rule above in a sentence or two, for the table's comment header.
std::string FillRule(const VfpAxes& axes);

// Runs every cell on `threads` workers (progress as RunTraverses) and
// completes the grid. The case is validated; so are the axes.
VfpTable BuildVfpTable(const TraverseCase& c, const VfpAxes& axes, int threads,
                       const std::function<void(std::size_t, std::size_t)>& progress = {});

// The deck text: a comment header (pdrop's version, the case, the
// correlation, the date, the datum and units warnings, the fill rule and
// every adjusted cell), then the keyword.
std::string VfpDeckText(const VfpTable& table);

// One line per adjusted cell, for the reader ("filled cell THP 100 psia, ...").
std::vector<std::string> VfpAdjustmentLines(const VfpTable& table);

}  // namespace pdrop
