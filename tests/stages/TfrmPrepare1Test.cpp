#include "stages/TfrmPrepare1.h"

#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/BottomBar.h"
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
        TfrmPrepare1::PrepAudioStream = 0;
        s.setKitField("t1AudPrep", QByteArray("RIFF preparation audio\0\xff", 24));
    }
    TfrmPrepare1* startWithAudioOf(double seconds) {
        s.audioOf(kTemp, seconds);
        return s.start<TfrmPrepare1>(10);
    }
    PrepStation s;
};

} // namespace

TEST_F(Prepare1Fixture, timesTheStageByTheAudioRoundedHalfToEvenPlusTwo) {
    startWithAudioOf(60.5);
    EXPECT_EQ(s.w.PrepTime1, 62);
    EXPECT_EQ(s.w.lblProcessTime->text(), "62 сек.");
    EXPECT_EQ(s.w.ProcessBar->maximum(), 62);

    s.h.audio.streamSeconds.clear();
    startWithAudioOf(61.5);
    EXPECT_EQ(s.w.PrepTime1, 64);
    EXPECT_EQ(s.w.lblProcessTime->text(), "64 сек.");
}

TEST_F(Prepare1Fixture, writesTheKitAudioToTheTemporaryFileAndPlaysItOnceTheCountdownRuns) {
    TfrmPrepare1* stage = startWithAudioOf(10.0);
    ASSERT_NE(stage, nullptr);
    QFile temp(s.workFile(kTemp));
    ASSERT_TRUE(temp.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.readAll(), QByteArray("RIFF preparation audio\0\xff", 24));
    EXPECT_EQ(s.h.audio.createdPaths, QStringList{s.workFile(kTemp)});
    EXPECT_EQ(TfrmPrepare1::PrepAudioStream, s.h.audio.createdStreams.at(0));
    EXPECT_EQ(s.h.audio.calls.last(), "channelPlay");
    EXPECT_EQ(s.h.audio.channelIsActive(TfrmPrepare1::PrepAudioStream), audio::Playing);
    EXPECT_TRUE(stage->Timer1->isActive());
    EXPECT_EQ(stage->Elapsed(), 0);
    EXPECT_EQ(s.w.lblProcessName->text(), "Подготовка к заданию № 1:");
    EXPECT_TRUE(s.w.lblProcessTime->isVisible());
    EXPECT_TRUE(s.w.ProcessBar->isVisible());
}

TEST_F(Prepare1Fixture, endsOnTheTickAfterZeroWithTheAudioStoppedFreedAndDeleted) {
    TfrmPrepare1* stage = startWithAudioOf(3.2); // T = 5
    tick(stage, 5);
    EXPECT_EQ(s.w.lblProcessTime->text(), "0 сек.");
    EXPECT_EQ(s.w.ProcessBar->value(), 5);
    EXPECT_EQ(s.currentStage(), "TfrmPrepare1");
    EXPECT_TRUE(QFile::exists(s.workFile(kTemp)));
    const audio::Handle stream = TfrmPrepare1::PrepAudioStream;
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmTask1");
    EXPECT_FALSE(QFile::exists(s.workFile(kTemp)));
    EXPECT_EQ(s.h.audio.freedStreams, std::vector<audio::Handle>{stream});
    EXPECT_EQ(TfrmPrepare1::PrepAudioStream, stream); // the unit keeps the freed handle
}

TEST_F(Prepare1Fixture, yesEndsOnTheNextTickAndNoLeavesTheCountdownRunning) {
    TfrmPrepare1* stage = startWithAudioOf(60.0);
    tick(stage, 20);
    s.h.dialogs.confirmAnswers = {false};
    stage->Button1->click();
    EXPECT_EQ(s.h.dialogs.shown.last(), "confirm: Завершить подготовку к заданию?");
    EXPECT_EQ(stage->Elapsed(), 20);
    tick(stage);
    EXPECT_EQ(s.w.lblProcessTime->text(), "41 сек.");

    s.h.dialogs.confirmAnswers = {true};
    stage->Button1Click();
    EXPECT_EQ(stage->Elapsed(), 1000);
    EXPECT_EQ(s.currentStage(), "TfrmPrepare1");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmTask1");
    EXPECT_FALSE(QFile::exists(s.workFile(kTemp)));
}

TEST_F(Prepare1Fixture, yesEndsEvenAPreparationLongerThanTheMarker) {
    TfrmPrepare1* stage = startWithAudioOf(1500.0);
    EXPECT_EQ(s.w.PrepTime1, 1502);
    s.h.dialogs.confirmAnswers = {true};
    stage->Button1Click();
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmTask1");
}

TEST_F(Prepare1Fixture, aSecondExamineeStopsTheFreedHandleAndPlaysTheNewAudioAfresh) {
    tick(startWithAudioOf(1.0), 4);
    const audio::Handle first = s.h.audio.createdStreams.at(0);
    s.setKitField("t1AudPrep", "second");
    s.h.audio.calls.clear();
    s.start<TfrmPrepare1>(10);
    EXPECT_EQ(s.h.audio.calls.first(), "channelStop");
    EXPECT_NE(TfrmPrepare1::PrepAudioStream, first);
    QFile temp(s.workFile(kTemp));
    ASSERT_TRUE(temp.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.readAll(), "second");
    EXPECT_EQ(s.h.audio.calls.last(), "channelPlay");
}

TEST_F(Prepare1Fixture, stillCountsDownAndMovesOnWhenTheTemporaryFileCannotBeWritten) {
    ASSERT_TRUE(QDir().mkdir(s.workFile(kTemp)));
    TfrmPrepare1* stage = startWithAudioOf(60.0);
    ASSERT_EQ(s.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(s.h.dialogs.shown[0].startsWith("error: Не удалось записать временный файл"));
    EXPECT_EQ(s.w.PrepTime1, 1);
    EXPECT_TRUE(stage->Timer1->isActive());
    EXPECT_TRUE(s.h.audio.createdPaths.isEmpty()); // no stale file of that name is played
    tick(stage, 2);
    EXPECT_EQ(s.currentStage(), "TfrmTask1");
}

TEST_F(Prepare1Fixture, aKitAudioTheLayerCannotPlayGivesOneSecond) {
    s.w.PrepTime1 = 25;
    TfrmPrepare1* stage = s.start<TfrmPrepare1>(10); // no stream known for the file
    EXPECT_EQ(s.w.PrepTime1, 1);
    EXPECT_TRUE(s.h.dialogs.shown.isEmpty());
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmPrepare1");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "TfrmTask1");
}

TEST_F(Prepare1Fixture, showsNoSheetAndTheReadyButtonAtItsPlace) {
    TfrmPrepare1* stage = startWithAudioOf(30.0);
    QApplication::processEvents();
    EXPECT_EQ(stage->RxDBRichEdit1->dataField(), QString());
    EXPECT_EQ(stage->RxDBRichEdit1->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(stage->Panel1->text(), "Подготовка к выполнению задания № 1");
    EXPECT_EQ(stage->Panel1->height(), 41);
    EXPECT_EQ(stage->Panel1->geometry().bottom(), stage->height() - 1);
    EXPECT_EQ(stage->Panel1->font().pixelSize(), 19);
    EXPECT_TRUE(stage->Panel1->font().bold());
    EXPECT_EQ(stage->Button1->text(), "Я готов!");
    EXPECT_EQ(stage->Button1->geometry(), QRect(stage->Panel1->width() - 6 - 75, 8, 75, 25));
    EXPECT_EQ(stage->Button1->font().pixelSize(), 11);
    EXPECT_EQ(stage->geometry(), QRect(0, 50, 1016, 713 - 50));
    saveScreenshot(s.w, QStringLiteral("TfrmPrepare1"));
}
