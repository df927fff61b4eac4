#!/usr/bin/env python3
"""A second implementation of the selection transforms (clear, move,
mirror, invert, rotate), written from the transform rules, that runs the
scenarios of tests/test_transforms.cpp again and compares the before and
after pictures with tests/golden/graphics/transforms.txt:

    transforms_check.py SOURCE_DIR

The sign is 10 x 8 dots; its graphic layer reaches five dots beyond it.
A selection (x1, y1, x2, y2) in dots covers columns x1..x2 - 1 and rows
y1..y2 - 1.
"""
import os
import sys

W, H = 10, 8


class Layer:
    def __init__(self, rows=(), x0=0, y0=0):
        self.dots = set()
        self.art(rows, x0, y0)

    def art(self, rows, x0=0, y0=0):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                self.put(x0 + x, y0 + y, c == "#")

    def put(self, x, y, lit):
        if 0 <= x <= W + 5 and 0 <= y <= H + 5:
            (self.dots.add if lit else self.dots.discard)((x, y))

    def lit(self, x, y):
        return (x, y) in self.dots

    def picture(self):
        return ["".join("#" if self.lit(x, y) else ("." if x < W and y < H else ":") for x in range(W + 2))
                for y in range(H + 2)]


def block(sel):
    x1, y1, x2, y2 = sel
    return range(x1, x2), range(y1, y2)


def normalised(sel):
    x1, y1, x2, y2 = sel
    return min(x1, x2), min(y1, y2), max(x1, x2), max(y1, y2)


def clear(layer, sel):
    xs, ys = block(normalised(sel))
    for y in ys:
        for x in xs:
            layer.put(x, y, False)


def move(layer, sel, dx, dy, opaque, copy):
    xs, ys = block(sel)
    scratch = {(x, y): layer.lit(x, y) for x in xs for y in ys}
    clear(layer, sel)
    ddx, ddy = int(dx / 5), int(dy / 5)
    for (x, y), lit in scratch.items():
        tx, ty = x + ddx, y + ddy
        if not (0 <= tx <= W + 1 and 0 <= ty <= H + 1):
            continue
        if lit:
            layer.put(tx, ty, True)
        elif opaque:
            layer.put(tx, ty, False)
    if copy:
        for (x, y), lit in scratch.items():
            if lit:
                layer.put(x, y, True)


def mirror_vertically(layer, sel):
    xs, ys = block(sel)
    rows = [[layer.lit(x, y) for x in xs] for y in ys]
    for y, row in zip(ys, reversed(rows)):
        for x, lit in zip(xs, row):
            layer.put(x, y, lit)


def mirror_horizontally(layer, sel):
    xs, ys = block(sel)
    columns = [[layer.lit(x, y) for y in ys] for x in xs]
    for x, column in zip(xs, reversed(columns)):
        for y, lit in zip(ys, column):
            layer.put(x, y, lit)


def invert(layer, sel):
    xs, ys = block(sel)
    for x in xs:
        for y in ys:
            layer.put(x, y, not layer.lit(x, y))


def rotate(layer, sel, angle):
    x1, y1, x2, y2 = normalised(sel)
    x1, x2 = max(0, min(W, x1)), max(0, min(W, x2))
    y1, y2 = max(0, min(H, y1)), max(0, min(H, y2))
    xs, xe, ys, ye = x1, x2 - 1, y1, y2 - 1
    w, h = abs(xe - xs), abs(ye - ys)
    a = {(u, v): layer.lit(xs + u, ys + v) for u in range(w + 1) for v in range(h + 1)}
    for (u, v) in a:
        layer.put(xs + u, ys + v, False)
    h2 = W - xs if xs + h > W else h
    w2 = H - ys if ys + w > H else w
    b = {}
    for u in range(w2 + 1):
        for v in range(h2 + 1):
            b[(h2 - v, u) if angle == 90 else (v, w2 - u)] = a[(u, v)]
    for x in range(xs, xs + h2 + 1):
        for y in range(ys, ys + w2 + 1):
            layer.put(x, y, b.get((x - xs, y - ys), False))


PICTURE = ["..........", ".###......", ".#.#......", ".##.......", "..........", "......####", "......####", ".........."]
LETTER = ["..........", ".###......", ".#........", ".##.......", ".#........", ".........."]


def scenarios():
    yield ("clear the block (1,1)-(3,3), corners given reversed", PICTURE, lambda l: clear(l, (4, 4, 1, 1)))
    yield ("transparent move of the ring onto the lit block: the hole keeps what lies under it", PICTURE,
           lambda l: move(l, (1, 1, 4, 4), 30, 20, False, False))
    yield ("opaque move of the ring onto the lit block: the hole clears it", PICTURE,
           lambda l: move(l, (1, 1, 4, 4), 30, 20, True, False))
    yield ("copy: the ring stays and a copy lands beside it", PICTURE,
           lambda l: move(l, (1, 1, 4, 4), 20, -5, False, True))
    yield ("move past the right edge: columns beyond W+1 are lost", PICTURE,
           lambda l: move(l, (6, 5, 10, 7), 15, 0, False, False))
    yield ("move of 7 fifths moves the dots one column", PICTURE, lambda l: move(l, (1, 1, 4, 4), 7, 0, False, False))
    yield ("mirror top to bottom, five rows: rows 0-4 and 1-3 swap, 2 stays", LETTER,
           lambda l: mirror_vertically(l, (1, 1, 4, 6)))
    yield ("mirror top to bottom, four rows", LETTER, lambda l: mirror_vertically(l, (1, 1, 4, 5)))
    yield ("mirror left to right, three columns", LETTER, lambda l: mirror_horizontally(l, (1, 1, 4, 5)))
    yield ("mirror left to right, four columns", LETTER, lambda l: mirror_horizontally(l, (0, 1, 4, 5)))
    yield ("invert the block (0,0)-(4,4)", PICTURE, lambda l: invert(l, (0, 0, 5, 5)))
    yield ("rotate 90: a 3 x 2 block becomes 2 x 3; top-left to top-right, top-right to bottom-right",
           ["", ".#.#", ".#.."], lambda l: rotate(l, (1, 1, 4, 3), 90))
    yield ("rotate 270: a 3 x 2 block becomes 2 x 3; top-left to bottom-left",
           ["", ".#.#", ".#.."], lambda l: rotate(l, (1, 1, 4, 3), 270))
    yield ("rotate 90 near the bottom: only H - ys + 1 columns are kept",
           ["", "", "", "", "", ".######", ".#....#"], lambda l: rotate(l, (1, 5, 7, 7), 90))

    def edge(l):
        l.art(["#.", "##", "#.", "##", "#.", "##", "#.", "##"], 7, 0)
        rotate(l, (7, 0, 9, 8), 270)
    yield ("rotate 270 near the right edge: the turned block is cut at column W", [], edge)


def main():
    out = ""
    for name, picture, run in scenarios():
        layer = Layer(picture)
        before = layer.picture()
        run(layer)
        out += "## " + name + "\n" + "".join(a + "   " + b + "\n" for a, b in zip(before, layer.picture())) + "\n"
    with open(os.path.join(sys.argv[1], "tests", "golden", "graphics", "transforms.txt")) as f:
        golden = f.read()
    if out == golden:
        print("ok    transforms.txt: %d pictures drawn the same" % out.count("## "))
        return 0
    for a, b in zip(out.split("\n## "), golden.split("\n## ")):
        if a != b:
            print("WRONG first different picture:\n--- second implementation\n%s\n--- golden\n%s" % (a, b))
            break
    return 1


if __name__ == "__main__":
    sys.exit(main())
