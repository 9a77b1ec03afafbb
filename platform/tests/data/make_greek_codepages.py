#!/usr/bin/env python3
"""Writes the upper halves of code pages 737 and 1253 as Python's codecs know
them: one line per byte 0x80-0xFF, tab-separated: the byte in hexadecimal,
its character under cp737 and under cp1253 as U+XXXX, or "none" where the
code page leaves the byte undefined.

    python3 make_greek_codepages.py > greek_codepages.tsv
"""


def code_point(byte, codec):
    try:
        return "U+%04X" % ord(bytes([byte]).decode(codec))
    except UnicodeDecodeError:
        return "none"


print("# byte\tcp737\tcp1253")
for b in range(0x80, 0x100):
    print("%02X\t%s\t%s" % (b, code_point(b, "cp737"), code_point(b, "cp1253")))
