#include "main/CountdownStage.h"
#include "main/StationTexts.h"
#include "main/TfrmMain.h"
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
    CountingStage(TfrmMain& main, int seconds, int marker)
        : CountdownStage(main), m_seconds(seconds), m_marker(marker) {}
    void Start() override { startCountdown(m_seconds, QStringLiteral("Ответ:")); }
    void finishButton() { confirmEarlyEnd(texts::kConfirmTaskEnd, m_marker); }

protected:
    void finishStage() override {
        ++g_finished;
        mainWindow().StartFrame(0);
    }

private:
    int m_seconds;
    int m_marker;
};

struct CountdownFixture : ::testing::Test {
    CountingStage* startStage(int seconds, int marker = Countdown::kEarlyEndLong) {
        g_finished = 0;
        h.stages.add(
            11, [=](TfrmMain& main) -> StageFrame* { return new CountingStage(main, seconds, marker); },
            [](StageFrame& f) { f.Start(); });
        TfrmMain& w = h.createWindow();
        w.show();
        w.StartFrame(11);
        return static_cast<CountingStage*>(w.CurrentFrame.data());
    }
    StationHarness h;
};

} // namespace

TEST_F(CountdownFixture, oneSecondStageShowsOneThenZeroAndEndsOnTheSecondTick) {
    CountingStage* stage = startStage(1);
    TfrmMain& w = *h.window;
    EXPECT_TRUE(stage->Timer1->isActive());
    EXPECT_EQ(stage->Timer1->interval(), 1000);
    EXPECT_EQ(w.lblProcessTime->text(), "1 сек.");
    EXPECT_EQ(w.lblProcessName->text(), "Ответ:");
    EXPECT_EQ(w.lblProcessName->geometry(), QRect(326, 14, 128, 24));
    EXPECT_EQ(w.ProcessBar->maximum(), 1);
    EXPECT_EQ(w.ProcessBar->value(), 0);
    tick(stage);
    EXPECT_EQ(w.lblProcessTime->text(), "0 сек.");
    EXPECT_EQ(w.ProcessBar->value(), 1);
    EXPECT_EQ(g_finished, 0);
    tick(stage);
    EXPECT_EQ(g_finished, 1);
    EXPECT_TRUE(w.CurrentFrame.isNull());
}

TEST_F(CountdownFixture, ninetySecondStageEndsOnTheNinetyFirstTick) {
    CountingStage* stage = startStage(90);
    tick(stage, 90);
    EXPECT_EQ(h.window->lblProcessTime->text(), "0 сек.");
    EXPECT_EQ(g_finished, 0);
    tick(stage);
    EXPECT_EQ(g_finished, 1);
}

TEST_F(CountdownFixture, yesEndsALongStageOnTheNextTick) {
    CountingStage* stage = startStage(2700);
    h.dialogs.confirmAnswers = {true};
    stage->finishButton();
    EXPECT_EQ(h.dialogs.shown, QStringList{"confirm: Вы уверены, что хотите завершить выполнение задания?"});
    EXPECT_EQ(g_finished, 0);
    tick(stage);
    EXPECT_EQ(g_finished, 1);
}

TEST_F(CountdownFixture, yesEndsTheStageEvenWhenItsTimeExceedsTheMarker) {
    CountingStage* stage = startStage(5000, Countdown::kEarlyEndLong);
    h.dialogs.confirmAnswers = {true};
    stage->finishButton();
    tick(stage);
    EXPECT_EQ(g_finished, 1);
}

TEST_F(CountdownFixture, noChangesNothing) {
    CountingStage* stage = startStage(3, Countdown::kEarlyEndPrepare);
    tick(stage);
    h.dialogs.confirmAnswers = {false};
    stage->finishButton();
    EXPECT_EQ(stage->Elapsed(), 1);
    tick(stage);
    EXPECT_EQ(h.window->lblProcessTime->text(), "1 сек.");
    EXPECT_EQ(g_finished, 0);
}

TEST_F(CountdownFixture, longPhaseNameGrowsToTheLeftOfTheBar) {
    startStage(1);
    TfrmMain& w = *h.window;
    w.lblProcessName->setText(QStringLiteral("Подготовка к заданию № 3:"));
    w.fitHeaderLabels();
    EXPECT_GT(w.lblProcessName->width(), 128);
    EXPECT_EQ(w.lblProcessName->geometry().right(), 453);
    EXPECT_GE(w.lblProcessName->width(), w.lblProcessName->sizeHint().width());
}

TEST_F(CountdownFixture, headerWithARunningCountdownLooksRight) {
    CountingStage* stage = startStage(90);
    tick(stage, 30);
    EXPECT_EQ(h.window->lblProcessTime->text(), "60 сек.");
    // The label grows with its text and stays inside the header bar.
    EXPECT_LE(h.window->lblProcessTime->geometry().right(), 1016);
    saveScreenshot(*h.window, QStringLiteral("TfrmMain-countdown"));
}
