#!/usr/bin/env python3
"""Checks the font library goldens with a second reader of the library
format (kvformats.py), written from the format description:

    fonts_check.py SOURCE_DIR GEN_DIR

- tests/golden/fonts/tiny-bib.hex holds exactly the glyphs of its source
  tests/fixtures/fonts/tiny.txt;
- the built library GEN_DIR/Fonts/kstndrd.bib holds exactly the glyphs of
  fonts/glyphs/*.txt;
- tests/golden/fonts/probe-fonts.txt lists that library's fonts (id, glyph
  count, height) and probe-glyph-1-35.txt draws its glyph 35 of font "1".
"""
import os
import sys

import kvformats as kv


def main():
    src, gen = sys.argv[1], sys.argv[2]
    golden = os.path.join(src, "tests", "golden", "fonts")
    problems = []

    def expect(what, ok):
        print(("ok    " if ok else "WRONG ") + what)
        if not ok:
            problems.append(what)

    with open(os.path.join(golden, "tiny-bib.hex")) as f:
        tiny = kv.read_library(kv.read_hex(f.read()))
    with open(os.path.join(src, "tests", "fixtures", "fonts", "tiny.txt")) as f:
        font, _, glyphs = kv.read_font_source(f.read())
    expect("tiny-bib.hex holds the glyphs of tiny.txt", tiny == {font: glyphs})

    with open(os.path.join(gen, "Fonts", "kstndrd.bib"), "rb") as f:
        shipped = kv.read_library(f.read())
    expect("kstndrd.bib holds the glyphs of fonts/glyphs", shipped == kv.read_font_sources(os.path.join(src, "fonts", "glyphs")))

    listing = ""
    for font in sorted(shipped, key=ord):
        heights = sorted({len(rows) for rows in shipped[font].values()})
        height = str(heights[0]) if len(heights) == 1 else "%d-%d" % (heights[0], heights[-1])
        listing += "%s %d %s\n" % (font, len(shipped[font]), height)
    with open(os.path.join(golden, "probe-fonts.txt")) as f:
        expect("probe-fonts.txt lists the library", f.read() == listing)
    with open(os.path.join(golden, "probe-glyph-1-35.txt")) as f:
        expect("probe-glyph-1-35.txt draws glyph 35 of font 1", f.read() == "".join(r + "\n" for r in shipped["1"][35]))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
