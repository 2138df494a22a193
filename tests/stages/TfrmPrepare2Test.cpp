#include "stages/TfrmPrepare2.h"

#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/BottomBar.h"
#include "support/PrepStation.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Prepare2Fixture : ::testing::Test {
    Prepare2Fixture() {
        s.setKitField("t2Pre", PrepStation::sheet({QStringLiteral("Task 2. Preparation"),
                                                   QStringLiteral("You are going to call a travel agency to ask "
                                                                  "about a holiday. You have 90 seconds to get ready."),
                                                   QStringLiteral("Ask five direct questions to find out:"),
                                                   QStringLiteral("1) the price of the tour"),
                                                   QStringLiteral("2) the length of the stay"),
                                                   QStringLiteral("3) what the hotel offers")}));
    }
    PrepStation s;
};

} // namespace

TEST_F(Prepare2Fixture, showsTheTaskTwoPreparationSheetAndCountsItsSetting) {
    s.w.PrepTime2 = 90;
    TfrmPrepare2* stage = s.start<TfrmPrepare2>(20);
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->RxDBRichEdit1->dataField(), "t2Pre");
    EXPECT_TRUE(stage->RxDBRichEdit1->document()->toPlainText().contains("travel agency"));
    EXPECT_EQ(stage->Panel1->text(), "Подготовка к выполнению задания № 2");
    EXPECT_EQ(s.w.lblProcessName->text(), "Подготовка к заданию № 2:");
    EXPECT_EQ(s.w.lblProcessTime->text(), "90 сек.");
    EXPECT_EQ(s.w.ProcessBar->maximum(), 90);
    EXPECT_EQ(s.w.ProcessBar->value(), 0);
    EXPECT_TRUE(stage->Timer1->isActive());
    EXPECT_TRUE(s.h.audio.calls.isEmpty());
}

TEST_F(Prepare2Fixture, countsDownAndEndsOnTheTickAfterZeroIntoTaskTwo) {
    s.w.PrepTime2 = 90;
    s.w.TaskTime2 = 90;
    TfrmPrepare2* stage = s.start<TfrmPrepare2>(20);
    tick(stage, 50);
    EXPECT_EQ(s.w.lblProcessTime->text(), "40 сек.");
    EXPECT_EQ(s.w.ProcessBar->value(), 50);
    tick(stage, 40);
    EXPECT_EQ(s.w.lblProcessTime->text(), "0 сек.");
    EXPECT_EQ(s.currentStage(), "TfrmPrepare2");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmTask2");
    EXPECT_EQ(s.w.lblProcessName->text(), "Отвечайте! Идет запись:");
}

TEST_F(Prepare2Fixture, yesWithFortySecondsLeftSwitchesOnTheNextTickAndNoChangesNothing) {
    s.w.PrepTime2 = 90;
    TfrmPrepare2* stage = s.start<TfrmPrepare2>(20);
    tick(stage, 50);
    s.h.dialogs.confirmAnswers = {false, true};
    stage->Button1->click();
    EXPECT_EQ(stage->Elapsed(), 50);
    EXPECT_EQ(s.w.lblProcessTime->text(), "40 сек.");
    stage->Button1->click();
    EXPECT_EQ(s.h.dialogs.shown, QStringList(2, "confirm: Завершить подготовку к заданию?"));
    EXPECT_EQ(s.currentStage(), "TfrmPrepare2");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmTask2");
}

TEST_F(Prepare2Fixture, theBottomBarKeepsItsCaptionAndTheButtonItsCorner) {
    ASSERT_TRUE(s.loadDemoKit());
    TfrmPrepare2* stage = s.start<TfrmPrepare2>(20);
    tick(stage, 3);
    QApplication::processEvents();
    EXPECT_EQ(stage->Panel1->text(), "Подготовка к выполнению задания № 2");
    EXPECT_EQ(stage->Button1->geometry(), QRect(stage->Panel1->width() - 6 - 75, 8, 75, 25));
    saveScreenshot(s.w, QStringLiteral("TfrmPrepare2"));
    stage->resize(800, 400);
    QApplication::processEvents();
    EXPECT_EQ(stage->Button1->geometry(), QRect(stage->Panel1->width() - 6 - 75, 8, 75, 25));
}
