#include "stages/tasks/ChoiceTask6Stage.h"

#include "kit/StationTables.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "station/ChoiceRules.h"
#include "stages/StageTable.h"
#include "stages/tasks/ChoiceTask5Stage.h"
#include "support/ChoiceStageKit.h"
#include "support/Screenshot.h"
#include "support/ChoiceStageFixture.h"
#include "support/StationHarness.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QRect kDesign[5] = {QRect(184, 192, 108, 24), QRect(365, 216, 108, 24), QRect(114, 264, 108, 24),
                          QRect(745, 315, 108, 24), QRect(159, 413, 108, 24)};

struct Task6 : choicekit::ChoiceStageFixture<ChoiceTask6Stage, StageCode::ChoiceTask6> {
    Task6() {
        addIdleStage(h.stages, StageCode::Review, [this] { ++reviewStarted; });
    }

    int reviewStarted = 0;
};

} // namespace

TEST_F(Task6, placesEveryControlAtItsDesignPlace) {
    ChoiceTask6Stage* stage = start("red\r\ngreen\r\n");
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->bottomBar->text(), "Выполнение задания № 6.");
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 10 - 119, 13, 119, 25));
    EXPECT_EQ(stage->sheetView->dataField(), "t6Task");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(stage->lists()[i]->geometry(), kDesign[i]);
    EXPECT_EQ(choicekit::listTabOrder(*stage->finishButton),
              QStringList({"list5", "list4", "list3", "list2", "list1"}));
    ChoiceTask6Stage unstarted(w);
    EXPECT_EQ(unstarted.list1->count(), 0);
    saveScreenshot(w, QStringLiteral("ChoiceTask6Stage-start"));
}

TEST_F(Task6, offersAllLinesInEveryListAndStoresA6ThenGoesToTheReview) {
    ChoiceTask6Stage* stage = start(choicekit::numberedMemo(11));
    for (QComboBox* list : stage->lists()) {
        EXPECT_EQ(list->count(), 11);
        EXPECT_EQ(list->itemText(10), "line 11");
        EXPECT_EQ(list->currentIndex(), -1);
    }
    stage->list1->setCurrentIndex(10);
    stage->list3->setCurrentIndex(4);
    choicekit::saveScreenshotWithOpenList(w, *stage->list4, QStringLiteral("ChoiceTask6Stage-lists-open"));
    EXPECT_EQ(runOut(stage), "110500");
    EXPECT_EQ(reviewStarted, 1);
}

TEST_F(Task6, keepsTheHeaderBarEmptyAndEndsOnTheNextTickAfterYes) {
    ChoiceTask6Stage* stage = start("red\r\n\r\nblue\r\n");
    EXPECT_EQ(stage->list2->count(), 3);
    EXPECT_TRUE(w.phaseLabel->text().isEmpty());
    EXPECT_FALSE(w.timeLabel->isVisible());
    EXPECT_FALSE(w.progressBar->isVisible());
    stage->list2->setCurrentIndex(1);
    h.dialogs.confirmAnswers = {false};
    stage->onFinishClicked();
    tick(stage);
    EXPECT_EQ(w.currentStage.data(), stage);
    h.dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    EXPECT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_EQ(h.dialogs.shown.last(), QStringLiteral("confirm: ") + texts::kConfirmTaskEnd);
    tick(stage);
    EXPECT_EQ(reviewStarted, 1);
    EXPECT_EQ(w.answers.asText("a6"), "02000");
    EXPECT_FALSE(w.timeLabel->isVisible()); // left hidden for the review
}

TEST_F(Task6, recreatesBothFoldersRemovedDuringTheStage) {
    const StationFolders folders = w.folders();
    ChoiceTask6Stage* stage = start("");
    ASSERT_TRUE(QDir(folders.stationFolder()).removeRecursively());
    EXPECT_EQ(runOut(stage), "00000");
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
}

TEST_F(Task6, writesItsDesignPlacesRightAfterStart) {
    ChoiceTask6Stage* stage = start("");
    stage->onSaveLayout();
    QFile file(ChoiceTask6Stage::layoutFilePath(w.workDir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("192;184;108\r\n216;365;108\r\n264;114;108\r\n315;745;108\r\n413;159;108\r\n"));
}

TEST_F(Task6, offersTheLayoutMenuOnTheBottomBarWithWorkingShortcuts) {
    ChoiceTask6Stage* stage = start("red\r\n");
    EXPECT_EQ(stage->sheetView->contextMenuPolicy(), Qt::PreventContextMenu); // the sheet cannot open a menu
    emit stage->bottomBar->customContextMenuRequested(QPoint(30, 20));
    EXPECT_TRUE(stage->layoutMenu->isVisible());
    // The test screen is smaller than the window: show the menu where a real screen puts it, above the bar.
    stage->layoutMenu->move(stage->bottomBar->mapToGlobal(QPoint(40, -stage->layoutMenu->height())));
    choicekit::saveScreenshotWithPopup(w, *stage->layoutMenu, QStringLiteral("ChoiceTask6Stage-layout-menu"));
    stage->layoutMenu->hide();

    stage->onTargetList5();
    EXPECT_TRUE(choicekit::pressShortcut(*stage->list1, QKeyCombination(Qt::CTRL, Qt::Key_L)));
    EXPECT_TRUE(choicekit::pressShortcut(*stage->finishButton, QKeyCombination(Qt::CTRL, Qt::Key_T)));
    EXPECT_TRUE(choicekit::pressShortcut(*stage->list5, QKeyCombination(Qt::CTRL, Qt::Key_W)));
    EXPECT_EQ(stage->list5->geometry(), QRect(158, 412, 109, 24));
}

TEST_F(Task6, keepsItsOwnMenuTargetApartFromTaskFive) {
    ChoiceTask6Stage* stage = start("");
    EXPECT_EQ(stage->targetList1Action->actionGroup()->checkedAction(), nullptr);
    stage->onTargetList2();
    EXPECT_EQ(ChoiceTask6Stage::layoutTarget, 2);
    EXPECT_EQ(ChoiceTask5Stage::layoutTarget, 0);
    runOut(stage);
    stage = start("");
    stage->onMoveRight();
    EXPECT_EQ(stage->list2->geometry(), kDesign[1].translated(1, 0));

    w.startStage(StageCode::ChoiceTask5);
    auto* task5 = qobject_cast<ChoiceTask5Stage*>(w.currentStage.data());
    ASSERT_NE(task5, nullptr);
    task5->onMoveRight();
    EXPECT_EQ(task5->list2->geometry(), QRect(614, 238, 102, 24));
}

TEST_F(Task6, offersTheDemoKitOptionsOverItsSheet) {
    expectDemoKitOptionsOverItsSheet("t6Ans", &ChoiceRules::task6Options);
}
