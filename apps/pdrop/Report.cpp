#include "Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <sstream>

#include "pdrop/case/CaseFile.h"
#include "pdrop/core/PressDrop.h"
#include "pdrop/shell/Catalogue.h"
#include "pdrop/traverse/RowColumns.h"

namespace pdrop::cli {
namespace {

std::string Number(double v, int decimals) { return FixedNumber(v, decimals); }

}  // namespace

std::string FixedNumber(double v, int decimals) {
  if (!IsSet(v) || !std::isfinite(v)) return "";
  std::ostringstream s;
  s << std::fixed << std::setprecision(decimals) << v;
  std::string text = s.str();
  // A value that rounds to zero is shown without a sign.
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

void PrintColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                  const std::vector<bool>& left) {
  std::vector<std::size_t> width;
  for (const auto& row : rows) {
    if (width.size() < row.size()) width.resize(row.size(), 0);
    for (std::size_t i = 0; i < row.size(); ++i) {
      // Width in characters, counting a UTF-8 sequence once.
      std::size_t n = 0;
      for (unsigned char ch : row[i]) n += (ch & 0xC0) != 0x80;
      width[i] = std::max(width[i], n);
    }
  }
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      std::size_t n = 0;
      for (unsigned char ch : row[i]) n += (ch & 0xC0) != 0x80;
      const std::string pad(width[i] - n, ' ');
      if (i > 0) line += "  ";
      const bool alignLeft = i < left.size() && left[i];
      line += alignLeft ? row[i] + pad : pad + row[i];
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << "\n";
  }
}

void PrintTable(std::ostream& out, const TraverseCase& c, const TraverseResult& r) {
  out << c.name << " - " << CorrelationTitle(c.correlation) << "\n";
  using K = RowColumn::Kind;
  std::vector<std::vector<std::string>> rows(1);
  std::vector<bool> left;
  for (const RowColumn& col : TraverseColumns()) {
    if (!col.label) continue;
    rows[0].push_back(col.label);
    left.push_back(col.kind == K::kText || col.kind == K::kFlag);
  }
  for (const TraverseRow& row : r.rows) {
    std::vector<std::string>& cells = rows.emplace_back();
    for (const RowColumn& col : TraverseColumns()) {
      if (!col.label) continue;
      if (col.kind == K::kText) {
        cells.push_back(row.regime_name);
      } else if (col.kind == K::kFlag) {
        cells.push_back(col.number(row) != 0.0 ? "yes" : "");
      } else {
        cells.push_back(FixedNumber(col.number(row), col.table_decimals));
      }
    }
  }
  PrintColumns(out, rows, left);
}

void PrintSummary(std::ostream& out, const TraverseCase& c, const TraverseResult& r) {
  const bool knownFirst = c.known_end == ProfileEnd::kFirst;
  out << "\n";
  if (r.complete) {
    out << "computed " << (knownFirst ? "last" : "first")
        << "-station pressure: " << Number(r.computed_end_pressure_psia, 2) << " psia\n";
  } else {
    out << "INCOMPLETE: the segment starting at md " << Number(r.stopped_at_md_ft, 1)
        << " ft could not be computed: " << r.reason << "\n";
  }
  out << "total friction change:  " << Number(r.total_friction_dp_psi, 2) << " psi\n";
  out << "total elevation change: " << Number(r.total_elevation_dp_psi, 2) << " psi\n";
  if (r.has_loading) {
    out << "liquid loading: gas rate below the Turner critical rate from md "
        << Number(r.loading_md_ft, 1) << " ft\n";
  } else {
    out << "liquid loading: none\n";
  }
  for (const std::string& w : r.warnings) out << "note: " << w << "\n";
}

void WriteCsv(std::ostream& out, const TraverseResult& r) {
  using K = RowColumn::Kind;
  const char* comma = "";
  for (const RowColumn& col : TraverseColumns()) {
    out << comma << col.name;
    comma = ",";
  }
  out << "\n";
  for (const TraverseRow& row : r.rows) {
    comma = "";
    for (const RowColumn& col : TraverseColumns()) {
      out << comma;
      comma = ",";
      switch (col.kind) {
        case K::kText:
          out << '"' << row.regime_name << '"';
          break;
        case K::kCode:
        case K::kFlag:
          out << static_cast<int>(col.number(row));
          break;
        default:
          out << Number(col.number(row), col.csv_decimals);
      }
    }
    out << "\n";
  }
}

}  // namespace pdrop::cli
