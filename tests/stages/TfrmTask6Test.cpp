#include "stages/TfrmTask6.h"

#include "kit/StationTables.h"
#include "main/StationTexts.h"
#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/ChoiceRules.h"
#include "stages/StageTable.h"
#include "stages/TfrmTask5.h"
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

struct Task6 : choicekit::ChoiceStageFixture<TfrmTask6, 60> {
    Task6() {
        addIdleStage(h.stages, 1000, [this] { ++reviewStarted; });
    }

    int reviewStarted = 0;
};

} // namespace

TEST_F(Task6, placesEveryControlAtItsDesignPlace) {
    TfrmTask6* stage = start("red\r\ngreen\r\n");
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->Panel1->text(), "Выполнение задания № 6.");
    EXPECT_EQ(stage->Button1->geometry(), QRect(stage->Panel1->width() - 10 - 119, 13, 119, 25));
    EXPECT_EQ(stage->RxDBRichEdit1->dataField(), "t6Task");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(stage->lists()[i]->geometry(), kDesign[i]);
    EXPECT_EQ(choicekit::listTabOrder(*stage->Button1), QStringList({"t5", "t4", "t3", "t2", "t1"}));
    TfrmTask6 unstarted(w);
    EXPECT_EQ(unstarted.t1->count(), 0);
    saveScreenshot(w, QStringLiteral("TfrmTask6-start"));
}

TEST_F(Task6, offersAllLinesInEveryListAndStoresA6ThenGoesToTheReview) {
    TfrmTask6* stage = start(choicekit::numberedMemo(11));
    for (QComboBox* list : stage->lists()) {
        EXPECT_EQ(list->count(), 11);
        EXPECT_EQ(list->itemText(10), "line 11");
        EXPECT_EQ(list->currentIndex(), -1);
    }
    stage->t1->setCurrentIndex(10);
    stage->t3->setCurrentIndex(4);
    choicekit::saveScreenshotWithOpenList(w, *stage->t4, QStringLiteral("TfrmTask6-lists-open"));
    EXPECT_EQ(runOut(stage), "110500");
    EXPECT_EQ(reviewStarted, 1);
}

TEST_F(Task6, keepsTheHeaderBarEmptyAndEndsOnTheNextTickAfterYes) {
    TfrmTask6* stage = start("red\r\n\r\nblue\r\n");
    EXPECT_EQ(stage->t2->count(), 3);
    EXPECT_TRUE(w.lblProcessName->text().isEmpty());
    EXPECT_FALSE(w.lblProcessTime->isVisible());
    EXPECT_FALSE(w.ProcessBar->isVisible());
    stage->t2->setCurrentIndex(1);
    h.dialogs.confirmAnswers = {false};
    stage->Button1Click();
    tick(stage);
    EXPECT_EQ(w.CurrentFrame.data(), stage);
    h.dialogs.confirmAnswers = {true};
    stage->Button1Click();
    EXPECT_EQ(h.dialogs.shown.size(), 2);
    EXPECT_EQ(h.dialogs.shown.last(), QStringLiteral("confirm: ") + texts::kConfirmTaskEnd);
    tick(stage);
    EXPECT_EQ(reviewStarted, 1);
    EXPECT_EQ(w.answers.asText("a6"), "02000");
    EXPECT_FALSE(w.lblProcessTime->isVisible()); // left hidden for the review
}

TEST_F(Task6, recreatesBothFoldersRemovedDuringTheStage) {
    const StationFolders folders = w.folders();
    TfrmTask6* stage = start("");
    ASSERT_TRUE(QDir(folders.stationFolder()).removeRecursively());
    EXPECT_EQ(runOut(stage), "00000");
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
}

TEST_F(Task6, writesItsDesignPlacesRightAfterStart) {
    TfrmTask6* stage = start("");
    stage->N10Click();
    QFile file(TfrmTask6::layoutFilePath(w.WorkDir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("192;184;108\r\n216;365;108\r\n264;114;108\r\n315;745;108\r\n413;159;108\r\n"));
}

TEST_F(Task6, offersTheLayoutMenuOnTheBottomBarWithWorkingShortcuts) {
    TfrmTask6* stage = start("red\r\n");
    EXPECT_EQ(stage->RxDBRichEdit1->contextMenuPolicy(), Qt::PreventContextMenu); // the sheet cannot open a menu
    emit stage->Panel1->customContextMenuRequested(QPoint(30, 20));
    EXPECT_TRUE(stage->PopupMenu1->isVisible());
    // The test screen is smaller than the window: show the menu where a real screen puts it, above the bar.
    stage->PopupMenu1->move(stage->Panel1->mapToGlobal(QPoint(40, -stage->PopupMenu1->height())));
    choicekit::saveScreenshotWithPopup(w, *stage->PopupMenu1, QStringLiteral("TfrmTask6-layout-menu"));
    stage->PopupMenu1->hide();

    stage->N51Click();
    EXPECT_TRUE(choicekit::pressShortcut(*stage->t1, QKeyCombination(Qt::CTRL, Qt::Key_L)));
    EXPECT_TRUE(choicekit::pressShortcut(*stage->Button1, QKeyCombination(Qt::CTRL, Qt::Key_T)));
    EXPECT_TRUE(choicekit::pressShortcut(*stage->t5, QKeyCombination(Qt::CTRL, Qt::Key_W)));
    EXPECT_EQ(stage->t5->geometry(), QRect(158, 412, 109, 24));
}

TEST_F(Task6, keepsItsOwnMenuTargetApartFromTaskFive) {
    TfrmTask6* stage = start("");
    EXPECT_EQ(stage->N11->actionGroup()->checkedAction(), nullptr);
    stage->N21Click();
    EXPECT_EQ(TfrmTask6::LayoutTarget, 2);
    EXPECT_EQ(TfrmTask5::LayoutTarget, 0);
    runOut(stage);
    stage = start("");
    stage->N2Click();
    EXPECT_EQ(stage->t2->geometry(), kDesign[1].translated(1, 0));

    w.StartFrame(50);
    auto* task5 = qobject_cast<TfrmTask5*>(w.CurrentFrame.data());
    ASSERT_NE(task5, nullptr);
    task5->N2Click();
    EXPECT_EQ(task5->t2->geometry(), QRect(614, 238, 102, 24));
}

TEST_F(Task6, offersTheDemoKitOptionsOverItsSheet) {
    expectDemoKitOptionsOverItsSheet("t6Ans", &ChoiceRules::task6Options);
}
