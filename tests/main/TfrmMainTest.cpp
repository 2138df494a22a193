#include "main/CountdownStage.h"
#include "main/StageFrame.h"
#include "main/TfrmMain.h"
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
    JournalFrame(TfrmMain& main, QStringList& journal, QString name)
        : StageFrame(main), m_journal(journal), m_name(std::move(name)) {
        m_journal << m_name + QStringLiteral(" created");
    }
    ~JournalFrame() override { m_journal << m_name + QStringLiteral(" destroyed"); }
    void Start() override { m_journal << m_name + QStringLiteral(" started visible=") + (isVisible() ? "1" : "0"); }
    void Timer1Timer() override { switchTo(m_next); }
    int m_next = 0;

private:
    QStringList& m_journal;
    QString m_name;
};

void addJournalFrame(StageRegistry& stages, int code, QStringList& journal, const QString& name, int next = 0) {
    stages.add(
        code,
        [&journal, name, next](TfrmMain& main) -> StageFrame* {
            auto* frame = new JournalFrame(main, journal, name);
            frame->m_next = next;
            return frame;
        },
        [](StageFrame& frame) { frame.Start(); });
}

} // namespace

TEST(TfrmMain, refusesEveryCloseUntilStopExam) {
    StationHarness h;
    TfrmMain& w = h.createWindow();
    w.show();
    EXPECT_FALSE(w.close());
    QCloseEvent systemClose; // what the window manager and Alt+F4 send
    QApplication::sendEvent(&w, &systemClose);
    EXPECT_FALSE(systemClose.isAccepted());
    EXPECT_TRUE(w.isVisible());

    bool closedSignal = false;
    QObject::connect(&w, &TfrmMain::closed, [&] { closedSignal = true; });
    w.StopExam();
    EXPECT_TRUE(w.CanExit);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(closedSignal);
}

TEST(TfrmMain, stopExamHidesTheFrameWithoutFreeingIt) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, 1, journal, "one");
    TfrmMain& w = h.createWindow();
    w.show();
    w.StartFrame(1);
    StageFrame* frame = w.CurrentFrame;
    w.StopExam();
    ASSERT_EQ(w.CurrentFrame, frame);
    EXPECT_TRUE(frame->isHidden());
    EXPECT_FALSE(journal.contains("one destroyed"));
    h.window.reset(); // the shut-down frees it
    EXPECT_TRUE(journal.contains("one destroyed"));
}

TEST(TfrmMain, startFrameDestroysThePreviousFrameBeforeTheNextStarts) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, 1, journal, "one", 5);
    addJournalFrame(h.stages, 5, journal, "five");
    TfrmMain& w = h.createWindow();
    w.show();
    w.StartFrame(1);
    tick(w.CurrentFrame); // the one-shot switch of stage one
    EXPECT_EQ(journal, QStringList({"one created", "one started visible=1", "one destroyed", "five created",
                                    "five started visible=1"}));
    EXPECT_EQ(w.CurrentFrame->parentWidget(), &w);
}

TEST(TfrmMain, unknownCodeLeavesNoFrame) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, 1, journal, "one");
    TfrmMain& w = h.createWindow();
    w.StartFrame(1);
    w.StartFrame(7);
    EXPECT_TRUE(w.CurrentFrame.isNull());
    EXPECT_TRUE(journal.contains("one destroyed"));
}

TEST(TfrmMain, headerBarHasItsDesignGeometryAndFrameFillsTheRest) {
    QStringList journal; // outlives the window, whose frames write to it
    StationHarness h;
    addJournalFrame(h.stages, 1, journal, "one");
    TfrmMain& w = h.createWindow();
    w.show();
    EXPECT_EQ(w.size(), QSize(1016, 713));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ЗУНТ-2019 Иностранный язык"));
    EXPECT_EQ(w.Panel1->geometry(), QRect(0, 0, 1016, 50));
    EXPECT_EQ(w.lblProcessName->geometry(), QRect(326, 14, 128, 24));
    EXPECT_EQ(w.lblProcessName->font().pixelSize(), 21);
    EXPECT_TRUE(w.lblProcessName->font().bold());
    EXPECT_TRUE(w.lblProcessName->alignment() & Qt::AlignRight);
    EXPECT_EQ(w.ProcessBar->geometry(), QRect(456, 17, 401, 20));
    EXPECT_FALSE(w.ProcessBar->isTextVisible());
    EXPECT_EQ(w.ProcessBar->maximum(), 90);
    EXPECT_EQ(w.lblProcessTime->pos(), QPoint(872, 11));
    EXPECT_EQ(w.lblProcessTime->font().pixelSize(), 24);

    w.StartFrame(1);
    QApplication::processEvents();
    EXPECT_EQ(w.CurrentFrame->geometry(), QRect(0, 50, 1016, 713 - 50));
    w.Panel1->hide();
    QApplication::processEvents();
    EXPECT_EQ(w.CurrentFrame->geometry(), QRect(0, 0, 1016, 713));
}

TEST(TfrmMain, fieldsHoldTheirValuesAtCreation) {
    StationHarness h;
    TfrmMain& w = h.createWindow();
    EXPECT_EQ((std::vector<int>{w.PrepTime1, w.TaskTime1, w.PrepTime2, w.TaskTime2, w.PrepTime3, w.TaskTime3,
                                w.TaskTime4, w.TaskTime5, w.TaskTime6}),
              (std::vector<int>{25, 2700, 90, 90, 90, 120, 2700, 2700, 2700}));
    EXPECT_EQ(w.StudID, "0000");
    EXPECT_TRUE(w.VariantNo.isEmpty());
    EXPECT_TRUE(w.StationTag.isEmpty());
    EXPECT_FALSE(w.CanExit);
    EXPECT_TRUE(w.CurrentFrame.isNull());
}
