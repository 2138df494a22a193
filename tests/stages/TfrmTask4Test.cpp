#include "stages/TfrmTask4.h"

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

struct Task4 : choicekit::ChoiceStageFixture<TfrmTask4, 40> {};

} // namespace

TEST_F(Task4, placesEveryControlAtItsDesignPlaceAndSize) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue\r\n");
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->geometry(), QRect(0, 50, 1016, 663));

    EXPECT_EQ(stage->Panel1->text(), "Выполнение задания № 4.");
    EXPECT_EQ(stage->Panel1->geometry(), QRect(0, 663 - 49, 1016, 49));
    EXPECT_EQ(stage->Panel1->font().pixelSize(), 19);
    EXPECT_TRUE(stage->Panel1->font().bold());
    EXPECT_EQ(stage->Button1->text(), "Завершить ответ!");
    EXPECT_EQ(stage->Button1->geometry(), QRect(1016 - 10 - 119, 13, 119, 25));
    EXPECT_EQ(stage->Button1->font().pixelSize(), 11);

    EXPECT_EQ(stage->RxDBRichEdit1->geometry(), QRect(0, 0, 1016, 663 - 49));
    EXPECT_EQ(stage->RxDBRichEdit1->dataField(), "t4Task");
    EXPECT_EQ(stage->RxDBRichEdit1->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(stage->Answers->isVisible());
    EXPECT_EQ(stage->Answers->geometry(), QRect(8, 24, 737, 41));

    const int tops[] = {85, 176, 261, 352, 458};
    for (int i = 0; i < 5; ++i) {
        QComboBox* list = stage->lists()[i];
        EXPECT_EQ(list->objectName(), QStringLiteral("t%1").arg(i + 1));
        EXPECT_EQ(list->geometry(), QRect(274, tops[i], 145, 24));
        EXPECT_TRUE(list->isEditable());
        EXPECT_EQ(list->font().family(), "MS Sans Serif");
        EXPECT_EQ(list->font().pixelSize(), 13);
        EXPECT_FALSE(list->accessibleName().isEmpty());
    }
    EXPECT_EQ(choicekit::listTabOrder(*stage->Button1), QStringList({"t1", "t2", "t3", "t4", "t5"}));
    saveScreenshot(w, QStringLiteral("TfrmTask4-start"));
}

TEST_F(Task4, offersEveryMemoLineInEveryListWithNothingChosen) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue");
    for (QComboBox* list : stage->lists()) {
        EXPECT_EQ(choicekit::itemsOf(*list), QStringList({"red", "green", "blue"}));
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_TRUE(list->currentText().isEmpty());
    }
    EXPECT_EQ(stage->Answers->toPlainText(), "red\ngreen\nblue");
}

TEST_F(Task4, storesThePositionsOfTheChosenOptionsInA4AndGoesToTaskFive) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue\r\n");
    stage->t1->setCurrentIndex(2);
    choicekit::saveScreenshotWithOpenList(w, *stage->t2, QStringLiteral("TfrmTask4-lists-open"));
    EXPECT_EQ(runOut(stage), "30000");
    EXPECT_NE(qobject_cast<TfrmTask5*>(w.CurrentFrame.data()), nullptr);
}

TEST_F(Task4, storesZerosWhenNothingIsChosen) {
    EXPECT_EQ(runOut(start("red\r\ngreen\r\nblue\r\n")), "00000");
    EXPECT_EQ(runOut(start("")), "00000");
}

TEST_F(Task4, writesATenthOptionAsTwoDigits) {
    TfrmTask4* stage = start(choicekit::numberedMemo(12));
    ASSERT_EQ(stage->t1->count(), 12);
    stage->t1->setCurrentIndex(9);
    for (QComboBox* list : {stage->t2, stage->t3, stage->t4, stage->t5})
        list->setCurrentIndex(0);
    EXPECT_EQ(runOut(stage), "101111");
}

TEST_F(Task4, countsAnEmptyLineAsAnOptionButNotAFinalLineBreak) {
    TfrmTask4* stage = start("red\r\n\r\nblue\r\n");
    EXPECT_EQ(choicekit::itemsOf(*stage->t3), QStringList({"red", "", "blue"}));
    stage->t1->setCurrentIndex(1);
    stage->t2->setCurrentIndex(2);
    EXPECT_EQ(runOut(stage), "23000");
}

TEST_F(Task4, storesOnlyTheLastChoiceOfAList) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue\r\n");
    stage->t4->setCurrentIndex(0);
    stage->t4->setCurrentIndex(2);
    stage->t4->setCurrentIndex(1);
    EXPECT_EQ(runOut(stage), "00020");
}

TEST_F(Task4, neverStoresOrOffersTypedText) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue\r\n");
    choicekit::typeInto(*stage->t1, QStringLiteral("blue"));
    EXPECT_EQ(stage->t1->currentIndex(), -1);
    EXPECT_EQ(stage->t1->count(), 3);
    EXPECT_TRUE(stage->t1->currentText().isEmpty()); // the field shows what counts: nothing

    stage->t2->setCurrentIndex(1);
    choicekit::typeInto(*stage->t2, QStringLiteral("purple"));
    EXPECT_EQ(stage->t2->currentIndex(), 1);
    EXPECT_EQ(stage->t2->currentText(), "green");
    EXPECT_EQ(runOut(stage), "02000");
}

TEST_F(Task4, neverStoresTextTypedAtTheFocusedList) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue\r\n");
    stage->t3->setFocus();
    // A real keyboard's keys reach the list, which hands them to its edit field.
    for (const QChar c : QStringLiteral("green")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(stage->t3, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(stage->t3, &enter);
    EXPECT_EQ(stage->t3->currentIndex(), -1);
    EXPECT_TRUE(stage->t3->currentText().isEmpty());
    EXPECT_EQ(runOut(stage), "00000");
}

TEST_F(Task4, endsWhenTheTimeIsUsedUpWithTheHeaderBarEmpty) {
    w.TaskTime4 = 3;
    TfrmTask4* stage = start("red\r\n");
    EXPECT_TRUE(stage->Timer1->isActive());
    EXPECT_TRUE(w.Panel1->isVisible());
    EXPECT_TRUE(w.lblProcessName->text().isEmpty());
    EXPECT_FALSE(w.lblProcessTime->isVisible());
    EXPECT_FALSE(w.ProcessBar->isVisible());
    EXPECT_EQ(w.ProcessBar->maximum(), 3);
    tick(stage, 3);
    ASSERT_EQ(w.CurrentFrame.data(), stage);
    EXPECT_EQ(stage->Elapsed(), 3);
    EXPECT_FALSE(w.lblProcessTime->isVisible());
    EXPECT_FALSE(w.ProcessBar->isVisible());
    EXPECT_EQ(w.answers.asText("a4"), "");
    tick(stage);
    EXPECT_NE(qobject_cast<TfrmTask5*>(w.CurrentFrame.data()), nullptr);
    EXPECT_EQ(w.answers.asText("a4"), "00000");
}

TEST_F(Task4, endsOnTheNextTickAfterYesWithTheChoicesAsTheyStand) {
    TfrmTask4* stage = start("red\r\ngreen\r\nblue\r\n");
    tick(stage, 20 * 60);
    stage->t5->setCurrentIndex(0);
    h.dialogs.confirmAnswers = {true};
    stage->Button1Click();
    EXPECT_EQ(h.dialogs.shown, QStringList({QStringLiteral("confirm: ") + texts::kConfirmTaskEnd}));
    ASSERT_EQ(w.CurrentFrame.data(), stage); // no switch from the click itself
    tick(stage);
    EXPECT_NE(qobject_cast<TfrmTask5*>(w.CurrentFrame.data()), nullptr);
    EXPECT_EQ(w.answers.asText("a4"), "00001");
}

TEST_F(Task4, endsOnTheNextTickAfterYesEvenWhenTheTimeExceedsTheMarker) {
    w.TaskTime4 = 5000;
    TfrmTask4* stage = start("red\r\n");
    h.dialogs.confirmAnswers = {true};
    stage->Button1->click();
    tick(stage);
    EXPECT_NE(qobject_cast<TfrmTask5*>(w.CurrentFrame.data()), nullptr);
}

TEST_F(Task4, keepsCountingAfterNo) {
    w.TaskTime4 = 10;
    TfrmTask4* stage = start("red\r\n");
    tick(stage, 4);
    h.dialogs.confirmAnswers = {false};
    stage->Button1Click();
    EXPECT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_EQ(stage->Elapsed(), 4);
    tick(stage, 6);
    EXPECT_EQ(w.CurrentFrame.data(), stage);
    tick(stage);
    EXPECT_NE(w.CurrentFrame.data(), stage);
}

TEST_F(Task4, createsBothFoldersAtStartAndAgainAtTheEnd) {
    const StationFolders folders = w.folders();
    TfrmTask4* stage = start("red\r\n");
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
    ASSERT_TRUE(QDir(folders.stationFolder()).removeRecursively());
    runOut(stage);
    EXPECT_TRUE(QDir(folders.stationFolder()).exists());
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
}

TEST_F(Task4, startsTheNextExamineeWithNoChoiceWhateverTheLastOneChose) {
    TfrmTask4* stage = start("red\r\ngreen\r\n");
    stage->t1->setCurrentIndex(1);
    EXPECT_EQ(runOut(stage), "20000");
    stage = start("red\r\ngreen\r\n");
    for (QComboBox* list : stage->lists())
        EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(runOut(stage), "00000");
}

TEST_F(Task4, neverSplitsALongOptionLine) {
    const std::string longLine(400, 'x');
    TfrmTask4* stage = start(longLine + "\r\nshort\r\n");
    EXPECT_EQ(stage->t1->count(), 2);
    EXPECT_EQ(stage->t1->itemText(0).size(), 400);
}

TEST_F(Task4, offersTheDemoKitOptionsOverItsSheet) {
    expectDemoKitOptionsOverItsSheet("t4Ans", &ChoiceRules::task4Options);
}
