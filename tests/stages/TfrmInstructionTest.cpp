#include "stages/TfrmInstruction.h"

#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/StageTable.h"
#include "stages/TfrmRecStudID.h"
#include "support/Screenshot.h"
#include "support/StagesKeyboard.h"
#include "support/StagesKit.h"
#include "support/StationHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using stagestest::KitRow;

const QString kStation = QStringLiteral("25.05.2019_3_000123_0007_2");

const QString kInstruction = QStringLiteral(
    "Инструкция по выполнению работы\n"
    "Устная часть экзамена состоит из шести заданий. Перед заданиями 1, 2 и 3 даётся время на подготовку.\n"
    "Ответы на задания 2 и 3 записываются: говорите чётко, в микрофон гарнитуры.\n"
    "В заданиях 1, 4, 5 и 6 выберите ответы в раскрывающихся списках.\n"
    "Введите свой четырёхзначный код участника и нажмите кнопку «Начать выполнение работы».");

KitRow row(int varNo, const QString& intro) {
    KitRow r = KitRow::variant(varNo);
    r.intro = stagestest::simpleRtf(intro, 32);
    return r;
}

// Variant 0 with the demo kit's instruction when it is there.
KitRow demoRow() {
    KitRow r = KitRow::variant(0);
    r.intro = stagestest::demoKitSheet(QStringLiteral("v0-Intro"), stagestest::simpleRtf(kInstruction, 32));
    return r;
}

struct CodeEntry {
    explicit CodeEntry(std::initializer_list<KitRow> rows = {row(0, kInstruction), row(1, QStringLiteral("нечётный")),
                                                             row(2, QStringLiteral("чётный"))}) {
        stages::registerPreExamStages(h.stages);
        TfrmMain& w = h.createWindow();
        w.complects = stagestest::makeKit(rows);
        w.selectVariant(0);
        w.StationTag = kStation;
        w.show();
        w.StartFrame(5);
        QApplication::processEvents();
    }
    TfrmMain& main() { return *h.window; }
    TfrmInstruction& frame() { return *qobject_cast<TfrmInstruction*>(h.window->CurrentFrame.data()); }
    // Types the code and presses "Начать выполнение работы".
    void submit(const QString& code) {
        frame().Edit3->clear();
        stagestest::typeText(frame().Edit3, code);
        frame().Button1->click();
    }
    bool accepted() { return frame().Timer1->isActive(); }
    void answered(const QString& code, const QString& tag = kStation) {
        StationFolders(h.workDir.path(), tag, code).ensureExist();
    }
    StationHarness h;
};

} // namespace

TEST(TfrmInstruction, startsWithAnEmptyFocusedCodeAndTheKitInstruction) {
    CodeEntry c;
    TfrmInstruction& f = c.frame();
    EXPECT_TRUE(c.main().Panel1->isHidden());
    EXPECT_TRUE(f.Edit3->text().isEmpty());
    EXPECT_EQ(c.main().focusWidget(), f.Edit3);
    EXPECT_EQ(f.Edit3->maxLength(), 4);
    EXPECT_EQ(f.Edit3->font().pixelSize(), 27);
    EXPECT_EQ(f.Label1->text(), "Код участника:");
    EXPECT_EQ(f.Label1->buddy(), f.Edit3);
    EXPECT_FALSE(f.Edit3->accessibleName().isEmpty());
    EXPECT_EQ(f.Button1->text(), "Начать выполнение работы");
    EXPECT_FALSE(f.Button1->isDefault());
    EXPECT_EQ(f.Button2->text(), "Завершить");
    EXPECT_EQ(f.Panel1->geometry(), QRect(0, 713 - 107, 1016, 107));
    EXPECT_EQ(f.RxDBRichEdit1->geometry(), QRect(0, 0, 1016, 713 - 107));
    EXPECT_EQ(f.RxDBRichEdit1->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(f.RxDBRichEdit1->dataField(), "Intro");
    EXPECT_TRUE(f.RxDBRichEdit1->document()->toPlainText().startsWith("Инструкция по выполнению работы"));
    EXPECT_LE(f.Button2->geometry().right(), 1016);
    EXPECT_GT(f.Button2->geometry().left(), f.Button1->geometry().right());
    EXPECT_EQ(f.Timer1->interval(), 100);
}

TEST(TfrmInstruction, showsTheDemoKitInstruction) {
    CodeEntry c({demoRow()});
    TfrmInstruction& f = c.frame();
    EXPECT_FALSE(f.RxDBRichEdit1->document()->isEmpty());
    stagestest::typeText(f.Edit3, "0042");
    saveScreenshot(c.main(), QStringLiteral("TfrmInstruction"));
}

TEST(TfrmInstruction, enterInTheCodeDoesNothing) {
    CodeEntry c;
    stagestest::typeText(c.frame().Edit3, "0042");
    stagestest::pressEnter(c.frame().Edit3);
    EXPECT_FALSE(c.accepted());
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    EXPECT_EQ(c.main().StudID, "0000");
    EXPECT_EQ(c.frame().Edit3->text(), "0042");
    QChar enter = QLatin1Char('\r');
    c.frame().Edit3KeyPress(enter);
    EXPECT_TRUE(enter.isNull());
}

TEST(TfrmInstruction, codeTakesOnlyDigitsHoweverTheyArrive) {
    CodeEntry c;
    stagestest::typeText(c.frame().Edit3, "1a-2 3");
    EXPECT_EQ(c.frame().Edit3->text(), "123");
    QApplication::clipboard()->setText(QStringLiteral("x"));
    c.frame().Edit3->paste();
    EXPECT_EQ(c.frame().Edit3->text(), "123");
    QApplication::clipboard()->setText(QStringLiteral("456"));
    c.frame().Edit3->paste();
    EXPECT_EQ(c.frame().Edit3->text(), "1234");
}

TEST(TfrmInstruction, refusesAShortCodeAndStaysAsItWas) {
    for (const QString& code : {QString(), QStringLiteral("1"), QStringLiteral("123")}) {
        CodeEntry c;
        c.submit(code);
        EXPECT_EQ(c.h.dialogs.shown,
                  QStringList{"message: Некорректный код участника!\n\rКод участника должен состоять из 4 цифр"});
        EXPECT_FALSE(c.accepted());
        EXPECT_EQ(c.frame().Edit3->text(), code);
        EXPECT_EQ(c.main().StudID, "0000");
        EXPECT_TRUE(c.main().VariantNo.isEmpty());
    }
}

TEST(TfrmInstruction, refusesACodeThatAlreadyAnsweredAtThisStation) {
    CodeEntry c;
    c.answered("1235");
    c.submit("1235");
    EXPECT_EQ(
        c.h.dialogs.shown,
        QStringList{"message: Некорректный код участника!\n\rУчастник с таким кодом уже отвечал на данной станции"});
    EXPECT_FALSE(c.accepted());
    c.h.dialogs.shown.clear();
    c.submit("1237"); // corrected and pressed again
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    EXPECT_TRUE(c.accepted());
}

TEST(TfrmInstruction, acceptsTheSameCodeAtAnotherStation) {
    CodeEntry c;
    c.answered("1235", QStringLiteral("25.05.2019_3_000123_0007_3"));
    c.submit("1235");
    EXPECT_TRUE(c.accepted());
}

TEST(TfrmInstruction, acceptsACodeAgainOnceItsAnswerFolderIsRemoved) {
    CodeEntry c;
    c.answered("1235");
    c.submit("1235");
    ASSERT_FALSE(c.accepted());
    ASSERT_TRUE(QDir(StationFolders(c.h.workDir.path(), kStation, "1235").answerFolder()).removeRecursively());
    c.submit("1235");
    EXPECT_TRUE(c.accepted());
}

TEST(TfrmInstruction, looksForUsedCodesWhereTheAnswersAreWritten) {
    // The program's folder is not the working folder: only the working folder counts.
    QTemporaryDir programFolder;
    {
        CodeEntry c;
        c.main().AppDir = programFolder.path() + QLatin1Char('/');
        StationFolders(programFolder.path(), kStation, "1235").ensureExist();
        c.submit("1235");
        EXPECT_TRUE(c.accepted());
    }
    {
        CodeEntry c;
        c.main().AppDir = programFolder.path() + QLatin1Char('/');
        c.answered("4321");
        c.submit("4321");
        EXPECT_FALSE(c.accepted());
    }
}

TEST(TfrmInstruction, acceptedCodeFixesStudIdVariantAndKitRow) {
    struct Case {
        QString code, variant;
    };
    for (const Case& k : {Case{"0005", "0"}, Case{"0010", "2"}, Case{"1235", "1"}, Case{"0000", "0"}, Case{"0012", "2"},
                          Case{"9999", "1"}}) {
        CodeEntry c;
        c.submit(k.code);
        EXPECT_TRUE(c.accepted()) << k.code.toStdString();
        EXPECT_EQ(c.main().StudID, k.code);
        EXPECT_EQ(c.main().VariantNo, k.variant) << k.code.toStdString();
        EXPECT_EQ(c.main().complects.asText("VarNo"), k.variant.toStdString());
        EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    }
}

TEST(TfrmInstruction, aVariantTheKitLacksLeavesTheRowWhereItWas) {
    CodeEntry c({row(0, kInstruction)});
    c.submit("1235");
    EXPECT_TRUE(c.accepted());
    EXPECT_EQ(c.main().VariantNo, "1");
    EXPECT_EQ(c.main().complects.asText("VarNo"), "0");
}

TEST(TfrmInstruction, leavesForTheCodeRecordingOnTheNextTickWithTheHeaderShown) {
    CodeEntry c;
    bool headerShown = false;
    addIdleStage(c.h.stages, 6, [&] { headerShown = c.main().Panel1->isVisible(); });
    c.submit("0042");
    ASSERT_NE(qobject_cast<TfrmInstruction*>(c.main().CurrentFrame.data()), nullptr); // not inside the click
    tick(&c.frame());
    EXPECT_NE(dynamic_cast<IdleStage*>(c.main().CurrentFrame.data()), nullptr);
    EXPECT_TRUE(headerShown);
}

TEST(TfrmInstruction, acceptedCodeOpensTheCodeRecording) {
    CodeEntry c;
    c.submit("0042");
    tick(&c.frame());
    EXPECT_NE(qobject_cast<TfrmRecStudID*>(c.main().CurrentFrame.data()), nullptr);
}

TEST(TfrmInstruction, finishAsksAndStopsOnlyOnYes) {
    CodeEntry c;
    c.h.dialogs.confirmAnswers = {false};
    c.frame().Button2->click();
    EXPECT_EQ(c.h.dialogs.shown, QStringList{"confirm: Завершить работу на станции?"});
    EXPECT_FALSE(c.main().CanExit);
    EXPECT_TRUE(c.main().isVisible());
    EXPECT_TRUE(c.frame().isVisible());

    c.h.dialogs.confirmAnswers = {true};
    c.frame().Button2->click();
    EXPECT_TRUE(c.main().CanExit);
    EXPECT_FALSE(c.main().isVisible());
}
