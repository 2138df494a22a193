#include "stages/preexam/InstructionStage.h"
#include "stages/preexam/PreExamStages.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "stages/StageTable.h"
#include "stages/preexam/CodeRecordingStage.h"
#include "kit/StationTables.h"
#include "station/ExamProgress.h"
#include "support/Screenshot.h"
#include "support/StagesKeyboard.h"
#include "support/StagesKit.h"
#include "support/StationHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using stagestest::KitRow;

const QString kStation = QStringLiteral("25.05.2019_3_000123_0007_2");

const QString kInstruction = QStringLiteral(
    "Инструкция по выполнению работы\n"
    "Устная часть экзамена состоит из шести заданий. Перед заданиями 1, 2 и 3 даётся время на подготовку.\n"
    "Ответы на задания 2 и 3 записываются: говорите чётко, в микрофон гарнитуры.\n"
    "В заданиях 1, 4, 5 и 6 выберите ответы в раскрывающихся списках.\n"
    "Введите свой четырёхзначный код участника и нажмите кнопку «Начать выполнение работы».");

KitRow row(int varNo, const QString& intro) {
    KitRow r = KitRow::variant(varNo);
    r.intro = stagestest::simpleRtf(intro, 32);
    return r;
}

// Variant 0 with the demo kit's instruction when it is there.
KitRow demoRow() {
    KitRow r = KitRow::variant(0);
    r.intro = stagestest::demoKitSheet(QStringLiteral("v0-Intro"), stagestest::simpleRtf(kInstruction, 32));
    return r;
}

struct CodeEntry {
    // prepare fills the working folder before the station shows its first stage.
    explicit CodeEntry(std::initializer_list<KitRow> rows = {row(0, kInstruction), row(1, QStringLiteral("нечётный")),
                                                             row(2, QStringLiteral("чётный"))},
                       const std::function<void(const QString& workDir)>& prepare = {}) {
        stages::registerPreExamStages(h.stages);
        if (prepare)
            prepare(h.workDir.path());
        StationWindow& w = h.createWindow();
        w.complects = stagestest::makeKit(rows);
        w.selectVariant(0);
        w.stationTag = kStation;
        w.show();
        w.startStage(StageCode::Instruction);
        QApplication::processEvents();
    }
    StationWindow& main() { return *h.window; }
    InstructionStage& frame() { return *qobject_cast<InstructionStage*>(h.window->currentStage.data()); }
    // Types the code and presses "Начать выполнение работы".
    void submit(const QString& code) {
        frame().codeEdit->clear();
        stagestest::typeText(frame().codeEdit, code);
        frame().startButton->click();
    }
    bool accepted() { return frame().tickTimer->isActive(); }
    void answered(const QString& code, const QString& tag = kStation) {
        const StationFolders folders(h.workDir.path(), tag, code);
        folders.ensureExist();
        QFile file(folders.answerFile(QStringLiteral("_0.ans")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
    StationHarness h;
};

} // namespace

TEST(InstructionStage, startsWithAnEmptyFocusedCodeAndTheKitInstruction) {
    CodeEntry c;
    InstructionStage& f = c.frame();
    EXPECT_TRUE(c.main().headerBar->isHidden());
    EXPECT_TRUE(f.codeEdit->text().isEmpty());
    EXPECT_EQ(c.main().focusWidget(), f.codeEdit);
    EXPECT_EQ(f.codeEdit->maxLength(), 4);
    EXPECT_EQ(f.codeEdit->font().pixelSize(), 27);
    EXPECT_EQ(f.codeLabel->text(), "Код участника:");
    EXPECT_EQ(f.codeLabel->buddy(), f.codeEdit);
    EXPECT_FALSE(f.codeEdit->accessibleName().isEmpty());
    EXPECT_EQ(f.startButton->text(), "Начать выполнение работы");
    EXPECT_FALSE(f.startButton->isDefault());
    EXPECT_EQ(f.stopStationButton->text(), "Завершить");
    EXPECT_EQ(f.codePanel->geometry(), QRect(0, 713 - 107, 1016, 107));
    EXPECT_EQ(f.instructionView->geometry(), QRect(0, 0, 1016, 713 - 107));
    EXPECT_EQ(f.instructionView->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(f.instructionView->dataField(), "Intro");
    EXPECT_TRUE(f.instructionView->document()->toPlainText().startsWith("Инструкция по выполнению работы"));
    EXPECT_LE(f.stopStationButton->geometry().right(), 1016);
    EXPECT_GT(f.stopStationButton->geometry().left(), f.startButton->geometry().right());
    EXPECT_EQ(f.tickTimer->interval(), 100);
}

TEST(InstructionStage, showsTheDemoKitInstruction) {
    CodeEntry c({demoRow()});
    InstructionStage& f = c.frame();
    EXPECT_FALSE(f.instructionView->document()->isEmpty());
    stagestest::typeText(f.codeEdit, "0042");
    saveScreenshot(c.main(), QStringLiteral("InstructionStage"));
}

TEST(InstructionStage, enterInTheCodeDoesNothing) {
    CodeEntry c;
    stagestest::typeText(c.frame().codeEdit, "0042");
    stagestest::pressEnter(c.frame().codeEdit);
    EXPECT_FALSE(c.accepted());
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    EXPECT_EQ(c.main().participantCode, "0000");
    EXPECT_EQ(c.frame().codeEdit->text(), "0042");
    QChar enter = QLatin1Char('\r');
    c.frame().onCodeKey(enter);
    EXPECT_TRUE(enter.isNull());
}

TEST(InstructionStage, codeTakesOnlyDigitsHoweverTheyArrive) {
    CodeEntry c;
    stagestest::typeText(c.frame().codeEdit, "1a-2 3");
    EXPECT_EQ(c.frame().codeEdit->text(), "123");
    QApplication::clipboard()->setText(QStringLiteral("x"));
    c.frame().codeEdit->paste();
    EXPECT_EQ(c.frame().codeEdit->text(), "123");
    QApplication::clipboard()->setText(QStringLiteral("456"));
    c.frame().codeEdit->paste();
    EXPECT_EQ(c.frame().codeEdit->text(), "1234");
}

TEST(InstructionStage, refusesAShortCodeAndStaysAsItWas) {
    for (const QString& code : {QString(), QStringLiteral("1"), QStringLiteral("123")}) {
        CodeEntry c;
        c.submit(code);
        EXPECT_EQ(c.h.dialogs.shown,
                  QStringList{"message: Некорректный код участника!\n\rКод участника должен состоять из 4 цифр"});
        EXPECT_FALSE(c.accepted());
        EXPECT_EQ(c.frame().codeEdit->text(), code);
        EXPECT_EQ(c.main().participantCode, "0000");
        EXPECT_TRUE(c.main().variantNo.isEmpty());
    }
}

TEST(InstructionStage, refusesACodeThatAlreadyAnsweredAtThisStation) {
    CodeEntry c;
    c.answered("1235");
    c.submit("1235");
    EXPECT_EQ(
        c.h.dialogs.shown,
        QStringList{"message: Некорректный код участника!\n\rУчастник с таким кодом уже отвечал на данной станции"});
    EXPECT_FALSE(c.accepted());
    c.h.dialogs.shown.clear();
    c.submit("1237"); // corrected and pressed again
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    EXPECT_TRUE(c.accepted());
}

TEST(InstructionStage, resumesAnInterruptedExamineeOnYesKeepingWhatWasRecorded) {
    CodeEntry c;
    addIdleStage(c.h.stages, StageCode::SpokenPreparation, [] {});
    const StationFolders folders(c.h.workDir.path(), kStation, "1235");
    ASSERT_TRUE(folders.ensureExist());
    // The code and task 1 were done; task 2 was being recorded when the power went.
    ExamProgress progress;
    progress.markDone(StageCode::CodeRecording);
    progress.markDone(StageCode::ListeningTask);
    progress.answers[0] = QStringLiteral("20133");
    ASSERT_TRUE(progress.save(folders, nullptr));
    const auto write = [&](const QString& suffix, const QByteArray& bytes) {
        QFile file(folders.answerFile(suffix));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("_0.ogg"), "code");
    write(QStringLiteral("_2.ogg"), "half of task 2");
    write(QStringLiteral("_2.ogg.pcm.tmp"), "its raw sound");
    kit::writeAnswer(c.main().answers, "a4", "55555"); // the previous examinee's

    const QString question =
        QStringLiteral("confirm: Участник с кодом 1235 начинал работу на данной станции, но не завершил её.\n"
                       "Продолжить работу этого участника с задания № 2?\nУже записанные ответы сохранятся.");
    c.h.dialogs.confirmAnswers = {false};
    c.submit("1235");
    EXPECT_EQ(c.h.dialogs.shown, QStringList{question});
    EXPECT_FALSE(c.accepted());
    EXPECT_TRUE(QFileInfo::exists(folders.answerFile(QStringLiteral("_2.ogg")))); // nothing touched on No

    c.h.dialogs.shown.clear();
    c.h.dialogs.confirmAnswers = {true};
    c.submit("1235");
    EXPECT_EQ(c.h.dialogs.shown, QStringList{question});
    ASSERT_TRUE(c.accepted());
    EXPECT_EQ(c.main().participantCode, "1235");
    EXPECT_EQ(c.main().variantNo, "1");
    EXPECT_EQ(c.main().answers.asText("a1"), "20133");
    EXPECT_EQ(c.main().answers.asText("a4"), "");
    // The interrupted answer and its raw sound moved aside together; the code recording stays.
    EXPECT_EQ(QDir(folders.answerFolder()).entryList(QDir::Files, QDir::Name),
              QStringList({"1235.progress", "1235_0.ogg", "1235_2_interrupted.ogg", "1235_2_interrupted.ogg.pcm.tmp"}));
    tick(&c.frame());
    EXPECT_NE(dynamic_cast<IdleStage*>(c.main().currentStage.data()), nullptr);
    EXPECT_EQ(c.main().currentCode(), StageCode::SpokenPreparation);
}

TEST(InstructionStage, takesACodeBackOnlyOnceThePowerCutsRecordingsAreRecovered) {
    const auto interrupted = [](const QString& workDir) {
        const StationFolders folders(workDir, kStation, "1235");
        ASSERT_TRUE(folders.ensureExist());
        ExamProgress progress;
        progress.markDone(StageCode::CodeRecording);
        progress.markDone(StageCode::ListeningTask);
        ASSERT_TRUE(progress.save(folders, nullptr));
        // Task 2's sound as the power cut left it: one second of raw sound, no file yet.
        QFile raw(folders.answerFile(QStringLiteral("_2.ogg.pcm.tmp")));
        ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
        raw.write(QByteArray(44100 * 4, '\x10'));
        raw.close();
        // An encoder that takes its time, found in the working folder before the system's.
        QFile encoder(QDir(workDir).filePath(QStringLiteral("oggenc")));
        ASSERT_TRUE(encoder.open(QIODevice::WriteOnly));
        encoder.write("#!/bin/sh\nsleep 1\nexec oggenc \"$@\"\n");
        encoder.close();
        encoder.setPermissions(encoder.permissions() | QFileDevice::ExeOwner);
    };
    CodeEntry c({row(0, kInstruction), row(1, QStringLiteral("нечётный"))}, interrupted);
    addIdleStage(c.h.stages, StageCode::SpokenPreparation, [] {});
    ASSERT_TRUE(c.main().recoveryRunning());
    c.submit("1235");
    EXPECT_EQ(c.h.dialogs.shown, QStringList{"message: " + InstructionStage::kRecoveryRunning});
    EXPECT_FALSE(c.accepted());

    QElapsedTimer clock;
    clock.start();
    while (c.main().recoveryRunning() && clock.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const StationFolders folders(c.h.workDir.path(), kStation, "1235");
    EXPECT_EQ(QDir(folders.answerFolder()).entryList(QDir::Files, QDir::Name),
              QStringList({"1235.progress", "1235_2.ogg"}));
    c.h.dialogs.shown.clear();
    c.h.dialogs.confirmAnswers = {true};
    c.submit("1235");
    EXPECT_EQ(c.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(c.accepted());
    EXPECT_EQ(QDir(folders.answerFolder()).entryList(QDir::Files, QDir::Name),
              QStringList({"1235.progress", "1235_2_interrupted.ogg"}));
}

TEST(InstructionStage, acceptsTheSameCodeAtAnotherStation) {
    CodeEntry c;
    c.answered("1235", QStringLiteral("25.05.2019_3_000123_0007_3"));
    c.submit("1235");
    EXPECT_TRUE(c.accepted());
}

TEST(InstructionStage, acceptsACodeAgainOnceItsAnswerFolderIsRemoved) {
    CodeEntry c;
    c.answered("1235");
    c.submit("1235");
    ASSERT_FALSE(c.accepted());
    ASSERT_TRUE(QDir(StationFolders(c.h.workDir.path(), kStation, "1235").answerFolder()).removeRecursively());
    c.submit("1235");
    EXPECT_TRUE(c.accepted());
}

TEST(InstructionStage, looksForUsedCodesWhereTheAnswersAreWritten) {
    // The program's folder is not the working folder: only the working folder counts.
    QTemporaryDir programFolder;
    {
        CodeEntry c;
        c.main().appDir = programFolder.path() + QLatin1Char('/');
        StationFolders(programFolder.path(), kStation, "1235").ensureExist();
        c.submit("1235");
        EXPECT_TRUE(c.accepted());
    }
    {
        CodeEntry c;
        c.main().appDir = programFolder.path() + QLatin1Char('/');
        c.answered("4321");
        c.submit("4321");
        EXPECT_FALSE(c.accepted());
    }
}

TEST(InstructionStage, makesTheAnswerFolderOnAcceptanceAndNamesTheFolderWhenItCannot) {
    CodeEntry c;
    const StationFolders folders(c.h.workDir.path(), kStation, "1236");
    // A file where the answer folder must go: the folder cannot be made (whoever runs this).
    ASSERT_TRUE(QDir().mkpath(folders.stationFolder()));
    const QString inTheWay = QDir::cleanPath(folders.answerFolder());
    QFile file(inTheWay);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    c.submit("1236");
    EXPECT_FALSE(c.accepted());
    EXPECT_EQ(c.h.dialogs.shown, QStringList{QStringLiteral("error: Не удаётся создать папку «%1»: на этом месте файл")
                                                 .arg(QDir::toNativeSeparators(inTheWay))});
    EXPECT_EQ(c.main().participantCode, "0000");
    ASSERT_TRUE(QFile::remove(inTheWay)); // the organiser clears the way and presses again
    c.h.dialogs.shown.clear();
    c.submit("1236");
    EXPECT_TRUE(c.accepted());
    EXPECT_TRUE(QFileInfo(folders.answerFolder()).isDir()); // there before the examinee starts
    EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
}

TEST(InstructionStage, acceptedCodeFixesStudIdVariantAndKitRow) {
    struct Case {
        QString code, variant;
    };
    for (const Case& k : {Case{"0005", "0"}, Case{"0010", "2"}, Case{"1235", "1"}, Case{"0000", "0"}, Case{"0012", "2"},
                          Case{"9999", "1"}}) {
        CodeEntry c;
        c.submit(k.code);
        EXPECT_TRUE(c.accepted()) << k.code.toStdString();
        EXPECT_EQ(c.main().participantCode, k.code);
        EXPECT_EQ(c.main().variantNo, k.variant) << k.code.toStdString();
        EXPECT_EQ(c.main().complects.asText("VarNo"), k.variant.toStdString());
        EXPECT_TRUE(c.h.dialogs.shown.isEmpty());
    }
}

TEST(InstructionStage, aVariantTheKitLacksLeavesTheRowWhereItWas) {
    CodeEntry c({row(0, kInstruction)});
    c.submit("1235");
    EXPECT_TRUE(c.accepted());
    EXPECT_EQ(c.main().variantNo, "1");
    EXPECT_EQ(c.main().complects.asText("VarNo"), "0");
}

TEST(InstructionStage, leavesForTheCodeRecordingOnTheNextTickWithTheHeaderShown) {
    CodeEntry c;
    bool headerShown = false;
    addIdleStage(c.h.stages, StageCode::CodeRecording, [&] { headerShown = c.main().headerBar->isVisible(); });
    c.submit("0042");
    ASSERT_NE(qobject_cast<InstructionStage*>(c.main().currentStage.data()), nullptr); // not inside the click
    tick(&c.frame());
    EXPECT_NE(dynamic_cast<IdleStage*>(c.main().currentStage.data()), nullptr);
    EXPECT_TRUE(headerShown);
}

TEST(InstructionStage, acceptedCodeOpensTheCodeRecording) {
    CodeEntry c;
    c.submit("0042");
    tick(&c.frame());
    EXPECT_NE(qobject_cast<CodeRecordingStage*>(c.main().currentStage.data()), nullptr);
}

TEST(InstructionStage, finishAsksAndStopsOnlyOnYes) {
    CodeEntry c;
    c.h.dialogs.confirmAnswers = {false};
    c.frame().stopStationButton->click();
    EXPECT_EQ(c.h.dialogs.shown, QStringList{"confirm: Завершить работу на станции?"});
    EXPECT_FALSE(c.main().canExit);
    EXPECT_TRUE(c.main().isVisible());
    EXPECT_TRUE(c.frame().isVisible());

    c.h.dialogs.confirmAnswers = {true};
    c.frame().stopStationButton->click();
    EXPECT_TRUE(c.main().canExit);
    EXPECT_FALSE(c.main().isVisible());
}
