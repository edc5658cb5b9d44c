# Prints the page setup of every sheet of an XLSX workbook as openpyxl reads
# it, one field a line: "sheet|field|value". Column widths come as
# "width|A|24.0", one line per column that has one. A fit to pages left out
# of the file is the format's default, 1.
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for ws in book.worksheets:
    setup = ws.page_setup
    fields = {
        "orientation": setup.orientation,
        "paperSize": setup.paperSize,
        "fitToWidth": 1 if setup.fitToWidth is None else setup.fitToWidth,
        "fitToHeight": 1 if setup.fitToHeight is None else setup.fitToHeight,
        "fitToPage": ws.sheet_properties.pageSetUpPr.fitToPage if ws.sheet_properties.pageSetUpPr else None,
        "printTitleRows": ws.print_title_rows,
        "printTitleCols": ws.print_title_cols,
        "freeze": ws.freeze_panes,
        "footer": (ws.oddFooter.left.text or "") + "|" + (ws.oddFooter.right.text or ""),
        "headerHeight": ws.row_dimensions[1].height,
    }
    for name, value in fields.items():
        print("%s|%s|%s" % (ws.title, name, value))
    for letter, dim in sorted(ws.column_dimensions.items()):
        if dim.width:
            # A range of columns with one width is given once per column.
            for col in range(dim.min or 0, (dim.max or 0) + 1):
                print("%s|width|%s|%.1f" % (ws.title, openpyxl.utils.get_column_letter(col), dim.width))
