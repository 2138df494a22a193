#include "stages/tasks/ListeningPreparationStage.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"
#include "support/PrepStation.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kTemp = QStringLiteral("~$t1a.tmp");

struct Prepare1Fixture : ::testing::Test {
    Prepare1Fixture() {
        ListeningPreparationStage::prepAudioStream = 0;
        s.setKitField("t1AudPrep", QByteArray("RIFF preparation audio\0\xff", 24));
    }
    ListeningPreparationStage* startWithAudioOf(double seconds) {
        s.audioOf(kTemp, seconds);
        return s.start<ListeningPreparationStage>(StageCode::ListeningPreparation);
    }
    PrepStation s;
};

} // namespace

TEST_F(Prepare1Fixture, timesTheStageByTheAudioRoundedHalfToEvenPlusTwo) {
    startWithAudioOf(60.5);
    EXPECT_EQ(s.w.prepTime1, 62);
    EXPECT_EQ(s.w.timeLabel->text(), "62 сек.");
    EXPECT_EQ(s.w.progressBar->maximum(), 62);

    s.h.audio.streamSeconds.clear();
    startWithAudioOf(61.5);
    EXPECT_EQ(s.w.prepTime1, 64);
    EXPECT_EQ(s.w.timeLabel->text(), "64 сек.");
}

TEST_F(Prepare1Fixture, writesTheKitAudioToTheTemporaryFileAndPlaysItOnceTheCountdownRuns) {
    ListeningPreparationStage* stage = startWithAudioOf(10.0);
    ASSERT_NE(stage, nullptr);
    QFile temp(s.workFile(kTemp));
    ASSERT_TRUE(temp.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.readAll(), QByteArray("RIFF preparation audio\0\xff", 24));
    EXPECT_EQ(s.h.audio.createdPaths, QStringList{s.workFile(kTemp)});
    EXPECT_EQ(ListeningPreparationStage::prepAudioStream, s.h.audio.createdStreams.at(0));
    EXPECT_EQ(s.h.audio.calls.last(), "channelPlay");
    EXPECT_EQ(s.h.audio.channelIsActive(ListeningPreparationStage::prepAudioStream), audio::Playing);
    EXPECT_TRUE(stage->tickTimer->isActive());
    EXPECT_EQ(stage->elapsed(), 0);
    EXPECT_EQ(s.w.phaseLabel->text(), "Подготовка к заданию № 1:");
    EXPECT_TRUE(s.w.timeLabel->isVisible());
    EXPECT_TRUE(s.w.progressBar->isVisible());
}

TEST_F(Prepare1Fixture, endsOnTheTickAfterZeroWithTheAudioStoppedFreedAndDeleted) {
    ListeningPreparationStage* stage = startWithAudioOf(3.2); // T = 5
    tick(stage, 5);
    EXPECT_EQ(s.w.timeLabel->text(), "0 сек.");
    EXPECT_EQ(s.w.progressBar->value(), 5);
    EXPECT_EQ(s.currentStage(), "ListeningPreparationStage");
    EXPECT_TRUE(QFile::exists(s.workFile(kTemp)));
    const audio::Handle stream = ListeningPreparationStage::prepAudioStream;
    tick(stage);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
    EXPECT_FALSE(QFile::exists(s.workFile(kTemp)));
    EXPECT_EQ(s.h.audio.freedStreams, std::vector<audio::Handle>{stream});
    EXPECT_EQ(ListeningPreparationStage::prepAudioStream, stream); // the unit keeps the freed handle
}

TEST_F(Prepare1Fixture, yesEndsOnTheNextTickAndNoLeavesTheCountdownRunning) {
    ListeningPreparationStage* stage = startWithAudioOf(60.0);
    tick(stage, 20);
    s.h.dialogs.confirmAnswers = {false};
    stage->finishButton->click();
    EXPECT_EQ(s.h.dialogs.shown.last(), "confirm: Завершить подготовку к заданию?");
    EXPECT_EQ(stage->elapsed(), 20);
    tick(stage);
    EXPECT_EQ(s.w.timeLabel->text(), "41 сек.");

    s.h.dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    EXPECT_EQ(stage->elapsed(), 1000);
    EXPECT_EQ(s.currentStage(), "ListeningPreparationStage");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
    EXPECT_FALSE(QFile::exists(s.workFile(kTemp)));
}

TEST_F(Prepare1Fixture, yesEndsEvenAPreparationLongerThanTheMarker) {
    ListeningPreparationStage* stage = startWithAudioOf(1500.0);
    EXPECT_EQ(s.w.prepTime1, 1502);
    s.h.dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    tick(stage);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
}

TEST_F(Prepare1Fixture, aSecondExamineeStopsTheFreedHandleAndPlaysTheNewAudioAfresh) {
    tick(startWithAudioOf(1.0), 4);
    const audio::Handle first = s.h.audio.createdStreams.at(0);
    s.setKitField("t1AudPrep", "second");
    s.h.audio.calls.clear();
    s.start<ListeningPreparationStage>(StageCode::ListeningPreparation);
    EXPECT_EQ(s.h.audio.calls.first(), "channelStop");
    EXPECT_NE(ListeningPreparationStage::prepAudioStream, first);
    QFile temp(s.workFile(kTemp));
    ASSERT_TRUE(temp.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.readAll(), "second");
    EXPECT_EQ(s.h.audio.calls.last(), "channelPlay");
}

TEST_F(Prepare1Fixture, stillCountsDownAndMovesOnWhenTheTemporaryFileCannotBeWritten) {
    ASSERT_TRUE(QDir().mkdir(s.workFile(kTemp)));
    ListeningPreparationStage* stage = startWithAudioOf(60.0);
    ASSERT_EQ(s.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(s.h.dialogs.shown[0].startsWith("error: Не удалось записать временный файл"));
    EXPECT_EQ(s.w.prepTime1, 1);
    EXPECT_TRUE(stage->tickTimer->isActive());
    EXPECT_TRUE(s.h.audio.createdPaths.isEmpty()); // no stale file of that name is played
    tick(stage, 2);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
}

TEST_F(Prepare1Fixture, aKitAudioTheLayerCannotPlayGivesOneSecond) {
    s.w.prepTime1 = 25;
    ListeningPreparationStage* stage =
        s.start<ListeningPreparationStage>(StageCode::ListeningPreparation); // no stream known for the file
    EXPECT_EQ(s.w.prepTime1, 1);
    EXPECT_TRUE(s.h.dialogs.shown.isEmpty());
    tick(stage);
    EXPECT_EQ(s.currentStage(), "ListeningPreparationStage");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
}

TEST_F(Prepare1Fixture, showsNoSheetAndTheReadyButtonAtItsPlace) {
    ListeningPreparationStage* stage = startWithAudioOf(30.0);
    QApplication::processEvents();
    EXPECT_EQ(stage->sheetView->dataField(), QString());
    EXPECT_EQ(stage->sheetView->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(stage->bottomBar->text(), "Подготовка к выполнению задания № 1");
    EXPECT_EQ(stage->bottomBar->height(), 41);
    EXPECT_EQ(stage->bottomBar->geometry().bottom(), stage->height() - 1);
    EXPECT_EQ(stage->bottomBar->font().pixelSize(), 19);
    EXPECT_TRUE(stage->bottomBar->font().bold());
    EXPECT_EQ(stage->finishButton->text(), "Я готов!");
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 6 - 75, 8, 75, 25));
    EXPECT_EQ(stage->finishButton->font().pixelSize(), 11);
    EXPECT_EQ(stage->geometry(), QRect(0, 50, 1016, 713 - 50));
    saveScreenshot(s.w, QStringLiteral("ListeningPreparationStage"));
}
