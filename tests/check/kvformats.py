"""Readers of the program's byte formats, written from the format
descriptions for the checks in this folder. They share no code with the
program: where the two agree on a file, the file follows the format as
this second reading understands it.
"""
import os


class Damaged(Exception):
    pass


def read_hex(text):
    """Bytes written as hex pairs separated by blanks and line ends."""
    return bytes(int(x, 16) for x in text.split())


# ---------------------------------------------------------------- font library
#
# A sequence of font records from offset 0: code byte (32..127), 128 glyph
# offsets (16-bit little-endian, relative to the record, 0 = absent), the
# record length (16-bit); a glyph is its height - 1, its width - 1, then
# per column (H - 1) // 8 + 1 bytes, bit k of byte j the dot of row 8j + k.

def read_library(data):
    fonts = {}
    p = 0
    while p < len(data) and 32 <= data[p] <= 127:
        if p + 259 > len(data):
            raise Damaged("record at %d is cut short" % p)
        length = data[p + 257] | data[p + 258] << 8
        if data[p + 258] > 127 or length < 259:
            raise Damaged("record at %d has the length %d" % (p, length))
        glyphs = {}
        for g in range(128):
            lo, hi = data[p + 1 + 2 * g], data[p + 2 + 2 * g]
            if hi > 127:
                raise Damaged("glyph offset of %d/%d above 32767" % (data[p], g))
            offset = lo | hi << 8
            if offset == 0:
                continue
            if offset < 259 or offset + 2 > length:
                raise Damaged("glyph %d of font %c at %d lies outside its record" % (g, data[p], offset))
            q = p + offset
            h, w = data[q] + 1, data[q + 1] + 1
            per_column = (h - 1) // 8 + 1
            if offset + 2 + w * per_column > length:
                raise Damaged("glyph %d of font %c runs past its record" % (g, data[p]))
            rows = []
            for y in range(h):
                row = ""
                for x in range(w):
                    byte = data[q + 2 + x * per_column + y // 8]
                    row += "#" if byte >> (y % 8) & 1 else "."
                rows.append(row)
            glyphs[g] = rows
        fonts[chr(data[p])] = glyphs
        p += length
        if p > len(data):
            raise Damaged("the last record runs past the end of the file")
    if p != len(data):
        raise Damaged("%d bytes after the last record" % (len(data) - p))
    return fonts


def read_font_source(text):
    """The glyph source of one font (fonts/README.md): id, height, glyphs."""
    font, height, glyphs, current = None, None, {}, None
    for line in text.splitlines():
        line = line.rstrip("\r")
        if not line.strip() or line.startswith(";"):
            current = None
            continue
        words = line.split()
        if words[0] == "font":
            font = words[1]
        elif words[0] == "height":
            height = int(words[1])
        elif words[0] == "glyph":
            current = int(words[1])
            glyphs[current] = []
        else:
            glyphs[current].append(line.strip())
    for code, rows in glyphs.items():
        if len(rows) != height:
            raise Damaged("glyph %d of font %s has %d rows" % (code, font, len(rows)))
    return font, height, glyphs


def read_font_sources(folder):
    fonts = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt"):
            with open(os.path.join(folder, name), encoding="latin-1") as f:
                font, _, glyphs = read_font_source(f.read())
            fonts[font] = glyphs
    return fonts


def read_char_map(path):
    """A font's map.txt: per line the character (column 1) and, from column
    3 (or 2 when that reads below 32) up to the next blank, its glyph code;
    lines that begin with two blanks are comments."""

    def value(text):
        digits = ""
        for c in text.lstrip(" "):
            if not c.isdigit():
                break
            digits += c
        return int(digits) if digits else 0

    codes = {}
    with open(path, "rb") as f:
        for raw in f.read().split(b"\n"):
            line = raw.rstrip(b"\r").decode("latin-1")
            if not line or line.startswith("  "):
                continue
            blank = line.find(" ", 2)
            end = blank if blank >= 0 else len(line)
            code = value(line[2:end])
            if code < 32:
                code = value(line[1:end])
            codes[ord(line[0])] = code
    return codes


# ---------------------------------------------------------------- sign bytes
#
# A graphic sign page: 210 x 211 y 212 f and glyph bytes per run, x the left
# dot column and y the bottom dot row of the run; an optional route-number
# header 210 x 211 y 212 f 242 first; dot-strip runs in the pseudo-font "w"
# whose slices light row i (from the strip's top, y - 4) for bit i of c - 32.

def read_runs(page):
    runs = []
    header = None
    p = 0
    if len(page) >= 7 and page[6] == 242:
        header = (page[1], page[3], chr(page[5]))
        p = 7
    while p < len(page):
        if page[p] != 210:
            raise Damaged("byte %d of the page is %d, not the start of a run" % (p, page[p]))
        if p + 6 > len(page) or page[p + 2] != 211 or page[p + 4] != 212:
            raise Damaged("run at %d without its commands" % p)
        end = page.find(b"\xd2", p + 1)
        end = len(page) if end < 0 else end
        runs.append((page[p + 1], page[p + 3], chr(page[p + 5]), page[p + 6:end]))
        p = end
    return header, runs


def draw_page(page, fonts, width, height, route_glyphs=None):
    """The dots the page lights on a sign of width x height, as rows of "#"
    and "."; route_glyphs(font, n) gives the glyph codes a placeholder for
    the last n route-number characters stands for."""
    dots = [["."] * width for _ in range(height)]

    def light(x, y):
        if 0 <= x < width and 0 <= y < height:
            dots[y][x] = "#"

    def glyph(font, code, x, bottom):
        rows = fonts[font][code]
        top = bottom - len(rows) + 1
        for gy, row in enumerate(rows):
            for gx, c in enumerate(row):
                if c == "#":
                    light(x + gx, top + gy)
        return len(rows[0])

    header, runs = read_runs(page)
    for x, y, font, body in runs:
        if font == "w":
            for i, c in enumerate(body):
                for bit in range(5):
                    if (c - 32) >> bit & 1:
                        light(x + i, y - 4 + bit)
            continue
        for code in body:
            if 250 <= code <= 254:
                for g in route_glyphs(font, code - 249):
                    x += glyph(font, g, x, y)
            else:
                x += glyph(font, code, x, y)
    return header, ["".join(r) for r in dots]
