#!/usr/bin/env python3
"""One-off converter that made the glyph sources in fonts/glyphs/ and the
character maps in data/Fonts/.

The text and route-number fonts are derived from the public-domain X11
"misc-fixed" bitmap fonts of the Debian package xfonts-base
(/usr/share/fonts/X11/misc/*-ISO8859-1.pcf.gz): each glyph is cropped to the
rows the font needs, trimmed to its ink, optionally emboldened and scaled, and
given its own spacing column. The pseudo-fonts "w" and "x" are generated here;
the symbol font "g" is drawn by hand in fonts/glyphs/g-symbols.txt and only
its map is written here.

The committed sources are the text files; this script is kept to show how
they were made. Run it from the repository root:

    python3 tools/derive_fonts.py [X11-FONT-FOLDER]
"""
import gzip
import os
import struct
import sys

X11 = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/X11/misc"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GLYPH_DIR = os.path.join(ROOT, "fonts", "glyphs")
MAP_DIR = os.path.join(ROOT, "data", "Fonts")


# ------------------------------------------------------------------ PCF reader
def read_pcf(path):
    """Returns a function that gives the glyph of a Latin-1 code as a list of
    rows (0/1) in the font's full cell, or None."""
    data = gzip.open(path).read()
    assert data[:4] == b"\x01fcp", path
    count = struct.unpack("<I", data[4:8])[0]
    toc = {}
    for i in range(count):
        kind, fmt, size, off = struct.unpack("<IIII", data[8 + 16 * i:24 + 16 * i])
        toc[kind] = (fmt, size, off)

    def table(kind):
        off = toc[kind][2]
        fmt = struct.unpack("<I", data[off:off + 4])[0]
        return fmt, off + 4, (">" if fmt & 4 else "<")

    fmt, p, e = table(1 << 2)  # metrics
    metrics = []
    if fmt & 0x100:
        n = struct.unpack(e + "H", data[p:p + 2])[0]
        p += 2
        for _ in range(n):
            metrics.append(tuple(b - 0x80 for b in data[p:p + 5]))
            p += 5
    else:
        n = struct.unpack(e + "I", data[p:p + 4])[0]
        p += 4
        for _ in range(n):
            metrics.append(struct.unpack(e + "hhhhhH", data[p:p + 12])[:5])
            p += 12

    fmt, p, e = table(1 << 3)  # bitmaps
    n = struct.unpack(e + "I", data[p:p + 4])[0]
    p += 4
    offsets = struct.unpack(e + "%dI" % n, data[p:p + 4 * n])
    p += 4 * n
    sizes = struct.unpack(e + "4I", data[p:p + 16])
    p += 16
    pad = 1 << (fmt & 3)
    msbit = bool(fmt & 8)
    msbyte = bool(fmt & 4)
    unit = 1 << ((fmt >> 4) & 3)
    bits = data[p:p + sizes[fmt & 3]]

    fmt, p, e = table(1 << 5)  # encodings
    min2, max2, min1, max1, _ = struct.unpack(e + "5H", data[p:p + 10])
    p += 10
    n = (max2 - min2 + 1) * (max1 - min1 + 1)
    index = struct.unpack(e + "%dH" % n, data[p:p + 2 * n])
    encoding = {}
    for b1 in range(min1, max1 + 1):
        for b2 in range(min2, max2 + 1):
            gi = index[(b1 - min1) * (max2 - min2 + 1) + (b2 - min2)]
            if gi != 0xFFFF:
                encoding[(b1 << 8) | b2] = gi

    accel = (1 << 8) if (1 << 8) in toc else (1 << 1)
    fmt, p, e = table(accel)
    ascent, descent = struct.unpack(e + "ii", data[p + 8:p + 16])

    def glyph(code):
        gi = encoding.get(code)
        if gi is None:
            return None
        left, right, width, asc, desc = metrics[gi]
        gw, gh = right - left, asc + desc
        stride = ((gw + pad * 8 - 1) // (pad * 8)) * pad
        o = offsets[gi]
        cell = [[0] * width for _ in range(ascent + descent)]
        for y in range(gh):
            row = bytearray(bits[o + y * stride:o + (y + 1) * stride])
            if not msbyte and unit > 1:
                row = b"".join(bytes(row[k:k + unit][::-1]) for k in range(0, len(row), unit))
            for x in range(gw):
                b = row[x // 8]
                on = (b >> (7 - x % 8)) & 1 if msbit else (b >> (x % 8)) & 1
                cy, cx = ascent - asc + y, left + x
                if on and 0 <= cy < len(cell) and 0 <= cx < width:
                    cell[cy][cx] = 1
        return cell

    return glyph


# ------------------------------------------------------------------ glyph sets
# Text fonts: printable ASCII less the markup characters # < > \ and the
# rarely used ^ ` { | } ~, whose glyph codes carry the letters below.
MARKUP = set("#<>\\")
DROPPED = set("^`{|}~")
ASCII = [c for c in range(32, 127) if chr(c) not in MARKUP and chr(c) not in DROPPED]
# (glyph code, character code in the map, Latin-1 code of the letter drawn, name)
LETTERS = [
    (35, 196, 196, "A-diaeresis"),
    (60, 214, 214, "O-diaeresis"),
    (62, 197, 197, "A-ring"),
    (92, 201, 201, "E-acute"),
    (94, 220, 220, "U-diaeresis"),
    (96, 233, 233, "e-acute"),
    (123, 228, 228, "a-diaeresis"),
    (124, 246, 246, "o-diaeresis"),
    (125, 229, 229, "a-ring"),
    (126, 189, 252, "u-diaeresis (252 is a placeholder, typed 252 is held as 189)"),
    (127, 223, 223, "sharp s"),
]
ROUTE = " 0123456789ABCDEFHLbd"
DIGITS = "0123456789"


def describe(c):
    return "space" if c == 32 else chr(c)


# ------------------------------------------------------------------ transforms
def ink_rows(cells):
    rows = [y for g in cells for y, r in enumerate(g) if any(r)]
    return min(rows), max(rows)


def ink_cols(g):
    cols = [x for r in g for x, v in enumerate(r) if v]
    return (min(cols), max(cols)) if cols else None


def crop_cols(g, lo, hi):
    return [r[lo:hi + 1] for r in g]


def embolden(g):
    return [[v | (r[x - 1] if x > 0 else 0) for x, v in enumerate(r + [0])] for r in g]


def scale(g, k):
    out = []
    for r in g:
        row = [v for v in r for _ in range(k)]
        out.extend([list(row) for _ in range(k)])
    return out


def blank(width, height):
    return [[0] * width for _ in range(height)]


def pad_rows(g, top, bottom):
    w = len(g[0]) if g else 0
    return blank(w, top) + g + blank(w, bottom)


def add_spacing(g, k):
    return [r + [0] * k for r in g]


def make_font(source, chars, rows, height, bold=False, factor=1, space=None, fix=None):
    """chars: list of (glyph code, Latin-1 code). rows: (first, last) cell rows
    kept. The result is centred vertically in `height` rows; the blank is
    `space` dots wide."""
    glyph = read_pcf(os.path.join(X11, source + "-ISO8859-1.pcf.gz"))
    cells = {}
    for code, latin in chars:
        g = glyph(latin)
        assert g is not None, (source, latin)
        if fix:
            g = fix(latin, g)
        cells[code] = [list(r) for r in g[rows[0]:rows[1] + 1]]
    kept = rows[1] - rows[0] + 1
    assert kept * factor <= height, (source, kept, factor, height)
    extra = height - kept * factor
    top, bottom = extra // 2, extra - extra // 2
    digit_cols = [ink_cols(cells[ord(d)]) for d in DIGITS if ord(d) in cells]
    digit_span = (min(c[0] for c in digit_cols), max(c[1] for c in digit_cols)) if digit_cols else None
    out = {}
    for code, latin in chars:
        g = cells[code]
        if chr(latin) in DIGITS:
            g = crop_cols(g, *digit_span)
        elif latin == 32:
            out[code] = blank(space, height)
            continue
        else:
            span = ink_cols(g)
            assert span, (source, latin)
            g = crop_cols(g, *span)
        if bold:
            g = embolden(g)
        g = scale(g, factor)
        g = pad_rows(g, top, bottom)
        out[code] = add_spacing(g, factor)
    return out


def fix_ring_10x20(latin, g):
    # The ring of A-ring reaches the cell's top row, which the 19-dot font
    # drops: close the gap between ring and letter instead.
    if latin == 197:
        g = [list(r) for r in g]
        del g[4]
        g.insert(0, [0] * len(g[0]))
    return g


# ------------------------------------------------------------------ writers
def write_source(path, font_id, title, origin, glyphs):
    heights = {len(g) for g, _ in glyphs.values()}
    assert len(heights) == 1, (font_id, heights)
    lines = ["; " + title]
    lines += ["; " + o for o in origin]
    lines += ["font " + font_id, "height %d" % heights.pop(), ""]
    for code in sorted(glyphs):
        name = glyphs[code][1]
        lines.append("glyph %d %s" % (code, name))
        for r in glyphs[code][0]:
            lines.append("".join("#" if v else "." for v in r))
        lines.append("")
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines))


def write_map(font_id, entries, header):
    """entries: (character code, glyph code, comment). Written in Windows-1252
    with CR LF, the way the program reads it."""
    folder = os.path.join(MAP_DIR, font_id)
    os.makedirs(folder, exist_ok=True)
    out = bytearray()
    for h in header:
        out += ("  " + h + "\r\n").encode("cp1252")
    for char, code, comment in sorted(entries):
        # The blank is written " 32": a line that starts with two blanks
        # would be a comment.
        line = b" 32" if char == 32 else bytes([char]) + (" %d" % code).encode()
        if char != 32 and comment:
            line += (" " + comment).encode("cp1252")
        out += line + b"\r\n"
    with open(os.path.join(folder, font_id + "map.txt"), "wb") as f:
        f.write(out)


def text_chars():
    chars = [(c, c) for c in ASCII] + [(g, latin) for g, _, latin, _ in LETTERS]
    return sorted(chars)


def text_names():
    names = {c: describe(c) for c in ASCII}
    names.update({g: n.split(" (")[0] for g, _, _, n in LETTERS})
    return names


def text_map_entries():
    entries = [(c, c, "") for c in ASCII]
    entries += [(char, g, n) for g, char, _, n in LETTERS]
    return entries


TEXT_SIGN_FIXES = {
    36: ["..#..", ".###.", "#.#..", ".##..", "..##.", "###..", "..#.."],
    43: [".....", ".....", "..#..", ".###.", "..#..", ".....", "....."],
}

ORIGIN_X11 = "Derived from the X11 misc-fixed font %s (public domain, Debian package xfonts-base); see ../README.md."

TEXT_FONTS = [
    # id, file, title, source, rows kept, height, factor, space width
    ("1", "1-normal07", "Normal 07: text font, 7 dots high", "5x7", (0, 6), 7, 1, 3),
    ("3", "3-normal08", "Normal 08: text font, 8 dots high", "5x8", (0, 7), 8, 1, 3),
    ("4", "4-normal10", "Normal 10: text font, 10 dots high", "6x10", (0, 9), 10, 1, 3),
    ("5", "5-normal12", "Normal 12: text font, 12 dots high", "6x13", (1, 12), 12, 1, 4),
    ("6", "6-normal14", "Normal 14: text font, 14 dots high", "7x14", (0, 13), 14, 1, 4),
    ("7", "7-normal16", "Normal 16: text font, 16 dots high", "9x15", (0, 14), 16, 1, 5),
    ("8", "8-normal19", "Normal 19: text font, 19 dots high", "10x20", (1, 19), 19, 1, 5),
    ("9", "9-normal24", "Normal 24: text font, 24 dots high, the 12-dot design doubled", "6x13", (1, 12), 24, 2, 8),
    ("a", "a-normal32", "Normal 32: text font, 32 dots high, the 16-dot design doubled", "9x15", (0, 14), 32, 2, 10),
]

ROUTE_FONTS = [
    # id, file, title, source, bold, factor, height
    ("h", "h-route07", "Route no. 07: route-number font, 7 dots high", "5x7", True, 1, 7),
    ("i", "i-route08", "Route no. 08: route-number font, 8 dots high", "6x10", True, 1, 8),
    ("b", "b-route10", "Route no. 10: route-number font, 10 dots high", "8x13B", False, 1, 10),
    ("c", "c-route12", "Route no. 12: route-number font, 12 dots high", "5x7", False, 2, 12),
    ("d", "d-route14", "Route no. 14: route-number font, 14 dots high", "6x10", False, 2, 14),
    ("e", "e-route16", "Route no. 16: route-number font, 16 dots high", "10x20", False, 1, 16),
    ("f", "f-route19", "Route no. 19: route-number font, 19 dots high", "7x13B", False, 2, 19),
    ("j", "j-route24", "Route no. 24: route-number font, 24 dots high", "8x13B", False, 2, 24),
    ("k", "k-route32", "Route no. 32: route-number font, 32 dots high", "8x13B", False, 3, 32),
]


def main():
    os.makedirs(GLYPH_DIR, exist_ok=True)
    names = text_names()
    for fid, fname, title, source, rows, height, factor, space in TEXT_FONTS:
        fix = fix_ring_10x20 if source == "10x20" else None
        glyphs = make_font(source, text_chars(), rows, height, factor=factor, space=space, fix=fix)
        origin = [ORIGIN_X11 % source,
                  "Glyphs trimmed to their ink with one spacing column%s." %
                  (", then every dot doubled" if factor > 1 else "")]
        write_source(os.path.join(GLYPH_DIR, fname + ".txt"), fid, title, origin,
                     {c: (g, names[c]) for c, g in glyphs.items()})
        write_map(fid, text_map_entries(), [title, "Character, blank, glyph code; a line that starts with two blanks is a comment."])

    # The text-sign font: the 5 x 7 cells as they are, except the two whose
    # ink fills all five columns and so leaves no spacing column.
    glyph = read_pcf(os.path.join(X11, "5x7-ISO8859-1.pcf.gz"))
    glyphs = {code: (glyph(latin), names[code]) for code, latin in text_chars()}
    for code, rows in TEXT_SIGN_FIXES.items():
        glyphs[code] = ([[1 if ch == "#" else 0 for ch in r] for r in rows], names[code])
    write_source(os.path.join(GLYPH_DIR, "2-textsign.txt"), "2", "Text sign 5x7: fixed-pitch font of the text signs",
                 [ORIGIN_X11 % "5x7", "Cells used as they are: 5 x 7 dots, the spacing column included;",
                  "the dollar and plus signs redrawn narrower (our own design)."], glyphs)
    write_map("2", text_map_entries(), ["Text sign 5x7", "Character, blank, glyph code; a line that starts with two blanks is a comment."])

    route_chars = [(ord(c), ord(c)) for c in ROUTE]
    for fid, fname, title, source, bold, factor, height in ROUTE_FONTS:
        glyph = read_pcf(os.path.join(X11, source + "-ISO8859-1.pcf.gz"))
        rows = ink_rows([glyph(ord(c)) for c in ROUTE[1:]])
        glyphs = make_font(source, route_chars, rows, height, bold=bold, factor=factor, space=1)
        # The blank is as wide as a digit, so that a route number padded with
        # blanks keeps its digits in their places.
        glyphs[32] = blank(len(glyphs[48][0]), height)
        origin = [ORIGIN_X11 % source,
                  "Route-number characters only, glyph code = character code; digits of equal width%s%s." %
                  (", emboldened" if bold else "", ", every dot %s" % {2: "doubled", 3: "tripled"}[factor] if factor > 1 else "")]
        write_source(os.path.join(GLYPH_DIR, fname + ".txt"), fid, title, origin,
                     {c: (g, describe(c)) for c, g in glyphs.items()})
        write_map(fid, [(ord(c), ord(c), "") for c in ROUTE],
                  [title, "Route-number characters; glyph code = character code."])

    # "w": the dot-strip pseudo-font; glyph n draws the five dots of n - 32.
    w = {}
    for code in range(32, 64):
        bits = code - 32
        w[code] = ([[(bits >> row) & 1] for row in range(5)], "strip %d" % bits)
    write_source(os.path.join(GLYPH_DIR, "w-strips.txt"), "w",
                 "Dot strips: one column of five dots per glyph, bit i of (code - 32) lights row i",
                 ["Our own design."], w)

    # "x": blank and solid fill of the default destination and the fill text.
    x = {32: (blank(4, 20), "space"), 34: ([[1] * 16 for _ in range(20)], "solid fill")}
    write_source(os.path.join(GLYPH_DIR, "x-fill.txt"), "x",
                 "Fill: the blank (32) and the solid block (34) of default and fill texts, 20 dots high",
                 ["Our own design. The solid block has no spacing column: it is meant to fill."], x)
    write_map("x", [(32, 32, ""), (34, 34, "solid fill")], ["Fill font: blank and solid block."])

    # "g": symbols drawn by hand in fonts/glyphs/g-symbols.txt.
    symbols = [(32, "space")]
    with open(os.path.join(GLYPH_DIR, "g-symbols.txt")) as f:
        for line in f:
            if line.startswith("glyph "):
                parts = line.split(None, 2)
                code = int(parts[1])
                if code != 32:
                    symbols.append((code, parts[2].strip() if len(parts) > 2 else ""))
    write_map("g", [(c, c, n if c != 32 else "") for c, n in symbols],
              ["Symbols: the character names the symbol (L, R, U, D arrows; H wheelchair)."])


if __name__ == "__main__":
    main()
