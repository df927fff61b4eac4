#!/usr/bin/env python3
"""A second implementation of the graphic tools (point, line, rectangle,
fill), written from the tool rules, that draws the scenarios of
tests/test_graphictools.cpp again and compares the pictures with
tests/golden/graphics/tools.txt:

    tools_check.py SOURCE_DIR

The sign is 12 x 9 dots; its graphic layer reaches five dots beyond it
(columns 0..17, rows 0..14). A picture shows columns and rows up to two
beyond the sign: "#" lit, "." an unlit dot of the sign, ":" of the margin.
"""
import os
import struct
import sys

W, H = 12, 9


def f32(v):
    return struct.unpack("f", struct.pack("f", v))[0]


class Layer:
    def __init__(self):
        self.dots = [[0] * (H + 6) for _ in range(W + 6)]

    def set(self, x, y, lit):
        if 0 <= x <= W + 5 and 0 <= y <= H + 5:
            self.dots[x][y] = -1 if lit else 0

    def get(self, x, y):
        return self.dots[x][y] if 0 <= x <= W + 5 and 0 <= y <= H + 5 else 0

    def fill_sign(self):
        for x in range(W + 6):
            for y in range(H + 6):
                self.dots[x][y] = -1

    def art(self, rows):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                self.set(x, y, c == "#")

    def picture(self):
        out = ""
        for y in range(H + 2):
            for x in range(W + 2):
                out += "#" if self.get(x, y) else ("." if x < W and y < H else ":")
            out += "\n"
        return out


def clamp(v, dimension):
    top = W + 1 if dimension == 1 else H + 1
    return max(0, min(top, v))


def point(layer, x, y, pen, button):
    cx, cy = x, y
    first = {0: 0, 1: -1, 2: -1, 3: -2}[pen]
    last = {0: 0, 1: 0, 2: 1, 3: 1}[pen]
    x0, x1 = clamp(cx + first, 1), clamp(cx + last, 1)
    y0, y1 = clamp(cy + first, 2), clamp(cy + last, 2)
    if y1 > H - 2:
        y1 = H - 1
    if button not in (1, 2):
        return
    for px in range(x0, x1 + 1):
        for py in range(y0, y1 + 1):
            layer.set(px, py, button == 1)


def steps(a, b):
    return range(a, b + 1) if a <= b else range(a, b - 1, -1)


def line(layer, xa, ya, xb, yb, button):
    lit = button == 1
    if xa > xb:
        xa, ya, xb, yb = xb, yb, xa, ya
    if (xb - xa) ** 2 + (yb - ya) ** 2 < 3:
        layer.set(xa, ya, lit)
        layer.set(xb, yb, lit)
        return
    if xa == xb:
        xa, xb, ya, yb = clamp(xa, 1), clamp(xb, 1), clamp(ya, 2), clamp(yb, 2)
        for y in steps(ya, yb):
            if 0 <= y <= H + 5:
                layer.set(xa, y, lit)
        return
    m = f32((yb - ya) / (xb - xa))
    b = f32(ya - f32(xa * m))
    xa, xb, ya, yb = clamp(xa, 1), clamp(xb, 1), clamp(ya, 2), clamp(yb, 2)
    if abs(yb - ya) > abs(xb - xa):
        for y in steps(ya, yb):
            x = round(f32(f32(y - b) / m))
            if 0 <= x <= W + 5:
                layer.set(x, y, lit)
    else:
        for x in range(xa, xb + 1):
            y = round(f32(f32(x * m) + b))
            if 0 <= y <= H + 5:
                layer.set(x, y, lit)


def rectangle(layer, xa, ya, xb, yb, button):
    lit = button == 1
    for y in steps(ya, yb):
        if 0 <= y <= H + 5:
            if 0 <= xa <= W + 5:
                layer.set(xa, y, lit)
            if 0 <= xb <= W + 5:
                layer.set(xb, y, lit)
    for x in steps(xa, xb):
        if 0 <= x <= W + 5:
            if 0 <= ya <= H + 5:
                layer.set(x, ya, lit)
            if 0 <= yb <= H + 5:
                layer.set(x, yb, lit)


def fill(layer, sx, sy, button):
    value = -1 if button == 1 else 0
    if layer.get(sx, sy) == value:
        return
    v = {(x, y): layer.get(x, y) for x in range(W + 1) for y in range(H + 1)}
    queue = [(sx, sy)]
    v[(sx, sy)] = value
    i = 0
    while i < len(queue):
        x, y = queue[i]
        i += 1
        layer.set(x, y, button == 1)
        if y == H or x == W:
            continue
        for n in ((x, y - 1) if y > 0 else None, (x + 1, y) if x < W else None,
                  (x, y + 1) if y < H else None, (x - 1, y) if x > 0 else None):
            if n is not None and v.get(n, 0) != value:
                queue.append(n)
                v[n] = value


def scenarios():
    spots = [(0, 0), (W - 1, 0), (6, 4), (0, H - 1), (W - 1, H - 1)]
    for pen in range(4):
        def lit(layer, pen=pen):
            for x, y in spots:
                point(layer, x, y, pen, 1)

        def dark(layer, pen=pen):
            layer.fill_sign()
            for x, y in spots:
                point(layer, x, y, pen, 2)
        yield "point pen %d button 1 at the corners and (6,4)" % pen, lit
        yield "point pen %d button 2 on a lit sign" % pen, dark
    for name, ends in [
        ("line (0,0)-(1,1): end dots only", (0, 0, 1, 1)),
        ("line (0,0)-(2,0)", (0, 0, 2, 0)),
        ("line (0,0)-(4,2): 0.5 and 1.5 round to even", (0, 0, 4, 2)),
        ("line (4,2)-(0,0): the same dots", (4, 2, 0, 0)),
        ("line (1,0)-(3,8) steep", (1, 0, 3, 8)),
        ("line (11,1)-(2,7) flat, drawn right to left", (11, 1, 2, 7)),
        ("line (5,8)-(5,1) vertical upward", (5, 8, 5, 1)),
        ("line (7,1)-(7,8) vertical downward", (7, 1, 7, 8)),
        ("line (2,3)-(20,6) past the right edge: slope from the real end", (2, 3, 20, 6)),
        ("line (-2,-1)-(5,12) from above the left edge", (-2, -1, 5, 12)),
        ("line (3,20)-(3,-4) vertical through the whole sign", (3, 20, 3, -4)),
    ]:
        yield name, lambda layer, e=ends: line(layer, *e, 1)

    def line4(layer):
        layer.fill_sign()
        line(layer, 0, 8, 11, 0, 4)
    yield "line button 4 clears", line4
    for name, ends in [
        ("rectangle (1,1)-(6,4)", (1, 1, 6, 4)),
        ("rectangle (6,4)-(1,1): the same outline", (6, 4, 1, 1)),
        ("rectangle (8,5)-(20,20): sides beyond the layer dropped", (8, 5, 20, 20)),
        ("rectangle (-1,-1)-(3,3): the left and top sides dropped", (-1, -1, 3, 3)),
        ("rectangle (5,2)-(5,6): one column", (5, 2, 5, 6)),
    ]:
        yield name, lambda layer, e=ends: rectangle(layer, *e, 1)

    def rect2(layer):
        layer.fill_sign()
        rectangle(layer, 2, 2, 9, 6, 2)
    yield "rectangle button 2 clears", rect2

    def with_art(rows, seed, button):
        def run(layer):
            layer.art(rows)
            fill(layer, seed[0], seed[1], button)
        return run
    yield "fill an empty sign: all but the corner (W,H)", with_art([], (4, 4), 1)
    yield "fill inside a closed outline", with_art(["", ".#####", ".#...#", ".#..#", ".#.#", ".##"], (3, 2), 1)
    yield "fill stops at a diagonal outline", with_art(["...#", "..#", ".#", "#"], (0, 0), 1)
    yield "fill outside an outline with a gap leaks in", with_art(["", ".#####", ".#...#", ".#....", ".#####"], (0, 8), 1)
    yield "fill button 2 clears a lit region only", with_art(["####", "#..#", "####", "", "..##", "..##"], (1, 0), 2)
    yield "fill seeded in column W fills that dot only", with_art([], (W, 3), 1)


def main():
    out = ""
    for name, run in scenarios():
        layer = Layer()
        run(layer)
        out += "## " + name + "\n" + layer.picture() + "\n"
    with open(os.path.join(sys.argv[1], "tests", "golden", "graphics", "tools.txt")) as f:
        golden = f.read()
    if out == golden:
        print("ok    tools.txt: %d pictures drawn the same" % out.count("## "))
        return 0
    for a, b in zip(out.split("\n## "), golden.split("\n## ")):
        if a != b:
            print("WRONG first different picture:\n--- second implementation\n%s\n--- golden\n%s" % (a, b))
            break
    return 1


if __name__ == "__main__":
    sys.exit(main())
