#include "stages/tasks/SpokenPreparationStage.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"
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
    s.w.prepTime2 = 90;
    SpokenPreparationStage* stage = s.start<SpokenPreparationStage>(StageCode::SpokenPreparation);
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->sheetView->dataField(), "t2Pre");
    EXPECT_TRUE(stage->sheetView->document()->toPlainText().contains("travel agency"));
    EXPECT_EQ(stage->bottomBar->text(), "Подготовка к выполнению задания № 2");
    EXPECT_EQ(s.w.phaseLabel->text(), "Подготовка к заданию № 2:");
    EXPECT_EQ(s.w.timeLabel->text(), "90 сек.");
    EXPECT_EQ(s.w.progressBar->maximum(), 90);
    EXPECT_EQ(s.w.progressBar->value(), 0);
    EXPECT_TRUE(stage->tickTimer->isActive());
    EXPECT_TRUE(s.h.audio.calls.isEmpty());
}

TEST_F(Prepare2Fixture, countsDownAndEndsOnTheTickAfterZeroIntoTaskTwo) {
    s.w.prepTime2 = 90;
    s.w.taskTime2 = 90;
    SpokenPreparationStage* stage = s.start<SpokenPreparationStage>(StageCode::SpokenPreparation);
    tick(stage, 50);
    EXPECT_EQ(s.w.timeLabel->text(), "40 сек.");
    EXPECT_EQ(s.w.progressBar->value(), 50);
    tick(stage, 40);
    EXPECT_EQ(s.w.timeLabel->text(), "0 сек.");
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "SpokenAnswerStage");
    EXPECT_EQ(s.w.phaseLabel->text(), "Отвечайте! Идет запись:");
}

TEST_F(Prepare2Fixture, yesWithFortySecondsLeftSwitchesOnTheNextTickAndNoChangesNothing) {
    s.w.prepTime2 = 90;
    SpokenPreparationStage* stage = s.start<SpokenPreparationStage>(StageCode::SpokenPreparation);
    tick(stage, 50);
    s.h.dialogs.confirmAnswers = {false, true};
    stage->finishButton->click();
    EXPECT_EQ(stage->elapsed(), 50);
    EXPECT_EQ(s.w.timeLabel->text(), "40 сек.");
    stage->finishButton->click();
    EXPECT_EQ(s.h.dialogs.shown, QStringList(2, "confirm: Завершить подготовку к заданию?"));
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "SpokenAnswerStage");
}

TEST_F(Prepare2Fixture, theBottomBarKeepsItsCaptionAndTheButtonItsCorner) {
    ASSERT_TRUE(s.loadDemoKit());
    SpokenPreparationStage* stage = s.start<SpokenPreparationStage>(StageCode::SpokenPreparation);
    tick(stage, 3);
    QApplication::processEvents();
    EXPECT_EQ(stage->bottomBar->text(), "Подготовка к выполнению задания № 2");
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 6 - 75, 8, 75, 25));
    saveScreenshot(s.w, QStringLiteral("SpokenPreparationStage"));
    stage->resize(800, 400);
    QApplication::processEvents();
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 6 - 75, 8, 75, 25));
}
