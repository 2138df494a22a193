#include "stages/tasks/ListeningTaskStage.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"
#include "widgets/PositionComboBox.h"
#include "support/ChoiceStageKit.h"
#include "support/PrepStation.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kTemp = QStringLiteral("~$t1.tmp");

// Options of the five statements, one per line, the way the kits hold them.
const char* const kOptions = "True\r\nFalse\r\nNot stated\r\n"
                             "True\r\nFalse\r\nNot stated\r\n"
                             "True\r\nFalse\r\nNot stated\r\n"
                             "True\r\nFalse\r\nNot stated\r\n"
                             "True\r\nFalse\r\nNot stated\r\n";

struct Task1Fixture : ::testing::Test {
    Task1Fixture() {
        ListeningTaskStage::taskAudioStream = 0;
        s.setKitField("t1Aud", QByteArray("OggS task audio\0\x01", 17));
        s.setKitField("t1Ans", kOptions);
        s.setKitField("t1Task", PrepStation::sheet(
                                    {QStringLiteral("Task 1"),
                                     QStringLiteral("You will hear a conversation. Decide which of the statements 1-5 "
                                                    "are true, which are false and which are not stated in the text."),
                                     QString(), QString(), QString(), QString(),
                                     QStringLiteral("1. Ann has been to London before."), QString(),
                                     QStringLiteral("2. The museum opens at ten."), QString(),
                                     QStringLiteral("3. Tom prefers travelling by train."), QString(),
                                     QStringLiteral("4. The tickets were cheap."), QString(),
                                     QStringLiteral("5. They will meet again on Sunday.")}));
    }
    ListeningTaskStage* startWithAudioOf(double seconds) {
        s.audioOf(kTemp, seconds);
        return s.start<ListeningTaskStage>(StageCode::ListeningTask);
    }
    QString a1() const { return QString::fromStdString(s.w.answers.asText("a1")); }

    PrepStation s;
};

// A key typed into a list's edit field, as the keyboard would.
void type(PositionComboBox* list, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(list->lineEdit(), &press);
    }
}

void press(QWidget* target, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Opens the list and picks the option with the keyboard inside the opened list.
void pick(PositionComboBox* list, int row) {
    list->showPopup();
    QApplication::processEvents();
    list->view()->setCurrentIndex(list->model()->index(row, 0));
    press(list->view(), Qt::Key_Return);
    QApplication::processEvents();
}

} // namespace

TEST_F(Task1Fixture, timesTheStageByTheAudioAndEndsFortyEightTicksAfterStart) {
    ListeningTaskStage* stage = startWithAudioOf(45.2);
    EXPECT_EQ(s.w.taskTime1, 47);
    EXPECT_EQ(s.w.timeLabel->text(), "47 сек.");
    EXPECT_EQ(s.w.phaseLabel->text(), "");
    EXPECT_EQ(s.w.progressBar->maximum(), 47);
    tick(stage, 47);
    EXPECT_EQ(s.w.timeLabel->text(), "0 сек.");
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_EQ(a1(), "00000");
}

TEST_F(Task1Fixture, playsTheKitAudioFromItsTemporaryFileAndCleansUpAtTheEnd) {
    ListeningTaskStage* stage = startWithAudioOf(12.0);
    QFile temp(s.workFile(kTemp));
    ASSERT_TRUE(temp.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.readAll(), QByteArray("OggS task audio\0\x01", 17));
    temp.close();
    EXPECT_EQ(s.h.audio.calls.last(), "channelPlay");
    const audio::Handle stream = ListeningTaskStage::taskAudioStream;
    EXPECT_EQ(s.h.audio.channelIsActive(stream), audio::Playing);
    tick(stage, 15);
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_FALSE(QFile::exists(s.workFile(kTemp)));
    EXPECT_EQ(s.h.audio.freedStreams, std::vector<audio::Handle>{stream});
    EXPECT_EQ(ListeningTaskStage::taskAudioStream, stream);
}

TEST_F(Task1Fixture, fillsThreeOptionsPerListFromTheMemoWithNothingChosen) {
    ListeningTaskStage* stage = startWithAudioOf(10.0);
    for (PositionComboBox* list : stage->lists()) {
        EXPECT_EQ(choicekit::itemsOf(*list), (QStringList{"True", "False", "Not stated"}))
            << list->objectName().toStdString();
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_EQ(list->currentText(), "");
        EXPECT_TRUE(list->isEditable());
    }
    EXPECT_EQ(stage->optionsMemo->toPlainText().split('\n').size(), 16);
    EXPECT_FALSE(stage->optionsMemo->isVisible());
}

TEST_F(Task1Fixture, missingLinesAreEmptyOptionsAndAFinalLineBreakGivesNone) {
    s.setKitField("t1Ans", "a\nb\nc\nd\n\nf\ng\n");
    ListeningTaskStage* stage = startWithAudioOf(10.0);
    EXPECT_EQ(choicekit::itemsOf(*stage->list1), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(choicekit::itemsOf(*stage->list2), (QStringList{"d", "", "f"}));
    EXPECT_EQ(choicekit::itemsOf(*stage->list3), (QStringList{"g", "", ""}));
    EXPECT_EQ(choicekit::itemsOf(*stage->list5), (QStringList{"", "", ""}));
}

TEST_F(Task1Fixture, aLongLineIsOneOptionAndLinesAfterTheFifteenthAreUnused) {
    const std::string longLine(400, 'w');
    std::string memo = longLine + "\r\n";
    for (int i = 2; i <= 17; ++i)
        memo += "line " + std::to_string(i) + "\r\n";
    s.setKitField("t1Ans", QByteArray::fromStdString(memo));
    ListeningTaskStage* stage = startWithAudioOf(10.0);
    EXPECT_EQ(stage->list1->itemText(0), QString::fromStdString(longLine));
    EXPECT_EQ(stage->list1->itemText(1), "line 2");
    EXPECT_EQ(choicekit::itemsOf(*stage->list5), (QStringList{"line 13", "line 14", "line 15"}));
}

TEST_F(Task1Fixture, storesTheChosenPositionsAsTwentyOneThirtyThree) {
    ListeningTaskStage* stage = startWithAudioOf(60.0);
    pick(stage->list1, 1);
    pick(stage->list3, 0);
    pick(stage->list4, 2);
    pick(stage->list5, 2);
    EXPECT_EQ(stage->list1->currentText(), "False");
    tick(stage, 62);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_EQ(a1(), "20133");
}

TEST_F(Task1Fixture, storesZerosWhenNothingIsChosen) {
    s.w.answers.edit();
    s.w.answers.setText("a1", "31212"); // the previous examinee's answer
    s.w.answers.post();
    ListeningTaskStage* stage = startWithAudioOf(1.0);
    tick(stage, 4);
    EXPECT_EQ(a1(), "00000");
}

TEST_F(Task1Fixture, theLastOfSeveralChoicesCounts) {
    ListeningTaskStage* stage = startWithAudioOf(30.0);
    pick(stage->list2, 0);
    tick(stage, 5);
    pick(stage->list2, 2);
    pick(stage->list2, 1);
    s.h.dialogs.confirmAnswers = {true};
    stage->finishButton->click();
    tick(stage);
    EXPECT_EQ(a1(), "02000");
}

TEST_F(Task1Fixture, typedTextNeverChoosesAnOptionAndGoesWhenTheFieldIsLeft) {
    ListeningTaskStage* stage = startWithAudioOf(30.0);
    stage->list2->setFocus();
    type(stage->list2, "False");
    EXPECT_EQ(stage->list2->currentText(), "False");
    press(stage->list2->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(stage->list2->currentIndex(), -1);
    EXPECT_EQ(stage->list2->currentText(), "");
    type(stage->list2, "Not stated");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(stage->list2->lineEdit(), &leave);
    EXPECT_EQ(stage->list2->currentIndex(), -1);
    EXPECT_EQ(stage->list2->currentText(), "");
    EXPECT_EQ(stage->list2->count(), 3); // nothing was added either
    EXPECT_EQ(stage->answerString(), "00000");
}

TEST_F(Task1Fixture, typingOverAChosenOptionKeepsTheChoiceAndShowsItAgain) {
    ListeningTaskStage* stage = startWithAudioOf(30.0);
    pick(stage->list4, 2);
    stage->list4->lineEdit()->end(false);
    type(stage->list4, "!");
    EXPECT_EQ(stage->list4->currentText(), "Not stated!");
    EXPECT_EQ(stage->answerString(), "00030");
    press(stage->list4->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(stage->list4->currentText(), "Not stated");
    pick(stage->list4, 0);
    EXPECT_EQ(stage->answerString(), "00010");
}

TEST_F(Task1Fixture, yesStoresTheChoicesAsTheyStandOnTheNextTickEvenForALongAudio) {
    ListeningTaskStage* stage = startWithAudioOf(3500.0);
    EXPECT_EQ(s.w.taskTime1, 3502);
    pick(stage->list5, 0);
    s.h.dialogs.confirmAnswers = {false};
    stage->finishButton->click();
    EXPECT_EQ(s.h.dialogs.shown.last(), "confirm: Вы уверены, что хотите завершить выполнение задания?");
    tick(stage);
    EXPECT_EQ(s.currentStage(), "ListeningTaskStage");
    s.h.dialogs.confirmAnswers = {true};
    stage->finishButton->click();
    tick(stage);
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_EQ(a1(), "00001");
}

TEST_F(Task1Fixture, makesTheFoldersAtTheStartAndAgainWhenRemovedDuringTheStage) {
    ListeningTaskStage* stage = startWithAudioOf(5.0);
    EXPECT_TRUE(QDir(s.w.folders().answerFolder()).exists());
    ASSERT_TRUE(QDir(s.w.folders().stationFolder()).removeRecursively());
    tick(stage, 8);
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_TRUE(QDir(s.w.folders().answerFolder()).exists());
}

TEST_F(Task1Fixture, stillCountsDownWhenTheTemporaryFileCannotBeWritten) {
    ASSERT_TRUE(QDir().mkdir(s.workFile(kTemp)));
    ListeningTaskStage* stage = startWithAudioOf(45.0);
    EXPECT_EQ(s.w.taskTime1, 1);
    ASSERT_EQ(s.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(s.h.dialogs.shown[0].startsWith("error: "));
    pick(stage->list1, 2);
    tick(stage, 2);
    EXPECT_EQ(s.currentStage(), "SpokenPreparationStage");
    EXPECT_EQ(a1(), "30000");
}

TEST_F(Task1Fixture, placesTheListsOverTheSheetInTabOrderFiveToOne) {
    ListeningTaskStage* stage = startWithAudioOf(10.0);
    QApplication::processEvents();
    EXPECT_EQ(stage->list1->geometry(), QRect(444, 216, 145, 24));
    EXPECT_EQ(stage->list2->geometry(), QRect(291, 265, 145, 24));
    EXPECT_EQ(stage->list3->geometry(), QRect(480, 314, 145, 24));
    EXPECT_EQ(stage->list4->geometry(), QRect(354, 363, 145, 24));
    EXPECT_EQ(stage->list5->geometry(), QRect(273, 412, 145, 24));
    EXPECT_EQ(stage->list1->font().pixelSize(), 13);
    EXPECT_EQ(stage->list1->accessibleName(), "Ответ на утверждение 1");
    EXPECT_EQ(stage->sheetView->dataField(), "t1Task");
    EXPECT_EQ(stage->bottomBar->text(), "Выполнение задания № 1.");
    EXPECT_EQ(stage->bottomBar->height(), 49);
    EXPECT_EQ(stage->finishButton->geometry(), QRect(stage->bottomBar->width() - 10 - 119, 13, 119, 25));
    EXPECT_EQ(stage->finishButton->text(), "Завершить ответ!");
    // Children stacked above the sheet, the focus chain running button, list5 ... list1.
    QWidget* hit = stage->childAt(stage->list3->geometry().center());
    EXPECT_TRUE(hit == stage->list3 || stage->list3->isAncestorOf(hit));
    QWidget* next = stage->finishButton->nextInFocusChain();
    QStringList chain;
    for (int i = 0; i < 12 && chain.size() < 5; ++i, next = next->nextInFocusChain()) {
        if (auto* list = qobject_cast<PositionComboBox*>(next))
            chain << list->objectName();
    }
    EXPECT_EQ(chain, (QStringList{"list5", "list4", "list3", "list2", "list1"}));
}

TEST_F(Task1Fixture, looksRightWithAListOpened) {
    ASSERT_TRUE(s.loadDemoKit());
    ListeningTaskStage* stage = startWithAudioOf(45.2);
    tick(stage, 7);
    pick(stage->list2, 0);
    stage->list1->showPopup();
    QApplication::processEvents();
    QWidget* popup = stage->list1->view()->window();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_GE(popup->height(), 3 * PositionComboBox::kItemHeight);
    EXPECT_LE(popup->height(), 3 * PositionComboBox::kItemHeight + 12);
    choicekit::saveScreenshotWithPopup(s.w, *popup, QStringLiteral("ListeningTaskStage-list-open"));
    stage->list1->hidePopup();
}
