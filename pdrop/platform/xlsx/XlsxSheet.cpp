#include "pdrop/platform/xlsx/XlsxSheet.h"

#include <map>
#include <utility>

#include <xlsxwriter.h>

namespace pdrop {

XlsxSheet::XlsxSheet(std::string path, std::string sheetName)
    : path_(std::move(path)), sheetName_(std::move(sheetName)) {}

XlsxSheet::~XlsxSheet() { Close(); }

bool XlsxSheet::Inside(int col, int row) const {
  return !closed_ && col >= 1 && row >= 1 && col <= kMaxCols && row <= kMaxRows;
}

void XlsxSheet::SetValue(int col, int row, const CellValue& value) {
  if (Inside(col, row)) cells_.SetValue(col, row, value);
}

void XlsxSheet::SetFontColor(int col, int row, unsigned long color) {
  if (Inside(col, row)) cells_.SetFontColor(col, row, color);
}

void XlsxSheet::SetBold(int col, int row, bool bold) {
  if (Inside(col, row)) cells_.SetBold(col, row, bold);
}

unsigned long XlsxSheet::BgrToRgb(unsigned long bgr) {
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

bool XlsxSheet::Close() {
  if (closed_) return true;
  closed_ = true;
  lxw_workbook* book = workbook_new(path_.c_str());
  if (book == nullptr) return false;
  lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName_.c_str());
  // One format per colour and weight in use.
  std::map<std::pair<long, bool>, lxw_format*> formats;
  auto formatFor = [&](const MemorySheet::Cell& c) -> lxw_format* {
    if (!c.hasColor && !c.bold) return nullptr;
    const long colour = c.hasColor ? static_cast<long>(BgrToRgb(c.color)) : -1;
    lxw_format*& f = formats[{colour, c.bold}];
    if (f == nullptr) {
      f = workbook_add_format(book);
      if (colour >= 0) format_set_font_color(f, static_cast<lxw_color_t>(colour));
      if (c.bold) format_set_bold(f);
    }
    return f;
  };
  for (const auto& [key, cell] : cells_.Cells()) {
    const lxw_row_t row = static_cast<lxw_row_t>(key.first - 1);
    const lxw_col_t col = static_cast<lxw_col_t>(key.second - 1);
    lxw_format* f = formatFor(cell);
    if (!cell.hasValue) {
      worksheet_write_blank(sheet, row, col, f);
    } else if (const double* d = std::get_if<double>(&cell.value)) {
      worksheet_write_number(sheet, row, col, *d, f);
    } else {
      worksheet_write_string(sheet, row, col, std::get<std::string>(cell.value).c_str(), f);
    }
  }
  return workbook_close(book) == LXW_NO_ERROR;
}

}  // namespace pdrop
