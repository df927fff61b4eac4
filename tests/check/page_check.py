#!/usr/bin/env python3
"""Checks the dots of the markup goldens with a second reader of the sign
bytes and the font library (kvformats.py), written from the format
descriptions:

    page_check.py SOURCE_DIR GEN_DIR

Every tests/golden/markup/*.txt shows a stored page (its markup and bytes)
and the dots the program draws for it. Here the bytes are read run by run
and every glyph is copied from the font library to its place (left dot
column x, bottom dot row y); a placeholder for the last n route-number
characters draws those characters, and a route-number header draws the
route number in its font from its own corner. The dots must be the
golden's, and the page must encode again to the stored markup and bytes.

The project of those pages (tests/test_probe_page.cpp) has the route number
"4567" of three characters.
"""
import glob
import os
import re
import sys

import kvformats as kv

ROUTE_TEXT, ROUTE_COUNT = "4567", 3


def main():
    src, gen = sys.argv[1], sys.argv[2]
    with open(os.path.join(gen, "Fonts", "kstndrd.bib"), "rb") as f:
        fonts = kv.read_library(f.read())
    maps = {}

    def route_glyphs(font, n):
        if font not in maps:
            maps[font] = kv.read_char_map(os.path.join(src, "data", "Fonts", font, font + "map.txt"))
        chars = ROUTE_TEXT[ROUTE_COUNT - n:ROUTE_COUNT]
        return [maps[font][ord(c)] for c in chars]

    problems = 0
    for path in sorted(glob.glob(os.path.join(src, "tests", "golden", "markup", "*.txt"))):
        with open(path, encoding="latin-1") as f:
            lines = f.read().splitlines()
        size = re.search(r"(\d+)x(\d+)$", lines[0])
        width, height = int(size.group(1)), int(size.group(2))
        stored = bytes.fromhex(lines[2].split(": ")[1].replace(" ", ""))
        header, dots = kv.draw_page(stored, fonts, width, height, route_glyphs)
        if header:
            x, bottom, font = header
            top = bottom - len(fonts[font][ord("0")]) + 1
            for c in ROUTE_TEXT[:ROUTE_COUNT]:
                rows = fonts[font][ord(c)]
                dots = [list(r) for r in dots]
                for gy, row in enumerate(rows):
                    for gx, d in enumerate(row):
                        if d == "#" and 0 <= x + gx < width and 0 <= top + gy < height:
                            dots[top + gy][x + gx] = "#"
                dots = ["".join(r) for r in dots]
                x += len(rows[0])
        name = os.path.basename(path)
        golden = lines[3:3 + height]
        again = lines[3 + height:] == ["markup: " + lines[1].split(": ", 1)[1], "bytes: " + lines[2].split(": ", 1)[1]]
        if dots != golden or not again:
            problems += 1
            print("WRONG %s" % name)
            for a, b in zip(dots, golden):
                print("  %s   %s" % (a, b))
        else:
            print("ok    %s" % name)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
