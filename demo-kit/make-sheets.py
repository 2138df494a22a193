#!/usr/bin/env python3
"""Writes the RTF sheets (sheets/) and the option memos (answers/) of the three demo-kit
variants, and sheets/lists.txt: where the station lays its drop-down lists over each
sheet (used by check-layout.sh). Run by make-assets.sh; needs only python3."""

import pathlib
import sys

sys.dont_write_bytecode = True  # keep the source folder clean

from content import VARIANTS, INTRO, TEST_TEXT
from rtfsheet import Gap, Sheet, picture

HERE = pathlib.Path(__file__).resolve().parent
ASSETS = HERE / "assets"
SHEETS = HERE / "sheets"
ANSWERS = HERE / "answers"

# The lists' fixed places in the task frames (left, top, width; 24 px high).
T1_LISTS = [(444, 216, 145), (291, 265, 145), (480, 314, 145), (354, 363, 145), (273, 412, 145)]
T4_LISTS = [(274, 85, 145), (274, 176, 145), (274, 261, 145), (274, 352, 145), (274, 458, 145)]
T5_LISTS = [(270, 238, 109), (614, 238, 102), (113, 287, 100), (709, 337, 106), (265, 386, 106)]
T6_LISTS = [(184, 192, 108), (365, 216, 108), (114, 264, 108), (745, 315, 108), (159, 413, 108)]

PHOTO_SIZE = (320, 213)


def gaps(places):
    return [Gap("t%d" % (i + 1), *p) for i, p in enumerate(places)]


def title(sheet, v, text):
    label = "Вариант %d" % v["no"]
    heading = "<arial><b>%s.   <c2>%s</c></b>" % (text, label)
    if sheet.aligned:
        sheet.line(heading, height=28, size=28)
    else:
        sheet.para(heading, size=28, sa=8)


def aligned_task(name, v, heading, places, lines, deftab=720):
    """A sheet whose `lines` hold one <gap> per list, in the order t1..t5."""
    sheet = Sheet(name, deftab=deftab, aligned=True)
    title(sheet, v, heading)
    pending = gaps(places)
    for item in lines:
        text, opts = (item, {}) if isinstance(item, str) else item
        count = text.count("<gap>")
        mine, pending = pending[:count], pending[count:]
        sheet.line(text, gaps=mine, **opts)
    if pending:
        raise ValueError("%s: lists without a gap: %s" % (name, [g.name for g in pending]))
    return sheet


def photo(v, n, shown):
    return picture(ASSETS / ("v%d-photo%d.%s" % (v["no"], n, "png" if n == 3 else "jpg")), *PHOTO_SIZE, shown)


def intro_sheet(v):
    s = Sheet("Intro")
    title(s, v, INTRO["title"])
    # 14 pt: the instruction has the whole view above the code entry (606 px) to itself.
    for text in INTRO["paragraphs"]:
        s.para(text, sa=6, align="j", size=28)
    s.para(INTRO["wish"], bold=True, align="c", sb=4, size=28)
    return s


def test_sheet(v):
    s = Sheet("TestRTF")
    title(s, v, TEST_TEXT["title"])
    for text in TEST_TEXT["paragraphs"]:
        s.para(text)
    s.table(TEST_TEXT["table"], [160, 300, 300])
    # The station shows only variant 0's test text; a small PNG keeps it within the field's 10000 bytes.
    s.raw("\\pard\\qc\\sa120 " + photo(VARIANTS[0], 3, 200).rtf + "\\par\r\n")
    s.para(TEST_TEXT["caption"], align="c", size=20)
    return s


def t1_pre_sheet(v):
    s = Sheet("t1Pre")
    title(s, v, "Задание 1. Подготовка")
    for text in v["t1"]["pre"]:
        s.para(text)
    return s


def t1_task_sheet(v):
    t1 = v["t1"]
    lines = list(t1["head"]) + ["%d. %s<gap>" % (i + 1, st) for i, st in enumerate(t1["statements"])]
    return aligned_task("t1Task", v, "Задание 1", T1_LISTS, lines)


def t2_sheet(v, name, heading):
    t2 = v["t2"]
    s = Sheet(name)
    title(s, v, heading)
    s.para(t2["ru"][name])
    s.para(t2["situation"])
    s.table([[t2["ad"]]], [620], size=28, shade=6, align="c")
    s.para(t2["ask"])
    s.table([["%d) %s" % (i + 1, q)] for i, q in enumerate(t2["points"])], [620], border=False)
    s.para(t2["close"], size=22)
    return s


def t3_pre_sheet(v):
    t3 = v["t3"]
    s = Sheet("t3Pre")
    title(s, v, "Задание 3. Подготовка")
    for text in t3["ru"]:
        s.para(text)
    s.table([[photo(v, 1, 220), photo(v, 2, 220), photo(v, 3, 220)],
             ["<b>Photo 1</b>", "<b>Photo 2</b>", "<b>Photo 3</b>"]], [250, 250, 250], border=False)
    s.para(t3["plan_intro"])
    for point in t3["plan"]:
        s.para("\u2022<tab>" + point, li=30, fi=-20, sa=0)
    return s


def t3_task_sheet(v, n):
    t3 = v["t3"]
    s = Sheet("t3Task%d" % n)
    title(s, v, "Задание 3. Фото %d" % n)
    s.para("<b>You have chosen photo %d: %s.</b> %s" % (n, t3["photos"][n - 1], t3["task"]))
    s.table([[photo(v, n, 300), "<b>Remember to say:</b><line>" + "<line>".join(
        "\u2022 " + p for p in t3["plan"])]], [330, 520], border=False)
    s.para(t3["close"])
    return s


def t4_sheet(v):
    return aligned_task("t4Task", v, "Задание 4", T4_LISTS, v["t4"]["lines"])


def t5_sheet(v):
    # The second list of the first gap line stands at 614 px: the default tab width is
    # 614 px too, so that line's second tab stops there in every renderer.
    return aligned_task("t5Task", v, "Задание 5", T5_LISTS, v["t5"]["lines"], deftab=614 * 15)


def t6_sheet(v):
    return aligned_task("t6Task", v, "Задание 6", T6_LISTS, v["t6"]["lines"])


def memo(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp1251")


def main():
    SHEETS.mkdir(exist_ok=True)
    ANSWERS.mkdir(exist_ok=True)
    lists = []
    for v in VARIANTS:
        no = v["no"]
        sheets = [intro_sheet(v), test_sheet(v), t1_pre_sheet(v), t1_task_sheet(v),
                  t2_sheet(v, "t2Pre", "Задание 2. Подготовка"), t2_sheet(v, "t2Task", "Задание 2"),
                  t3_pre_sheet(v), t3_task_sheet(v, 1), t3_task_sheet(v, 2), t3_task_sheet(v, 3),
                  t4_sheet(v), t5_sheet(v), t6_sheet(v)]
        for s in sheets:
            path = SHEETS / ("v%d-%s.rtf" % (no, s.name))
            path.write_bytes(s.render())
            for g in s.gaps:
                lists.append("%s %s %d %d %d %d" % (path.name, g.name, g.left, g.top, g.width, g.height))
        t1 = [o for opts in v["t1"]["options"] for o in opts]
        assert len(t1) == 15
        t5 = [o for opts in v["t5"]["options"] for o in opts]
        assert len(t5) == 20
        (ANSWERS / ("v%d-t1Ans.txt" % no)).write_bytes(memo(t1))
        (ANSWERS / ("v%d-t4Ans.txt" % no)).write_bytes(memo(v["t4"]["options"]))
        (ANSWERS / ("v%d-t5Ans.txt" % no)).write_bytes(memo(t5))
        (ANSWERS / ("v%d-t6Ans.txt" % no)).write_bytes(memo(v["t6"]["options"]))
        (ANSWERS / ("v%d-key.txt" % no)).write_bytes(memo(
            ["%s %s" % (task, v[task]["key"]) for task in ("t1", "t4", "t5", "t6")]))
    (SHEETS / "lists.txt").write_text(
        "# sheet list left top width height: the station's drop-down lists over the sheets\n"
        + "\n".join(lists) + "\n")


if __name__ == "__main__":
    main()
