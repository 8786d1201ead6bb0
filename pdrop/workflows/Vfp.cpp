#include "pdrop/workflows/Vfp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sstream>

#include "pdrop/case/CaseFile.h"
#include "pdrop/shell/Catalogue.h"
#include "pdrop/shell/Version.h"
#include "pdrop/traverse/Limits.h"
#include "pdrop/traverse/Parallel.h"

namespace pdrop {
namespace {

// A datum this close to the last station's depth is that depth [ft].
constexpr double kDepthTolerance_ft = 1e-6;
// The shortest segment the traverse accepts [ft].
constexpr double kShortestSegment_ft = 0.01;
// Comment lines are wrapped to stay well inside the 132 columns of the format.
constexpr std::size_t kCommentWidth = 96;
constexpr int kBhpDecimals = 3;
constexpr std::size_t kValuesPerLine = 6;
constexpr std::size_t kAxisValuesPerLine = 10;

struct CellPosition {
  std::size_t thp, wfr, gfr, flo;
};

CellPosition Position(const VfpAxes& a, std::size_t index) {
  CellPosition p{};
  p.flo = index % a.FloCount();
  index /= a.FloCount();
  p.gfr = index % a.GfrCount();
  index /= a.GfrCount();
  p.wfr = index % a.WfrCount();
  p.thp = index / a.WfrCount();
  return p;
}

// "THP 100 psia, WCT 0.5, GOR 1 Mscf/stb, LIQ 2000 stb/d".
std::string CellText(const VfpAxes& a, std::size_t index) {
  const CellPosition p = Position(a, index);
  std::string s = "THP " + DeckNumber(a.thp_values[p.thp]) + " " + PressureUnit(a.units);
  if (a.type == VfpType::kProducer) {
    const std::string wu = WfrUnit(a);
    s += std::string(", ") + DeckWord(a.wfr) + " " + DeckNumber(a.wfr_values[p.wfr]) +
         (wu == "fraction" ? "" : " " + wu) + ", " + DeckWord(a.gfr) + " " +
         DeckNumber(a.gfr_values[p.gfr]) + " " + GfrUnit(a);
  }
  s += std::string(", ") + DeckWord(a.flo) + " " + DeckNumber(a.flo_values[p.flo]) + " " +
       FloUnit(a);
  return s;
}

std::string CurveText(const VfpAxes& a, std::size_t t, std::size_t w, std::size_t g) {
  std::string s = CellText(a, a.Index(t, w, g, 0));
  return s.substr(0, s.rfind(", "));  // without the rate
}

std::string Fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string Utc() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&now, &tm);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &tm);
  return text;
}

// Comment lines of at most kCommentWidth characters; continuation lines
// are indented.
void Comment(std::ostream& out, const std::string& text) {
  std::istringstream words(text);
  std::string word, line = "--";
  bool first = true;
  while (words >> word) {
    if (!first && line.size() + 1 + word.size() > kCommentWidth) {
      out << line << "\n";
      line = "--  ";
    }
    line += " " + word;
    first = false;
  }
  out << line << "\n";
}

void AxisRecord(std::ostream& out, const std::vector<double>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    out << (i % kAxisValuesPerLine == 0 ? (i == 0 ? "  " : "\n  ") : "") << " "
        << DeckNumber(values[i]);
  }
  out << " /\n";
}

void BhpValues(std::ostream& out, const VfpTable& t, std::size_t first, int indent) {
  const std::size_t nf = t.axes.FloCount();
  for (std::size_t f = 0; f < nf; ++f) {
    if (f > 0 && f % kValuesPerLine == 0) out << "\n" << std::string(indent, ' ');
    char text[64];
    std::snprintf(text, sizeof text, "%11.*f", kBhpDecimals, t.bhp[first + f]);
    out << text;
  }
  out << " /\n";
}

const char* FloName(VfpFlo flo) {
  switch (flo) {
    case VfpFlo::kOil:
      return "oil rate";
    case VfpFlo::kLiquid:
      return "liquid rate";
    case VfpFlo::kGas:
      return "gas rate";
    case VfpFlo::kWater:
      return "water rate";
  }
  return "";
}

const char* WfrName(VfpWfr wfr) {
  switch (wfr) {
    case VfpWfr::kWaterOilRatio:
      return "water-oil ratio";
    case VfpWfr::kWaterCut:
      return "water cut";
    case VfpWfr::kWaterGasRatio:
      return "water-gas ratio";
  }
  return "";
}

const char* GfrName(VfpGfr gfr) {
  switch (gfr) {
    case VfpGfr::kGasOilRatio:
      return "gas-oil ratio";
    case VfpGfr::kGasLiquidRatio:
      return "gas-liquid ratio";
    case VfpGfr::kOilGasRatio:
      return "oil-gas ratio";
  }
  return "";
}

// The case's stations down to the first point where the true vertical depth
// reaches the datum (the whole profile when the datum is the last station's
// depth), with a linear temperature kept as it was along the kept part.
TraverseCase CutAtDatum(const TraverseCase& c, double datum_ft, const std::string& field) {
  const std::vector<Station>& st = c.stations;
  double top = st.front().tvd_ft, bottom = st.front().tvd_ft;
  for (const Station& s : st) {
    top = std::min(top, s.tvd_ft);
    bottom = std::max(bottom, s.tvd_ft);
  }
  auto shown = [](double v) { return DeckNumber(v, 2); };
  if (datum_ft < top - kDepthTolerance_ft || datum_ft > bottom + kDepthTolerance_ft) {
    throw InputError(field + " = " + shown(datum_ft) +
                     " ft is outside the well's true vertical depths " + shown(top) + " to " +
                     shown(bottom) + " ft");
  }
  if (std::fabs(datum_ft - st.back().tvd_ft) <= kDepthTolerance_ft) return c;
  TraverseCase cut = c;
  cut.stations.clear();
  cut.stations.push_back(st.front());
  for (std::size_t i = 1; i < st.size(); ++i) {
    const Station& a = st[i - 1];
    const Station& b = st[i];
    if ((a.tvd_ft - datum_ft) * (b.tvd_ft - datum_ft) > 0.0) {
      cut.stations.push_back(b);
      continue;
    }
    Station end = b;
    const double w = b.tvd_ft == a.tvd_ft ? 0.0 : (datum_ft - a.tvd_ft) / (b.tvd_ft - a.tvd_ft);
    end.md_ft = a.md_ft + w * (b.md_ft - a.md_ft);
    end.tvd_ft = datum_ft;
    if (end.md_ft - a.md_ft < kShortestSegment_ft) {
      if (i == 1) {
        throw InputError(field + " = " + shown(datum_ft) +
                         " ft is the wellhead's depth: the datum must be below it");
      }
      cut.stations.back().tvd_ft = datum_ft;  // within 0.01 ft of measured depth
    } else {
      cut.stations.push_back(end);
    }
    break;
  }
  if (c.temperature.kind == TemperatureModel::Kind::kLinear) {
    cut.temperature.last_F =
        c.temperature.At(cut.stations.back(), st.front().md_ft, st.back().md_ft);
  }
  return cut;
}

// How a traverse's reason begins when its pressure rose above the ceiling.
constexpr const char* kRoseAbove = "the pressure rises above";

}  // namespace

std::string FillRule(const VfpAxes& a) {
  const bool prod = a.type == VfpType::kProducer;
  std::string rule =
      std::string(
          "fill rule: a cell whose traverse has no result is interpolated linearly in FLO "
          "between the computed cells of its curve (same THP") +
      (prod ? ", WFR, GFR" : "") +
      ") or, beyond them, extrapolated from the two nearest but never " +
      (prod ? "below the nearest computed value"
            : "above the nearest computed value nor below " +
                  DeckNumber(FromPsia(limits::kPressure_psia.low, a.units), 4) + " " +
                  PressureUnit(a.units)) +
      " (so that it offers the simulator no easier operating point)" +
      (prod ? std::string(", and never below ") +
                  DeckNumber(FromPsia(limits::kPressure_psia.high, a.units), 4) + " " +
                  PressureUnit(a.units) + " where its traverse rose above that pressure"
            : std::string()) +
      "; a BHP not above the one at the next lower THP is raised to that BHP " +
      (prod ? "plus the THP step." : "plus the least written step (injection gets no easier).");
  if (prod) {
    rule +=
        " Computed cells at rates below a curve's minimum (the unstable branch) keep their "
        "values: the simulator takes the higher-rate crossing.";
  }
  return rule;
}

std::size_t VfpTable::FilledCount() const {
  return static_cast<std::size_t>(
      std::count_if(adjustments.begin(), adjustments.end(),
                    [](const VfpAdjustment& a) { return a.kind == VfpAdjustment::Kind::kFilled; }));
}

std::size_t VfpTable::RaisedCount() const { return adjustments.size() - FilledCount(); }

double VfpDatum_ft(const TraverseCase& c, const VfpAxes& axes) {
  return IsSet(axes.datum) ? ToFeet(axes.datum, axes.units) : c.stations.back().tvd_ft;
}

std::vector<TraverseCase> VfpCellCases(const TraverseCase& c, const VfpAxes& axes,
                                       double datum_ft) {
  try {
    c.Validate();
  } catch (const std::invalid_argument& e) {
    throw InputError(e.what());
  }
  const bool prod = axes.type == VfpType::kProducer;
  if (c.known_end != ProfileEnd::kFirst) {
    throw InputError(
        "known_end: a VFP table starts from the wellhead pressure, so the case's "
        "known end must be its first station (top)");
  }
  const ProfileEnd flowTo = prod ? ProfileEnd::kFirst : ProfileEnd::kLast;
  if (c.flow_to != flowTo) {
    throw InputError(std::string("flow_to: a ") + (prod ? "VFPPROD" : "VFPINJ") + " table needs " +
                     (prod ? "a producer (flow_to top)" : "an injector (flow_to bottom)"));
  }
  const TraverseCase base = CutAtDatum(c, datum_ft, axes.DatumField());
  std::vector<TraverseCase> cases(axes.CellCount(), base);
  for (std::size_t t = 0; t < axes.ThpCount(); ++t) {
    for (std::size_t w = 0; w < axes.WfrCount(); ++w) {
      for (std::size_t g = 0; g < axes.GfrCount(); ++g) {
        for (std::size_t f = 0; f < axes.FloCount(); ++f) {
          TraverseCase& cell = cases[axes.Index(t, w, g, f)];
          const VfpRates r = CellRates(axes, w, g, f);
          cell.known_pressure_psia = ToPsia(axes.thp_values[t], axes.units);
          cell.gas_MMscfd = r.gas_MMscfd;
          cell.oil_STBd = r.oil_STBd;
          cell.water_bbld = r.water_bbld;
        }
      }
    }
  }
  return cases;
}

std::vector<VfpAdjustment> CompleteVfpGrid(const VfpAxes& a, std::vector<double>& bhp,
                                           const std::vector<bool>& computed,
                                           const std::vector<std::string>& reasons) {
  std::vector<VfpAdjustment> out;
  const bool producer = a.type == VfpType::kProducer;
  const double floor = FromPsia(limits::kPressure_psia.low, a.units);
  const double ceiling = FromPsia(limits::kPressure_psia.high, a.units);
  const std::vector<double>& x = a.flo_values;
  const std::size_t nf = a.FloCount();
  for (std::size_t t = 0; t < a.ThpCount(); ++t) {
    for (std::size_t w = 0; w < a.WfrCount(); ++w) {
      for (std::size_t g = 0; g < a.GfrCount(); ++g) {
        const std::size_t first = a.Index(t, w, g, 0);
        std::vector<std::size_t> known;
        for (std::size_t f = 0; f < nf; ++f) {
          if (computed[first + f]) known.push_back(f);
        }
        if (known.empty()) {
          throw VfpTableError("no cell of the curve " + CurveText(a, t, w, g) +
                              " has a result (at " + DeckWord(a.flo) + " " + DeckNumber(x[0]) +
                              " " + FloUnit(a) + ": " + reasons[first] +
                              "); the table cannot be completed");
        }
        // Values from the computed cells only, so that fills never feed fills.
        auto at = [&](std::size_t f) { return bhp[first + f]; };
        auto line = [&](std::size_t f0, std::size_t f1, std::size_t f) {
          return at(f0) + (at(f1) - at(f0)) * (x[f] - x[f0]) / (x[f1] - x[f0]);
        };
        // Beyond the computed cells the value moves away from the nearest
        // one only in the direction that makes the cell less attractive.
        auto bound = [&](double v, std::size_t nearest) {
          return producer ? std::max(v, at(nearest)) : std::max(std::min(v, at(nearest)), floor);
        };
        std::vector<std::pair<std::size_t, double>> fills;
        for (std::size_t f = 0; f < nf; ++f) {
          if (computed[first + f]) continue;
          // A producer's traverse that rose above the ceiling proved its BHP
          // is at least that high.
          const bool rose = reasons[first + f].rfind(kRoseAbove, 0) == 0;
          const auto upper = std::upper_bound(known.begin(), known.end(), f);
          double v;
          if (upper != known.begin() && upper != known.end()) {
            v = line(*(upper - 1), *upper, f);
          } else if (upper == known.end()) {  // above the computed rates
            const std::size_t last = known.back();
            v = bound(known.size() > 1 ? line(known[known.size() - 2], last, f) : at(last), last);
          } else {  // below them
            const std::size_t lowest = known.front();
            v = bound(known.size() > 1 ? line(lowest, known[1], f) : at(lowest), lowest);
          }
          if (producer && rose) v = std::max(v, ceiling);
          fills.emplace_back(f, v);
        }
        for (const auto& [f, v] : fills) {
          bhp[first + f] = v;
          out.push_back({VfpAdjustment::Kind::kFilled, first + f, v, reasons[first + f]});
        }
      }
    }
  }
  // BHP must rise with THP as written, to kBhpDecimals decimals.
  const double scale = std::pow(10.0, kBhpDecimals);
  auto written = [scale](double v) { return std::round(v * scale); };
  const char* unit = PressureUnit(a.units);
  for (std::size_t w = 0; w < a.WfrCount(); ++w) {
    for (std::size_t g = 0; g < a.GfrCount(); ++g) {
      for (std::size_t f = 0; f < nf; ++f) {
        for (std::size_t t = 1; t < a.ThpCount(); ++t) {
          const std::size_t i = a.Index(t, w, g, f);
          const std::size_t below = a.Index(t - 1, w, g, f);
          if (written(bhp[i]) > written(bhp[below])) continue;
          const std::string reason = "BHP " + Fixed(bhp[i], kBhpDecimals) + " " + unit +
                                     " is not above " + Fixed(bhp[below], kBhpDecimals) + " " +
                                     unit + " at THP " + DeckNumber(a.thp_values[t - 1]) + " " +
                                     unit;
          // A producer takes the whole THP step (harder to produce); an
          // injector the least step that shows as a rise, so that no cell
          // becomes easier to inject into than its curve allows.
          bhp[i] = bhp[below] + (producer ? a.thp_values[t] - a.thp_values[t - 1] : 2.0 / scale);
          out.push_back({VfpAdjustment::Kind::kRaised, i, bhp[i], reason});
        }
      }
    }
  }
  return out;
}

VfpTable BuildVfpTable(const TraverseCase& c, const VfpAxes& axes, int threads,
                       const std::function<void(std::size_t, std::size_t)>& progress) {
  axes.Validate();
  VfpTable table;
  table.axes = axes;
  const double datum_ft = VfpDatum_ft(c, axes);
  const std::vector<TraverseCase> cases = VfpCellCases(c, axes, datum_ft);
  table.datum = FromFeet(datum_ft, axes.units);
  const std::vector<TraverseResult> results = RunTraverses(cases, threads, progress);
  const std::size_t n = cases.size();
  table.bhp.assign(n, 0.0);
  std::vector<bool> computed(n, false);
  std::vector<std::string> reasons(n);
  for (std::size_t i = 0; i < n; ++i) {
    computed[i] = results[i].complete;
    if (computed[i]) {
      table.bhp[i] = FromPsia(results[i].computed_end_pressure_psia, axes.units);
    } else {
      reasons[i] = results[i].reason;
    }
  }
  table.adjustments = CompleteVfpGrid(axes, table.bhp, computed, reasons);
  table.case_name = c.name;
  table.correlation = c.correlation;
  table.written_at = Utc();
  return table;
}

std::vector<std::string> VfpAdjustmentLines(const VfpTable& t) {
  std::vector<std::string> lines;
  for (const VfpAdjustment& adj : t.adjustments) {
    const bool filled = adj.kind == VfpAdjustment::Kind::kFilled;
    lines.push_back(std::string(filled ? "filled" : "raised") + " cell " +
                    CellText(t.axes, adj.index) + ": " +
                    (filled ? "no result (" + adj.reason + ")" : adj.reason) + "; written as " +
                    Fixed(adj.bhp, kBhpDecimals) + " " + PressureUnit(t.axes.units));
  }
  return lines;
}

std::string VfpDeckText(const VfpTable& t) {
  const VfpAxes& a = t.axes;
  const bool prod = a.type == VfpType::kProducer;
  const char* keyword = prod ? "VFPPROD" : "VFPINJ";
  const std::string depth = DeckNumber(t.datum, 4) + " " + DepthUnit(a.units);
  const char* pressure = PressureUnit(a.units);
  std::ostringstream out;

  Comment(out, std::string(keyword) + " table " + std::to_string(a.table) + " written by pdrop " +
                   kVersion + " on " + t.written_at);
  Comment(out, "case: " + t.case_name + (t.case_file.empty() ? "" : " (" + t.case_file + ")"));
  Comment(out, "correlation: " + CorrelationTitle(t.correlation));
  Comment(out, "BHP at the datum, " + depth +
                   " true vertical depth: set the well's BHP reference depth (WELSPECS item 5) "
                   "to " +
                   depth +
                   ", or the simulator adds a hydrostatic correction between "
                   "the two depths.");
  std::string units = std::string("units: ") + DeckWord(a.units) +
                      ". The table's units must match the deck's (RUNSPEC " + DeckWord(a.units) +
                      "): " + DepthUnit(a.units) + ", " + pressure + ", " + FloUnit(a);
  if (prod) units += ", " + WfrUnit(a) + ", " + GfrUnit(a);
  Comment(out, units + ".");
  Comment(out, "cells: " + std::to_string(a.CellCount()) + " traverses; " +
                   std::to_string(t.FilledCount()) + " filled, " + std::to_string(t.RaisedCount()) +
                   " raised.");
  Comment(out, FillRule(a));
  for (const std::string& line : VfpAdjustmentLines(t)) Comment(out, line);

  out << keyword << "\n";
  char head[160];
  if (prod) {
    out << "-- table  datum  FLO  WFR  GFR  THP  ALQ  units  body\n";
    std::snprintf(head, sizeof head, "   %d  %s  '%s'  '%s'  '%s'  'THP'  ' '  '%s'  'BHP' /\n",
                  a.table, DeckNumber(t.datum, 4).c_str(), DeckWord(a.flo), DeckWord(a.wfr),
                  DeckWord(a.gfr), DeckWord(a.units));
  } else {
    out << "-- table  datum  FLO  THP  units  body\n";
    std::snprintf(head, sizeof head, "   %d  %s  '%s'  'THP'  '%s'  'BHP' /\n", a.table,
                  DeckNumber(t.datum, 4).c_str(), DeckWord(a.flo), DeckWord(a.units));
  }
  out << head;
  out << "-- FLO: " << FloName(a.flo) << " [" << FloUnit(a) << "]\n";
  AxisRecord(out, a.flo_values);
  out << "-- THP [" << pressure << "]\n";
  AxisRecord(out, a.thp_values);
  if (prod) {
    out << "-- WFR: " << WfrName(a.wfr) << " [" << WfrUnit(a) << "]\n";
    AxisRecord(out, a.wfr_values);
    out << "-- GFR: " << GfrName(a.gfr) << " [" << GfrUnit(a) << "]\n";
    AxisRecord(out, a.gfr_values);
    out << "-- ALQ: none\n";
    AxisRecord(out, {0.0});
    out << "-- iTHP iWFR iGFR iALQ  BHP [" << pressure << "] at each FLO\n";
  } else {
    out << "-- iTHP  BHP [" << pressure << "] at each FLO\n";
  }
  for (std::size_t th = 0; th < a.ThpCount(); ++th) {
    for (std::size_t w = 0; w < a.WfrCount(); ++w) {
      for (std::size_t g = 0; g < a.GfrCount(); ++g) {
        char index[96];
        if (prod) {
          std::snprintf(index, sizeof index, "%5zu%5zu%5zu%5zu", th + 1, w + 1, g + 1,
                        static_cast<std::size_t>(1));
        } else {
          std::snprintf(index, sizeof index, "%5zu", th + 1);
        }
        out << index;
        BhpValues(out, t, a.Index(th, w, g, 0), static_cast<int>(std::string(index).size()));
      }
    }
  }
  out << "\n";
  return out.str();
}

}  // namespace pdrop
