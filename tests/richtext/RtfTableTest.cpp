#include "richtext/RtfReader.h"

#include "richtext/RtfTableBuilder.h"
#include "richtext/RtfTestUtil.h"
#include "support/RichtextSamples.h"

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

using richtext::RtfReader;
using namespace richtext_test;

namespace {

using RtfTableTest = RtfTest;

QTextTable* firstTable(const QTextDocument& doc) {
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    }
    return nullptr;
}

QString cellText(QTextTable* table, int row, int column) {
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return c.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

QVector<double> columnWidths(QTextTable* table) {
    QVector<double> widths;
    for (const QTextLength& l : table->format().columnWidthConstraints())
        widths.append(l.rawValue());
    return widths;
}

// Word writes the row definition before the cells and again, in a group, before \row.
const QByteArray kWordTable =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}}"
    "\\pard before\\par"
    "\\trowd\\trgaph108\\trleft-108\\trbrdrt\\brdrs\\brdrw10 \\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 "
    "\\clbrdrb\\brdrs\\brdrw10 \\clbrdrr\\brdrs\\brdrw10 \\cellx1392\\clbrdrt\\brdrnone \\cellx4392"
    "\\cellx6000\\pard\\intbl \\'c2\\'ee\\'ef\\'f0\\'ee\\'f1\\cell \\qc\\b \\'ce\\'f2\\'e2\\'e5\\'f2\\b0\\par"
    " \\'e2\\'f2\\'ee\\'f0\\'ee\\'e9\\cell\\pard\\intbl\\cell\\pard\\intbl{\\trowd\\trgaph108\\trleft-108"
    "\\cellx1392\\cellx4392\\cellx6000\\row}"
    "\\trowd\\trgaph108\\trleft-108\\cellx1392\\cellx4392\\cellx6000\\pard\\intbl 1\\cell 2\\cell 3\\cell"
    "\\pard\\intbl{\\trowd\\trgaph108\\trleft-108\\cellx1392\\cellx4392\\cellx6000\\row}"
    "\\pard after\\par}";

TEST_F(RtfTableTest, buildsWordTableWithTheDocumentsCellsAndWidths) {
    const auto doc = readRtf(kWordTable);
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(cellText(table, 0, 0), QStringLiteral("Вопрос"));
    EXPECT_EQ(cellText(table, 0, 1), QStringLiteral("Ответ\nвторой"));
    EXPECT_EQ(cellText(table, 0, 2), QString());
    EXPECT_EQ(cellText(table, 1, 2), QStringLiteral("3"));
    // Edges 1392, 4392, 6000 twips from a left edge of -108: 1500, 3000 and 1608 twips.
    EXPECT_EQ(columnWidths(table), (QVector<double>{100, 200, 107.2}));
    const QTextTableCellFormat first = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_DOUBLE_EQ(first.leftPadding(), 7.2) << "half the gap between cells";
    EXPECT_DOUBLE_EQ(first.topBorder(), 1);
    EXPECT_DOUBLE_EQ(table->cellAt(0, 1).format().toTableCellFormat().topBorder(), 0) << "\\brdrnone";
    EXPECT_EQ(blockFormatOf(*doc, "Ответ").alignment() & kHorizontal, Qt::AlignHCenter);
    EXPECT_EQ(formatOf(*doc, "Ответ").fontWeight(), QFont::Bold);
    EXPECT_EQ(RtfReader::plainText(*doc), QStringLiteral("before\nВопрос\nОтвет\nвторой\n\n1\n2\n3\nafter\n"));
}

TEST_F(RtfTableTest, placesTheTableRightAfterItsParagraph) {
    const auto doc = readRtf(kWordTable);
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    QTextCursor c = table->firstCursorPosition();
    c.movePosition(QTextCursor::PreviousBlock);
    EXPECT_EQ(c.block().text(), QStringLiteral("before"));
    QTextCursor after = table->lastCursorPosition();
    after.movePosition(QTextCursor::NextBlock);
    EXPECT_EQ(after.block().text(), QStringLiteral("after"));
    EXPECT_EQ(after.currentTable(), nullptr);
}

TEST_F(RtfTableTest, mergesCellsMarkedAsMerged) {
    const QByteArray rtf =
        "{\\rtf1 \\trowd\\clmgf\\cellx1500\\clmrg\\cellx3000\\clvmgf\\cellx4500"
        "\\pard\\intbl wide\\cell gone\\cell tall\\cell\\row"
        "\\trowd\\cellx1500\\cellx3000\\clvmrg\\cellx4500\\pard\\intbl a\\cell b\\cell lost\\cell\\row"
        "\\pard end}";
    const auto doc = readRtf(rtf);
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 0, 0), QStringLiteral("wide"));
    EXPECT_EQ(table->cellAt(0, 2).rowSpan(), 2);
    EXPECT_EQ(cellText(table, 1, 2), QStringLiteral("tall"));
    EXPECT_EQ(cellText(table, 1, 1), QStringLiteral("b"));
    EXPECT_FALSE(doc->toPlainText().contains(QStringLiteral("gone")));
    EXPECT_FALSE(doc->toPlainText().contains(QStringLiteral("lost")));
}

TEST_F(RtfTableTest, mergesARunOfThreeCellsIntoTheFirst) {
    const auto doc =
        readRtf("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\pard\\intbl a\\cell b\\cell c\\cell d"
                "\\cell\\row\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\clmrg\\cellx3000\\cellx4000"
                "\\pard\\intbl wide\\cell\\cell\\cell last\\cell\\row}");
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->cellAt(1, 0).columnSpan(), 3);
    EXPECT_EQ(cellText(table, 1, 0), QStringLiteral("wide"));
    EXPECT_EQ(cellText(table, 1, 3), QStringLiteral("last"));
}

TEST_F(RtfTableTest, givesRowsWithWiderCellsTheUnionOfColumns) {
    // LibreOffice writes a merged cell as one wider \cellx; the rows still line up.
    const QByteArray rtf = "{\\rtf1 \\trowd\\cellx1500\\cellx4500\\pard\\intbl A\\cell B\\cell\\row"
                           "\\trowd\\cellx1500\\cellx3000\\cellx4500\\pard\\intbl 1\\cell 2\\cell 3\\cell\\row"
                           "\\trowd\\cellx3000\\cellx4500\\cellx6000\\pard\\intbl x\\cell y\\cell z\\cell\\row}";
    const auto doc = readRtf(rtf);
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 3);
    EXPECT_EQ(table->columns(), 4);
    EXPECT_EQ(columnWidths(table), (QVector<double>{100, 100, 100, 100}));
    EXPECT_EQ(table->cellAt(0, 1).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 0, 1), QStringLiteral("B"));
    EXPECT_EQ(cellText(table, 1, 2), QStringLiteral("3"));
    EXPECT_EQ(table->cellAt(2, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 2, 3), QStringLiteral("z"));
}

TEST_F(RtfTableTest, readsLibreOfficeTableWithMergesAndANestedTable) {
    const auto doc = readRtf(fixture("libreoffice-sheet.rtf"));
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 3);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(cellText(table, 0, 0), QStringLiteral("План"));
    EXPECT_EQ(table->cellAt(0, 1).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 0, 1), QStringLiteral("Пункты ответа"));
    EXPECT_EQ(table->cellAt(1, 0).rowSpan(), 2);
    EXPECT_EQ(cellText(table, 1, 0), QStringLiteral("Где"));
    EXPECT_EQ(cellText(table, 1, 1), QStringLiteral("место\nи время"));
    EXPECT_EQ(cellText(table, 2, 2), QStringLiteral("да\nнет")) << "the nested table flattened into its cell";
    // 3 cm, 5 cm and 4 cm columns as LibreOffice wrote them (twips / 15).
    const QVector<double> widths = columnWidths(table);
    ASSERT_EQ(widths.size(), 3);
    EXPECT_NEAR(widths[0], 113.7, 0.1);
    EXPECT_NEAR(widths[1], 188.5, 0.1);
    EXPECT_NEAR(widths[2], 151.3, 0.1);
    EXPECT_NEAR(table->cellAt(0, 0).format().toTableCellFormat().leftPadding(), 3.8, 0.01);
}

TEST_F(RtfTableTest, makesATableOfCellsWithoutADefinition) {
    const auto doc = readRtf("{\\rtf1 \\pard\\intbl a\\cell b\\cell c\\cell\\row\\pard after}");
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(cellText(table, 0, 2), QStringLiteral("c"));
    EXPECT_EQ(RtfReader::plainText(*doc), QStringLiteral("a\nb\nc\nafter\n")) << "no line for the room above";
}

// A 4-row bill whose last row is "TOTAL" over two columns, with each row's definition written
// before its cells (LibreOffice) or after them (as Word may: the cells, then \trowd...\row).
QByteArray billTable(bool definitionAfterCells) {
    const QByteArray threeCells = "\\trowd\\trgaph100\\clbrdrb\\brdrs\\brdrw15\\cellx2000\\cellx4000\\cellx6000";
    const QByteArray totalCells = "\\trowd\\trgaph100\\clbrdrt\\brdrdb\\brdrw30\\cellx4000\\cellx6000";
    const QByteArray rows[][2] = {{threeCells, "\\pard\\intbl Item\\cell Count\\cell Sum\\cell"},
                                  {threeCells, "\\pard\\intbl Pens\\cell 2\\cell 20\\cell"},
                                  {threeCells, "\\pard\\intbl Books\\cell 1\\cell 40\\cell"},
                                  {totalCells, "\\pard\\intbl TOTAL\\cell 60\\cell"}};
    QByteArray rtf = "{\\rtf1\\ansi \\pard before\\par";
    for (const auto& [definition, cells] : rows)
        rtf += definitionAfterCells ? cells + "{" + definition + "\\row}" : definition + cells + "\\row";
    return rtf + "\\pard after\\par}";
}

TEST_F(RtfTableTest, placesCellsByTheirRowsOwnDefinitionWrittenBeforeOrAfterTheCells) {
    for (const bool after : {false, true}) {
        SCOPED_TRACE(after ? "definition after the cells" : "definition before the cells");
        const auto doc = readRtf(billTable(after));
        QTextTable* table = firstTable(*doc);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rows(), 4);
        EXPECT_EQ(table->columns(), 3);
        EXPECT_EQ(columnWidths(table), (QVector<double>{2000 / 15.0, 2000 / 15.0, 2000 / 15.0}));
        EXPECT_EQ(cellText(table, 0, 2), QStringLiteral("Sum"));
        EXPECT_EQ(cellText(table, 1, 0), QStringLiteral("Pens"));
        EXPECT_EQ(cellText(table, 2, 2), QStringLiteral("40"));
        EXPECT_EQ(table->cellAt(3, 0).columnSpan(), 2);
        EXPECT_EQ(cellText(table, 3, 0), QStringLiteral("TOTAL"));
        EXPECT_EQ(cellText(table, 3, 2), QStringLiteral("60"));
        EXPECT_DOUBLE_EQ(table->cellAt(1, 0).format().toTableCellFormat().bottomBorder(), 1);
        EXPECT_DOUBLE_EQ(table->cellAt(3, 0).format().toTableCellFormat().topBorder(), 6) << "double: 2 lines of 2 px";
        EXPECT_EQ(RtfReader::plainText(*doc),
                  QStringLiteral("before\nItem\nCount\nSum\nPens\n2\n20\nBooks\n1\n40\nTOTAL\n60\nafter\n"));
    }
}

TEST_F(RtfTableTest, keepsEveryCellOfLongTablesAndWideRows) {
    for (const bool after : {false, true}) {
        const QByteArray definition = "\\trowd\\cellx2000\\cellx4000";
        QByteArray rtf = "{\\rtf1\\ansi ";
        for (int r = 0; r < 20000; ++r) {
            const QByteArray cells = "\\pard\\intbl a" + QByteArray::number(r) + "\\cell b\\cell";
            rtf += after ? cells + "{" + definition + "\\row}" : definition + cells + "\\row";
        }
        const auto doc = readRtf(rtf + "\\pard after\\par}");
        QTextTable* table = firstTable(*doc);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rows(), 20000);
        EXPECT_EQ(table->columns(), 2);
        EXPECT_EQ(cellText(table, 19999, 0), QStringLiteral("a19999"));
        EXPECT_EQ(RtfReader::plainText(*doc).count(u'\n'), 40001);
    }
    // 5000 cells in one row: the columns stop at the limit, the rest of the text joins the last cell.
    for (const bool defined : {false, true}) {
        QByteArray rtf = "{\\rtf1\\ansi \\trowd";
        for (int c = 0; defined && c < 5000; ++c)
            rtf += "\\cellx" + QByteArray::number(100 * (c + 1));
        rtf += "\\pard\\intbl ";
        QString expected;
        for (int c = 0; c < 5000; ++c) {
            rtf += "c" + QByteArray::number(c) + "\\cell ";
            expected += QStringLiteral("c%1\n").arg(c);
        }
        const auto doc = readRtf(rtf + "\\row\\pard after\\par}");
        QTextTable* table = firstTable(*doc);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->columns(), richtext::RtfTableBuilder::kMaxColumns);
        EXPECT_EQ(cellText(table, 0, 1), QStringLiteral("c1"));
        EXPECT_EQ(RtfReader::plainText(*doc), expected + QStringLiteral("after\n"));
    }
}

TEST_F(RtfTableTest, readsAbiWordBillWithItsTotalRowAndSymbolText) {
    const auto doc = readRtf(fixture("abiword-bill.rtf"));
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 4);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(cellText(table, 2, 0), QStringLiteral("Books"));
    EXPECT_EQ(table->cellAt(3, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 3, 0), QStringLiteral("TOTAL"));
    EXPECT_EQ(cellText(table, 3, 2), QStringLiteral("60"));
    EXPECT_TRUE(RtfReader::plainText(*doc).contains(QStringLiteral("αβλ after")));
}

TEST_F(RtfTableTest, drawsCellBordersAlignmentAndPicturesAsWritten) {
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"
                           "\\trowd\\trgaph100\\clvertalc\\clbrdrt\\brdrdb\\brdrw10\\brdrcf2\\clbrdrl\\brdrdot\\brdrw30"
                           "\\cellx3000\\clvertalb\\clbrdrb\\brdrdash\\cellx6000\\cellx9000"
                           "\\pard\\intbl middle\\cell bottom\\cell {\\pict\\pngblip\\picw400\\pich100 " +
                           png.toHex() + "}\\cell\\row}";
    const auto doc = readRtf(rtf);
    QTextTable* table = firstTable(*doc);
    ASSERT_NE(table, nullptr);
    const QTextTableCellFormat first = table->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(first.verticalAlignment(), QTextCharFormat::AlignMiddle);
    EXPECT_EQ(first.topBorderStyle(), QTextFrameFormat::BorderStyle_Double);
    EXPECT_DOUBLE_EQ(first.topBorder(), 3) << "two 1 px lines and the gap";
    EXPECT_EQ(first.topBorderBrush().color(), QColor(255, 0, 0));
    EXPECT_EQ(first.leftBorderStyle(), QTextFrameFormat::BorderStyle_Dotted);
    EXPECT_DOUBLE_EQ(first.leftBorder(), 2);
    EXPECT_EQ(first.leftBorderBrush().color(), QColor(Qt::black));
    const QTextTableCellFormat second = table->cellAt(0, 1).format().toTableCellFormat();
    EXPECT_EQ(second.verticalAlignment(), QTextCharFormat::AlignBottom);
    EXPECT_EQ(second.bottomBorderStyle(), QTextFrameFormat::BorderStyle_Dashed);
    // The 400 px picture is scaled into its 200 px cell, inside the padding.
    QTextCursor c = table->cellAt(0, 2).firstCursorPosition();
    c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    const QTextImageFormat picture = c.charFormat().toImageFormat();
    ASSERT_TRUE(picture.isValid());
    EXPECT_NEAR(picture.width(), 200 - 2 * 100 / 15.0, 0.01);
    EXPECT_NEAR(picture.height(), picture.width() / 4, 0.01);
}

TEST_F(RtfTableTest, drawsBorderedParagraphsAsOneBoxPerRunWithTheSameBorders) {
    const QByteArray rtf = "{\\rtf1\\ansi\\paperw11906\\margl1701\\margr851"
                           "{\\colortbl;\\red0\\green0\\blue0;\\red200\\green0\\blue0;}\\pard before\\par"
                           "\\pard\\li720\\ri1000\\box\\brdrdb\\brdrw10\\brdrcf2\\brsp60 one\\par two\\par"
                           "\\pard\\brdrb\\brdrs\\brdrw30 ruled\\par\\pard after\\par}";
    const auto doc = readRtf(rtf);
    EXPECT_EQ(RtfReader::plainText(*doc), QStringLiteral("before\none\ntwo\nruled\nafter\n"));
    QList<QTextTable*> boxes;
    for (QTextFrame* frame : doc->rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            boxes.append(table);
    }
    ASSERT_EQ(boxes.size(), 2);
    QTextTable* box = boxes[0];
    EXPECT_EQ(box->rows(), 1);
    EXPECT_EQ(box->columns(), 1);
    EXPECT_EQ(cellText(box, 0, 0), QStringLiteral("one\ntwo")) << "both paragraphs in one box";
    EXPECT_DOUBLE_EQ(box->format().leftMargin(), 48) << "at the left indent";
    // From the indent to the text's right edge (paper less margins) less the right indent.
    EXPECT_EQ(columnWidths(box), (QVector<double>{(11906 - 1701 - 851 - 1000 - 720) / 15.0}));
    const QTextTableCellFormat boxed = box->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(boxed.leftBorderStyle(), QTextFrameFormat::BorderStyle_Double);
    EXPECT_EQ(boxed.bottomBorderBrush().color(), QColor(200, 0, 0));
    EXPECT_DOUBLE_EQ(boxed.topPadding(), 4);
    EXPECT_DOUBLE_EQ(blockFormatOf(*doc, "two").leftMargin(), 0) << "the box stands at the indent, not the text";
    const QTextTableCellFormat ruled = boxes[1]->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_DOUBLE_EQ(ruled.bottomBorder(), 2);
    EXPECT_EQ(ruled.topBorderStyle(), QTextFrameFormat::BorderStyle_None) << "only the bottom rule";
}

} // namespace
