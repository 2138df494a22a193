#include "stages/common/CountdownStage.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

int g_finished = 0;

class CountingStage : public CountdownStage {
public:
    CountingStage(StationWindow& main, int seconds, int marker)
        : CountdownStage(main), m_seconds(seconds), m_marker(marker) {}
    void start() override { startCountdown(m_seconds, QStringLiteral("Ответ:")); }
    void onFinishClicked() { confirmEarlyEnd(texts::kConfirmTaskEnd, m_marker); }

protected:
    void finishStage() override {
        ++g_finished;
        mainWindow().startStage(StageCode{0});
    }

private:
    int m_seconds;
    int m_marker;
};

struct CountdownFixture : ::testing::Test {
    CountingStage* startCounting(int seconds, int marker = Countdown::kEarlyEndLong) {
        g_finished = 0;
        h.stages.add(
            StageCode::ListeningTask,
            [=](StationWindow& main) -> StageFrame* { return new CountingStage(main, seconds, marker); },
            [](StageFrame& f) { f.start(); });
        StationWindow& w = h.createWindow();
        w.show();
        w.startStage(StageCode::ListeningTask);
        return static_cast<CountingStage*>(w.currentStage.data());
    }
    StationHarness h;
};

} // namespace

TEST_F(CountdownFixture, oneSecondStageShowsOneThenZeroAndEndsOnTheSecondTick) {
    CountingStage* stage = startCounting(1);
    StationWindow& w = *h.window;
    EXPECT_TRUE(stage->tickTimer->isActive());
    EXPECT_EQ(stage->tickTimer->interval(), 1000);
    EXPECT_EQ(w.timeLabel->text(), "1 сек.");
    EXPECT_EQ(w.phaseLabel->text(), "Ответ:");
    EXPECT_EQ(w.phaseLabel->geometry(), QRect(326, 14, 128, 24));
    EXPECT_EQ(w.progressBar->maximum(), 1);
    EXPECT_EQ(w.progressBar->value(), 0);
    tick(stage);
    EXPECT_EQ(w.timeLabel->text(), "0 сек.");
    EXPECT_EQ(w.progressBar->value(), 1);
    EXPECT_EQ(g_finished, 0);
    tick(stage);
    EXPECT_EQ(g_finished, 1);
    EXPECT_TRUE(w.currentStage.isNull());
}

TEST_F(CountdownFixture, ninetySecondStageEndsOnTheNinetyFirstTick) {
    CountingStage* stage = startCounting(90);
    tick(stage, 90);
    EXPECT_EQ(h.window->timeLabel->text(), "0 сек.");
    EXPECT_EQ(g_finished, 0);
    tick(stage);
    EXPECT_EQ(g_finished, 1);
}

TEST_F(CountdownFixture, yesEndsALongStageOnTheNextTick) {
    CountingStage* stage = startCounting(2700);
    h.dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    EXPECT_EQ(h.dialogs.shown, QStringList{"confirm: Вы уверены, что хотите завершить выполнение задания?"});
    EXPECT_EQ(g_finished, 0);
    tick(stage);
    EXPECT_EQ(g_finished, 1);
}

TEST_F(CountdownFixture, yesEndsTheStageEvenWhenItsTimeExceedsTheMarker) {
    CountingStage* stage = startCounting(5000, Countdown::kEarlyEndLong);
    h.dialogs.confirmAnswers = {true};
    stage->onFinishClicked();
    tick(stage);
    EXPECT_EQ(g_finished, 1);
}

TEST_F(CountdownFixture, noChangesNothing) {
    CountingStage* stage = startCounting(3, Countdown::kEarlyEndPrepare);
    tick(stage);
    h.dialogs.confirmAnswers = {false};
    stage->onFinishClicked();
    EXPECT_EQ(stage->elapsed(), 1);
    tick(stage);
    EXPECT_EQ(h.window->timeLabel->text(), "1 сек.");
    EXPECT_EQ(g_finished, 0);
}

TEST_F(CountdownFixture, longPhaseNameGrowsToTheLeftOfTheBar) {
    startCounting(1);
    StationWindow& w = *h.window;
    w.phaseLabel->setText(QStringLiteral("Подготовка к заданию № 3:"));
    w.fitHeaderLabels();
    EXPECT_GT(w.phaseLabel->width(), 128);
    EXPECT_EQ(w.phaseLabel->geometry().right(), 453);
    EXPECT_GE(w.phaseLabel->width(), w.phaseLabel->sizeHint().width());
}

TEST_F(CountdownFixture, headerWithARunningCountdownLooksRight) {
    CountingStage* stage = startCounting(90);
    tick(stage, 30);
    EXPECT_EQ(h.window->timeLabel->text(), "60 сек.");
    // The label grows with its text and stays inside the header bar.
    EXPECT_LE(h.window->timeLabel->geometry().right(), 1016);
    saveScreenshot(*h.window, QStringLiteral("StationWindow-countdown"));
}
