"""Prints a workbook as JSON, read with openpyxl: per sheet its name, frozen cell, size,
column widths and every cell with its value, type, number format and boldness."""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for ws in book.worksheets:
    cells = []
    for row in ws.iter_rows():
        for c in row:
            if c.value is None:
                continue
            cells.append({"row": c.row, "column": c.column, "value": c.value, "type": c.data_type,
                          "format": c.number_format, "bold": bool(c.font and c.font.b)})
    widths = {k: v.width for k, v in ws.column_dimensions.items() if v.width}
    sheets.append({"name": ws.title, "freeze": ws.freeze_panes, "rows": ws.max_row,
                   "columns": ws.max_column, "widths": widths, "cells": cells})
json.dump(sheets, sys.stdout, ensure_ascii=False)
