// A diagnostic sheet written to an .xlsx workbook (libxlsxwriter) that any
// spreadsheet program opens. Cells are kept until the sheet is closed or
// destroyed, then written in one go with their font colours and bold flags.
//
// Font colours arrive as the automation interface gives them, 0x00BBGGRR
// (128 is dark red) and are written as the workbook's 0xRRGGBB (#800000).
// A workbook has 1 048 576 rows and 16 384 columns: cells beyond them are
// dropped.
#pragma once

#include <string>

#include "pdrop/platform/MemorySheet.h"

namespace pdrop {

class XlsxSheet : public CDiagSheet {
 public:
  static constexpr int kMaxRows = 1048576;
  static constexpr int kMaxCols = 16384;

  explicit XlsxSheet(std::string path, std::string sheetName = "Diagnostics");
  ~XlsxSheet() override;
  XlsxSheet(const XlsxSheet&) = delete;
  XlsxSheet& operator=(const XlsxSheet&) = delete;

  void SetValue(int col, int row, const CellValue& value) override;
  void SetFontColor(int col, int row, unsigned long color) override;
  void SetBold(int col, int row, bool bold) override;

  // Writes the workbook (once); false when it could not be written.
  bool Close();
  const MemorySheet& Cells() const { return cells_; }

  static unsigned long BgrToRgb(unsigned long bgr);

 private:
  bool Inside(int col, int row) const;
  std::string path_;
  std::string sheetName_;
  MemorySheet cells_;
  bool closed_ = false;
};

}  // namespace pdrop
