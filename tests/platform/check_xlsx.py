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
failures = 0
label_rows = [row for row in range(1, sheet.max_row + 1) if sheet.cell(row, 1).value == "rol"]
if not label_rows:
    print("FAILED: no decision header in the workbook")
    failures += 1
else:
    last = label_rows[-1]
    for col, label in enumerate(labels, start=1):
        cell = sheet.cell(last, col)
        if cell.value != label:
            print(f"FAILED: header column {col} is {cell.value!r}, expected {label!r}")
            failures += 1
        if not cell.font.bold or cell.font.color is None or cell.font.color.rgb not in ("FF800000", "00800000"):
            print(f"FAILED: header {label} is not dark red bold: {cell.font.color}")
            failures += 1
    values = sheet.cell(last + 1, 1).value, sheet.cell(last + 1, 9).value
    if not (isinstance(values[0], float) and abs(values[0] - rho_l) < 1e-9 * rho_l):
        print(f"FAILED: rol value {values[0]!r}, expected {rho_l}")
        failures += 1
    if not (isinstance(values[1], float) and abs(values[1] - vsg) < 1e-9 * max(vsg, 1.0)):
        print(f"FAILED: Vsg value {values[1]!r}, expected {vsg}")
        failures += 1
    if sheet.cell(last + 1, 1).font.bold:
        print("FAILED: a value row is bold")
        failures += 1
print(f"{1 if failures == 0 else 0} passed, {1 if failures else 0} failed")
sys.exit(1 if failures else 0)
