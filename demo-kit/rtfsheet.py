"""A small writer of RTF sheets in the form a Windows word processor saves them.

Text is Windows-1251 with \\'hh escapes, fonts carry \\fcharset204, sizes are in half-points.
The station draws a sheet from its top-left corner at 96 dpi (one pixel is 15 twips), so a
sheet whose gaps must lie under drop-down lists is written with exact line heights
(\\sl-N) and paragraph spacing before (\\sb) worked out here in whole pixels; spacing after
(\\sa) is never used on those sheets, so renderers that collapse or add adjacent margins
agree. A gap is reached with a tab: the first gap of a line through a hanging indent
(\\li = -\\fi = the gap's left edge, which is an implicit tab stop) and an explicit \\tx;
a second gap of the same line through \\tx and the sheet's default tab width, chosen so
that a renderer without \\tx support still stops at the same place.
"""

import math
import re

TWIPS = 15  # twips per pixel at 96 dpi
UNDERSCORE_PX = 8  # '_' of Times New Roman 12 pt (16 px)
SPACE_PX = 4  # ' ' of the same font

HEADER = (
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049\\deftab%d"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset204 Times New Roman;}"
    "{\\f1\\fswiss\\fprq2\\fcharset204 Arial;}"
    "{\\f2\\fmodern\\fprq1\\fcharset204 Courier New;}}\r\n"
    "{\\colortbl ;\\red0\\green0\\blue128;\\red128\\green0\\blue0;\\red0\\green128\\blue0;"
    "\\red96\\green96\\blue96;\\red255\\green255\\blue255;\\red255\\green248\\blue200;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1"
)

# Inline markup of paragraph texts: <b>bold</b>, <i>, <u>, <tab>, <gap> (the next list of the
# paragraph), <c1>..<c5> colours, </c>, <arial>, </arial>, <fsN> (half-points), </fs>.
TAGS = {
    "b": "\\b ", "/b": "\\b0 ", "i": "\\i ", "/i": "\\i0 ", "u": "\\ul ", "/u": "\\ulnone ",
    "tab": "\\tab ", "/c": "\\cf0 ", "arial": "\\f1 ", "/arial": "\\f0 ", "courier": "\\f2 ",
    "/courier": "\\f0 ", "line": "\\line ",
}


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        elif ch == "\u00a0":
            out.append("\\~")
        else:
            out.append("\\'%02x" % ch.encode("cp1251")[0])
    return "".join(out)


class Raw:
    """RTF that goes into a sheet as it is (a picture in a table cell)."""

    def __init__(self, rtf):
        self.rtf = rtf


class Gap:
    """A drop-down list laid over the sheet: left, top, width in pixels, 24 high."""

    def __init__(self, name, left, top, width, height=24):
        self.name, self.left, self.top, self.width, self.height = name, left, top, width, height

    def underscores(self):
        # No wider than the list, so no line shows beside it, then spaces so that the text
        # after the gap starts clear of the list.
        n = self.width // UNDERSCORE_PX
        return "_" * n + " " * math.ceil((self.width + 3 - n * UNDERSCORE_PX) / SPACE_PX)


class Sheet:
    def __init__(self, name, deftab=720, aligned=False):
        self.name = name
        self.deftab = deftab
        self.aligned = aligned
        self.parts = []
        self.y = 0  # top of the next line, aligned sheets only
        self.gaps = []

    def markup(self, text, gaps, size):
        out = []
        gaps = list(gaps)
        for piece in re.split(r"(<[^<>]+>)", text):
            if not (piece.startswith("<") and piece.endswith(">")):
                out.append(escape(piece))
                continue
            tag = piece[1:-1]
            if tag == "gap":
                gap = gaps.pop(0)
                out.append("\\tab " + gap.underscores())
            elif tag in TAGS:
                out.append(TAGS[tag])
            elif re.fullmatch(r"c\d", tag):
                out.append("\\cf%s " % tag[1:])
            elif re.fullmatch(r"fs\d+", tag):
                out.append("\\%s " % tag)
            elif tag == "/fs":
                out.append("\\fs%d " % size)
            else:
                raise ValueError("unknown tag <%s> in %s" % (tag, self.name))
        if gaps:
            raise ValueError("%s: more lists than <gap> in %r" % (self.name, text))
        return "".join(out)

    def line(self, text, height=24, top=None, sb=0, gaps=(), size=24, font=0, align="", bold=False):
        """One single-line paragraph of an aligned sheet, exactly `height` pixels high.
        `top` pins the line's top (spacing before is computed); gap lines are pinned to
        their lists' top."""
        assert self.aligned
        if gaps:
            top = gaps[0].top
            assert all(g.top == top for g in gaps)
        if top is not None:
            sb = top - self.y
            if sb < 0:
                raise ValueError("%s: line %r would start at %d, below %d" % (self.name, text, self.y, top))
        props = ""
        if gaps:
            first = gaps[0].left * TWIPS
            props += "\\li%d\\fi-%d" % (first, first)
            for g in gaps:
                props += "\\tx%d" % (g.left * TWIPS)
            for g in gaps[1:]:
                if (g.left * TWIPS) % self.deftab:
                    raise ValueError("%s: second gap at %d is not a default tab stop" % (self.name, g.left))
        if sb:
            props += "\\sb%d" % (sb * TWIPS)
        props += "\\sl-%d\\slmult0" % (height * TWIPS)
        self.y += sb
        for g in gaps:
            self.gaps.append(g)
        self.y += height
        self.paragraph(text, props, gaps, size, font, align, bold)

    def para(self, text, sa=6, size=24, font=0, align="", bold=False, li=0, fi=0, sb=0):
        """A free paragraph of a sheet with no lists: it may wrap."""
        assert not self.aligned
        props = ""
        if li or fi:
            props += "\\li%d\\fi%d" % (li * TWIPS, fi * TWIPS)
        if sb:
            props += "\\sb%d" % (sb * TWIPS)
        props += "\\sa%d" % (sa * TWIPS)
        self.paragraph(text, props, (), size, font, align, bold)

    def paragraph(self, text, props, gaps, size, font, align, bold):
        align = {"": "", "c": "\\qc", "r": "\\qr", "j": "\\qj"}[align]
        head = "\\pard%s%s\\cf0\\f%d\\fs%d%s " % (align, props, font, size, "\\b" if bold else "\\b0")
        self.parts.append(head + self.markup(text, gaps, size) + "\\par\r\n")

    def raw(self, rtf):
        self.parts.append(rtf)

    def table(self, rows, widths, border=True, size=24, shade=None, align=""):
        """A table of free paragraphs; cells are markup texts (or Raw), widths in pixels;
        shade is a colour number of the cells' background."""
        assert not self.aligned
        for row in rows:
            rtf = "\\trowd\\trgaph108\\trleft0"
            x = 0
            for w in widths:
                x += w
                if border:
                    rtf += "\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 " \
                           "\\clbrdrr\\brdrs\\brdrw10 "
                if shade:
                    rtf += "\\clcbpat%d" % shade
                rtf += "\\cellx%d" % (x * TWIPS)
            rtf += "\r\n\\pard\\intbl%s\\sa60\\f0\\fs%d " % ({"": "", "c": "\\qc"}[align], size)
            cells = []
            for cell in row:
                text = cell.rtf if isinstance(cell, Raw) else self.markup(cell, (), size)
                cells.append(text + "\\cell ")
            rtf += "".join(cells) + "\\row\r\n"
            self.parts.append(rtf)
        self.parts.append("\\pard\\sa120\\f0\\fs%d\\par\r\n" % size)

    def render(self):
        body = "".join(self.parts)
        return (HEADER % self.deftab + "\r\n" + body + "}\r\n\x00").encode("ascii")


def picture(path, width, height, shown_width):
    """A \\pngblip or \\jpegblip group of a file of width x height pixels, shown
    shown_width pixels wide (height in proportion), hex in lines of 128 as Word writes."""
    data = path.read_bytes()
    kind = "\\pngblip" if data[:4] == b"\x89PNG" else "\\jpegblip"
    shown_height = round(height * shown_width / width)
    hexed = data.hex()
    lines = "\r\n".join(hexed[i:i + 128] for i in range(0, len(hexed), 128))
    return Raw("{\\pict%s\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d\r\n%s}"
            % (kind, round(width * 2540 / 96), round(height * 2540 / 96), shown_width * TWIPS,
               shown_height * TWIPS, lines))
