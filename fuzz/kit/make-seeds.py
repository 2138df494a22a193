#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_kit into fuzz/kit/corpus/."""
import os
import struct
import zlib

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(out, exist_ok=True)


def s6(t):
    b = t.encode("cp1251") if isinstance(t, str) else t
    return bytes([6, len(b)]) + b


def s20(t):
    b = t.encode("utf-8")
    return bytes([20]) + struct.pack("<I", len(b)) + b


def i8(v):
    return bytes([2]) + struct.pack("<b", v)


def field(name, typ, size, version=251):
    b = s6(name) + s6(typ) + i8(size) + s6(name) + s6("") + i8(size) + b"\x08\x08"
    if version >= 250:
        b += s6("Data")
    if version >= 251:
        b += s6("")
    return b


def ext(x):
    # 1.5 as an 80-bit float, enough to seed tag 5
    return bytes([5]) + bytes([0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F])


answers = b"TPF0\x03\xfb\x00\x01" + b"".join(field("a%d" % i, "String", 20) for i in range(1, 7))
answers += b"\x00\x01\x00\x01\x01\x02\x00" + b"".join(b"\x08" + s6(v) for v in ["12312", "", "", "21043", "00300", "11111"])
answers += b"\x00\x00"

v249 = b"TPF0\x03\xf9\x00\x01" + field("VarNo", "Integer", 0, 249) + field("t", "Memo", 0, 249) + field("d", "Date", 0, 249)
v249 += b"\x00\x01" + s6("ix") + s6("VarNo") + s6("ix") + b"\x09\x08\x08\x09\x00"
v249 += b"\x01\x01" + i8(1) + b"\x08" + i8(0) + b"\x08" + s20("Привет") + b"\x08" + ext(1.5)
v249 += i8(0) + b"\x08" + i8(1) + b"\x09" + b"\x09" + b"\x00"
v249 += b"\x01" + i8(3) + b"\x09\x09\x09\x00\x00"

v100 = b"TPF0\x01" + field("VarNo", "Integer", 0, 100) + field("b", "Boolean", 0, 100) + field("n", "LargeInt", 0, 100)
v100 += b"\x00\x01" + i8(5) + b"\x09" + bytes([19]) + struct.pack("<q", -2**63) + b"\x00"

for name, data in [("answers.ans", answers), ("v249.bin", v249), ("v100.bin", v100)]:
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
    with open(os.path.join(out, name + ".kim"), "wb") as f:
        f.write(struct.pack("<i", len(data)) + zlib.compress(data))
