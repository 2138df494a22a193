#include "stages/tasks/PhotoChoiceStage.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"
#include "stages/tasks/PhotoAnswerStage.h"
#include "support/PrepStation.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Prepare3Fixture : ::testing::Test {
    Prepare3Fixture() {
        s.setKitField("t3Pre", PrepStation::sheet({QStringLiteral("Task 3. Preparation"),
                                                   QStringLiteral("These are photos from your photo album. Choose "
                                                                  "one photo to describe to your friend."),
                                                   QStringLiteral("Photo 1 - Photo 2 - Photo 3")}));
        s.setKitField("t3Task1", PrepStation::sheet({QStringLiteral("Photo 1: a picnic")}));
        s.setKitField("t3Task2", PrepStation::sheet({QStringLiteral("Photo 2: a concert")}));
        s.setKitField("t3Task3", PrepStation::sheet({QStringLiteral("Photo 3: a library")}));
        s.w.prepTime3 = 90;
    }
    // Runs the preparation to its end with the item chosen (-1 leaves the design choice).
    PhotoAnswerStage* endWithItem(int item) {
        PhotoChoiceStage* stage = s.start<PhotoChoiceStage>(StageCode::PhotoChoice);
        if (item >= 0)
            stage->photoItems[static_cast<std::size_t>(item)]->click();
        tick(stage, 91);
        return qobject_cast<PhotoAnswerStage*>(s.w.currentStage.data());
    }
    PrepStation s;
};

} // namespace

TEST_F(Prepare3Fixture, opensWithTheCountdownWindowBeforeItsOwnCountdown) {
    bool countingDuringWindow = true;
    s.w.headerBar->hide();
    s.h.dialogs.onModal = [&](QDialog& window) {
        EXPECT_EQ(&window, s.fiveSec);
        auto* stage = qobject_cast<PhotoChoiceStage*>(s.w.currentStage.data());
        countingDuringWindow = stage == nullptr || stage->tickTimer->isActive();
        return QDialog::Accepted;
    };
    PhotoChoiceStage* stage = s.start<PhotoChoiceStage>(StageCode::PhotoChoice);
    EXPECT_FALSE(countingDuringWindow);
    EXPECT_EQ(s.h.dialogs.shown, QStringList{"modal: QDialog"});
    EXPECT_TRUE(s.w.headerBar->isVisible());
    EXPECT_TRUE(stage->tickTimer->isActive());
    EXPECT_EQ(s.w.phaseLabel->text(), "Подготовка к заданию № 3:");
    EXPECT_EQ(s.w.timeLabel->text(), "90 сек.");
    EXPECT_EQ(stage->sheetView->dataField(), "t3Pre");
    EXPECT_EQ(stage->bottomBar->text(), "Подготовка к выполнению задания № 3");
}

TEST_F(Prepare3Fixture, offersNoPhotoOrOneOfThreeWithNoneChosenAtFirst) {
    ASSERT_TRUE(s.loadDemoKit());
    PhotoChoiceStage* stage = s.start<PhotoChoiceStage>(StageCode::PhotoChoice);
    QApplication::processEvents();
    EXPECT_EQ(stage->photoGroup->title(), " Выбор фото ");
    QStringList captions;
    for (QRadioButton* item : stage->photoItems)
        captions << item->text();
    EXPECT_EQ(captions, (QStringList{"нет", "1", "2", "3"}));
    EXPECT_EQ(stage->photoItemIndex(), 0);
    EXPECT_TRUE(stage->photoItems[0]->isChecked());
    // 199 x 37, its right edge 5 px left of the button, inside the bar.
    EXPECT_EQ(stage->photoGroup->size(), QSize(199, 37));
    EXPECT_EQ(stage->photoGroup->geometry().right() + 1, stage->finishButton->geometry().left() - 5);
    EXPECT_LE(stage->photoGroup->geometry().bottom(), stage->bottomBar->height() - 1);
    EXPECT_EQ(stage->photoItems[2]->accessibleName(), "Выбор фото: 2");
    // The four items sit side by side.
    for (std::size_t i = 1; i < stage->photoItems.size(); ++i)
        EXPECT_GT(stage->photoItems[i]->x(), stage->photoItems[i - 1]->x());
    saveScreenshot(s.w, QStringLiteral("PhotoChoiceStage"));
}

TEST_F(Prepare3Fixture, nothingChosenLeadsToCodeThirtyNineAndTheSheetOfThePreparation) {
    PhotoAnswerStage* task = endWithItem(-1);
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->sheetView->dataField(), "t3Pre");
    EXPECT_EQ(s.h.audio.encodedFiles, QStringList{s.w.folders().answerFile("_3.ogg")});
}

TEST_F(Prepare3Fixture, eachPhotoLeadsToItsCodeAndSheetAndTheOneTaskThreeFile) {
    for (int photo = 1; photo <= 3; ++photo) {
        s.h.audio.encodedFiles.clear();
        PhotoAnswerStage* task = endWithItem(photo);
        ASSERT_NE(task, nullptr) << photo;
        EXPECT_EQ(task->sheetView->dataField(), QStringLiteral("t3Task%1").arg(photo));
        EXPECT_EQ(s.h.audio.encodedFiles, QStringList{s.w.folders().answerFile("_3.ogg")});
    }
}

TEST_F(Prepare3Fixture, theChoiceAtTheEndCountsNotAnEarlierOne) {
    PhotoChoiceStage* stage = s.start<PhotoChoiceStage>(StageCode::PhotoChoice);
    stage->photoItems[3]->click();
    tick(stage, 40);
    stage->photoItems[1]->click();
    stage->photoItems[2]->click();
    s.h.dialogs.confirmAnswers = {true};
    stage->finishButton->click();
    EXPECT_EQ(stage->photoItemIndex(), 2);
    tick(stage);
    auto* task = qobject_cast<PhotoAnswerStage*>(s.w.currentStage.data());
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->sheetView->dataField(), "t3Task2");
}

TEST_F(Prepare3Fixture, mapsTheChoiceToTheNextStageCode) {
    EXPECT_EQ(PhotoChoiceStage::nextStageCode(0), StageCode::PhotoAnswerNoPhoto);
    EXPECT_EQ(PhotoChoiceStage::nextStageCode(1), StageCode::PhotoAnswer1);
    EXPECT_EQ(PhotoChoiceStage::nextStageCode(2), StageCode::PhotoAnswer2);
    EXPECT_EQ(PhotoChoiceStage::nextStageCode(3), StageCode::PhotoAnswer3);
    EXPECT_EQ(PhotoChoiceStage::nextStageCode(-1), StageCode::PhotoAnswerNoPhoto);
}

TEST_F(Prepare3Fixture, noKeepsTheStageRunning) {
    PhotoChoiceStage* stage = s.start<PhotoChoiceStage>(StageCode::PhotoChoice);
    tick(stage, 10);
    s.h.dialogs.confirmAnswers = {false};
    stage->onFinishClicked();
    tick(stage);
    EXPECT_EQ(s.currentStage(), "PhotoChoiceStage");
    EXPECT_EQ(s.w.timeLabel->text(), "79 сек.");
}
