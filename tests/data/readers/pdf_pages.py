# Prints each page of a PDF written by Qt's PDF writer, one a line:
# "page|N|width|height|scale|right": the page size in points, the scale the
# text is drawn at (1 for the sizes the document asks for, less when it was
# shrunk to fit) and the right edge of the rightmost word, in points.
#
# Qt starts every page with the matrix from its own resolution to points and
# draws the text under the painter's matrix: with the document drawn at 96
# pixels an inch, the scale is that matrix times the page's, over 72/96.
import re
import subprocess
import sys
import zlib

data = open(sys.argv[1], "rb").read()
scales = []
for m in re.finditer(rb"stream\r?\n(.*?)endstream", data, re.S):
    try:
        text = zlib.decompress(m.group(1)).decode("latin1")
    except zlib.error:
        continue
    base = re.match(r"\s*(?:/\S+ \S+ )*([\d.]+) 0 0 -([\d.]+) [\d.-]+ [\d.-]+ cm", text.replace("\n", " "))
    if not base:
        continue
    unit = float(base.group(1))
    found = {round(float(s) * unit * 96 / 72, 3) for s in re.findall(r"\n([\d.]+) 0 0 \1 0 0 cm\n[^B]*BT", text)}
    scales.append(min(found) if found else 1.0)

bbox = subprocess.run(["pdftotext", "-bbox", sys.argv[1], "-"], capture_output=True, text=True, check=True).stdout
pages = re.findall(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', bbox, re.S)
for n, (width, height, words) in enumerate(pages):
    right = max([float(x) for x in re.findall(r'xMax="([\d.]+)"', words)] or [0])
    scale = scales[n] if n < len(scales) else 0
    print("page|%d|%.0f|%.0f|%.3f|%.1f" % (n + 1, float(width), float(height), scale, right))
