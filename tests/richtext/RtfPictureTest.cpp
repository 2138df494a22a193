#include "richtext/MetafileBitmap.h"
#include "richtext/RtfReader.h"

#include "richtext/RtfTestUtil.h"
#include "support/RichtextSamples.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include <gtest/gtest.h>

using richtext::MetafileBitmap;
using namespace richtext_test;

namespace {

using RtfPictureTest = RtfTest;

struct Shown {
    double width = 0, height = 0;
    QImage image;
};

std::vector<Shown> pictures(const QTextDocument& doc) {
    std::vector<Shown> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QTextImageFormat image = f.toImageFormat();
            out.push_back({image.width(), image.height(),
                           doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>()});
        }
    }
    return out;
}

QRgb centre(const QImage& image) {
    return image.pixel(image.width() / 2, image.height() / 2);
}

TEST_F(RtfPictureTest, showsEveryPictureKindAtItsSizeInPixels) {
    const auto doc = readRtf(fixture("pictures-word.rtf"));
    const auto shown = pictures(*doc);
    ASSERT_EQ(shown.size(), 7u) << "the \\nonshppict twin is not shown";
    const struct {
        const char* what;
        double w, h;
        QRgb colour;
    } expected[] = {
        {"PNG in \\shppict, goal size", 120, 80, qRgb(200, 0, 0)},
        {"JPEG at 72 dpi, scaled", 64, 48, qRgb(0, 160, 0)},
        {"\\dibitmap, own size", 30, 20, qRgb(0, 0, 200)},
        {"\\wbitmap in \\bin", 16, 8, qRgb(200, 0, 0)},
        {"WMF wrapping a bitmap, hundredths of a mm, scaled", 100, 80, qRgb(0, 160, 0)},
        {"EMF wrapping a bitmap, goal size", 60, 45, qRgb(0, 0, 200)},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].what);
        EXPECT_NEAR(shown[i].width, expected[i].w, 0.5);
        EXPECT_NEAR(shown[i].height, expected[i].h, 0.5);
        ASSERT_FALSE(shown[i].image.isNull());
        const QRgb c = centre(shown[i].image);
        EXPECT_NEAR(qRed(c), qRed(expected[i].colour), 6);
        EXPECT_NEAR(qGreen(c), qGreen(expected[i].colour), 6);
        EXPECT_NEAR(qBlue(c), qBlue(expected[i].colour), 6);
    }
    // A metafile with real vector content: an empty frame of the right size.
    EXPECT_NEAR(shown[6].width, 100, 0.5);
    EXPECT_NEAR(shown[6].height, 50, 0.5);
    ASSERT_FALSE(shown[6].image.isNull());
    EXPECT_EQ(qAlpha(centre(shown[6].image)), 0);
    EXPECT_GT(qAlpha(shown[6].image.pixel(0, 0)), 0) << "outlined";
}

TEST_F(RtfPictureTest, showsLibreOfficeShapePicturesAtTheShapeSize) {
    const auto doc = readRtf(fixture("libreoffice-sheet.rtf"));
    const auto shown = pictures(*doc);
    ASSERT_EQ(shown.size(), 2u) << "the shapes' fill pictures are not shown";
    EXPECT_NEAR(shown[0].width, 226.7, 0.1); // 6 x 4 cm
    EXPECT_NEAR(shown[0].height, 151.1, 0.1);
    EXPECT_EQ(shown[0].image.size(), QSize(300, 200));
    EXPECT_NEAR(shown[1].width, 37.7, 0.1); // 1 cm
    const QRgb icon = centre(shown[1].image);
    EXPECT_EQ(qRed(icon), 0x20);
    EXPECT_EQ(qBlue(icon), 0xc0);
}

TEST_F(RtfPictureTest, keepsTheTextAroundATruncatedPicture) {
    const auto doc = readRtf(fixture("broken-truncated-picture.rtf"));
    EXPECT_TRUE(doc->toPlainText().startsWith(QStringLiteral("Фото")));
    const auto shown = pictures(*doc);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(shown[0].width, 100, 0.5) << "its room is kept";
}

TEST_F(RtfPictureTest, showsAnUnreadablePictureAsAFrame) {
    const auto doc = readRtf("{\\rtf1 {\\pict\\pngblip\\picwgoal300\\pichgoal150 0102030405}"
                             "{\\pict\\macpict\\picw10\\pich10\\picwgoal150\\pichgoal150 00}{\\pict\\jpegblip 00}x}");
    const auto shown = pictures(*doc);
    ASSERT_EQ(shown.size(), 2u) << "a picture with no size at all takes no room";
    EXPECT_DOUBLE_EQ(shown[0].width, 20);
    EXPECT_DOUBLE_EQ(shown[0].height, 10);
    EXPECT_DOUBLE_EQ(shown[1].width, 10);
}

QByteArray dibOf(const QImage& image) {
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bmp.mid(14);
}

TEST(MetafileBitmapTest, readsPackedDibsOfEveryDepth) {
    QImage colour(7, 5, QImage::Format_RGB32);
    colour.fill(qRgb(10, 20, 30));
    const QImage back = MetafileBitmap::fromDib(dibOf(colour));
    ASSERT_EQ(back.size(), QSize(7, 5));
    EXPECT_EQ(back.pixel(3, 2) & 0xFFFFFF, qRgb(10, 20, 30) & 0xFFFFFF);
    QImage indexed = colour.convertToFormat(QImage::Format_Indexed8);
    EXPECT_EQ(MetafileBitmap::fromDib(dibOf(indexed)).size(), QSize(7, 5));
    QImage mono = colour.convertToFormat(QImage::Format_Mono);
    EXPECT_EQ(MetafileBitmap::fromDib(dibOf(mono)).size(), QSize(7, 5));
}

TEST(MetafileBitmapTest, rejectsBrokenDibsAndMetafiles) {
    EXPECT_TRUE(MetafileBitmap::fromDib(QByteArray()).isNull());
    EXPECT_TRUE(MetafileBitmap::fromDib(QByteArray("\x28\0\0\0", 4)).isNull());
    QByteArray hugePalette(40, '\0');
    hugePalette[0] = 40;
    hugePalette[14] = 8;
    hugePalette[32] = '\xff';
    hugePalette[33] = '\xff';
    hugePalette[34] = '\xff';
    EXPECT_TRUE(MetafileBitmap::fromDib(hugePalette).isNull());
    EXPECT_TRUE(MetafileBitmap::fromWmf(QByteArray(3, '\x01')).image.isNull());
    EXPECT_TRUE(MetafileBitmap::fromEmf(QByteArray(100, '\x01')).image.isNull());
    EXPECT_TRUE(MetafileBitmap::fromDdb(QByteArray(10, '\0'), 100000, 5, 24, 0).isNull());
    EXPECT_TRUE(MetafileBitmap::fromDdb(QByteArray(10, '\0'), 4, 4, 7, 0).isNull());
}

TEST(MetafileBitmapTest, findsTheBitmapInTruncatedMetafilesOnlyWhenWhole) {
    const QByteArray rtf = fixture("pictures-word.rtf");
    // The fifth picture is a WMF wrapping a 50 x 40 bitmap; cut it at every length.
    const qsizetype at = rtf.indexOf("\\wmetafile8\\picw1323");
    ASSERT_GT(at, 0);
    const qsizetype start = rtf.indexOf('\n', at) + 1;
    const QByteArray wmf = QByteArray::fromHex(rtf.mid(start, rtf.indexOf('}', start) - start));
    const auto whole = MetafileBitmap::fromWmf(wmf);
    ASSERT_EQ(whole.image.size(), QSize(50, 40));
    EXPECT_FALSE(whole.vector);
    for (qsizetype n = 0; n < wmf.size(); n += 7)
        MetafileBitmap::fromWmf(wmf.left(n)); // must not read past the end (run under ASan)
}

} // namespace
