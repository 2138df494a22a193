#include "stages/preexam/CodeRecordingStage.h"
#include "station/ExamProgress.h"
#include "stages/preexam/ListenBackCheck.h"
#include "stages/preexam/PreExamStages.h"

#include "main/StationWindow.h"
#include "station/ParticipantCode.h"
#include "widgets/PictureBox.h"
#include "stages/StageTable.h"
#include "widgets/VerdictMark.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kStation = QStringLiteral("25.05.2019_3_000123_0007_2");

struct CodeRecording {
    CodeRecording() {
        stages::registerPreExamStages(h.stages);
        addIdleStage(h.stages, StageCode::ListeningPreparation,
                     [this] { headerShownAtNext = h.window->headerBar->isVisible(); });
        StationWindow& w = h.createWindow();
        w.stationTag = kStation;
        w.participantCode = QStringLiteral("0012");
        w.show();
        w.startStage(StageCode::CodeRecording);
        QApplication::processEvents();
        h.audio.streamSeconds.insert(recording(), 2.0);
    }
    StationWindow& main() { return *h.window; }
    CodeRecordingStage& frame() { return *qobject_cast<CodeRecordingStage*>(h.window->currentStage.data()); }
    bool stillHere() { return qobject_cast<CodeRecordingStage*>(h.window->currentStage.data()) != nullptr; }
    StationFolders folders() { return main().folders(); }
    QString recording() { return folders().answerFile(QStringLiteral("_0.ogg")); }
    bool recordingRuns() { return h.audio.channelIsActive(main().recorder().RecChannel) != 0; }
    // Record and stop: the examinee now hears the code and is asked.
    void recordAndListen() {
        frame().recordButton->click();
        frame().recordButton->click();
    }
    StationHarness h;
    bool headerShownAtNext = false;
};

} // namespace

TEST(CodeRecordingStage, startsWithThePromptEndingInTheCode) {
    CodeRecording c;
    CodeRecordingStage& f = c.frame();
    EXPECT_TRUE(c.main().headerBar->isHidden());
    EXPECT_EQ(f.titleLabel->text(), "Запись кода участника ЗУНТ");
    EXPECT_EQ(f.promptLabel->text(),
              QStringLiteral("Нажмите кнопку \"Запись кода участника\"\n\rи четко произнесите на "
                             "русском языке свой код \n\r0012"));
    EXPECT_EQ(f.promptLabel->text().split(QLatin1Char('\n')).last().trimmed(), "0012");
    EXPECT_EQ(f.recordButton->text(), "Запись кода участника");
    EXPECT_EQ(f.continueButton->text(), "Завершить запись кода участника и приступить к выполнению заданий");
    EXPECT_EQ(f.continueButton->text(), f.continueAction->text());
    EXPECT_FALSE(f.codeRecordingOk);
    EXPECT_FALSE(f.continueButton->isEnabled());
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{f.recordingMark, f.questionPanel, f.microphonePicture, f.loudspeakerPicture})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(f.titleLabel->font().pixelSize(), 21);
    EXPECT_TRUE(f.titleLabel->font().bold());
    EXPECT_EQ(f.promptLabel->font().pixelSize(), 19);
    EXPECT_TRUE(f.promptLabel->font().italic());
    EXPECT_EQ(f.recordButton->font().pixelSize(), 19);
    EXPECT_EQ(f.recordingMark->font().pixelSize(), 32);
    EXPECT_EQ(f.continueButton->font().pixelSize(), 19);
    EXPECT_EQ(f.continueButton->geometry().width(), 1016 - 32);
    EXPECT_EQ(f.continueButton->geometry().bottom(), 713 - 17);
    EXPECT_EQ(f.tickTimer->interval(), 100);
    EXPECT_FALSE(QFileInfo(c.folders().stationFolder()).exists()); // nothing made before the first press
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-prompt"));
}

TEST(CodeRecordingStage, firstPressCreatesBothFoldersAndRecordsTheCode) {
    CodeRecording c;
    c.frame().recordButton->click();
    EXPECT_TRUE(QFileInfo(c.folders().stationFolder()).isDir());
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
    EXPECT_EQ(c.h.audio.encodedFiles, QStringList{c.recording()});
    EXPECT_TRUE(c.recording().endsWith(QStringLiteral("0012") + QDir::separator() + QStringLiteral("0012_0.ogg")));
    EXPECT_TRUE(c.recordingRuns());
    EXPECT_EQ(c.frame().recordButton->text(), "Завершить запись и воспроизвести");
    EXPECT_TRUE(c.frame().microphonePicture->isVisible());
    EXPECT_FALSE(c.frame().continueButton->isEnabled());
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-recording"));
    // From now on this code has begun at this station: it can only be resumed.
    QString errors;
    EXPECT_EQ(ParticipantCode::check("0012", c.main().workDir, kStation, errors),
              ParticipantCode::Verdict::Interrupted);
}

TEST(CodeRecordingStage, secondPressStopsAndPlaysTheRecordingBack) {
    CodeRecording c;
    c.recordAndListen();
    CodeRecordingStage& f = c.frame();
    EXPECT_FALSE(c.recordingRuns());
    const audio::Handle playback = c.main().recorder().PlayStream;
    ASSERT_NE(playback, 0u);
    EXPECT_EQ(c.h.audio.createdPaths.last(), c.recording());
    EXPECT_EQ(c.h.audio.channelIsActive(playback), audio::Playing);
    EXPECT_EQ(f.recordButton->text(), "Запись кода участника");
    EXPECT_FALSE(f.recordButton->isEnabled());
    EXPECT_TRUE(f.questionPanel->isVisible());
    EXPECT_EQ(f.questionLabel->text(), "Вас устраивает качество записи и воспроизведения кода участника?");
    EXPECT_TRUE(f.loudspeakerPicture->isVisible());
    EXPECT_FALSE(f.microphonePicture->isVisible());
    EXPECT_FALSE(f.continueButton->isEnabled());
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-awaiting-verdict"));
}

TEST(CodeRecordingStage, yesConfirmsTheRecordingAndOpensTheWayOn) {
    CodeRecording c;
    c.recordAndListen();
    const audio::Handle playback = c.main().recorder().PlayStream;
    c.frame().yesButton->click();
    CodeRecordingStage& f = c.frame();
    EXPECT_TRUE(f.codeRecordingOk);
    EXPECT_EQ(c.h.audio.channelIsActive(playback), audio::Stopped);
    EXPECT_TRUE(f.questionPanel->isHidden());
    EXPECT_TRUE(f.microphonePicture->isHidden());
    EXPECT_TRUE(f.loudspeakerPicture->isHidden());
    EXPECT_TRUE(f.recordButton->isEnabled());
    EXPECT_EQ(f.recordingMark->text(), "V");
    EXPECT_EQ(f.recordingMark->colour(), QColor(0, 0x80, 0));
    EXPECT_TRUE(f.continueButton->isEnabled());
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-confirmed"));
}

TEST(CodeRecordingStage, aSilentRecordingIsConfirmedOnlyWhenTheOrganiserInsists) {
    CodeRecording c;
    c.h.audio.liveStatus.silentSoFar = true; // a microphone that is unplugged or muted
    c.h.audio.liveStatus.peakLevel = 0;
    c.recordAndListen();
    c.frame().yesButton->click(); // "Нет" to the question: the verdict is still open
    EXPECT_EQ(c.h.dialogs.shown, QStringList{QStringLiteral("confirm: ") + ListenBackCheck::kSilentQuestion});
    EXPECT_FALSE(c.frame().codeRecordingOk);
    EXPECT_TRUE(c.frame().questionPanel->isVisible());
    c.h.dialogs.confirmAnswers.push_back(true);
    c.frame().yesButton->click();
    EXPECT_TRUE(c.frame().codeRecordingOk);
    // A microphone that hears the examinee asks nothing.
    c.h.audio.liveStatus = FakeAudioLayer::speaking();
    c.h.dialogs.shown.clear();
    c.recordAndListen();
    c.frame().yesButton->click();
    EXPECT_TRUE(c.frame().codeRecordingOk);
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
}

TEST(CodeRecordingStage, noAsksForTheOrganiserAndAllowsAnotherRecording) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().noButton->click();
    CodeRecordingStage& f = c.frame();
    EXPECT_FALSE(f.codeRecordingOk);
    EXPECT_EQ(f.recordingMark->text(), "X");
    EXPECT_EQ(f.recordingMark->colour(), QColor(255, 0, 0));
    EXPECT_TRUE(f.recordingMark->isVisible());
    EXPECT_TRUE(f.recordButton->isEnabled());
    EXPECT_FALSE(f.continueButton->isEnabled());
    EXPECT_EQ(c.h.dialogs.shown, QStringList{"message: Пригласите организатора в аудитории и сообщите о проблеме "
                                             "записи кода участника."});
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-rejected"));

    c.recordAndListen(); // the next recording goes over the same file
    EXPECT_EQ(c.h.audio.encodedFiles, QStringList({c.recording(), c.recording()}));
    c.frame().yesButton->click();
    EXPECT_TRUE(c.frame().continueButton->isEnabled());
}

TEST(CodeRecordingStage, aNewRecordingAfterYesClearsTheVerdict) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().yesButton->click();
    ASSERT_TRUE(c.frame().continueButton->isEnabled());
    c.frame().recordButton->click();
    EXPECT_FALSE(c.frame().codeRecordingOk);
    EXPECT_TRUE(c.frame().recordingMark->isHidden());
    EXPECT_FALSE(c.frame().continueButton->isEnabled());
    EXPECT_FALSE(c.frame().continueAction->isEnabled());
}

TEST(CodeRecordingStage, neverLeavesWhileARecordingRuns) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().yesButton->click();
    c.frame().continueButton->click(); // the one-shot timer is armed...
    ASSERT_TRUE(c.frame().tickTimer->isActive());
    c.frame().recordButton->click(); // ...and a new recording starts before its tick
    tick(&c.frame());
    ASSERT_TRUE(c.stillHere());
    EXPECT_TRUE(c.recordingRuns());
    EXPECT_FALSE(c.frame().tickTimer->isActive());
    c.frame().recordButton->click();
    c.frame().yesButton->click();
    c.frame().continueButton->click();
    tick(&c.frame());
    EXPECT_FALSE(c.stillHere());
}

TEST(CodeRecordingStage, leavesOnTheTickForTheFirstPreparationWithTheHeaderShown) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().yesButton->click();
    const QStringList before = QDir(c.folders().answerFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    c.frame().continueButton->click();
    ASSERT_TRUE(c.stillHere()); // not from inside the click
    tick(&c.frame());
    EXPECT_FALSE(c.stillHere());
    EXPECT_TRUE(c.headerShownAtNext);
    // Only the note that the code is recorded, for a resume after a power cut.
    EXPECT_EQ(QDir(c.folders().answerFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              before + QStringList{QStringLiteral("0012.progress")});
    EXPECT_EQ(ExamProgress::load(c.folders()).resumeStage(), StageCode::ListeningPreparation);
}

TEST(CodeRecordingStage, leavingRecreatesFoldersRemovedMeanwhile) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().yesButton->click();
    ASSERT_TRUE(QDir(c.folders().stationFolder()).removeRecursively());
    c.frame().continueButton->click();
    tick(&c.frame());
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
}

TEST(CodeRecordingStage, writesOnlyIntoTheWorkingFolderWhateverTheProgramFolder) {
    QTemporaryDir programFolder;
    CodeRecording c;
    c.main().appDir = programFolder.path() + QLatin1Char('/');
    c.recordAndListen();
    c.frame().yesButton->click();
    c.frame().continueButton->click();
    tick(&c.frame());
    EXPECT_TRUE(QDir(programFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
    EXPECT_TRUE(c.folders().answerFolder().startsWith(QDir::toNativeSeparators(c.h.workDir.path())));
}

TEST(CodeRecordingStage, aRecordingThatFailsToStartKeepsTheFoldersAndIsTriedAgain) {
    CodeRecording c;
    c.h.audio.recordStartFails = true;
    c.frame().recordButton->click();
    EXPECT_EQ(c.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(c.h.dialogs.shown.front().startsWith("audioError: "));
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
    EXPECT_EQ(c.frame().recordButton->text(), "Завершить запись и воспроизвести");
    c.h.audio.recordStartFails = false;
    c.frame().recordButton->click(); // no recording runs: this press starts one
    EXPECT_EQ(c.h.audio.callCount("recordStart"), 2);
    EXPECT_TRUE(c.recordingRuns());
    EXPECT_TRUE(c.frame().questionPanel->isHidden());
}
