#include "stages/tasks/SpokenAnswerStage.h"

#include "audio/Recorder.h"
#include "audio/SdlAudioLayer.h"
#include "kit/StationTables.h"
#include "main/StageRegistry.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"
#include "stages/StageTable.h"
#include "support/AudioDiskDriver.h"
#include "support/AudioSignals.h"
#include "support/PrepStation.h"
#include "support/ScriptedDialogService.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct Task2Fixture : ::testing::Test {
    Task2Fixture() {
        s.setKitField("t2Task", PrepStation::sheet({QStringLiteral("Task 2"),
                                                    QStringLiteral("Ask the travel agent five questions."),
                                                    QStringLiteral("You have 20 seconds for each question.")}));
        s.w.taskTime2 = 90;
        s.probeAt(StageCode::PhotoChoice);
    }
    QString answerFile() const { return s.w.folders().answerFile(QStringLiteral("_2.ogg")); }
    bool recording() { return s.w.recorder().RecChannel != 0; }
    PrepStation s;
};

} // namespace

TEST_F(Task2Fixture, recordsIntoTheAnswerFileOnlyAfterTheCountdownWindow) {
    int recordingsDuringWindow = -1;
    s.h.dialogs.onModal = [&](QDialog&) {
        recordingsDuringWindow = s.h.audio.callCount("recordStart");
        return QDialog::Accepted;
    };
    SpokenAnswerStage* stage = s.start<SpokenAnswerStage>(StageCode::SpokenAnswer);
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(recordingsDuringWindow, 0);
    EXPECT_EQ(s.h.dialogs.shown, QStringList{"modal: QDialog"});
    EXPECT_TRUE(recording());
    EXPECT_EQ(s.h.audio.encodedFiles, QStringList{answerFile()});
    EXPECT_TRUE(answerFile().endsWith(QDir::toNativeSeparators("Answer_2019-05-25_9_770001_0101_1/0042/0042_2.ogg")));
    EXPECT_TRUE(QDir(s.w.folders().answerFolder()).exists());
    EXPECT_EQ(s.w.phaseLabel->text(), "Отвечайте! Идет запись:");
    EXPECT_EQ(s.w.timeLabel->text(), "90 сек.");
    EXPECT_EQ(s.w.progressBar->maximum(), 90);
    EXPECT_EQ(stage->sheetView->dataField(), "t2task");
    EXPECT_TRUE(stage->sheetView->document()->toPlainText().contains("five questions"));
}

TEST_F(Task2Fixture, stopsTheRecordingOnTheTickAfterZeroAndGoesToTheThirdPreparation) {
    SpokenAnswerStage* stage = s.start<SpokenAnswerStage>(StageCode::SpokenAnswer);
    tick(stage, 90);
    EXPECT_EQ(s.w.timeLabel->text(), "0 сек.");
    EXPECT_EQ(s.w.progressBar->value(), 90);
    EXPECT_TRUE(recording());
    EXPECT_EQ(s.h.audio.callCount("channelStop"), 0);
    tick(stage);
    EXPECT_FALSE(recording());
    EXPECT_EQ(s.h.audio.callCount("channelStop"), 1);
    EXPECT_EQ(s.h.audio.createdPaths.last(), answerFile()); // opened for the review's playback
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::PhotoChoice});
}

TEST_F(Task2Fixture, yesWithFiftySecondsLeftStopsOnTheNextTickAndNoRecordsOn) {
    SpokenAnswerStage* stage = s.start<SpokenAnswerStage>(StageCode::SpokenAnswer);
    tick(stage, 40);
    s.h.dialogs.confirmAnswers = {false};
    stage->finishButton->click();
    EXPECT_EQ(s.h.dialogs.shown.last(), "confirm: Вы уверены, что хотите завершить выполнение задания?");
    tick(stage);
    EXPECT_TRUE(recording());
    EXPECT_EQ(s.w.timeLabel->text(), "49 сек.");
    s.h.dialogs.confirmAnswers = {true};
    stage->finishButton->click();
    EXPECT_EQ(stage->elapsed(), 1000);
    tick(stage);
    EXPECT_FALSE(recording());
    EXPECT_EQ(s.w.timeLabel->text(), "49 сек."); // the header keeps the last time
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::PhotoChoice});
}

TEST_F(Task2Fixture, remakesBothFoldersRemovedDuringTheAnswerBeforeStopping) {
    SpokenAnswerStage* stage = s.start<SpokenAnswerStage>(StageCode::SpokenAnswer);
    ASSERT_TRUE(QDir(s.w.folders().stationFolder()).removeRecursively());
    tick(stage, 91);
    EXPECT_TRUE(QDir(s.w.folders().answerFolder()).exists());
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::PhotoChoice});
}

TEST_F(Task2Fixture, leavesAnEarlierParticipantsFolderAlone) {
    const QString other = s.w.folders().stationFolder() + "0041";
    ASSERT_TRUE(QDir().mkpath(other));
    QFile earlier(QDir(other).filePath("0041_2.ogg"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier answer");
    earlier.close();
    tick(s.start<SpokenAnswerStage>(StageCode::SpokenAnswer), 91);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier answer");
    EXPECT_EQ(s.h.audio.encodedFiles, QStringList{answerFile()});
}

TEST_F(Task2Fixture, countsOnAndMovesOnWhenTheRecordingCannotStart) {
    s.h.audio.encodeStartFails = true;
    SpokenAnswerStage* stage = s.start<SpokenAnswerStage>(StageCode::SpokenAnswer);
    ASSERT_EQ(s.h.dialogs.shown.size(), 2);
    EXPECT_TRUE(s.h.dialogs.shown[1].startsWith("audioError: Невозможно запустить процесс сжатия аудиозаписи..."));
    EXPECT_TRUE(stage->tickTimer->isActive());
    tick(stage, 91);
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::PhotoChoice});
}

TEST_F(Task2Fixture, showsTheSheetAboveTheRecordingBar) {
    ASSERT_TRUE(s.loadDemoKit());
    SpokenAnswerStage* stage = s.start<SpokenAnswerStage>(StageCode::SpokenAnswer);
    tick(stage, 12);
    QApplication::processEvents();
    EXPECT_EQ(stage->bottomBar->text(), "Выполнение задания № 2. Идет запись...");
    EXPECT_EQ(stage->bottomBar->height(), 49);
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 4 - 113, 13, 113, 25));
    EXPECT_EQ(stage->finishButton->text(), "Завершить ответ!");
    EXPECT_EQ(stage->sheetView->geometry(), QRect(0, 0, stage->width(), stage->height() - 49));
    saveScreenshot(s.w, QStringLiteral("SpokenAnswerStage"));
}

// The real recording path: SDL's disk driver as the microphone, paced in real time, and
// the real encoder. The stage's own timer runs, so the file holds about T + 1 seconds.
TEST(Task2Recording, recordsAboutOneSecondMoreThanTheAnswerTimeOnTheRealLayer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    audiotest::AudioDiskDriver driver(dir.path());
    driver.setInput(audiotest::sinePcm(440.0, 44100 * 10));
    std::unique_ptr<audio::AudioLayer> layer = audio::createSdlAudioLayer(dir.path());
    ASSERT_TRUE(layer->recordInit(-1));
    ASSERT_TRUE(layer->init(-1, 44100, 0));

    ScriptedDialogService dialogs;
    StageRegistry registry;
    stages::registerStages(registry);
    StationWindow w(stationServices(dialogs, *layer, registry, dir.path()));
    w.complects = kit::makeComplectsTable();
    w.answers = kit::makeAnswersTable();
    w.stationTag = QStringLiteral("2019-05-25_9_770001_0101_1");
    w.participantCode = QStringLiteral("0042");
    w.taskTime2 = 2;
    w.show();

    QElapsedTimer clock;
    clock.start();
    w.startStage(StageCode::SpokenAnswer);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!qobject_cast<SpokenAnswerStage*>(w.currentStage.data()) || clock.elapsed() > 30000)
            loop.quit();
    });
    poll.start(20);
    loop.exec();
    const double stageSeconds = clock.elapsed() / 1000.0;
    ASSERT_FALSE(qobject_cast<SpokenAnswerStage*>(w.currentStage.data()));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();

    const QString file = w.folders().answerFile(QStringLiteral("_2.ogg"));
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(file));
    const audiotest::Decoded sound = audiotest::decodeFile(file);
    ASSERT_TRUE(sound.ok);
    const double recorded = static_cast<double>(sound.frames()) / sound.rate;
    std::printf("[ figures  ] T = 2 s: stage %.3f s, recording %.3f s\n", stageSeconds, recorded);
    EXPECT_NEAR(recorded, 3.0, 0.6);
    EXPECT_NEAR(audiotest::dominantFrequency(sound), 440.0, 5.0);
}
