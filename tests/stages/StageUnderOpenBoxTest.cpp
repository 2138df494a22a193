#include "main/CountdownStage.h"

#include "kit/StationTables.h"
#include "main/StageRegistry.h"
#include "main/TfrmMain.h"
#include "stages/PositionComboBox.h"
#include "stages/StageTable.h"
#include "stages/TfrmPrepare2.h"
#include "stages/TfrmTask1.h"
#include "stages/TfrmTask2.h"
#include "support/AudioFakeLayer.h"
#include "support/ScriptedDialogService.h"
#include "support/StationHarness.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A confirmation box that stays open while the test lets time pass under it, as the
// countdown's ticks go on while the real box waits for the examinee.
class SlowDialogs : public ScriptedDialogService {
public:
    std::function<void()> whileOpen;
    bool confirm(const QString& text) override {
        if (whileOpen)
            whileOpen();
        return ScriptedDialogService::confirm(text);
    }
    void audioError(const QString& text) override {
        if (whileOpen)
            whileOpen();
        ScriptedDialogService::audioError(text);
    }
};

struct SlowBoxFixture : ::testing::Test {
    SlowBoxFixture() {
        stages::registerStages(registry);
        w = std::make_unique<TfrmMain>(stationServices(dialogs, audio, registry, dir.path()));
        w->complects = kit::makeComplectsTable();
        w->answers = kit::makeAnswersTable();
        w->complects.append();
        w->complects.post();
        w->StationTag = QStringLiteral("2019-05-25_9_770001_0101_1");
        w->StudID = QStringLiteral("0042");
        w->show();
    }
    ~SlowBoxFixture() override { w->CanExit = true; }
    QString stage() const { return w->CurrentFrame ? w->CurrentFrame->metaObject()->className() : QString(); }

    QTemporaryDir dir;
    SlowDialogs dialogs;
    FakeAudioLayer audio;
    StageRegistry registry;
    std::unique_ptr<TfrmMain> w;
};

} // namespace

TEST_F(SlowBoxFixture, aPreparationEndingUnderTheOpenBoxSwitchesOnceTheBoxIsClosed) {
    w->PrepTime2 = 3;
    w->StartFrame(20);
    QPointer<TfrmPrepare2> stage = qobject_cast<TfrmPrepare2*>(w->CurrentFrame.data());
    ASSERT_TRUE(stage);
    dialogs.whileOpen = [&] {
        tick(stage, 4);
    };
    dialogs.confirmAnswers = {true};
    stage->Button1Click();
    ASSERT_TRUE(stage); // the frame outlived the box that was opened from it
    EXPECT_FALSE(stage->Timer1->isActive());
    EXPECT_EQ(this->stage(), "TfrmPrepare2"); // the late Yes changes nothing more
    QApplication::processEvents();
    EXPECT_FALSE(stage);
    EXPECT_EQ(this->stage(), "TfrmTask2");
}

TEST_F(SlowBoxFixture, aRecordingEndingUnderTheOpenBoxStopsOnTimeAndTheStageMovesOnAfterwards) {
    w->TaskTime2 = 2;
    w->StartFrame(21);
    QPointer<TfrmTask2> stage = qobject_cast<TfrmTask2*>(w->CurrentFrame.data());
    ASSERT_TRUE(stage);
    bool stoppedOnTime = false;
    dialogs.whileOpen = [&] {
        tick(stage, 3);
        stoppedOnTime = w->recorder().RecChannel == 0;
    };
    dialogs.confirmAnswers = {false};
    stage->Button1Click();
    EXPECT_TRUE(stoppedOnTime);
    ASSERT_TRUE(stage);
    QApplication::processEvents();
    EXPECT_EQ(this->stage(), "TfrmPrepare3");
}

TEST_F(SlowBoxFixture, aRecorderErrorBoxLeftOpenPastTheEndKeepsTheStageUntilItIsClosed) {
    w->TaskTime2 = 2;
    audio.encodeStartFails = true;
    QPointer<StageFrame> underBox;
    bool switchedUnderBox = true;
    dialogs.whileOpen = [&] {
        underBox = w->CurrentFrame.data();
        tick(underBox, 3);
        switchedUnderBox = w->CurrentFrame.data() != underBox.data();
    };
    w->StartFrame(21);
    EXPECT_FALSE(switchedUnderBox);
    ASSERT_TRUE(underBox);
    EXPECT_EQ(audio.callCount("streamCreateFile"), 1); // stopped on time
    QApplication::processEvents();
    EXPECT_FALSE(underBox);
    EXPECT_EQ(this->stage(), "TfrmPrepare3");
}

TEST_F(SlowBoxFixture, taskOneStoresTheChoicesOnTimeEvenWithTheBoxOpen) {
    audio.streamSeconds.insert(QDir(dir.path()).filePath(TfrmTask1::kTempFileName), 1.0);
    w->StartFrame(11);
    QPointer<TfrmTask1> stage = qobject_cast<TfrmTask1*>(w->CurrentFrame.data());
    ASSERT_TRUE(stage);
    stage->t3->setOptions({"a", "b", "c"});
    stage->t3->setCurrentIndex(2);
    std::string stored;
    dialogs.whileOpen = [&] {
        tick(stage, 4);
        stored = w->answers.asText("a1");
    };
    dialogs.confirmAnswers = {true};
    stage->Button1Click();
    EXPECT_EQ(stored, "00300");
    QApplication::processEvents();
    EXPECT_EQ(this->stage(), "TfrmPrepare2");
}

TEST_F(SlowBoxFixture, aBoxAnsweredInTimeStillEndsOnTheNextTick) {
    w->PrepTime2 = 90;
    w->StartFrame(20);
    QPointer<TfrmPrepare2> stage = qobject_cast<TfrmPrepare2*>(w->CurrentFrame.data());
    dialogs.confirmAnswers = {true};
    stage->Button1Click();
    QApplication::processEvents();
    EXPECT_EQ(this->stage(), "TfrmPrepare2");
    tick(stage);
    EXPECT_EQ(this->stage(), "TfrmTask2");
}
