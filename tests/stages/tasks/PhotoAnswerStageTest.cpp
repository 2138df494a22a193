#include "stages/tasks/PhotoAnswerStage.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"
#include "support/PrepStation.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Task3Fixture : ::testing::Test {
    Task3Fixture() {
        s.setKitField("t3Pre", PrepStation::sheet({QStringLiteral("Choose a photo and describe it.")}));
        for (int photo = 1; photo <= 3; ++photo)
            s.setKitField(QStringLiteral("t3Task%1").arg(photo).toLatin1().constData(),
                          PrepStation::sheet({QStringLiteral("Task 3. Photo %1").arg(photo),
                                              QStringLiteral("Describe the photo: say where and when it was taken, "
                                                             "what or who is in it, what is happening, why you keep "
                                                             "it and why you decided to show it to your friend.")}));
        s.w.taskTime3 = 120;
        s.probeAt(StageCode::ChoiceTask4);
    }
    QString answerFile() const { return s.w.folders().answerFile(QStringLiteral("_3.ogg")); }
    PrepStation s;
};

} // namespace

TEST_F(Task3Fixture, eachStageCodeShowsItsPhotoAndRecordsTheOneTaskThreeFile) {
    const QList<QPair<StageCode, QString>> cases = {{StageCode::PhotoAnswer1, "t3Task1"},
                                                    {StageCode::PhotoAnswer2, "t3Task2"},
                                                    {StageCode::PhotoAnswer3, "t3Task3"},
                                                    {StageCode::PhotoAnswerNoPhoto, "t3Pre"}};
    for (const auto& [code, field] : cases) {
        s.h.audio.encodedFiles.clear();
        s.h.dialogs.shown.clear();
        PhotoAnswerStage* stage = s.start<PhotoAnswerStage>(code);
        ASSERT_NE(stage, nullptr) << static_cast<int>(code);
        EXPECT_EQ(stage->sheetView->dataField(), field) << static_cast<int>(code);
        EXPECT_EQ(s.h.dialogs.shown, QStringList{"modal: QDialog"});
        EXPECT_EQ(s.h.audio.encodedFiles, QStringList{answerFile()}) << static_cast<int>(code);
        EXPECT_TRUE(answerFile().endsWith(QDir::toNativeSeparators("/0042/0042_3.ogg")));
        EXPECT_EQ(s.w.timeLabel->text(), "120 сек.");
        tick(stage, 121);
    }
    EXPECT_EQ(s.reached, (QList<StageCode>{StageCode::ChoiceTask4, StageCode::ChoiceTask4, StageCode::ChoiceTask4,
                                           StageCode::ChoiceTask4}));
}

TEST_F(Task3Fixture, showsThePreparationSheetForAnyOtherArgument) {
    EXPECT_EQ(PhotoAnswerStage::sheetField(0), "t3Pre");
    EXPECT_EQ(PhotoAnswerStage::sheetField(4), "t3Pre");
    EXPECT_EQ(PhotoAnswerStage::sheetField(-1), "t3Pre");
    EXPECT_EQ(PhotoAnswerStage::sheetField(2), "t3Task2");
}

TEST_F(Task3Fixture, stopsOnTheTickAfterZeroAndNotBefore) {
    PhotoAnswerStage* stage = s.start<PhotoAnswerStage>(StageCode::PhotoAnswer2);
    tick(stage, 120);
    EXPECT_EQ(s.w.timeLabel->text(), "0 сек.");
    EXPECT_NE(s.w.recorder().RecChannel, 0u);
    EXPECT_TRUE(s.reached.isEmpty());
    tick(stage);
    EXPECT_EQ(s.w.recorder().RecChannel, 0u);
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::ChoiceTask4});
}

TEST_F(Task3Fixture, yesEndsTheAnswerOnTheNextTickAndNoDoesNot) {
    PhotoAnswerStage* stage = s.start<PhotoAnswerStage>(StageCode::PhotoAnswerNoPhoto);
    tick(stage, 10);
    s.h.dialogs.confirmAnswers = {false, true};
    stage->onFinishClicked();
    tick(stage);
    EXPECT_TRUE(s.reached.isEmpty());
    stage->onFinishClicked();
    EXPECT_EQ(stage->elapsed(), 1000);
    tick(stage);
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::ChoiceTask4});
    EXPECT_EQ(s.w.recorder().RecChannel, 0u);
}

TEST_F(Task3Fixture, remakesBothFoldersRemovedDuringTheAnswer) {
    PhotoAnswerStage* stage = s.start<PhotoAnswerStage>(StageCode::PhotoAnswer1);
    ASSERT_TRUE(QDir(s.w.folders().stationFolder()).removeRecursively());
    tick(stage, 121);
    EXPECT_TRUE(QDir(s.w.folders().answerFolder()).exists());
}

TEST_F(Task3Fixture, looksRightWithAPhotoSheet) {
    ASSERT_TRUE(s.loadDemoKit());
    PhotoAnswerStage* stage = s.start<PhotoAnswerStage>(StageCode::PhotoAnswer3);
    tick(stage, 30);
    QApplication::processEvents();
    EXPECT_EQ(stage->bottomBar->text(), "Выполнение задания № 3. Идет запись...");
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 10 - 119, 13, 119, 25));
    EXPECT_FALSE(stage->sheetView->document()->isEmpty());
    saveScreenshot(s.w, QStringLiteral("PhotoAnswerStage"));
}
