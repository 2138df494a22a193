#include "stages/common/CountdownStage.h"
#include "main/StageFrame.h"
#include "main/StationWindow.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Records its life in a shared journal so tests can see the order of events.
class JournalFrame : public StageFrame {
public:
    JournalFrame(StationWindow& main, QStringList& journal, QString name)
        : StageFrame(main), m_journal(journal), m_name(std::move(name)) {
        m_journal << m_name + QStringLiteral(" created");
    }
    ~JournalFrame() override { m_journal << m_name + QStringLiteral(" destroyed"); }
    void start() override { m_journal << m_name + QStringLiteral(" started visible=") + (isVisible() ? "1" : "0"); }
    void onTick() override { switchTo(next); }
    StageCode next = StageCode{0};

private:
    QStringList& m_journal;
    QString m_name;
};

void addJournalFrame(StageRegistry& stages, StageCode code, QStringList& journal, const QString& name,
                     StageCode next = StageCode{0}) {
    stages.add(
        code,
        [&journal, name, next](StationWindow& main) -> StageFrame* {
            auto* frame = new JournalFrame(main, journal, name);
            frame->next = next;
            return frame;
        },
        [](StageFrame& frame) { frame.start(); });
}

} // namespace

TEST(StationWindow, refusesEveryCloseUntilStopExam) {
    StationHarness h;
    StationWindow& w = h.createWindow();
    w.show();
    EXPECT_FALSE(w.close());
    QCloseEvent systemClose; // what the window manager and Alt+F4 send
    QApplication::sendEvent(&w, &systemClose);
    EXPECT_FALSE(systemClose.isAccepted());
    EXPECT_TRUE(w.isVisible());

    bool closedSignal = false;
    QObject::connect(&w, &StationWindow::closed, [&] { closedSignal = true; });
    w.stopExam();
    EXPECT_TRUE(w.canExit);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(closedSignal);
}

TEST(StationWindow, stopExamHidesTheFrameWithoutFreeingIt) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, StageCode::HardwareCheck, journal, "one");
    StationWindow& w = h.createWindow();
    w.show();
    w.startStage(StageCode::HardwareCheck);
    StageFrame* frame = w.currentStage;
    w.stopExam();
    ASSERT_EQ(w.currentStage, frame);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(journal.contains("one destroyed"));
    h.window.reset(); // the shut-down frees it
    EXPECT_TRUE(journal.contains("one destroyed"));
}

TEST(StationWindow, startStageDestroysThePreviousFrameBeforeTheNextStarts) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, StageCode::HardwareCheck, journal, "one", StageCode::Instruction);
    addJournalFrame(h.stages, StageCode::Instruction, journal, "five");
    StationWindow& w = h.createWindow();
    w.show();
    w.startStage(StageCode::HardwareCheck);
    tick(w.currentStage); // the one-shot switch of stage one
    EXPECT_EQ(journal, QStringList({"one created", "one started visible=1", "one destroyed", "five created",
                                    "five started visible=1"}));
    EXPECT_EQ(w.currentStage->parentWidget(), &w);
}

TEST(StationWindow, unknownCodeLeavesNoFrame) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, StageCode::HardwareCheck, journal, "one");
    StationWindow& w = h.createWindow();
    w.startStage(StageCode::HardwareCheck);
    w.startStage(StageCode{7});
    EXPECT_TRUE(w.currentStage.isNull());
    EXPECT_TRUE(journal.contains("one destroyed"));
}

TEST(StationWindow, headerBarHasItsDesignGeometryAndFrameFillsTheRest) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, StageCode::HardwareCheck, journal, "one");
    StationWindow& w = h.createWindow();
    w.show();
    EXPECT_EQ(w.size(), QSize(1016, 713));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ЗУНТ-2019 Иностранный язык"));
    EXPECT_EQ(w.headerBar->geometry(), QRect(0, 0, 1016, 50));
    EXPECT_EQ(w.phaseLabel->geometry(), QRect(326, 14, 128, 24));
    EXPECT_EQ(w.phaseLabel->font().pixelSize(), 21);
    EXPECT_TRUE(w.phaseLabel->font().bold());
    EXPECT_TRUE(w.phaseLabel->alignment() & Qt::AlignRight);
    EXPECT_EQ(w.progressBar->geometry(), QRect(456, 17, 401, 20));
    EXPECT_FALSE(w.progressBar->isTextVisible());
    EXPECT_EQ(w.progressBar->maximum(), 90);
    EXPECT_EQ(w.timeLabel->pos(), QPoint(872, 11));
    EXPECT_EQ(w.timeLabel->font().pixelSize(), 24);

    w.startStage(StageCode::HardwareCheck);
    QApplication::processEvents();
    EXPECT_EQ(w.currentStage->geometry(), QRect(0, 50, 1016, 713 - 50));
    w.headerBar->hide();
    QApplication::processEvents();
    EXPECT_EQ(w.currentStage->geometry(), QRect(0, 0, 1016, 713));
}

TEST(StationWindow, fieldsHoldTheirValuesAtCreation) {
    StationHarness h;
    StationWindow& w = h.createWindow();
    EXPECT_EQ((std::vector<int>{w.prepTime1, w.taskTime1, w.prepTime2, w.taskTime2, w.prepTime3, w.taskTime3,
                                w.taskTime4, w.taskTime5, w.taskTime6}),
              (std::vector<int>{25, 2700, 90, 90, 90, 120, 2700, 2700, 2700}));
    EXPECT_EQ(w.participantCode, "0000");
    EXPECT_TRUE(w.variantNo.isEmpty());
    EXPECT_TRUE(w.stationTag.isEmpty());
    EXPECT_FALSE(w.canExit);
    EXPECT_TRUE(w.currentStage.isNull());
}
