#include "richtext/RtfReader.h"

#include "richtext/RtfTestUtil.h"
#include "support/RichtextSamples.h"

#include <QRandomGenerator>
#include <QTextDocument>

#include <gtest/gtest.h>

using richtext::RtfReader;
using namespace richtext_test;

namespace {

using RtfMalformedTest = RtfTest;

TEST_F(RtfMalformedTest, showsTextOfUnbalancedGroups) {
    EXPECT_EQ(text("{\\rtf1 {\\b open {\\i deeper"), QStringLiteral("open deeper\n"));
    EXPECT_EQ(text("{\\rtf1 body}} trailing}"), QStringLiteral("body\n")) << "nothing after the document closes";
    EXPECT_EQ(text("{\\rtf1 a}}}}b"), QStringLiteral("a\n"));
}

TEST_F(RtfMalformedTest, survivesTruncatedHexAndControlWords) {
    EXPECT_EQ(text("{\\rtf1\\ansicpg1251 \\'cf\\'f"), QStringLiteral("П\n"));
    EXPECT_EQ(text("{\\rtf1 a\\'zzb"), QStringLiteral("azzb\n"));
    EXPECT_EQ(text("{\\rtf1 a\\"), QStringLiteral("a\n"));
    EXPECT_EQ(text("{\\rtf1 a\\u"), QStringLiteral("a\n"));
    EXPECT_EQ(text("{\\rtf1 a\\bin99"), QStringLiteral("a\n"));
    EXPECT_EQ(text("{\\rtf1 {\\fonttbl{\\f0\\fcharset204 Ari"), QString());
}

TEST_F(RtfMalformedTest, clampsAbsurdNumbers) {
    const QByteArray rtf =
        "{\\rtf1\\fs99999999999999999999 a\\fs-5 b\\li-2147483648\\fi2147483647 c\\par"
        "\\trowd\\trgaph-99999\\cellx99999999999\\cellx-5\\pard\\intbl d\\cell\\row"
        "\\uc2147483647\\u99999999 e\\u-99999999 f\\bin-5 g"
        "{\\pict\\pngblip\\picwgoal2147483647\\pichgoal-5\\picscalex2147483647 00}h"
        "{\\pict\\wbitmap0\\picw5\\pich5\\wbmbitspixel2147483647 00}"
        "\\trowd\\clbrdrt\\brdrw2147483647\\clbrdrl\\brdrw-2147483647\\cellx100\\pard\\intbl i\\cell\\row}";
    const auto doc = readRtf(rtf);
    const QString t = RtfReader::plainText(*doc);
    EXPECT_TRUE(t.contains(u'a'));
    EXPECT_TRUE(t.contains(u'c'));
    EXPECT_TRUE(t.contains(u'd'));
    EXPECT_LE(formatOf(*doc, "a").font().pixelSize(), 2200);
    EXPECT_EQ(formatOf(*doc, "b").font().pixelSize(), 16) << "a negative size is the default";
    EXPECT_TRUE(t.contains(u'i'));
}

TEST_F(RtfMalformedTest, boundsDeepNesting) {
    QByteArray rtf = "{\\rtf1 top";
    rtf += QByteArray(200000, '{');
    rtf += "deep";
    rtf += QByteArray(200000, '}');
    rtf += " end}";
    const QString t = text(rtf);
    EXPECT_TRUE(t.startsWith(QStringLiteral("top")));
    EXPECT_TRUE(t.endsWith(QStringLiteral(" end\n"))) << "the document goes on after the too-deep part";
    EXPECT_FALSE(t.contains(QStringLiteral("deep")));
    QByteArray shallow = "{\\rtf1 " + QByteArray(100, '{') + "kept" + QByteArray(100, '}') + "}";
    EXPECT_EQ(text(shallow), QStringLiteral("kept\n"));
}

TEST_F(RtfMalformedTest, showsANonRtfBlobAsItsPlainText) {
    EXPECT_EQ(text(QStringLiteral("Просто текст\r\nвторая строка").toUtf8()),
              QStringLiteral("Просто текст\nвторая строка\n"));
    EXPECT_EQ(text("\xcf\xf0\xee\xf1\xf2\xee"), QStringLiteral("Просто\n")) << "Windows-1251 when not UTF-8";
    QTextDocument doc;
    EXPECT_FALSE(RtfReader::read(QByteArray(), &doc));
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_TRUE(RtfReader::looksLikeRtf("  \r\n{\\rtf1}"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("{\\rt"));
}

TEST_F(RtfMalformedTest, replacesAnEarlierDocumentCompletely) {
    QTextDocument doc;
    RtfReader::read(fixture("libreoffice-sheet.rtf"), &doc);
    RtfReader::read("{\\rtf1 only}", &doc);
    EXPECT_EQ(RtfReader::plainText(doc), QStringLiteral("only\n"));
}

TEST_F(RtfMalformedTest, readsInputsTheFuzzerFoundFaultsWith) {
    // Each once overflowed an int; run under the sanitizers they must stay quiet.
    for (const char* name : {"broken-fuzz-border-width.rtf"}) {
        SCOPED_TRACE(name);
        const QByteArray rtf = fixture(QString::fromLatin1(name));
        ASSERT_FALSE(rtf.isEmpty());
        const auto doc = readRtf(rtf);
        EXPECT_FALSE(doc->isEmpty());
    }
}

TEST_F(RtfMalformedTest, survivesMutatedRealDocuments) {
    // A small deterministic fuzz in the suite: flip, cut and duplicate bytes of real sheets.
    QRandomGenerator random(20240601);
    const QByteArray sources[] = {fixture("wordpad-cp1251.rtf"), fixture("libreoffice-sheet.rtf").left(20000),
                                  fixture("pictures-word.rtf").left(20000)};
    const char specials[] = "{}\\'0123456789-;*";
    for (const QByteArray& source : sources) {
        ASSERT_FALSE(source.isEmpty());
        for (int round = 0; round < 60; ++round) {
            QByteArray data = source;
            const int edits = 1 + random.bounded(8);
            for (int e = 0; e < edits; ++e) {
                const int at = random.bounded(static_cast<int>(data.size()));
                switch (random.bounded(3)) {
                case 0:
                    data[at] = specials[random.bounded(static_cast<int>(sizeof specials - 1))];
                    break;
                case 1:
                    data.truncate(at);
                    break;
                default:
                    data.insert(at, data.mid(at, random.bounded(64)));
                    break;
                }
                if (data.isEmpty())
                    data = "{";
            }
            QTextDocument doc;
            RtfReader::read(data, &doc);
            RtfReader::plainText(doc);
        }
    }
    SUCCEED();
}

} // namespace
