#!/usr/bin/env python3
"""Writes the table seeds of the RTF fuzz corpus: row definitions before and after the cells,
a long table, a wide row and bordered paragraphs, each under the fuzzer's 16 KB input limit."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DEFINITION = "\\trowd\\trgaph108\\clbrdrt\\brdrdb\\brdrw30\\brdrcf2\\clvertalc\\cellx2000\\cellx4000"


def table(rows, after):
    out = ["{\\rtf1\\ansi\\ansicpg1251{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"]
    for r in range(rows):
        cells = "\\pard\\intbl \\'cf %d\\cell %d\\cell" % (r, r * 7)
        out.append(cells + "{" + DEFINITION + "\\row}\n" if after else DEFINITION + cells + "\\row\n")
    out.append("\\pard TOTAL\\par}")
    return "".join(out)


def wide(cells):
    edges = "".join("\\cellx%d" % (100 * (c + 1)) for c in range(cells))
    text = "".join("c%d\\cell " % c for c in range(cells))
    return "{\\rtf1\\ansi \\trowd" + edges + "\\pard\\intbl " + text + "\\row\\pard after\\par}"


BOXES = ("{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue0;\\red200\\green0\\blue0;}"
         "\\pard\\brdrb\\brdrs\\brdrw30\\brsp20 Heading\\par\\pard\\li720\\box\\brdrdb\\brdrw10\\brdrcf2 one\\par two\\par"
         "\\pard\\brdrt\\brdrdot\\brdrb\\brdrdot dots\\par\\trowd\\cellx2000\\pard\\intbl cell\\cell\\row\\pard end\\par}")

SEEDS = {
    "paragraph-boxes.rtf": BOXES,
    "table-before.rtf": table(4, False),
    "table-after.rtf": table(4, True),
    "table-long.rtf": table(120, True),
    "table-wide.rtf": wide(700),
}
for name, text in SEEDS.items():
    with open(os.path.join(HERE, name), "w", newline="\n") as f:
        f.write(text)
