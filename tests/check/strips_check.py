#!/usr/bin/env python3
"""A second implementation of the dot-strip encoder and the graphic file
(*.grf), written from the strip rules, that encodes the scenarios of
tests/test_dotstrips.cpp again and compares them with
tests/golden/graphics/strips.txt and logo.grf.txt:

    strips_check.py SOURCE_DIR

Strips are five rows from the top; a slice is 32 + the sum of 2^i over its
lit rows i; a run is d2 x d3 y d4 "w" and slices, y the strip's bottom row;
up to five blank slices stay inside a run, a sixth ends it, and blanks at
the end of a strip stay. The whole graphic is encoded from column 0 to
W - 1 in strips from row 0 while the strip's top is at most H - 1 (the
last strip may read the margin rows); a selection from its top-left dot,
its last strip possibly shorter but still placed four rows below its top.
"""
import os
import sys


def encode(lit, columns, tops, rows_of, origin):
    """lit(x, y); columns to walk; strip tops; rows_of(top) the rows of that
    strip; origin (x0, y0) subtracted from the positions."""
    out = bytearray()
    x0, y0 = origin
    for top in tops:
        rows = rows_of(top)
        in_run, blanks = False, 0
        for x in columns:
            code = 32 + sum(1 << i for i, y in enumerate(rows) if lit(x, y))
            if code != 32:
                if not in_run:
                    out += bytes([210, x - x0, 211, top + 4 - y0, 212, ord("w")])
                    in_run = True
                out.append(code)
                blanks = 0
            elif in_run and blanks < 5:
                out.append(32)
                blanks += 1
            elif in_run:
                del out[-5:]
                in_run, blanks = False, 0
    return bytes(out)


def picture_dots(rows):
    return {(x, y) for y, row in enumerate(rows) for x, c in enumerate(row) if c == "#"}


def whole(picture, w, h):
    dots = picture_dots(picture)
    tops = range(0, h, 5)
    return encode(lambda x, y: (x, y) in dots, range(w), tops, lambda t: range(t, t + 5), (0, 0))


def selection(picture, w, h, sel):
    dots = picture_dots(picture)
    x1, y1, x2, y2 = sel
    x1, x2 = sorted((x1, x2))
    y1, y2 = sorted((y1, y2))
    x1, x2 = max(0, min(w, x1)), max(0, min(w, x2))
    y1, y2 = max(0, min(h, y1)), max(0, min(h, y2))
    tops = list(range(y1, y2 - 4, 5))
    last = tops[-1] + 5 if tops else y1
    tops.append(last)
    return encode(lambda x, y: (x, y) in dots, range(x1, x2), tops,
                  lambda t: range(t, min(t + 5, y2)), (x1, y1))


CASES = [
    ("a gap of five blank columns stays inside the run", 12, 5, ["...#.....#"], None),
    ("a gap of six starts a new run; the first run has one slice", 12, 5, ["...#......#"], None),
    ("the run ends with the two blank columns left before the edge", 12, 5, [".........#"], None),
    ("five blanks and the edge: all five stay", 12, 5, ["......#"], None),
    ("slice codes: row i of the strip adds 2^i", 12, 5, ["##...#", "#...#", "#..#", "#.#", "##"], None),
    ("strip tops at rows 0, 5, 10; y is the strip's bottom row", 12, 12,
     ["#", "", "", "", "", "", "", "", "", "", ".#", "", "..#"], None),
    ("the last strip of a 12-row sign reads the margin rows 12..14", 12, 12,
     ["", "", "", "", "", "", "", "", "", "", "", "", "", "...#"], None),
    ("a 19-row sign: four strips, the last reads row 19", 8, 19,
     ["", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "#", "", "", "", ".#"], None),
    ("selection (0,0)-(10,5) with only its top-left dot lit", 12, 10, ["#"], (0, 0, 10, 5)),
    ("selection positions are relative to its top-left dot", 12, 10, ["", "", "...#.#", "....#"], (2, 2, 9, 8)),
    ("a selection five rows high has one strip and an empty last strip", 12, 10,
     ["", "#", "", "", "", "#", "#"], (0, 1, 4, 6)),
    ("a selection seven rows high: the last strip has two rows, y = its top + 4", 12, 10,
     ["", "", "", "", "", "", "", ".#", "..#"], (0, 2, 4, 9)),
    ("the selection's right edge ends the run after two blanks", 12, 10, ["..#"], (0, 0, 5, 5)),
    ("corners reversed and beyond the sign are normalised and clamped", 12, 10,
     ["", "", "", "", "", "", "", "", "", "..........##"], (20, 20, 5, 8)),
]


def runs_of(text):
    """The runs, one per line, as the golden writes them."""
    if not text:
        return ["  (empty)"]
    starts = [i for i, b in enumerate(text) if b == 210] + [len(text)]
    return ["  " + " ".join("%02x" % b for b in text[a:b]) for a, b in zip(starts, starts[1:])]


def main():
    golden_dir = os.path.join(sys.argv[1], "tests", "golden", "graphics")
    with open(os.path.join(golden_dir, "strips.txt")) as f:
        sections = f.read().split("## ")[1:]
    problems = 0
    if len(sections) != len(CASES):
        print("WRONG strips.txt holds %d cases, this check knows %d" % (len(sections), len(CASES)))
        problems += 1
    for (name, w, h, picture, sel), section in zip(CASES, sections):
        lines = section.rstrip("\n").split("\n")
        text = whole(picture, w, h) if sel is None else selection(picture, w, h, sel)
        expected = [l for l in lines if l.startswith("  ")]
        if lines[0] != name or expected != runs_of(text):
            problems += 1
            print("WRONG %s\n  second implementation:\n%s\n  golden:\n%s" % (name, "\n".join(runs_of(text)), "\n".join(expected)))
    if not problems:
        print("ok    strips.txt: %d encodings agree" % len(CASES))

    logo = ["", "..##....#", "..#.#..##", "..##..#.#", "..#......", "..#......", "...###"]
    text = selection(logo, 12, 10, (2, 1, 10, 7))
    grf = bytes([len(text) >> 8, len(text) & 255]) + text
    with open(os.path.join(golden_dir, "logo.grf.txt")) as f:
        if kvhex(f.read()) != grf:
            problems += 1
            print("WRONG logo.grf.txt\n  second implementation: %s" % " ".join("%02x" % b for b in grf))
        else:
            print("ok    logo.grf.txt: the graphic file agrees")
    return 1 if problems else 0


def kvhex(text):
    return bytes(int(x, 16) for x in text.split())


if __name__ == "__main__":
    sys.exit(main())
