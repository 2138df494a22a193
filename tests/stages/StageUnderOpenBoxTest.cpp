#include "stages/common/CountdownStage.h"

#include "kit/StationTables.h"
#include "main/StageRegistry.h"
#include "main/StationWindow.h"
#include "widgets/PositionComboBox.h"
#include "stages/StageTable.h"
#include "stages/tasks/SpokenPreparationStage.h"
#include "stages/tasks/ListeningTaskStage.h"
#include "stages/tasks/SpokenAnswerStage.h"
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
        w = std::make_unique<StationWindow>(stationServices(dialogs, audio, registry, dir.path()));
        w->complects = kit::makeComplectsTable();
        w->answers = kit::makeAnswersTable();
        w->complects.append();
        w->complects.post();
        w->stationTag = QStringLiteral("2019-05-25_9_770001_0101_1");
        w->participantCode = QStringLiteral("0042");
        w->show();
    }
    ~SlowBoxFixture() override { w->canExit = true; }
    QString stage() const { return w->currentStage ? w->currentStage->metaObject()->className() : QString(); }

    QTemporaryDir dir;
    SlowDialogs dialogs;
    FakeAudioLayer audio;
    StageRegistry registry;
    std::unique_ptr<StationWindow> w;
};

} // namespace

TEST_F(SlowBoxFixture, aPreparationEndingUnderTheOpenBoxSwitchesOnceTheBoxIsClosed) {
    w->prepTime2 = 3;
    w->startStage(StageCode::SpokenPreparation);
    QPointer<SpokenPreparationStage> stage = qobject_cast<SpokenPreparationStage*>(w->currentStage.data());
    ASSERT_TRUE(stage);
    dialogs.whileOpen = [&] {
        tick(stage, 4);
    };
    dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    ASSERT_TRUE(stage); // the frame outlived the box that was opened from it
    EXPECT_FALSE(stage->tickTimer->isActive());
    EXPECT_EQ(this->stage(), "SpokenPreparationStage"); // the late Yes changes nothing more
    QApplication::processEvents();
    EXPECT_FALSE(stage);
    EXPECT_EQ(this->stage(), "SpokenAnswerStage");
}

TEST_F(SlowBoxFixture, aRecordingEndingUnderTheOpenBoxStopsOnTimeAndTheStageMovesOnAfterwards) {
    w->taskTime2 = 2;
    w->startStage(StageCode::SpokenAnswer);
    QPointer<SpokenAnswerStage> stage = qobject_cast<SpokenAnswerStage*>(w->currentStage.data());
    ASSERT_TRUE(stage);
    bool stoppedOnTime = false;
    dialogs.whileOpen = [&] {
        tick(stage, 3);
        stoppedOnTime = w->recorder().RecChannel == 0;
    };
    dialogs.confirmAnswers = {false};
    stage->onFinishClicked();
    EXPECT_TRUE(stoppedOnTime);
    ASSERT_TRUE(stage);
    QApplication::processEvents();
    EXPECT_EQ(this->stage(), "PhotoChoiceStage");
}

TEST_F(SlowBoxFixture, aRecorderErrorBoxLeftOpenPastTheEndKeepsTheStageUntilItIsClosed) {
    w->taskTime2 = 2;
    audio.encodeStartFails = true;
    QPointer<StageFrame> underBox;
    bool switchedUnderBox = true;
    dialogs.whileOpen = [&] {
        underBox = w->currentStage.data();
        tick(underBox, 3);
        switchedUnderBox = w->currentStage.data() != underBox.data();
    };
    w->startStage(StageCode::SpokenAnswer);
    EXPECT_FALSE(switchedUnderBox);
    ASSERT_TRUE(underBox);
    EXPECT_EQ(audio.callCount("streamCreateFile"), 1); // stopped on time
    QApplication::processEvents();
    EXPECT_FALSE(underBox);
    EXPECT_EQ(this->stage(), "PhotoChoiceStage");
}

TEST_F(SlowBoxFixture, taskOneStoresTheChoicesOnTimeEvenWithTheBoxOpen) {
    audio.streamSeconds.insert(QDir(dir.path()).filePath(ListeningTaskStage::kTempFileName), 1.0);
    w->startStage(StageCode::ListeningTask);
    QPointer<ListeningTaskStage> stage = qobject_cast<ListeningTaskStage*>(w->currentStage.data());
    ASSERT_TRUE(stage);
    stage->list3->setOptions({"a", "b", "c"});
    stage->list3->setCurrentIndex(2);
    std::string stored;
    dialogs.whileOpen = [&] {
        tick(stage, 4);
        stored = w->answers.asText("a1");
    };
    dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    EXPECT_EQ(stored, "00300");
    QApplication::processEvents();
    EXPECT_EQ(this->stage(), "SpokenPreparationStage");
}

TEST_F(SlowBoxFixture, aBoxAnsweredInTimeStillEndsOnTheNextTick) {
    w->prepTime2 = 90;
    w->startStage(StageCode::SpokenPreparation);
    QPointer<SpokenPreparationStage> stage = qobject_cast<SpokenPreparationStage*>(w->currentStage.data());
    dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    QApplication::processEvents();
    EXPECT_EQ(this->stage(), "SpokenPreparationStage");
    tick(stage);
    EXPECT_EQ(this->stage(), "SpokenAnswerStage");
}
