#!/usr/bin/env python3
"""A second reader of the project file (*.txl, standard.ini), written from
the format description alone and sharing no code with the program.

    txl_check.py PROBE FILE...

Each FILE is a project file or a hex dump of one (the form of
tests/golden/txl/*.hex: offset, 16 bytes in hex, the printable bytes). The
file is read field by field; every byte must be taken by a field and none
may be left over. The fields are listed in the form of `kivar-probe
txl-dump` and compared line by line with what the program's own reader
lists for the same bytes. Exit status 0 when every file agrees.
"""
import os
import subprocess
import sys
import tempfile

TAGS = {
    "!TXL_ID:Kivar 1.5!": 0,
    "!TXL_ID:OutfileConfig_3!": 1,
    "!TXL_ID:OutfileConfig_2!": 2,
    "!TXL_ID:OutfileConfig!": 3,
    "!TXL_ID:Kivar 1.5.3!": 5,
    "!TXL_ID:Kivar 1.5.5!": 6,
    "!TXL_ID:Kivar32!": 7,
}


class Damaged(Exception):
    pass


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def raw(self, n):
        if n < 0 or self.pos + n > len(self.data):
            raise Damaged("%d bytes asked at %d of %d" % (n, self.pos, len(self.data)))
        b = self.data[self.pos:self.pos + n]
        self.pos += n
        return b

    def integer(self):
        return int.from_bytes(self.raw(2), "little", signed=True)

    def string(self):
        return self.raw(self.integer())

    def at_end(self):
        return self.pos >= len(self.data)


def quoted(b):
    out = '"'
    for c in b:
        if 32 <= c < 127 and c not in (ord('"'), ord("\\")):
            out += chr(c)
        else:
            out += "\\x%02x" % c
    return out + '"'


def hexbytes(b):
    return " ".join("%02x" % c for c in b)


def read_dump(text):
    data = bytearray()
    for line in text.splitlines():
        if not line.strip():
            continue
        offset, rest = line[:6], line[8:8 + 48]
        if int(offset, 16) != len(data):
            raise Damaged("dump line at %s follows %06x" % (offset, len(data)))
        data += bytes(int(x, 16) for x in rest.split())
    return bytes(data)


def listing(data):
    r = Reader(data)
    out = []

    def line(name, value):
        out.append("%s: %s" % (name, value))

    field1 = r.integer()
    user = [r.string() for _ in range(4)]
    name = r.string()
    n = r.integer()
    signs = [r.string() for _ in range(n)]
    two_direc = False
    mark = r.pos
    if r.string() == b"!TXL_ID:TwoDirec!":
        two_direc = True
        r.integer()
    else:
        r.pos = mark
    mark = r.pos
    tag = r.string()
    srad = False
    if b"SRAD=" in tag:
        srad = tag[tag.index(b"SRAD=") + 5:] == b"Y"
        tag = tag[:tag.index(b"SRAD=")]
    version = TAGS.get(tag.decode("latin-1"), 4)
    codes = version == 6
    if version == 7:
        if r.raw(3) != b"001":
            raise Damaged("version mark")
        flags = r.raw(20)
        codes = flags[0:1] == b"1"
        srad = flags[1:2] == b"1"
    if version == 4:
        r.pos = mark
        tag = b""

    line("version", version)
    line("tag", quoted(tag))
    line("route-number count (field 1)", field1)
    for label, value in zip(("user date", "user responsible", "user others", "user company"), user):
        line(label, quoted(value))
    line("out-file name", quoted(name))
    line("signs", len(signs))
    for s in sorted(signs, key=lambda s: int(s[31:33])):
        if len(s) != 33:
            raise Damaged("sign line of %d characters" % len(s))
        line("sign %d" % int(s[31:33]), quoted(s))
    line("two-direction block", "yes" if two_direc else "no")

    extra_per_sign = None
    if version != 4:
        show = r.string()
        font_section, command_row, mems, control = (r.integer() for _ in range(4))
        route_on = r.integer() if version != 3 else None
        command_file = r.string() or b"(EnglskTD.kcm)"
        sequence = r.string()
        start = r.integer()
        line("destination codes", -1 if codes else 0)
        line("sign to show", quoted(show))
        line("font section on (stored)", font_section)
        line("command row on", command_row)
        line("command-row memories", mems)
        line("control info on", control)
        if route_on is not None:
            line("route number on", route_on)
        line("command file", quoted(command_file))
        line("route-number sequence", quoted(sequence))
        line("route-number start index", start)
        if version in (0, 1, 5, 6, 7):
            extra_per_sign = r.integer()
        route_fields = None
        if version in (0, 5, 6, 7):
            left, count, position = r.integer(), r.integer(), r.integer()
            route_fields = (left, count, position, r.string())

    records = []
    for _ in range(r.integer()):
        index, time, flag = r.integer(), r.integer(), r.integer()
        if not 0 <= index <= 9999:
            raise Damaged("destination %d" % index)
        text, sign_data = r.string(), r.string()
        alt = r.string() if version >= 5 else b""
        code = r.string() if version == 6 or (version == 7 and codes) else b""
        if not codes:
            code = str(index).ljust(4).encode()
        ten = r.string() if srad else b""
        records.append((index, time, -1 if flag == 1 else 0, code, ten if srad else b"0000000000", text, sign_data, alt))
    extras = []
    for _ in range(r.integer()):
        index, time = r.integer(), r.integer()
        if not 0 <= index <= 999:
            raise Damaged("extra text %d" % index)
        text, sign_data = r.string(), r.string()
        alt = r.string() if version == 5 else b""
        extras.append((index, time, text, sign_data, alt))
    if extras and extra_per_sign is not None:
        extra_per_sign = -1 if extras[0][3][:1] == b"\xff" else 0

    if extra_per_sign is not None:
        line("extra texts per sign (stored)", extra_per_sign)
    if version in (0, 5, 6, 7):
        left, count, position, sample = route_fields
        line("route number at the left", left)
        line("route-number count", count)
        line("route-number position", position)
        line("route-number sample", quoted(sample))
    line("destinations", len(records))
    for index, time, flag, code, ten, text, sign_data, alt in records:
        line("destination %d" % index, "time %d flag %d code %s srad %s" % (time, flag, quoted(code), quoted(ten)))
        out.append("  Text: " + hexbytes(text))
        out.append("  SignData: " + hexbytes(sign_data))
        out.append("  AltText: " + hexbytes(alt))
    line("extra texts", len(extras))
    for index, time, text, sign_data, alt in extras:
        line("extra text %d" % index, "time %d" % time)
        out.append("  Text: " + hexbytes(text))
        out.append("  SignData: " + hexbytes(sign_data))
        out.append("  AltText: " + hexbytes(alt))

    texts = {}
    trailer = not r.at_end()
    on = 0
    if trailer:
        c1, c2 = r.integer(), r.integer()
        for _ in range(c1):
            r.integer()
            index, number = r.integer(), r.integer()
            texts[index] = str(number).encode()
        for _ in range(c2):
            r.integer(), r.integer()
        on = -1 if c1 > 0 else 0
        c3 = r.integer()
        if c3 > 0:
            on = -1
        for _ in range(c3):
            index = r.integer()
            texts[index] = r.raw(r.integer())
    if not r.at_end():
        raise Damaged("%d bytes left after the trailer" % (len(data) - r.pos))
    line("trailer", "yes" if trailer else "no")
    line("route-number texts on", on)
    for index in sorted(texts):
        if texts[index]:
            line("route-number text %d" % index, quoted(texts[index]))
    return out


def main():
    probe, files = sys.argv[1], sys.argv[2:]
    failed = 0
    for path in files:
        with open(path, "rb") as f:
            data = f.read()
        if path.endswith(".hex"):
            data = read_dump(data.decode("latin-1"))
        try:
            mine = listing(data)
        except Damaged as e:
            print("%s: does not read as a project file: %s" % (path, e))
            failed += 1
            continue
        with tempfile.TemporaryDirectory() as tmp:
            copy = os.path.join(tmp, "project.txl")
            with open(copy, "wb") as f:
                f.write(data)
            theirs = subprocess.run([probe, "txl-dump", copy], capture_output=True).stdout.decode("latin-1")
        theirs = theirs.splitlines()
        if mine != theirs:
            failed += 1
            print("%s: the two readers disagree" % path)
            for i, (a, b) in enumerate(zip(mine, theirs)):
                if a != b:
                    print("  line %d\n    second reader: %s\n    program:       %s" % (i + 1, a, b))
                    break
            else:
                print("  %d lines against %d" % (len(mine), len(theirs)))
        else:
            print("%s: %d fields agree" % (path, len(mine)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
