"""Reads back the trace workbook: labels in dark red bold, values as numbers.

Usage: check_xlsx.py WRITER WORKBOOK
"""

import subprocess
import sys

import openpyxl

writer, path = sys.argv[1], sys.argv[2]
out = subprocess.run([writer, path], check=True, capture_output=True, text=True).stdout.split()
rho_l, vsg = float(out[0]), float(out[1])

sheet = openpyxl.load_workbook(path).active
labels = ["rol", "rog", "stl", "mul", "r", "theta", "Dia", "Vsl", "Vsg"]
failures = []
label_rows = [row for row in range(1, sheet.max_row + 1) if sheet.cell(row, 1).value == "rol"]
if not label_rows:
    failures.append("no decision header ('rol') in the workbook")
last = label_rows[-1] if label_rows else sheet.max_row + 1
for col, label in enumerate(labels, start=1):
    cell = sheet.cell(last, col)
    if cell.value != label:
        failures.append(f"header column {col} is {cell.value!r}, expected {label!r}")
    color = cell.font.color.rgb if cell.font.color is not None else None
    if not cell.font.bold or color not in ("FF800000", "00800000"):
        failures.append(f"header {label} is not dark red bold: {cell.font.color}")
for col, expected in ((1, rho_l), (9, vsg)):
    value = sheet.cell(last + 1, col).value
    if not (isinstance(value, float) and abs(value - expected) < 1e-9 * max(expected, 1.0)):
        failures.append(f"column {col} value {value!r}, expected {expected}")
if sheet.cell(last + 1, 1).font.bold:
    failures.append("a value row is bold")
for failure in failures:
    print(f"FAILED: {failure}")
print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
sys.exit(1 if failures else 0)
