#!/usr/bin/env python3
"""Writes the case pairs of the Windows code pages 1250 to 1254 as Python's
codecs and Unicode database know them, and the base letter of every Greek
byte of code page 1253: one line per code page and byte 0x80-0xFF,
tab-separated:

    page  byte  lower  upper  base

lower and upper are the byte of the character's other case in the same page
("-" when it has none there, or when the case mapping is not one character);
base is, for the Greek letters of code page 1253 only, the byte of the
letter the character decomposes to without its accents and made small
("-" otherwise).

    python3 make_case_tables.py > case_tables.tsv
"""

import unicodedata


def byte_of(text, codec):
    if len(text) != 1:
        return None
    try:
        encoded = text.encode(codec)
    except UnicodeEncodeError:
        return None
    return encoded[0] if len(encoded) == 1 else None


def other(ch, mapped, codec):
    if mapped == ch:
        return "-"
    b = byte_of(mapped, codec)
    return "-" if b is None else "%02X" % b


def base(ch, codec):
    if not ch.isalpha() or not "\u0370" <= ch <= "\u03ff":
        return "-"
    stripped = unicodedata.normalize("NFD", ch)[0].lower()
    if stripped == "\u03c2":  # final sigma sorts as sigma
        stripped = "\u03c3"
    b = byte_of(stripped, codec)
    return "-" if b is None else "%02X" % b


print("# page\tbyte\tlower\tupper\tbase")
for page in (1250, 1251, 1252, 1253, 1254):
    codec = "cp%d" % page
    for b in range(0x80, 0x100):
        try:
            ch = bytes([b]).decode(codec)
        except UnicodeDecodeError:
            print("%d\t%02X\t-\t-\t-" % (page, b))
            continue
        print("%d\t%02X\t%s\t%s\t%s" % (page, b, other(ch, ch.lower(), codec),
                                        other(ch, ch.upper(), codec),
                                        base(ch, codec) if page == 1253 else "-"))
