#!/usr/bin/env python3
"""Draws the program icon: a small dot-matrix sign showing "K32" in amber
dots, written as a classic 32x32 and 16x16 32-bit icon file."""
import struct
import sys

GLYPHS = {
    "K": ["#..#", "#.#.", "##..", "#.#.", "#..#"],
    "3": ["###.", "...#", ".##.", "...#", "###."],
    "2": [".##.", "#..#", "..#.", ".#..", "####"],
}


def draw(size):
    bg = (24, 24, 24, 255)
    frame = (90, 90, 90, 255)
    off = (60, 45, 10, 255)
    on = (255, 176, 0, 255)
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    top, bottom = size // 4, size - size // 4
    for y in range(top, bottom):
        for x in range(size):
            edge = y in (top, bottom - 1) or x in (0, size - 1)
            px[y][x] = frame if edge else bg
    text = "K32"
    cols = []
    for ch in text:
        cols += [[GLYPHS[ch][r][c] == "#" for r in range(5)] for c in range(4)]
        cols.append([False] * 5)
    cols = cols[:-1]
    pitch = 2 if size >= 32 else 1
    dot = 1
    width = len(cols) * pitch
    x0 = (size - width) // 2
    y0 = top + ((bottom - top) - 5 * pitch) // 2
    for ci, col in enumerate(cols):
        for r in range(5):
            x, y = x0 + ci * pitch, y0 + r * pitch
            for dy in range(dot):
                for dx in range(dot):
                    if 0 <= x + dx < size and 0 <= y + dy < size:
                        px[y + dy][x + dx] = on if col[r] else off
    return px


def image_entry(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    row_bytes = ((size + 31) // 32) * 4
    and_mask = b"".join(
        bytes(
            sum((1 << (7 - bit)) for bit in range(8) if i * 8 + bit < size and px[y][i * 8 + bit][3] == 0)
            for i in range(row_bytes)
        )
        for y in reversed(range(size))
    )
    return header + xor + and_mask


def main(path):
    sizes = [32, 16]
    images = [image_entry(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Kivar32.ico")
