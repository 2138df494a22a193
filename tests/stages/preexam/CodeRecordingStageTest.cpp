#include "stages/preexam/CodeRecordingStage.h"
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
        frame().btnRecID->click();
        frame().btnRecID->click();
    }
    StationHarness h;
    bool headerShownAtNext = false;
};

} // namespace

TEST(CodeRecordingStage, startsWithThePromptEndingInTheCode) {
    CodeRecording c;
    CodeRecordingStage& f = c.frame();
    EXPECT_TRUE(c.main().headerBar->isHidden());
    EXPECT_EQ(f.Label1->text(), "Запись кода участника ЗУНТ");
    EXPECT_EQ(f.Label2->text(), QStringLiteral("Нажмите кнопку \"Запись кода участника\"\n\rи четко произнесите на "
                                               "русском языке свой код \n\r0012"));
    EXPECT_EQ(f.Label2->text().split(QLatin1Char('\n')).last().trimmed(), "0012");
    EXPECT_EQ(f.btnRecID->text(), "Запись кода участника");
    EXPECT_EQ(f.Button1->text(), "Завершить запись кода участника и приступить к выполнению заданий");
    EXPECT_EQ(f.Button1->text(), f.Action1->text());
    EXPECT_FALSE(f.CodeRecordOK);
    EXPECT_FALSE(f.Button1->isEnabled());
    for (QWidget* hidden : std::initializer_list<QWidget*>{f.lblRecID, f.pnlTestREC, f.imgMic, f.imgSpeak})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(f.Label1->font().pixelSize(), 21);
    EXPECT_TRUE(f.Label1->font().bold());
    EXPECT_EQ(f.Label2->font().pixelSize(), 19);
    EXPECT_TRUE(f.Label2->font().italic());
    EXPECT_EQ(f.btnRecID->font().pixelSize(), 19);
    EXPECT_EQ(f.lblRecID->font().pixelSize(), 32);
    EXPECT_EQ(f.Button1->font().pixelSize(), 19);
    EXPECT_EQ(f.Button1->geometry().width(), 1016 - 32);
    EXPECT_EQ(f.Button1->geometry().bottom(), 713 - 17);
    EXPECT_EQ(f.tickTimer->interval(), 100);
    EXPECT_FALSE(QFileInfo(c.folders().stationFolder()).exists()); // nothing made before the first press
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-prompt"));
}

TEST(CodeRecordingStage, firstPressCreatesBothFoldersAndRecordsTheCode) {
    CodeRecording c;
    c.frame().btnRecID->click();
    EXPECT_TRUE(QFileInfo(c.folders().stationFolder()).isDir());
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
    EXPECT_EQ(c.h.audio.encodedFiles, QStringList{c.recording()});
    EXPECT_TRUE(c.recording().endsWith(QStringLiteral("0012") + QDir::separator() + QStringLiteral("0012_0.ogg")));
    EXPECT_TRUE(c.recordingRuns());
    EXPECT_EQ(c.frame().btnRecID->text(), "Завершить запись и воспроизвести");
    EXPECT_TRUE(c.frame().imgMic->isVisible());
    EXPECT_FALSE(c.frame().Button1->isEnabled());
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-recording"));
    // From now on this code is used at this station.
    QString errors;
    EXPECT_FALSE(ParticipantCode::check("0012", c.main().workDir, kStation, errors));
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
    EXPECT_EQ(f.btnRecID->text(), "Запись кода участника");
    EXPECT_FALSE(f.btnRecID->isEnabled());
    EXPECT_TRUE(f.pnlTestREC->isVisible());
    EXPECT_EQ(f.Label3->text(), "Вас устраивает качество записи и воспроизведения кода участника?");
    EXPECT_TRUE(f.imgSpeak->isVisible());
    EXPECT_FALSE(f.imgMic->isVisible());
    EXPECT_FALSE(f.Button1->isEnabled());
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-awaiting-verdict"));
}

TEST(CodeRecordingStage, yesConfirmsTheRecordingAndOpensTheWayOn) {
    CodeRecording c;
    c.recordAndListen();
    const audio::Handle playback = c.main().recorder().PlayStream;
    c.frame().Button4->click();
    CodeRecordingStage& f = c.frame();
    EXPECT_TRUE(f.CodeRecordOK);
    EXPECT_EQ(c.h.audio.channelIsActive(playback), audio::Stopped);
    EXPECT_TRUE(f.pnlTestREC->isHidden());
    EXPECT_TRUE(f.imgMic->isHidden());
    EXPECT_TRUE(f.imgSpeak->isHidden());
    EXPECT_TRUE(f.btnRecID->isEnabled());
    EXPECT_EQ(f.lblRecID->text(), "V");
    EXPECT_EQ(f.lblRecID->colour(), QColor(0, 0x80, 0));
    EXPECT_TRUE(f.Button1->isEnabled());
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-confirmed"));
}

TEST(CodeRecordingStage, noAsksForTheOrganiserAndAllowsAnotherRecording) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().Button5->click();
    CodeRecordingStage& f = c.frame();
    EXPECT_FALSE(f.CodeRecordOK);
    EXPECT_EQ(f.lblRecID->text(), "X");
    EXPECT_EQ(f.lblRecID->colour(), QColor(255, 0, 0));
    EXPECT_TRUE(f.lblRecID->isVisible());
    EXPECT_TRUE(f.btnRecID->isEnabled());
    EXPECT_FALSE(f.Button1->isEnabled());
    EXPECT_EQ(c.h.dialogs.shown, QStringList{"message: Пригласите организатора в аудитории и сообщите о проблеме "
                                             "записи кода участника."});
    saveScreenshot(c.main(), QStringLiteral("CodeRecordingStage-rejected"));

    c.recordAndListen(); // the next recording goes over the same file
    EXPECT_EQ(c.h.audio.encodedFiles, QStringList({c.recording(), c.recording()}));
    c.frame().Button4->click();
    EXPECT_TRUE(c.frame().Button1->isEnabled());
}

TEST(CodeRecordingStage, aNewRecordingAfterYesClearsTheVerdict) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().Button4->click();
    ASSERT_TRUE(c.frame().Button1->isEnabled());
    c.frame().btnRecID->click();
    EXPECT_FALSE(c.frame().CodeRecordOK);
    EXPECT_TRUE(c.frame().lblRecID->isHidden());
    EXPECT_FALSE(c.frame().Button1->isEnabled());
    EXPECT_FALSE(c.frame().Action1->isEnabled());
}

TEST(CodeRecordingStage, neverLeavesWhileARecordingRuns) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().Button4->click();
    c.frame().Button1->click(); // the one-shot timer is armed...
    ASSERT_TRUE(c.frame().tickTimer->isActive());
    c.frame().btnRecID->click(); // ...and a new recording starts before its tick
    tick(&c.frame());
    ASSERT_TRUE(c.stillHere());
    EXPECT_TRUE(c.recordingRuns());
    EXPECT_FALSE(c.frame().tickTimer->isActive());
    c.frame().btnRecID->click();
    c.frame().Button4->click();
    c.frame().Button1->click();
    tick(&c.frame());
    EXPECT_FALSE(c.stillHere());
}

TEST(CodeRecordingStage, leavesOnTheTickForTheFirstPreparationWithTheHeaderShown) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().Button4->click();
    const QStringList before = QDir(c.folders().answerFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    c.frame().Button1->click();
    ASSERT_TRUE(c.stillHere()); // not from inside the click
    tick(&c.frame());
    EXPECT_FALSE(c.stillHere());
    EXPECT_TRUE(c.headerShownAtNext);
    EXPECT_EQ(QDir(c.folders().answerFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

TEST(CodeRecordingStage, leavingRecreatesFoldersRemovedMeanwhile) {
    CodeRecording c;
    c.recordAndListen();
    c.frame().Button4->click();
    ASSERT_TRUE(QDir(c.folders().stationFolder()).removeRecursively());
    c.frame().Button1->click();
    tick(&c.frame());
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
}

TEST(CodeRecordingStage, writesOnlyIntoTheWorkingFolderWhateverTheProgramFolder) {
    QTemporaryDir programFolder;
    CodeRecording c;
    c.main().appDir = programFolder.path() + QLatin1Char('/');
    c.recordAndListen();
    c.frame().Button4->click();
    c.frame().Button1->click();
    tick(&c.frame());
    EXPECT_TRUE(QDir(programFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
    EXPECT_TRUE(c.folders().answerFolder().startsWith(QDir::toNativeSeparators(c.h.workDir.path())));
}

TEST(CodeRecordingStage, aRecordingThatFailsToStartKeepsTheFoldersAndIsTriedAgain) {
    CodeRecording c;
    c.h.audio.recordStartFails = true;
    c.frame().btnRecID->click();
    EXPECT_EQ(c.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(c.h.dialogs.shown.front().startsWith("audioError: "));
    EXPECT_TRUE(QFileInfo(c.folders().answerFolder()).isDir());
    EXPECT_EQ(c.frame().btnRecID->text(), "Завершить запись и воспроизвести");
    c.h.audio.recordStartFails = false;
    c.frame().btnRecID->click(); // no recording runs: this press starts one
    EXPECT_EQ(c.h.audio.callCount("recordStart"), 2);
    EXPECT_TRUE(c.recordingRuns());
    EXPECT_TRUE(c.frame().pnlTestREC->isHidden());
}
