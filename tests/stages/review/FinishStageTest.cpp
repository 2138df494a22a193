#include "main/StageFrame.h"
#include "stages/review/ReviewStages.h"
#include "main/StationWindow.h"
#include "stages/StageTable.h"
#include "stages/review/FinishStage.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Finish {
    StationHarness h;
    StationWindow* w = nullptr;
    int instructionStarts = 0;

    Finish() {
        stages::registerReviewStages(h.stages);
        addIdleStage(h.stages, StageCode::Instruction,
                     [this] { ++instructionStarts; }); // the instruction of the next examinee
        w = &h.createWindow();
        w->participantCode = QStringLiteral("0042");
        // The review has written the answers file.
        w->folders().ensureExist();
        QFile answers(w->folders().answerFile(QStringLiteral("_0.ans")));
        EXPECT_TRUE(answers.open(QIODevice::WriteOnly));
        w->show();
    }

    FinishStage& start() {
        w->startStage(StageCode::Finish);
        auto* frame = qobject_cast<FinishStage*>(w->currentStage.data());
        EXPECT_NE(frame, nullptr);
        return *frame;
    }
};

} // namespace

TEST(FinishStage, announcesTheEndOfTheExamineesWork) {
    Finish s;
    s.w->headerBar->show();
    FinishStage& f = s.start();
    EXPECT_TRUE(s.w->headerBar->isHidden());
    EXPECT_EQ(f.doneLabel->text(), QStringLiteral("ЗУНТ для участника с кодом 0042 завершена!"));
    EXPECT_EQ(f.nextExamineeButton->text(),
              QStringLiteral("Начать на станции выполнение работы для следующего участника"));
    EXPECT_EQ(f.stopStationButton->text(), QStringLiteral("Завершить работу станции"));
    EXPECT_EQ(f.tickTimer->interval(), 10);
    EXPECT_FALSE(f.tickTimer->isActive());
    EXPECT_TRUE(f.answersMissingLabel->isHidden());
    s.w->layout()->activate(); // the hidden header bar gives its room to the frame
    saveScreenshot(*s.w, QStringLiteral("FinishStage-0042"));
}

TEST(FinishStage, keepsTheDesignPlacesOfItsControls) {
    Finish s;
    FinishStage& f = s.start();
    EXPECT_EQ(f.nextExamineeButton->geometry(), QRect(288, 301, 150, 150));
    EXPECT_EQ(f.stopStationButton->geometry(), QRect(584, 301, 150, 150));
    EXPECT_EQ(f.doneLabel->geometry(), QRect(0, 97, StationWindow::kClientWidth, 32));
    EXPECT_EQ(f.doneLabel->font().pixelSize(), 27);
    EXPECT_TRUE(f.doneLabel->font().bold());
    EXPECT_EQ(f.nextExamineeButton->font().pixelSize(), 16);
}

TEST(FinishStage, startsTheNextExamineeOnceForTwoQuickClicks) {
    Finish s;
    FinishStage& f = s.start();
    f.nextExamineeButton->click();
    f.nextExamineeButton->click();
    EXPECT_EQ(s.w->currentStage.data(), &f); // no switch inside a click
    EXPECT_EQ(s.instructionStarts, 0);
    tick(&f, 2);
    EXPECT_EQ(s.instructionStarts, 1);
    EXPECT_NE(dynamic_cast<IdleStage*>(s.w->currentStage.data()), nullptr);
    EXPECT_TRUE(s.w->headerBar->isHidden()); // the instruction stage decides about the header
    EXPECT_TRUE(s.h.dialogs.shown.isEmpty());
}

TEST(FinishStage, endsTheStationsWorkOnlyWhenTheOrganiserSaysYes) {
    Finish s;
    FinishStage& f = s.start();
    bool closed = false;
    QObject::connect(s.w, &StationWindow::closed, [&] { closed = true; });
    f.stopStationButton->click(); // "Нет"
    EXPECT_FALSE(s.w->canExit);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(f.isVisible());
    s.h.dialogs.confirmAnswers.push_back(true);
    f.stopStationButton->click();
    EXPECT_TRUE(s.w->canExit);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(s.w->isVisible());
    EXPECT_TRUE(f.isHidden());
    EXPECT_EQ(s.h.dialogs.shown, QStringList(2, QStringLiteral("confirm: Завершить работу на станции?")));
    EXPECT_EQ(s.instructionStarts, 0);
}

TEST(FinishStage, warnsWhenTheOrganiserWentOnWithoutTheAnswersFile) {
    Finish s;
    ASSERT_TRUE(QFile::remove(s.w->folders().answerFile(QStringLiteral("_0.ans"))));
    FinishStage& f = s.start();
    EXPECT_FALSE(f.answersMissingLabel->isHidden());
    EXPECT_EQ(f.answersMissingLabel->text(), QStringLiteral("Внимание: файл ответов участника не записан!"));
    EXPECT_EQ(f.doneLabel->text(), QStringLiteral("ЗУНТ для участника с кодом 0042 завершена!"));
    s.w->layout()->activate();
    EXPECT_GE(f.answersMissingLabel->y(), f.doneLabel->geometry().bottom());
    saveScreenshot(*s.w, QStringLiteral("FinishStage-no-answers-file"));
}
