#include "stages/StageTable.h"

#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/PositionComboBox.h"
#include "stages/TfrmPrepare3.h"
#include "stages/TfrmTask1.h"
#include "stages/TfrmTask3.h"
#include "support/PrepStation.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

// Ticks the current stage until another one (or none) takes its place; the number of ticks.
int runCurrentStage(TfrmMain& w) {
    StageFrame* stage = w.CurrentFrame.data();
    int ticks = 0;
    while (stage && w.CurrentFrame.data() == stage && ticks < 100000) {
        tick(stage);
        ++ticks;
    }
    return ticks;
}

} // namespace

TEST(PreparationStages, oneExamineeRunsFromTheFirstPreparationToTaskFourOnTicksAlone) {
    PrepStation s;
    s.probeAt(40);
    s.audioOf(QStringLiteral("~$t1a.tmp"), 25.4);
    s.audioOf(QStringLiteral("~$t1.tmp"), 110.5);
    s.setKitField("t1Ans", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\nm\r\nn\r\no\r\n");
    s.w.PrepTime2 = 90;
    s.w.TaskTime2 = 90;
    s.w.PrepTime3 = 90;
    s.w.TaskTime3 = 120;

    s.w.StartFrame(10);
    EXPECT_EQ(runCurrentStage(s.w), 28); // 25 + 2, ended on the tick after 0
    auto* task1 = qobject_cast<TfrmTask1*>(s.w.CurrentFrame.data());
    ASSERT_NE(task1, nullptr);
    task1->t1->setCurrentIndex(2);
    task1->t5->setCurrentIndex(0);
    EXPECT_EQ(runCurrentStage(s.w), 113); // 110.5 rounds to 110, + 2, + 1
    EXPECT_EQ(s.w.answers.asText("a1"), "30001");
    EXPECT_EQ(s.currentStage(), "TfrmPrepare2");
    EXPECT_EQ(runCurrentStage(s.w), 91);
    EXPECT_EQ(s.currentStage(), "TfrmTask2");
    EXPECT_EQ(runCurrentStage(s.w), 91);
    auto* prepare3 = qobject_cast<TfrmPrepare3*>(s.w.CurrentFrame.data());
    ASSERT_NE(prepare3, nullptr);
    prepare3->nPhotoItems[1]->click();
    EXPECT_EQ(runCurrentStage(s.w), 91);
    auto* task3 = qobject_cast<TfrmTask3*>(s.w.CurrentFrame.data());
    ASSERT_NE(task3, nullptr);
    EXPECT_EQ(task3->RxDBRichEdit1->dataField(), "t3Task1");
    EXPECT_EQ(runCurrentStage(s.w), 121);
    EXPECT_EQ(s.reached, QList<int>{40});

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
    const QList<QPair<int, QString>> codes = {{10, "TfrmPrepare1"}, {11, "TfrmTask1"},    {20, "TfrmPrepare2"},
                                              {21, "TfrmTask2"},    {30, "TfrmPrepare3"}, {31, "TfrmTask3"},
                                              {32, "TfrmTask3"},    {33, "TfrmTask3"},    {39, "TfrmTask3"}};
    for (const auto& [code, frame] : codes) {
        s.w.StartFrame(code);
        EXPECT_EQ(s.currentStage(), frame) << code;
    }
}
