#include "stages/tasks/ChoiceTask4Stage.h"

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

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Task4 : choicekit::ChoiceStageFixture<ChoiceTask4Stage, StageCode::ChoiceTask4> {};

} // namespace

TEST_F(Task4, placesEveryControlAtItsDesignPlaceAndSize) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue\r\n");
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->geometry(), QRect(0, 50, 1016, 663));

    EXPECT_EQ(stage->bottomBar->text(), "Выполнение задания № 4.");
    EXPECT_EQ(stage->bottomBar->geometry(), QRect(0, 663 - 49, 1016, 49));
    EXPECT_EQ(stage->bottomBar->font().pixelSize(), 19);
    EXPECT_TRUE(stage->bottomBar->font().bold());
    EXPECT_EQ(stage->finishButton->text(), "Завершить ответ!");
    EXPECT_EQ(stage->finishButton->geometry(), QRect(1016 - 10 - 119, 13, 119, 25));
    EXPECT_EQ(stage->finishButton->font().pixelSize(), 11);

    EXPECT_EQ(stage->sheetView->geometry(), QRect(0, 0, 1016, 663 - 49));
    EXPECT_EQ(stage->sheetView->dataField(), "t4Task");
    EXPECT_EQ(stage->sheetView->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(stage->optionsMemo->isVisible());
    EXPECT_EQ(stage->optionsMemo->geometry(), QRect(8, 24, 737, 41));

    const int tops[] = {85, 176, 261, 352, 458};
    for (int i = 0; i < 5; ++i) {
        QComboBox* list = stage->lists()[i];
        EXPECT_EQ(list->objectName(), QStringLiteral("list%1").arg(i + 1));
        EXPECT_EQ(list->geometry(), QRect(274, tops[i], 145, 24));
        EXPECT_TRUE(list->isEditable());
        EXPECT_EQ(list->font().family(), "MS Sans Serif");
        EXPECT_EQ(list->font().pixelSize(), 13);
        EXPECT_FALSE(list->accessibleName().isEmpty());
    }
    EXPECT_EQ(choicekit::listTabOrder(*stage->finishButton),
              QStringList({"list1", "list2", "list3", "list4", "list5"}));
    saveScreenshot(w, QStringLiteral("ChoiceTask4Stage-start"));
}

TEST_F(Task4, offersEveryMemoLineInEveryListWithNothingChosen) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue");
    for (QComboBox* list : stage->lists()) {
        EXPECT_EQ(choicekit::itemsOf(*list), QStringList({"red", "green", "blue"}));
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_TRUE(list->currentText().isEmpty());
    }
    EXPECT_EQ(stage->optionsMemo->toPlainText(), "red\ngreen\nblue");
}

TEST_F(Task4, storesThePositionsOfTheChosenOptionsInA4AndGoesToTaskFive) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue\r\n");
    stage->list1->setCurrentIndex(2);
    choicekit::saveScreenshotWithOpenList(w, *stage->list2, QStringLiteral("ChoiceTask4Stage-lists-open"));
    EXPECT_EQ(runOut(stage), "30000");
    EXPECT_NE(qobject_cast<ChoiceTask5Stage*>(w.currentStage.data()), nullptr);
}

TEST_F(Task4, storesZerosWhenNothingIsChosen) {
    EXPECT_EQ(runOut(start("red\r\ngreen\r\nblue\r\n")), "00000");
    EXPECT_EQ(runOut(start("")), "00000");
}

TEST_F(Task4, writesATenthOptionAsTwoDigits) {
    ChoiceTask4Stage* stage = start(choicekit::numberedMemo(12));
    ASSERT_EQ(stage->list1->count(), 12);
    stage->list1->setCurrentIndex(9);
    for (QComboBox* list : {stage->list2, stage->list3, stage->list4, stage->list5})
        list->setCurrentIndex(0);
    EXPECT_EQ(runOut(stage), "101111");
}

TEST_F(Task4, countsAnEmptyLineAsAnOptionButNotAFinalLineBreak) {
    ChoiceTask4Stage* stage = start("red\r\n\r\nblue\r\n");
    EXPECT_EQ(choicekit::itemsOf(*stage->list3), QStringList({"red", "", "blue"}));
    stage->list1->setCurrentIndex(1);
    stage->list2->setCurrentIndex(2);
    EXPECT_EQ(runOut(stage), "23000");
}

TEST_F(Task4, storesOnlyTheLastChoiceOfAList) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue\r\n");
    stage->list4->setCurrentIndex(0);
    stage->list4->setCurrentIndex(2);
    stage->list4->setCurrentIndex(1);
    EXPECT_EQ(runOut(stage), "00020");
}

TEST_F(Task4, neverStoresOrOffersTypedText) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue\r\n");
    choicekit::typeInto(*stage->list1, QStringLiteral("blue"));
    EXPECT_EQ(stage->list1->currentIndex(), -1);
    EXPECT_EQ(stage->list1->count(), 3);
    EXPECT_TRUE(stage->list1->currentText().isEmpty()); // the field shows what counts: nothing

    stage->list2->setCurrentIndex(1);
    choicekit::typeInto(*stage->list2, QStringLiteral("purple"));
    EXPECT_EQ(stage->list2->currentIndex(), 1);
    EXPECT_EQ(stage->list2->currentText(), "green");
    EXPECT_EQ(runOut(stage), "02000");
}

TEST_F(Task4, neverStoresTextTypedAtTheFocusedList) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue\r\n");
    stage->list3->setFocus();
    // A real keyboard's keys reach the list, which hands them to its edit field.
    for (const QChar c : QStringLiteral("green")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(stage->list3, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(stage->list3, &enter);
    EXPECT_EQ(stage->list3->currentIndex(), -1);
    EXPECT_TRUE(stage->list3->currentText().isEmpty());
    EXPECT_EQ(runOut(stage), "00000");
}

TEST_F(Task4, endsWhenTheTimeIsUsedUpWithTheHeaderBarEmpty) {
    w.taskTime4 = 3;
    ChoiceTask4Stage* stage = start("red\r\n");
    EXPECT_TRUE(stage->tickTimer->isActive());
    EXPECT_TRUE(w.headerBar->isVisible());
    EXPECT_TRUE(w.phaseLabel->text().isEmpty());
    EXPECT_FALSE(w.timeLabel->isVisible());
    EXPECT_FALSE(w.progressBar->isVisible());
    EXPECT_EQ(w.progressBar->maximum(), 3);
    tick(stage, 3);
    ASSERT_EQ(w.currentStage.data(), stage);
    EXPECT_EQ(stage->elapsed(), 3);
    EXPECT_FALSE(w.timeLabel->isVisible());
    EXPECT_FALSE(w.progressBar->isVisible());
    EXPECT_EQ(w.answers.asText("a4"), "");
    tick(stage);
    EXPECT_NE(qobject_cast<ChoiceTask5Stage*>(w.currentStage.data()), nullptr);
    EXPECT_EQ(w.answers.asText("a4"), "00000");
}

TEST_F(Task4, endsOnTheNextTickAfterYesWithTheChoicesAsTheyStand) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\nblue\r\n");
    tick(stage, 20 * 60);
    stage->list5->setCurrentIndex(0);
    h.dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    EXPECT_EQ(h.dialogs.shown, QStringList({QStringLiteral("confirm: ") + texts::kConfirmTaskEnd}));
    ASSERT_EQ(w.currentStage.data(), stage); // no switch from the click itself
    tick(stage);
    EXPECT_NE(qobject_cast<ChoiceTask5Stage*>(w.currentStage.data()), nullptr);
    EXPECT_EQ(w.answers.asText("a4"), "00001");
}

TEST_F(Task4, endsOnTheNextTickAfterYesEvenWhenTheTimeExceedsTheMarker) {
    w.taskTime4 = 5000;
    ChoiceTask4Stage* stage = start("red\r\n");
    h.dialogs.confirmAnswers = {true};
    stage->finishButton->click();
    tick(stage);
    EXPECT_NE(qobject_cast<ChoiceTask5Stage*>(w.currentStage.data()), nullptr);
}

TEST_F(Task4, keepsCountingAfterNo) {
    w.taskTime4 = 10;
    ChoiceTask4Stage* stage = start("red\r\n");
    tick(stage, 4);
    h.dialogs.confirmAnswers = {false};
    stage->onFinishClicked();
    EXPECT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(stage->elapsed(), 4);
    tick(stage, 6);
    EXPECT_EQ(w.currentStage.data(), stage);
    tick(stage);
    EXPECT_NE(w.currentStage.data(), stage);
}

TEST_F(Task4, createsBothFoldersAtStartAndAgainAtTheEnd) {
    const StationFolders folders = w.folders();
    ChoiceTask4Stage* stage = start("red\r\n");
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
    ASSERT_TRUE(QDir(folders.stationFolder()).removeRecursively());
    runOut(stage);
    EXPECT_TRUE(QDir(folders.stationFolder()).exists());
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
}

TEST_F(Task4, startsTheNextExamineeWithNoChoiceWhateverTheLastOneChose) {
    ChoiceTask4Stage* stage = start("red\r\ngreen\r\n");
    stage->list1->setCurrentIndex(1);
    EXPECT_EQ(runOut(stage), "20000");
    stage = start("red\r\ngreen\r\n");
    for (QComboBox* list : stage->lists())
        EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(runOut(stage), "00000");
}

TEST_F(Task4, neverSplitsALongOptionLine) {
    const std::string longLine(400, 'x');
    ChoiceTask4Stage* stage = start(longLine + "\r\nshort\r\n");
    EXPECT_EQ(stage->list1->count(), 2);
    EXPECT_EQ(stage->list1->itemText(0).size(), 400);
}

TEST_F(Task4, offersTheDemoKitOptionsOverItsSheet) {
    expectDemoKitOptionsOverItsSheet("t4Ans", &ChoiceRules::task4Options);
}
