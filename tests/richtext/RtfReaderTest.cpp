#include "richtext/RtfReader.h"

#include "richtext/RtfTestUtil.h"
#include "support/RichtextSamples.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

using richtext::RtfReader;
using namespace richtext_test;

namespace {

using RtfReaderTest = RtfTest;

TEST_F(RtfReaderTest, readsWordPadCyrillicWrittenAsCp1251Bytes) {
    EXPECT_EQ(text(fixture("wordpad-cp1251.rtf")), QStringLiteral("Инструкция участника\n"
                                                                  "\u2022\tПрочитайте задание.\n"
                                                                  "\u2022\tОтвечайте громко.\n"
                                                                  "Время: 2 минуты.\n"));
}

TEST_F(RtfReaderTest, readsAWord2003SheetWithItsListsFieldsAndTable) {
    const QByteArray rtf = fixture("word2003-sheet.rtf");
    EXPECT_EQ(text(rtf), QStringLiteral("Задание 4\n"
                                        "Выберите слово для каждого пропуска (1–5). “Ё” и № café.\n"
                                        "\u2022\tпервый пункт\n"
                                        "\u2022\tвторой пункт\n"
                                        "ссылка\n"
                                        "1\nСлово\n2\nСлово два\n"
                                        "\n"))
        << "Word's paragraph mark after the table";
    const auto doc = readRtf(rtf);
    EXPECT_EQ(formatOf(*doc, "Задание 4").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*doc, "Задание 4").font().pixelSize(), 19);
    EXPECT_EQ(blockFormatOf(*doc, "Задание 4").alignment() & kHorizontal, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "Выберите").bottomMargin(), 8);
    EXPECT_TRUE(formatOf(*doc, "(1–5)").fontItalic());
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "первый").leftMargin(), 48);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "первый").textIndent(), -24);
    EXPECT_TRUE(formatOf(*doc, "ссылка").fontUnderline());
    EXPECT_EQ(formatOf(*doc, "ссылка").foreground().color(), QColor(0, 0, 255));
}

TEST_F(RtfReaderTest, readsLibreOfficeUnicodeWithFallbacksAndSurrogatePairs) {
    const QString t = text(fixture("libreoffice-sheet.rtf"));
    EXPECT_TRUE(t.startsWith(QStringLiteral("Задание 3. Описание фотографии\n"
                                            "Вы выбрали фотографию. Опишите её подробно, не менее 12 предложений. "
                                            "Время ответа — 2 минуты. E = mc2; αβγ; знак \U0001F600.\n"
                                            "Справа, моноширинно\n")))
        << t.toStdString();
    EXPECT_FALSE(t.contains(u'?')); // no fallback character leaked
}

TEST_F(RtfReaderTest, skipsUnicodeFallbackByTheCountOfUc) {
    EXPECT_EQ(text("{\\rtf1 \\u1055\\'cf\\u1088?x}"), QStringLiteral("Прx\n")) << "one fallback unit by default";
    EXPECT_EQ(text("{\\rtf1 \\uc2\\u1055\\'cf\\'cfa}"), QStringLiteral("Пa\n"));
    EXPECT_EQ(text("{\\rtf1 \\uc0\\u1055\\'cf}"), QStringLiteral("ПÏ\n")) << "nothing skipped";
    EXPECT_EQ(text("{\\rtf1 \\uc1\\u1055{\\b}a}"), QStringLiteral("Пa\n")) << "a group ends the fallback";
    EXPECT_EQ(text("{\\rtf1 \\uc1\\u1055\\bin3 abcd}"), QStringLiteral("Пd\n")) << "\\bin counts as one unit";
    EXPECT_EQ(text("{\\rtf1 {\\uc3 \\u1055???}\\u1056?b}"), QStringLiteral("ПРb\n")) << "\\uc is scoped by groups";
}

TEST_F(RtfReaderTest, readsNegativeAndSurrogateUnicodeValues) {
    EXPECT_EQ(text("{\\rtf1 \\u-4064?}"), QString(QChar(0xF020)) + u'\n');
    EXPECT_EQ(text("{\\rtf1 \\u-10179?\\u-8704?}"), QStringLiteral("\U0001F600\n"));
    EXPECT_EQ(text("{\\rtf1 \\u55357?\\u56832?}"), QStringLiteral("\U0001F600\n")) << "unsigned form as well";
}

TEST_F(RtfReaderTest, decodesHexBytesInTheCodePageOfTheCurrentFont) {
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}"
                           "{\\f1\\fcharset161 Arial Greek;}{\\f2\\fcharset0 Arial;}{\\f3 Arial;}"
                           "{\\f4\\fcharset238 Arial CE;}{\\f5\\fnil\\cpg1253 Greek;}{\\f6\\fcharset1 Arial;}}"
                           "\\f0\\'c0\\'ff \\f1\\'c1\\'f9 \\f2\\'e9\\'fc \\f3\\'c0 \\f4\\'9a \\f5\\'e1 \\f6\\'e0}";
    EXPECT_EQ(text(rtf), QStringLiteral("Ая Αω éü А š α а\n"));
}

TEST_F(RtfReaderTest, usesTheAnsiCodePageForTextWithoutFonts) {
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), QStringLiteral("Привет\n"));
    EXPECT_EQ(text("{\\rtf1\\ansi \\'e9}"), QStringLiteral("é\n")) << "Windows-1252 by default";
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), QStringLiteral("é\n")) << "unknown pages read as 1252";
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg1251 a\\'98\\'7f\\'81b}"), QStringLiteral("a\u0403b\n"))
        << "bytes a page leaves undefined decode to controls, which show nothing";
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}"), QStringLiteral("日本\n")) << "multi-byte pages";
}

TEST_F(RtfReaderTest, sizesTextAtNinetySixDotsPerInch) {
    const auto doc = readRtf("{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}{\\f2 Courier New;}"
                             "{\\f3\\fswiss Arial CYR;}{\\f4\\fswiss Nonexistent Sans;}}"
                             "plain \\fs28 big \\fs21 small \\f0 arial\\f2 courier\\f3 cyr\\f4 other}");
    EXPECT_EQ(formatOf(*doc, "plain").font().pixelSize(), 16) << "12 points without \\fs";
    EXPECT_EQ(formatOf(*doc, "plain").fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(formatOf(*doc, "big").font().pixelSize(), 19);
    EXPECT_EQ(formatOf(*doc, "small").font().pixelSize(), 14);
    EXPECT_EQ(formatOf(*doc, "arial").fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(formatOf(*doc, "courier").fontFamilies().toStringList().value(0), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(formatOf(*doc, "cyr").fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(formatOf(*doc, "other").fontFamilies().toStringList(),
              QStringList({QStringLiteral("Nonexistent Sans"), QStringLiteral("Liberation Sans")}));
}

TEST_F(RtfReaderTest, appliesCharacterFormatting) {
    const auto doc = readRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255"
                             "\\blue0;}\\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike gone\\strike0  "
                             "x\\super up\\nosupersub  x\\sub down\\sub0  \\caps caps\\caps0  \\scaps minor\\scaps0  "
                             "\\cf1 red\\cf0  "
                             "\\highlight3 marked\\highlight0  \\cb2 shaded\\cb0  \\b\\i\\cf2 all\\plain  reset "
                             "{\\b scoped} after \\v hidden\\v0 shown}");
    EXPECT_EQ(formatOf(*doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*doc, "italic").fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatOf(*doc, "italic").fontItalic());
    EXPECT_TRUE(formatOf(*doc, "under").fontUnderline());
    EXPECT_FALSE(formatOf(*doc, "gone").fontUnderline());
    EXPECT_TRUE(formatOf(*doc, "gone").fontStrikeOut());
    EXPECT_EQ(formatOf(*doc, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatOf(*doc, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatOf(*doc, "caps").fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(formatOf(*doc, "minor").fontCapitalization(), QFont::SmallCaps);
    EXPECT_FALSE(formatOf(*doc, "red").hasProperty(QTextFormat::FontCapitalization));
    EXPECT_EQ(formatOf(*doc, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(*doc, "marked").background().color(), QColor(255, 255, 0));
    EXPECT_EQ(formatOf(*doc, "shaded").background().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(*doc, "all").foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(*doc, "reset").fontWeight(), QFont::Normal);
    EXPECT_FALSE(formatOf(*doc, "reset").fontItalic());
    EXPECT_FALSE(formatOf(*doc, "reset").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf(*doc, "scoped").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*doc, "after").fontWeight(), QFont::Normal);
    EXPECT_FALSE(doc->toPlainText().contains(QStringLiteral("hidden")));
    EXPECT_TRUE(doc->toPlainText().contains(QStringLiteral("shown")));
}

TEST_F(RtfReaderTest, appliesParagraphAlignmentIndentsAndSpacing) {
    const auto doc = readRtf("{\\rtf1\\pard\\ql left\\par\\pard\\qc centre\\par\\pard\\qr right\\par"
                             "\\pard\\qj\\li720\\ri360\\fi-360\\sb120\\sa240 justified\\par"
                             "\\pard\\sl-300 exact\\par\\pard\\sl300\\slmult0 least\\par\\pard\\sl360\\slmult1 multiple"
                             "\\par\\pard plainpara\\par}");
    EXPECT_EQ(blockFormatOf(*doc, "left").alignment() & kHorizontal, Qt::AlignLeft);
    EXPECT_EQ(blockFormatOf(*doc, "centre").alignment() & kHorizontal, Qt::AlignHCenter);
    EXPECT_EQ(blockFormatOf(*doc, "right").alignment() & kHorizontal, Qt::AlignRight);
    const QTextBlockFormat j = blockFormatOf(*doc, "justified");
    EXPECT_EQ(j.alignment() & kHorizontal, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(j.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(j.rightMargin(), 24);
    EXPECT_DOUBLE_EQ(j.textIndent(), -24);
    EXPECT_DOUBLE_EQ(j.topMargin(), 8);
    EXPECT_DOUBLE_EQ(j.bottomMargin(), 16);
    EXPECT_EQ(blockFormatOf(*doc, "exact").lineHeightType(), QTextBlockFormat::FixedHeight);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "exact").lineHeight(), 20);
    EXPECT_EQ(blockFormatOf(*doc, "least").lineHeightType(), QTextBlockFormat::MinimumHeight);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "least").lineHeight(), 20);
    EXPECT_EQ(blockFormatOf(*doc, "multiple").lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "multiple").lineHeight(), 150);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "plainpara").leftMargin(), 0) << "\\pard resets";
}

TEST_F(RtfReaderTest, keepsLibreOfficeParagraphFormattingAsWritten) {
    const auto doc = readRtf(fixture("libreoffice-sheet.rtf"));
    EXPECT_EQ(blockFormatOf(*doc, "Задание 3").alignment() & kHorizontal, Qt::AlignHCenter);
    EXPECT_EQ(formatOf(*doc, "Задание 3").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*doc, "Задание 3").font().pixelSize(), 21); // 16 pt
    EXPECT_EQ(formatOf(*doc, "Задание 3").fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    const QTextBlockFormat indented = blockFormatOf(*doc, "Вы выбрали");
    EXPECT_EQ(indented.alignment() & kHorizontal, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 24);
    EXPECT_DOUBLE_EQ(indented.textIndent(), 24);
    EXPECT_EQ(formatOf(*doc, "подробно").fontItalic(), true);
    EXPECT_TRUE(formatOf(*doc, "не менее").fontUnderline());
    EXPECT_EQ(formatOf(*doc, "Время ответа").foreground().color(), QColor(192, 0, 0));
    EXPECT_EQ(blockFormatOf(*doc, "Справа").alignment() & kHorizontal, Qt::AlignRight);
    EXPECT_EQ(formatOf(*doc, "Справа").font().pixelSize(), 13); // 10 pt
    EXPECT_EQ(formatOf(*doc, "Справа").fontFamilies().toStringList().value(0), QStringLiteral("Liberation Mono"));
}

TEST_F(RtfReaderTest, keepsLineBreaksTabsAndSymbols) {
    EXPECT_EQ(text("{\\rtf1 a\\line b\\tab c\\emdash d\\endash e\\~f\\{g\\}h\\\\i\\lquote j\\rquote\\ldblquote k"
                   "\\rdblquote\\bullet\\_\\-}"),
              QStringLiteral("a\nb\tc—d–e\u00a0f{g}h\\i‘j’“k”•\u2011\u00ad\n"));
}

TEST_F(RtfReaderTest, showsSymbolFontTextAsTheCharactersItStandsFor) {
    // The Symbol font by charset or by name; Wingdings keeps its bullet shapes.
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}{\\f1\\fnil\\fcharset2 Symbol;}"
                           "{\\f2\\fswiss\\fcharset0 Symbol;}{\\f3\\fnil\\fcharset2 MT Extra;}"
                           "{\\f4\\fnil\\fcharset2 Wingdings;}}"
                           "\\f1 abl\\'b7\\'ae\\'b3 D\\'a5\\f0  x {\\f2 p\\'b4W} {\\f3 S} {\\f4 l\\'a7\\'fc} "
                           "{\\f1\\u61617\\'3f\\u61548\\'3f}\\par}";
    EXPECT_EQ(text(rtf), QStringLiteral("αβλ•→≥ Δ∞ x π×Ω Σ ●▪✓ ±λ\n"));
}

TEST_F(RtfReaderTest, skipsMetadataIgnorableGroupsAndUnknownWords) {
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1 Heading 1;}}"
                           "{\\info{\\title Title}{\\author Someone}}{\\*\\generator Msftedit;}"
                           "{\\*\\themedata 0123}{\\*\\datastore 0105}{\\*\\unknownthing text}"
                           "{\\header header text\\par}{\\footer footer text\\par}"
                           "\\foobar12\\widctlpar\\nowidctlpar visible{\\*\\bkmkstart b}{\\*\\bkmkend b} text"
                           "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt  link}}\\par}";
    EXPECT_EQ(text(rtf), QStringLiteral("visible text link\n"));
}

TEST_F(RtfReaderTest, showsListNumbersAndBulletsAsWritten) {
    const QByteArray rtf =
        "{\\rtf1{\\fonttbl{\\f0 Times New Roman;}{\\f3\\fcharset2 Symbol;}}"
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext \\'01\\u-3913 ?;}}"
        "\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}"
        "{\\listtext\\pard\\plain\\f3\\fs24 \\'b7\\tab}\\pard\\fi-360\\li720\\ls1 one\\par"
        "{\\listtext\\pard\\plain 2.\\tab}\\pard\\fi-360\\li720\\ls2 two\\par}";
    const auto doc = readRtf(rtf);
    EXPECT_EQ(RtfReader::plainText(*doc), QStringLiteral("\u2022\tone\n2.\ttwo\n"));
    const QTextBlockFormat f = blockFormatOf(*doc, "one");
    ASSERT_EQ(f.tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(f.tabPositions().constFirst().position, 24) << "the tab reaches the hanging indent";
    EXPECT_EQ(formatOf(*doc, "one").font().pixelSize(), 16) << "the list text group leaves no formatting behind";
}

TEST_F(RtfReaderTest, numbersListParagraphsFromTheListTableWhenNoTextIsGiven) {
    const QByteArray rtf =
        "{\\rtf1{\\*\\listtable"
        "{\\list\\listtemplateid5{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'03\\'00.\\'01;}}{\\listname ;}\\listid10}"
        "{\\list{\\listlevel\\levelnfc23\\levelfollow1{\\leveltext\\'01\\u-3913 ?;}}\\listid11}}"
        "{\\*\\listoverridetable{\\listoverride\\listid10\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid11\\ls2}}"
        "\\pard\\ls1 one\\par\\pard\\ls1\\ilvl1 sub\\par\\pard\\ls1\\ilvl1 sub2\\par\\pard\\ls1 two\\par"
        "\\pard\\ls1\\ilvl1 again\\par\\pard\\ls2 bullet\\par\\pard\\ls9 undefined\\par"
        "{\\listtext 7.\\tab}\\pard\\ls1 given\\par}";
    EXPECT_EQ(text(rtf), QStringLiteral("1.\tone\n1.a\tsub\n1.b\tsub2\n2.\ttwo\n2.a\tagain\n\u2022 bullet\n"
                                        "undefined\n7.\tgiven\n"));
}

TEST_F(RtfReaderTest, setsTabStopsFromTheTextsLeftEdge) {
    const auto doc = readRtf("{\\rtf1\\pard\\li720\\fi-360\\tx2880\\tqr\\tx5760 a\\tab b\\tab c\\par"
                             "\\pard\\tqc\\tx4320\\tqdec\\tx6000\\tb100\\tx7200 x\\par\\pard none\\par}");
    const QList<QTextOption::Tab> hanging = blockFormatOf(*doc, "a").tabPositions();
    ASSERT_EQ(hanging.size(), 3);
    EXPECT_DOUBLE_EQ(hanging[0].position, 24) << "the hanging indent";
    EXPECT_DOUBLE_EQ(hanging[1].position, 168) << "192 px from the edge, the line starting at 24";
    EXPECT_EQ(hanging[1].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(hanging[2].position, 360);
    EXPECT_EQ(hanging[2].type, QTextOption::RightTab);
    const QList<QTextOption::Tab> plain = blockFormatOf(*doc, "x").tabPositions();
    ASSERT_EQ(plain.size(), 3);
    EXPECT_EQ(plain[0].type, QTextOption::CenterTab);
    EXPECT_DOUBLE_EQ(plain[0].position, 288);
    EXPECT_EQ(plain[1].type, QTextOption::DelimiterTab);
    EXPECT_EQ(plain[2].type, QTextOption::LeftTab) << "a bar tab resets the kind";
    EXPECT_TRUE(blockFormatOf(*doc, "none").tabPositions().isEmpty());
}

TEST_F(RtfReaderTest, putsEachParagraphOnItsOwnLine) {
    EXPECT_EQ(text("{\\rtf1 one\\par two\\par\\par four}"), QStringLiteral("one\ntwo\n\nfour\n"));
    EXPECT_EQ(text("{\\rtf1 one\\par two\\par}"), QStringLiteral("one\ntwo\n")) << "the closing \\par adds no line";
}

TEST_F(RtfReaderTest, setsDocumentDefaultsOfTheOriginalControl) {
    const auto doc = readRtf("{\\rtf1 x}");
    EXPECT_DOUBLE_EQ(doc->documentMargin(), 0);
    EXPECT_EQ(doc->defaultFont().pixelSize(), 16);
    EXPECT_DOUBLE_EQ(doc->defaultTextOption().tabStopDistance(), 48);
    const auto tabs = readRtf("{\\rtf1\\deftab709 x}");
    EXPECT_NEAR(tabs->defaultTextOption().tabStopDistance(), 47.27, 0.01);
}

} // namespace
