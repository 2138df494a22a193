#include "stages/preexam/KitTextViewer.h"
#include "stages/preexam/PreExamStages.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "richtext/RtfReader.h"
#include "stages/StageTable.h"
#include "support/Screenshot.h"
#include "support/StagesKit.h"
#include "support/StationHarness.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using stagestest::KitRow;

KitRow rowWithText(int varNo, const QString& text) {
    KitRow row = KitRow::variant(varNo);
    row.testRtf = stagestest::simpleRtf(text);
    return row;
}

struct Viewer {
    explicit Viewer(std::initializer_list<KitRow> rows) {
        StationWindow& w = h.createWindow();
        w.complects = stagestest::makeKit(rows);
        stages::createStationWindows(w);
        w.show();
    }
    KitTextViewer& window() { return *static_cast<KitTextViewer*>(h.window->kitTextViewer); }
    kit::MemTable& kit() { return h.window->complects; }
    QString shownText() { return window().sampleTextView->document()->toPlainText().trimmed(); }
    StationHarness h;
};

const QString kSample = QStringLiteral("Образец текста заданий\nThe quick brown fox jumps over the lazy dog.\n"
                                       "Съешь же ещё этих мягких французских булок, да выпей чаю.");

} // namespace

TEST(KitTextViewer, isABorderlessModalWindowWithTheTextAboveTheCloseButton) {
    KitRow demo = KitRow::variant(0);
    demo.testRtf = stagestest::demoKitSheet(QStringLiteral("v0-TestRTF"), stagestest::simpleRtf(kSample));
    Viewer v({demo});
    KitTextViewer& f = v.window();
    EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(f.isModal());
    f.show();
    QApplication::processEvents();
    EXPECT_EQ(f.size(), QSize(1015, 712));
    EXPECT_EQ(f.buttonBar->geometry(), QRect(0, 712 - 41, 1015, 41));
    EXPECT_EQ(f.sampleTextView->geometry(), QRect(0, 0, 1015, 712 - 41));
    EXPECT_EQ(f.closeButton->text(), "Закрыть");
    EXPECT_NEAR(f.closeButton->geometry().center().x(), f.buttonBar->width() / 2, 1);
    EXPECT_EQ(f.sampleTextView->contextMenuPolicy(), Qt::PreventContextMenu);
    EXPECT_EQ(f.sampleTextView->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(f.sampleTextView->dataField(), "TestRTF");
    const QRect screen = f.screen()->geometry();
    EXPECT_EQ(f.geometry().center(), screen.center());
    saveScreenshot(f, QStringLiteral("KitTextViewer"));
    f.closeButton->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST(KitTextViewer, eachShowingSelectsVariantZeroAndShowsItsText) {
    Viewer v({rowWithText(1, QStringLiteral("первый")), rowWithText(0, QStringLiteral("нулевой")),
              rowWithText(2, QStringLiteral("второй"))});
    for (int examinee : {1, 2}) {
        v.h.window->selectVariant(examinee);
        v.window().show();
        EXPECT_EQ(v.kit().asText("VarNo"), "0");
        EXPECT_EQ(v.shownText(), "нулевой");
        v.window().onCloseClicked();
    }
}

TEST(KitTextViewer, withoutVariantZeroShowsTheCurrentRow) {
    Viewer v({rowWithText(1, QStringLiteral("первый")), rowWithText(2, QStringLiteral("второй"))});
    v.h.window->selectVariant(2);
    v.window().show();
    EXPECT_EQ(v.kit().asText("VarNo"), "2");
    EXPECT_EQ(v.shownText(), "второй");
}

TEST(KitTextViewer, followsTheCurrentRowWhileShown) {
    Viewer v({rowWithText(0, QStringLiteral("нулевой")), rowWithText(1, QStringLiteral("первый"))});
    v.window().show();
    v.h.window->selectVariant(1);
    EXPECT_EQ(v.shownText(), "первый");
}

TEST(KitTextViewer, isShownThroughTheDialogServiceFromTheHardwareTest) {
    Viewer v({rowWithText(0, kSample)});
    bool visibleInside = false;
    v.h.dialogs.onModal = [&](QDialog& dialog) {
        dialog.show();
        visibleInside = dialog.isVisible();
        static_cast<KitTextViewer&>(dialog).onCloseClicked();
        return dialog.result();
    };
    EXPECT_EQ(v.h.dialogs.execModal(v.window()), QDialog::Accepted);
    EXPECT_TRUE(visibleInside);
    EXPECT_FALSE(v.window().isVisible());
}

TEST(KitTextViewer, goesWithTheMainWindowAfterHavingBeenShown) {
    // The kit table is a member of the main window and goes before its child windows;
    // the viewer must no longer hold it by then (a sanitizer build catches a slip).
    Viewer v({rowWithText(0, kSample)});
    v.window().show();
    v.window().onCloseClicked();
    v.h.window.reset();
    SUCCEED();
}

TEST(KitTextViewer, goesWithTheMainWindowEvenWhileShown) {
    Viewer v({rowWithText(0, kSample)});
    v.window().show();
    v.h.window.reset();
    SUCCEED();
}
