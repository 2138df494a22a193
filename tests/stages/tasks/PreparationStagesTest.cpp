#include "stages/StageTable.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/PositionComboBox.h"
#include "stages/tasks/PhotoChoiceStage.h"
#include "stages/tasks/ListeningTaskStage.h"
#include "stages/tasks/PhotoAnswerStage.h"
#include "support/PrepStation.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

// Ticks the current stage until another one (or none) takes its place; the number of ticks.
int runCurrentStage(StationWindow& w) {
    StageFrame* stage = w.currentStage.data();
    int ticks = 0;
    while (stage && w.currentStage.data() == stage && ticks < 100000) {
        tick(stage);
        ++ticks;
    }
    return ticks;
}

} // namespace

TEST(PreparationStages, oneExamineeRunsFromTheFirstPreparationToTaskFourOnTicksAlone) {
    PrepStation s;
    s.probeAt(StageCode::ChoiceTask4);
    s.audioOf(QStringLiteral("~$t1a.tmp"), 25.4);
    s.audioOf(QStringLiteral("~$t1.tmp"), 110.5);
    s.setKitField("t1Ans", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\nm\r\nn\r\no\r\n");
    s.w.prepTime2 = 90;
    s.w.taskTime2 = 90;
    s.w.prepTime3 = 90;
    s.w.taskTime3 = 120;

    s.w.startStage(StageCode::ListeningPreparation);
    EXPECT_EQ(runCurrentStage(s.w), 28); // 25 + 2, ended on the tick after 0
    auto* task1 = qobject_cast<ListeningTaskStage*>(s.w.currentStage.data());
    ASSERT_NE(task1, nullptr);
    task1->list1->setCurrentIndex(2);
    task1->list5->setCurrentIndex(0);
    EXPECT_EQ(runCurrentStage(s.w), 113); // 110.5 rounds to 110, + 2, + 1
    EXPECT_EQ(s.w.answers.asText("a1"), "30001");
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_EQ(runCurrentStage(s.w), 91);
    EXPECT_EQ(s.currentStage(), "SpokenAnswerStage");
    EXPECT_EQ(runCurrentStage(s.w), 91);
    auto* prepare3 = qobject_cast<PhotoChoiceStage*>(s.w.currentStage.data());
    ASSERT_NE(prepare3, nullptr);
    prepare3->photoItems[1]->click();
    EXPECT_EQ(runCurrentStage(s.w), 91);
    auto* task3 = qobject_cast<PhotoAnswerStage*>(s.w.currentStage.data());
    ASSERT_NE(task3, nullptr);
    EXPECT_EQ(task3->sheetView->dataField(), "t3Task1");
    EXPECT_EQ(runCurrentStage(s.w), 121);
    EXPECT_EQ(s.reached, QList<StageCode>{StageCode::ChoiceTask4});

    // Two recordings, no temporary audio left, three countdown windows.
    EXPECT_EQ(s.h.audio.encodedFiles,
              (QStringList{s.w.folders().answerFile("_2.ogg"), s.w.folders().answerFile("_3.ogg")}));
    EXPECT_FALSE(QFile::exists(s.workFile("~$t1a.tmp")));
    EXPECT_FALSE(QFile::exists(s.workFile("~$t1.tmp")));
    EXPECT_EQ(s.h.dialogs.shown, QStringList(3, "modal: QDialog"));
    EXPECT_EQ(s.w.recorder().RecChannel, 0u);
}

TEST(PreparationStages, registersEachCodeWithItsFrame) {
    PrepStation s;
    const QList<QPair<StageCode, QString>> codes = {{StageCode::ListeningPreparation, "ListeningPreparationStage"},
                                                    {StageCode::ListeningTask, "ListeningTaskStage"},
                                                    {StageCode::SpokenPreparation, "SpokenPreparationStage"},
                                                    {StageCode::SpokenAnswer, "SpokenAnswerStage"},
                                                    {StageCode::PhotoChoice, "PhotoChoiceStage"},
                                                    {StageCode::PhotoAnswer1, "PhotoAnswerStage"},
                                                    {StageCode::PhotoAnswer2, "PhotoAnswerStage"},
                                                    {StageCode::PhotoAnswer3, "PhotoAnswerStage"},
                                                    {StageCode::PhotoAnswerNoPhoto, "PhotoAnswerStage"}};
    for (const auto& [code, frame] : codes) {
        s.w.startStage(code);
        EXPECT_EQ(s.currentStage(), frame) << static_cast<int>(code);
    }
}
