#include "stages/tasks/ChoiceTask5Stage.h"

#include "kit/StationTables.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "station/ChoiceRules.h"
#include "stages/StageTable.h"
#include "stages/tasks/ChoiceTask6Stage.h"
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
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QRect kDesign[5] = {QRect(270, 238, 109, 24), QRect(614, 238, 102, 24), QRect(113, 287, 100, 24),
                          QRect(709, 337, 106, 24), QRect(265, 386, 106, 24)};

struct Task5 : choicekit::ChoiceStageFixture<ChoiceTask5Stage, StageCode::ChoiceTask5> {
    QString layoutFile() const { return ChoiceTask5Stage::layoutFilePath(w.workDir); }
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(Task5, placesEveryControlAtItsDesignPlaceWithFourDesignItemsBeforeStart) {
    ChoiceTask5Stage unstarted(w);
    EXPECT_EQ(choicekit::itemsOf(*unstarted.list1), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(unstarted.list1->currentIndex(), -1);

    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(20));
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->bottomBar->text(), "Выполнение задания № 5.");
    EXPECT_EQ(stage->bottomBar->height(), 49);
    EXPECT_EQ(stage->finishButton->text(), "Завершить ответ!");
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 10 - 119, 13, 119, 25));
    EXPECT_EQ(stage->sheetView->dataField(), "t5Task");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(stage->lists()[i]->geometry(), kDesign[i]);
        EXPECT_EQ(stage->lists()[i]->font().pixelSize(), 13);
    }
    EXPECT_EQ(choicekit::listTabOrder(*stage->finishButton),
              QStringList({"list5", "list4", "list3", "list2", "list1"}));
    saveScreenshot(w, QStringLiteral("ChoiceTask5Stage-start"));
}

TEST_F(Task5, givesEachListItsOwnFourLinesOfTwenty) {
    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(22));
    EXPECT_EQ(choicekit::itemsOf(*stage->list1), QStringList({"line 1", "line 2", "line 3", "line 4"}));
    EXPECT_EQ(choicekit::itemsOf(*stage->list3), QStringList({"line 9", "line 10", "line 11", "line 12"}));
    EXPECT_EQ(choicekit::itemsOf(*stage->list5), QStringList({"line 17", "line 18", "line 19", "line 20"}));
    for (QComboBox* list : stage->lists())
        EXPECT_EQ(list->currentIndex(), -1);
    stage->list3->setCurrentIndex(2); // line 11
    choicekit::saveScreenshotWithOpenList(w, *stage->list3, QStringLiteral("ChoiceTask5Stage-lists-open"));
    EXPECT_EQ(runOut(stage), "00300");
    EXPECT_NE(qobject_cast<ChoiceTask6Stage*>(w.currentStage.data()), nullptr);
}

TEST_F(Task5, padsShortOptionTextsWithEmptyOptions) {
    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(6));
    EXPECT_EQ(choicekit::itemsOf(*stage->list1), QStringList({"line 1", "line 2", "line 3", "line 4"}));
    EXPECT_EQ(choicekit::itemsOf(*stage->list2), QStringList({"line 5", "line 6", "", ""}));
    for (QComboBox* list : {stage->list3, stage->list4, stage->list5})
        EXPECT_EQ(choicekit::itemsOf(*list), QStringList({"", "", "", ""}));
    stage->list2->setCurrentIndex(3); // an empty option still counts with its position
    EXPECT_EQ(runOut(stage), "04000");
}

TEST_F(Task5, keepsTheHeaderBarEmptyAndEndsWhenTheTimeIsUsedUp) {
    w.taskTime5 = 2;
    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(20));
    EXPECT_TRUE(w.phaseLabel->text().isEmpty());
    EXPECT_FALSE(w.timeLabel->isVisible());
    EXPECT_FALSE(w.progressBar->isVisible());
    tick(stage, 2);
    EXPECT_EQ(w.currentStage.data(), stage);
    tick(stage);
    EXPECT_NE(qobject_cast<ChoiceTask6Stage*>(w.currentStage.data()), nullptr);
    EXPECT_EQ(w.answers.asText("a5"), "00000");
}

TEST_F(Task5, endsOnTheNextTickAfterYesAndKeepsCountingAfterNo) {
    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(20));
    stage->list1->setCurrentIndex(3);
    h.dialogs.confirmAnswers = {false, true};
    stage->onFinishClicked();
    tick(stage, 5);
    ASSERT_EQ(w.currentStage.data(), stage);
    EXPECT_EQ(stage->elapsed(), 5);
    stage->onFinishClicked();
    EXPECT_EQ(h.dialogs.shown, QStringList({QStringLiteral("confirm: ") + texts::kConfirmTaskEnd,
                                            QStringLiteral("confirm: ") + texts::kConfirmTaskEnd}));
    tick(stage);
    EXPECT_NE(qobject_cast<ChoiceTask6Stage*>(w.currentStage.data()), nullptr);
    EXPECT_EQ(w.answers.asText("a5"), "40000");
}

TEST_F(Task5, recreatesBothFoldersRemovedDuringTheStage) {
    const StationFolders folders = w.folders();
    ChoiceTask5Stage* stage = start("");
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
    ASSERT_TRUE(QDir(folders.stationFolder()).removeRecursively());
    runOut(stage);
    EXPECT_TRUE(QDir(folders.answerFolder()).exists());
}

TEST_F(Task5, layoutMenuHasItsItemsInOrderWithShortcutsAndOneRadioGroup) {
    ChoiceTask5Stage* stage = start("");
    QStringList names, captions, keys;
    for (const QAction* item : stage->layoutMenu->actions()) {
        names.append(item->objectName());
        captions.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        keys.append(item->shortcut().toString());
    }
    EXPECT_EQ(names, QStringList({"moveLeftAction", "moveRightAction", "moveUpAction", "moveDownAction",
                                  "sizeSeparator", "widthPlusAction", "widthMinusAction", "targetSeparator",
                                  "targetList1Action", "targetList2Action", "targetList3Action", "targetList4Action",
                                  "targetList5Action", "saveSeparator", "saveLayoutAction"}));
    EXPECT_EQ(captions, QStringList({"Влево", "Вправо", "Вверх", "Вниз", "-", "Ширина плюс", "Ширина минус", "-", "1",
                                     "2", "3", "4", "5", "-", "Записать"}));
    EXPECT_EQ(keys, QStringList({"Ctrl+L", "Ctrl+R", "Ctrl+T", "Ctrl+B", "", "Ctrl+W", "Ctrl+X", "", "", "", "", "", "",
                                 "", ""}));
    QActionGroup* group = stage->targetList1Action->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isExclusive());
    EXPECT_EQ(group->actions(),
              QList<QAction*>({stage->targetList1Action, stage->targetList2Action, stage->targetList3Action,
                               stage->targetList4Action, stage->targetList5Action}));
    EXPECT_EQ(group->checkedAction(), nullptr);
    stage->targetList3Action->trigger();
    EXPECT_TRUE(stage->targetList3Action->isChecked());
    stage->targetList5Action->trigger();
    EXPECT_TRUE(stage->targetList5Action->isChecked());
    EXPECT_FALSE(stage->targetList3Action->isChecked());
    EXPECT_EQ(ChoiceTask5Stage::layoutTarget, 5);
}

TEST_F(Task5, layoutMenuOpensFromTheBottomBar) {
    ChoiceTask5Stage* stage = start("");
    EXPECT_EQ(stage->bottomBar->contextMenuPolicy(), Qt::CustomContextMenu);
    emit stage->bottomBar->customContextMenuRequested(QPoint(40, 20));
    EXPECT_TRUE(stage->layoutMenu->isVisible());
    // The test screen is smaller than the window: show the menu where a real screen puts it, above the bar.
    stage->layoutMenu->move(stage->bottomBar->mapToGlobal(QPoint(40, -stage->layoutMenu->height())));
    choicekit::saveScreenshotWithPopup(w, *stage->layoutMenu, QStringLiteral("ChoiceTask5Stage-layout-menu"));
    stage->layoutMenu->hide();
}

TEST_F(Task5, rightThreeTimesOnListTwoMovesItThreePixels) {
    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(20));
    stage->list2->setCurrentIndex(1);
    stage->onTargetList2();
    EXPECT_EQ(ChoiceTask5Stage::layoutTarget, 2);
    for (int i = 0; i < 3; ++i)
        stage->onMoveRight();
    EXPECT_EQ(stage->list2->geometry(), kDesign[1].translated(3, 0));
    EXPECT_EQ(stage->list2->currentIndex(), 1); // a moved list keeps its choice
    for (int i : {0, 2, 3, 4})
        EXPECT_EQ(stage->lists()[i]->geometry(), kDesign[i]);
}

TEST_F(Task5, everyMoveAndSizeItemChangesTheTargetByOnePixel) {
    ChoiceTask5Stage* stage = start("");
    stage->onTargetList4();
    const QRect at = kDesign[3];
    stage->onMoveLeft();
    EXPECT_EQ(stage->list4->geometry(), at.translated(-1, 0));
    stage->onMoveRight();
    stage->onMoveUp();
    EXPECT_EQ(stage->list4->geometry(), at.translated(0, -1));
    stage->onMoveDown();
    stage->onMoveDown();
    EXPECT_EQ(stage->list4->geometry(), at.translated(0, 1));
    stage->onWidthPlus();
    EXPECT_EQ(stage->list4->geometry(), QRect(at.left(), at.top() + 1, at.width() + 1, 24));
    stage->onWidthMinus();
    stage->onWidthMinus();
    EXPECT_EQ(stage->list4->geometry(), QRect(at.left(), at.top() + 1, at.width() - 1, 24));
}

TEST_F(Task5, movesNothingWhenNoListWasChosenSinceProgramStart) {
    ChoiceTask5Stage* stage = start("");
    for (void (LayoutChoiceStage::*item)() :
         {&LayoutChoiceStage::onMoveLeft, &LayoutChoiceStage::onMoveRight, &LayoutChoiceStage::onMoveUp,
          &LayoutChoiceStage::onMoveDown, &LayoutChoiceStage::onWidthPlus, &LayoutChoiceStage::onWidthMinus})
        (stage->*item)();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(stage->lists()[i]->geometry(), kDesign[i]);
}

TEST_F(Task5, keepsTheMenuTargetForTheNextExamineeButNotTheMovedPlaces) {
    ChoiceTask5Stage* stage = start("");
    stage->onTargetList3();
    stage->onMoveDown();
    runOut(stage);
    stage = start("");
    EXPECT_EQ(stage->list3->geometry(), kDesign[2]);
    EXPECT_TRUE(stage->targetList3Action->isChecked());
    stage->onMoveDown();
    EXPECT_EQ(stage->list3->geometry(), kDesign[2].translated(0, 1));
    EXPECT_EQ(ChoiceTask6Stage::layoutTarget, 0);
}

TEST_F(Task5, writesTheLayoutFileWithTopLeftAndWidthPerListAndCrLf) {
    ChoiceTask5Stage* stage = start("");
    QFile old(layoutFile());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'z'));
    old.close();
    stage->onSaveLayout();
    EXPECT_EQ(readAll(layoutFile()), QByteArray("238;270;109\r\n238;614;102\r\n287;113;100\r\n337;709;106\r\n"
                                                "386;265;106\r\n"));
    stage->onTargetList5();
    stage->onMoveLeft();
    stage->onMoveUp();
    stage->onWidthPlus();
    stage->onSaveLayout();
    EXPECT_TRUE(readAll(layoutFile()).endsWith("\r\n385;264;107\r\n"));
    EXPECT_TRUE(h.dialogs.shown.isEmpty());
}

TEST_F(Task5, reportsALayoutFileThatCannotBeWrittenAndGoesOn) {
    ChoiceTask5Stage* stage = start("");
    ASSERT_TRUE(QDir().mkpath(layoutFile())); // a folder where the file should go
    stage->onSaveLayout();
    ASSERT_EQ(h.dialogs.shown.size(), 1);
    EXPECT_TRUE(h.dialogs.shown[0].startsWith("error: Не удалось записать файл")) << h.dialogs.shown[0].toStdString();
    EXPECT_TRUE(stage->tickTimer->isActive());
}

TEST_F(Task5, layoutShortcutsWorkAlsoInsideAListsEditField) {
    ChoiceTask5Stage* stage = start(choicekit::numberedMemo(20));
    stage->onTargetList1();
    EXPECT_TRUE(choicekit::pressShortcut(*stage->finishButton, QKeyCombination(Qt::CTRL, Qt::Key_R)));
    EXPECT_EQ(stage->list1->x(), kDesign[0].x() + 1);
    stage->list2->lineEdit()->setText(QStringLiteral("typed"));
    stage->list2->lineEdit()->selectAll();
    EXPECT_TRUE(choicekit::pressShortcut(*stage->list2, QKeyCombination(Qt::CTRL, Qt::Key_X)));
    EXPECT_EQ(stage->list1->width(), kDesign[0].width() - 1);
    EXPECT_EQ(stage->list2->lineEdit()->text(), "typed"); // not cut
    EXPECT_TRUE(choicekit::pressShortcut(*stage->list2, QKeyCombination(Qt::CTRL, Qt::Key_B)));
    EXPECT_EQ(stage->list1->y(), kDesign[0].y() + 1);
}

TEST_F(Task5, offersTheDemoKitOptionsOverItsSheet) {
    expectDemoKitOptionsOverItsSheet("t5Ans", &ChoiceRules::task5Options);
}
