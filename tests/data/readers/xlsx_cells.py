# Prints every cell of an XLSX workbook as openpyxl reads it, one row a
# line: "sheet|cell|cell...". Lengths come out as "min:N", clock times as
# "HH:MM", dates as "YYYY-MM-DD".
import datetime
import sys

import openpyxl


def text(x):
    if x is None:
        return ""
    if isinstance(x, datetime.timedelta):
        return "min:%d" % round(x.total_seconds() / 60)
    if isinstance(x, datetime.datetime):
        return x.strftime("%Y-%m-%d") if (x.hour, x.minute) == (0, 0) else x.strftime("%Y-%m-%d %H:%M")
    if isinstance(x, datetime.time):
        return x.strftime("%H:%M")
    if isinstance(x, float) and x.is_integer():
        return str(int(x))
    return str(x)


book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    for row in sheet.iter_rows(values_only=True):
        print(sheet.title + "|" + "|".join(text(x) for x in row))
