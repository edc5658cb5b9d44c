# Prints every cell of a CSV file (as Python's csv module reads the program's
# ";"-separated UTF-8) or of an XLSX workbook (as openpyxl reads it, with the
# type it keeps: "s" text, "n" number, "f" formula...), one row a line as a
# JSON list of [type, value] pairs.
import csv
import json
import sys

path = sys.argv[1]
if path.endswith(".csv"):
    with open(path, newline="", encoding="utf-8-sig") as f:
        for row in csv.reader(f, delimiter=";"):
            print(json.dumps([["s", cell] for cell in row]))
else:
    import openpyxl

    book = openpyxl.load_workbook(path)
    for sheet in book.worksheets:
        for row in sheet.iter_rows():
            print(json.dumps([[c.data_type, "" if c.value is None else str(c.value)] for c in row]))
