#include "richtext/RichView.h"

#include "richtext/RtfReader.h"
#include "support/RichtextFakeFieldSource.h"
#include "support/RichtextSamples.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTextDocument>
#include <QWheelEvent>
#include <QtMath>

#include <gtest/gtest.h>

using richtext::RichView;
using namespace richtext_test;

namespace {

class RichViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApplication();
        m_source.setField(0, QStringLiteral("Intro"), sheetRtf(QStringLiteral("Инструкция")));
        m_source.setField(0, QStringLiteral("t2Task"), sheetRtf(QStringLiteral("Задание 2")));
        m_source.setField(1, QStringLiteral("Intro"), sheetRtf(QStringLiteral("Вариант 2")));
        m_source.setField(1, QStringLiteral("t2Task"), sheetRtf(QStringLiteral("Задание 2")));
        m_source.setField(2, QStringLiteral("Intro"), sheetRtf(QStringLiteral("Вариант 2")));
    }

    QString shown(const RichView& view) const { return view.document()->toPlainText(); }

    RichtextFakeFieldSource m_source;
};

// Darkest pixel's place in a rendering: where the text starts.
QPoint firstInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 100)
                return {x, y};
        }
    }
    return {-1, -1};
}

QImage render(RichView& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::red);
    view.render(&image);
    return image;
}

TEST_F(RichViewTest, isReadOnlyAndTakesNoFocusOrMenu) {
    RichView view;
    EXPECT_EQ(view.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(view.verticalScrollBar()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(view.contextMenuPolicy(), Qt::PreventContextMenu) << "nor the stage's menu over the sheet";
    EXPECT_FALSE(view.accessibleName().isEmpty());
    view.setAccessibleName(QStringLiteral("Лист задания 4"));
    EXPECT_EQ(view.accessibleName(), QStringLiteral("Лист задания 4"));
}

TEST_F(RichViewTest, showsNothingUntilBoundToAField) {
    RichView view;
    view.setFieldSource(&m_source);
    EXPECT_TRUE(view.document()->isEmpty()) << "no field";
    view.setDataField(QStringLiteral("NoSuchField"));
    EXPECT_TRUE(view.document()->isEmpty());
    view.setDataField(QStringLiteral("intro"));
    EXPECT_EQ(shown(view), QStringLiteral("Инструкция"));
    view.setDataField(QString());
    EXPECT_TRUE(view.document()->isEmpty());
    view.setDataField(QStringLiteral("INTRO"));
    view.setFieldSource(nullptr);
    EXPECT_TRUE(view.document()->isEmpty()) << "no data source";
    EXPECT_EQ(m_source.listenerCount(), 0);
}

TEST_F(RichViewTest, bindsByNameIgnoringCaseAndRebindsWhileShown) {
    RichView view;
    view.setFieldSource(&m_source);
    view.setDataField(QStringLiteral("T2TASK"));
    EXPECT_EQ(view.dataField(), QStringLiteral("T2TASK"));
    EXPECT_EQ(shown(view), QStringLiteral("Задание 2"));
    view.setDataField(QStringLiteral("Intro"));
    EXPECT_EQ(shown(view), QStringLiteral("Инструкция"));
}

TEST_F(RichViewTest, followsTheCurrentRowAndConvertsOncePerContent) {
    RichView view;
    view.resize(400, 300);
    view.setFieldSource(&m_source);
    view.setDataField(QStringLiteral("intro"));
    EXPECT_EQ(view.conversions(), 1);
    m_source.setCurrentRow(1);
    EXPECT_EQ(shown(view), QStringLiteral("Вариант 2"));
    EXPECT_EQ(view.conversions(), 2);
    m_source.setCurrentRow(2); // same sheet in the next variant
    m_source.replaceAll();
    EXPECT_EQ(view.conversions(), 2);
    render(view);
    render(view);
    EXPECT_EQ(view.conversions(), 2) << "painting never converts";
    view.setDataField(QStringLiteral("t2task")); // empty in row 2
    EXPECT_TRUE(view.document()->isEmpty());
    m_source.setCurrentRow(0);
    EXPECT_EQ(shown(view), QStringLiteral("Задание 2"));
    EXPECT_EQ(view.conversions(), 3);
}

TEST_F(RichViewTest, unsubscribesWhenDestroyedOrRebound) {
    RichtextFakeFieldSource other;
    {
        RichView view;
        view.setFieldSource(&m_source);
        EXPECT_EQ(m_source.listenerCount(), 1);
        view.setFieldSource(&other);
        EXPECT_EQ(m_source.listenerCount(), 0);
        EXPECT_EQ(other.listenerCount(), 1);
    }
    EXPECT_EQ(other.listenerCount(), 0);
}

TEST_F(RichViewTest, drawsFromTheTopLeftCornerWithoutScaling) {
    RichView view;
    view.setFieldSource(&m_source);
    view.setDataField(QStringLiteral("intro"));
    view.resize(600, 200);
    const QImage wide = render(view);
    EXPECT_EQ(wide.pixel(300, 150), qRgb(255, 255, 255)) << "the whole area is painted white";
    const QPoint ink = firstInk(wide);
    EXPECT_GE(ink.x(), 0);
    EXPECT_LT(ink.x(), 4);
    EXPECT_LT(ink.y(), 8);
    view.resize(300, 400);
    const QImage narrow = render(view);
    EXPECT_EQ(firstInk(narrow), ink) << "same place whatever the size";
    EXPECT_EQ(wide.copy(0, 0, 150, 30), narrow.copy(0, 0, 150, 30)) << "same pixels: no scaling";
    EXPECT_DOUBLE_EQ(view.document()->textWidth(), 300) << "wrapped to the view's width";
}

TEST_F(RichViewTest, drawsTextInItsOwnColoursWhateverThePalette) {
    RichView view;
    view.resize(300, 60);
    view.setRtf(sheetRtf(QStringLiteral("ШШШШШШ")));
    const QImage image = render(view);
    int darkest = 255;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    EXPECT_LT(darkest, 40) << "black, not the greyed text of a disabled widget";
}

TEST_F(RichViewTest, measuresTheWholeDocument) {
    RichView view;
    view.resize(200, 50);
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("Строка %1").arg(i);
    view.setRtf(sheetRtf(lines));
    EXPECT_GE(view.documentHeight(), 40 * 16);
    EXPECT_EQ(view.documentHeight(), richtext::documentHeight(*view.document(), 200));
    EXPECT_LT(richtext::documentHeight(*view.document(), 2000), richtext::documentHeight(*view.document(), 40))
        << "measured at the width asked for";
    EXPECT_DOUBLE_EQ(view.document()->textWidth(), 200 - view.verticalScrollBar()->sizeHint().width())
        << "measuring leaves the view's document as it was";
}

TEST_F(RichViewTest, scrollsATallSheetWithItsBarAndTheWheelWhileOverlaidControlsStay) {
    QWidget stage;
    stage.resize(400, 300);
    auto* view = new RichView(&stage);
    view->setGeometry(0, 0, 400, 100);
    auto* overlaid = new QLabel(QStringLiteral("ответ"), view); // a control the stage placed on the sheet
    overlaid->setGeometry(150, 40, 80, 20);
    stage.show();
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("Строка %1").arg(i);
    view->setRtf(sheetRtf(lines));
    QScrollBar* bar = view->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible()) << "a sheet taller than the view shows its scroll bar";
    EXPECT_EQ(bar->geometry().right(), view->width() - 1);
    EXPECT_EQ(bar->maximum(), qCeil(view->document()->size().height()) - 100) << "scrolls to the last line";
    EXPECT_LE(view->document()->textWidth(), bar->geometry().left()) << "no text under the bar";
    EXPECT_TRUE(view->isEnabled());
    EXPECT_EQ(bar->value(), 0);
    const QImage atTop = render(*view);

    QWheelEvent down(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &down);
    EXPECT_GT(bar->value(), 0) << "the wheel over the sheet scrolls it";
    EXPECT_NE(render(*view).copy(0, 0, 100, 100), atTop.copy(0, 0, 100, 100));
    EXPECT_EQ(overlaid->geometry(), QRect(150, 40, 80, 20)) << "overlaid controls keep their places";
    bar->setValue(bar->maximum());
    EXPECT_GE(firstInk(render(*view).copy(0, 90, 100, 10)).y(), 0) << "the last line shows at the bottom";

    view->setRtf(sheetRtf(QStringLiteral("Коротко")));
    EXPECT_FALSE(bar->isVisible()) << "a sheet that fits has no bar";
    EXPECT_EQ(bar->value(), 0);
    EXPECT_DOUBLE_EQ(view->document()->textWidth(), 400);
    QWheelEvent again(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &again);
    EXPECT_FALSE(again.isAccepted()) << "nothing to scroll: the wheel goes on to the stage";
}

} // namespace
