#include "main/StageFrame.h"
#include "main/TfrmMain.h"
#include "stages/StageTable.h"
#include "stages/TfrmFinishExam.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Finish {
    StationHarness h;
    TfrmMain* w = nullptr;
    int instructionStarts = 0;

    Finish() {
        stages::registerReviewStages(h.stages);
        addIdleStage(h.stages, 5, [this] { ++instructionStarts; }); // the instruction of the next examinee
        w = &h.createWindow();
        w->StudID = QStringLiteral("0042");
        w->show();
    }

    TfrmFinishExam& start() {
        w->StartFrame(1001);
        auto* frame = qobject_cast<TfrmFinishExam*>(w->CurrentFrame.data());
        EXPECT_NE(frame, nullptr);
        return *frame;
    }
};

} // namespace

TEST(TfrmFinishExam, announcesTheEndOfTheExamineesWork) {
    Finish s;
    s.w->Panel1->show();
    TfrmFinishExam& f = s.start();
    EXPECT_TRUE(s.w->Panel1->isHidden());
    EXPECT_EQ(f.Label1->text(), QStringLiteral("ЗУНТ для участника с кодом 0042 завершена!"));
    EXPECT_EQ(f.Button1->text(), QStringLiteral("Начать на станции выполнение работы для следующего участника"));
    EXPECT_EQ(f.Button2->text(), QStringLiteral("Завершить работу станции"));
    EXPECT_EQ(f.Timer1->interval(), 10);
    EXPECT_FALSE(f.Timer1->isActive());
    s.w->layout()->activate(); // the hidden header bar gives its room to the frame
    saveScreenshot(*s.w, QStringLiteral("TfrmFinishExam-0042"));
}

TEST(TfrmFinishExam, keepsTheDesignPlacesOfItsControls) {
    Finish s;
    TfrmFinishExam& f = s.start();
    EXPECT_EQ(f.Button1->geometry(), QRect(288, 301, 150, 150));
    EXPECT_EQ(f.Button2->geometry(), QRect(584, 301, 150, 150));
    EXPECT_EQ(f.Label1->geometry(), QRect(0, 97, TfrmMain::kClientWidth, 32));
    EXPECT_EQ(f.Label1->font().pixelSize(), 27);
    EXPECT_TRUE(f.Label1->font().bold());
    EXPECT_EQ(f.Button1->font().pixelSize(), 16);
}

TEST(TfrmFinishExam, startsTheNextExamineeOnceForTwoQuickClicks) {
    Finish s;
    TfrmFinishExam& f = s.start();
    f.Button1->click();
    f.Button1->click();
    EXPECT_EQ(s.w->CurrentFrame.data(), &f); // no switch inside a click
    EXPECT_EQ(s.instructionStarts, 0);
    tick(&f, 2);
    EXPECT_EQ(s.instructionStarts, 1);
    EXPECT_NE(dynamic_cast<IdleStage*>(s.w->CurrentFrame.data()), nullptr);
    EXPECT_TRUE(s.w->Panel1->isHidden()); // the instruction stage decides about the header
    EXPECT_TRUE(s.h.dialogs.shown.isEmpty());
}

TEST(TfrmFinishExam, endsTheStationsWorkWithoutAQuestion) {
    Finish s;
    TfrmFinishExam& f = s.start();
    bool closed = false;
    QObject::connect(s.w, &TfrmMain::closed, [&] { closed = true; });
    f.Button2->click();
    EXPECT_TRUE(s.w->CanExit);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(s.w->isVisible());
    EXPECT_TRUE(f.isHidden());
    EXPECT_TRUE(s.h.dialogs.shown.isEmpty());
    EXPECT_EQ(s.instructionStarts, 0);
}
