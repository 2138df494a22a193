// Whole exams through the real main window, stages, kit and audio layer: SDL's disk driver
// stands in for the headset, the real encoder writes the recordings, and the scripted
// dialog service answers every box. The stages are ticked by the driver; only the
// microphone runs in real time.
#include "main/StationWindow.h"
#include "station/RecordingDecoder.h"
#include "app/StationDriver.h"
#include "station/StationReport.h"
#include "app/StationSession.h"
#include "support/ReviewAnswersFile.h"
#include "support/ReviewDemoStation.h"
#include "support/ScriptedDialogService.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Seconds the driver lets the microphone run: the code recording and a spoken answer.
constexpr int kSpeakMs = 1000;
constexpr int kAnswerMs = 1500;

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> fileValues(const QStringList& chosen) {
    // a1, a2, a3, a4, a5, a6: tasks 2 and 3 are spoken, so a2 and a3 stay empty.
    return {
        chosen.value(0).toLatin1(), QByteArray(), QByteArray(), chosen.value(1).toLatin1(), chosen.value(2).toLatin1(),
        chosen.value(3).toLatin1()};
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.ready) << demo.error;
        dialogs.onModal = [](QDialog&) {
            return int(QDialog::Accepted);
        };
        session = std::make_unique<StationSession>(dialogs, demo.workDir, demo.workDir + QLatin1Char('/'));
    }

    void TearDown() override { session.reset(); }

    StationWindow& startStation() {
        EXPECT_TRUE(session->start()) << dialogs.shown.join(QLatin1Char('\n')).toStdString();
        StationWindow& main = session->main();
        main.show();
        // Shortened times; tasks 1 and 4 to 6 would otherwise take 2700 ticks each.
        main.prepTime2 = main.prepTime3 = 1;
        main.taskTime2 = main.taskTime3 = 1;
        main.taskTime4 = main.taskTime5 = main.taskTime6 = 1;
        return main;
    }

    StationDriver::Options driven() const {
        StationDriver::Options options;
        options.pace = StationDriver::Pace::Driven;
        options.speakMs = kSpeakMs;
        options.answerMs = kAnswerMs;
        return options;
    }

    ReviewDemoStation demo;
    const QString& workDir = demo.workDir;
    const QString& audioDir = demo.headsetDir;
    ScriptedDialogService dialogs;
    std::unique_ptr<StationSession> session;
};

void expectRecording(const QString& path, double seconds, double tolerance) {
    const RecordingDecoder::Result r = RecordingDecoder::decode(path);
    EXPECT_EQ(r.state, RecordingDecoder::State::Decoded) << path.toStdString();
    EXPECT_NEAR(r.seconds, seconds, tolerance) << path.toStdString();
}

} // namespace

TEST_F(EndToEnd, twoExamineesOfDifferentVariantsLeaveExactlyTheirAnswersBehind) {
    QElapsedTimer clock;
    clock.start();
    StationWindow& main = startStation();
    StationDriver driver(main, driven());
    ASSERT_TRUE(driver.hardwareTest(QStringLiteral("123"), QStringLiteral("7"), QStringLiteral("2")))
        << driver.error().toStdString();
    EXPECT_TRUE(main.stationTag.endsWith(QStringLiteral("_000123_0007_2"))) << main.stationTag.toStdString();

    StationDriver::Examinee first;
    first.code = QStringLiteral("0042");
    first.photo = 2;
    first.task1 = {2, 0, 1, 3, 3};
    first.task4 = {2, 1, 0, 4, 3};
    first.task5 = {0, 0, 3, 0, 0};
    first.task6 = {1, 1, 1, 1, 1};
    StationDriver::Outcome one;
    ASSERT_TRUE(driver.examinee(first, &one)) << driver.error().toStdString();
    ASSERT_TRUE(driver.nextExaminee()) << driver.error().toStdString();

    StationDriver::Examinee second;
    second.code = QStringLiteral("1235");
    second.photo = 0;
    second.task1 = {0, 0, 0, 0, 0};
    second.task4 = {5, 4, 3, 2, 1};
    second.task5 = {4, 3, 2, 1, 4};
    second.task6 = {0, 2, 0, 2, 0};
    second.finishEarly = true;               // every timed stage ended with its button, answered Yes
    dialogs.confirmAnswers.assign(10, true); // and Yes to ending the station's work
    const int shownBefore = static_cast<int>(dialogs.shown.size());
    StationDriver::Outcome two;
    ASSERT_TRUE(driver.examinee(second, &two)) << driver.error().toStdString();
    ASSERT_TRUE(driver.endStation()) << driver.error().toStdString();
    const QString prepare = QStringLiteral("confirm: Завершить подготовку к заданию?");
    const QString task = QStringLiteral("confirm: Вы уверены, что хотите завершить выполнение задания?");
    EXPECT_EQ(dialogs.shown.mid(shownBefore).filter(QStringLiteral("confirm: ")).join('\n').toStdString(),
              QStringList({prepare, task, prepare, task, prepare, task, task, task, task,
                           QStringLiteral("confirm: Завершить работу на станции?")})
                  .join('\n')
                  .toStdString());
    EXPECT_EQ(dialogs.confirmAnswers.size(), 0u);
    const qint64 runMs = clock.elapsed();

    // Every stage of the chain, in order; the photo decides the task-3 code.
    using enum StageCode;
    const QList<StageCode> chain{
        Instruction, CodeRecording, ListeningPreparation, ListeningTask, SpokenPreparation, SpokenAnswer,
        PhotoChoice, PhotoAnswer2,  ChoiceTask4,          ChoiceTask5,   ChoiceTask6,       Review,
        Finish};
    EXPECT_EQ(one.stages, chain);
    QList<StageCode> noPhoto = chain;
    noPhoto[7] = PhotoAnswerNoPhoto;
    EXPECT_EQ(two.stages, noPhoto);
    EXPECT_EQ(one.variant, QStringLiteral("2"));
    EXPECT_EQ(two.variant, QStringLiteral("1"));
    EXPECT_EQ(one.chosen, QStringList({"20133", "21043", "00300", "11111"}));
    EXPECT_EQ(two.chosen, QStringList({"00000", "54321", "43214", "02020"}));
    EXPECT_EQ(one.stored, one.chosen);
    EXPECT_EQ(two.stored, two.chosen);
    EXPECT_TRUE(main.canExit);

    // The working folder: the kit, the headset check and the station folder, nothing else
    // (no kim.tmp, no task-1 audio copies, no half-written answers file).
    const QString station = QStringLiteral("Answer_") + main.stationTag;
    EXPECT_EQ(entries(workDir), QStringList({station, QStringLiteral("kim.kim"), QStringLiteral("test.ogg")}));
    const QString stationDir = QDir(workDir).filePath(station);
    EXPECT_EQ(entries(stationDir), QStringList({QStringLiteral("0042"), QStringLiteral("1235")}));
    for (const StationDriver::Outcome* o : {&one, &two}) {
        const QDir folder(QDir(stationDir).filePath(o->code));
        EXPECT_EQ(entries(folder.path()),
                  QStringList({o->code + QStringLiteral("_0.ans"), o->code + QStringLiteral("_0.ogg"),
                               o->code + QStringLiteral("_2.ogg"), o->code + QStringLiteral("_3.ogg")}));
        expectRecording(folder.filePath(o->code + QStringLiteral("_0.ogg")), kSpeakMs / 1000.0, 0.35);
        expectRecording(folder.filePath(o->code + QStringLiteral("_2.ogg")), kAnswerMs / 1000.0, 0.35);
        expectRecording(folder.filePath(o->code + QStringLiteral("_3.ogg")), kAnswerMs / 1000.0, 0.35);
        EXPECT_EQ(readAll(folder.filePath(o->code + QStringLiteral("_0.ans"))),
                  reviewAnswersFile(fileValues(o->chosen)))
            << o->code.toStdString();
    }
    expectRecording(QDir(workDir).filePath(QStringLiteral("test.ogg")), kSpeakMs / 1000.0, 0.35);
    // The headset's stand-in files stay in their own folder.
    EXPECT_EQ(entries(audioDir), QStringList({QStringLiteral("mic-in.raw"), QStringLiteral("speaker-out.raw")}));
    EXPECT_TRUE(dialogs.shown.filter(QStringLiteral("error")).isEmpty()) << dialogs.shown.join('\n').toStdString();
    EXPECT_TRUE(dialogs.shown.filter(QStringLiteral("audioError")).isEmpty()) << dialogs.shown.join('\n').toStdString();

    const StationReport report = StationReport::inspect(stationDir);
    EXPECT_EQ(report.exitStatus(), 0);
    std::printf("check-station %s\n%s\nrun took %lld ms\n", qPrintable(station), qPrintable(report.lines().join('\n')),
                static_cast<long long>(runMs));
}

TEST_F(EndToEnd, anExamineeStoppedInTask2GoesOnAfterARestartAndEndsComplete) {
    StationDriver::Examinee examinee;
    examinee.code = QStringLiteral("0042");
    examinee.photo = 1;
    examinee.task1 = {2, 0, 1, 3, 3};
    examinee.task4 = {2, 1, 0, 4, 3};
    examinee.task5 = {0, 0, 3, 0, 0};
    examinee.task6 = {1, 1, 1, 1, 1};
    examinee.interruptAt = StageCode::SpokenAnswer;
    QString stationDir;
    {
        StationWindow& main = startStation();
        StationDriver driver(main, driven());
        ASSERT_TRUE(driver.hardwareTest(QStringLiteral("123"), QStringLiteral("7"), QStringLiteral("2")))
            << driver.error().toStdString();
        StationDriver::Outcome cut;
        ASSERT_TRUE(driver.examinee(examinee, &cut)) << driver.error().toStdString();
        ASSERT_EQ(main.currentCode(), StageCode::SpokenAnswer);
        ASSERT_TRUE(main.recorder().RecChannel != 0); // task 2 is being recorded
        stationDir = QDir(workDir).filePath(QStringLiteral("Answer_") + main.stationTag);
    }
    // The station goes away in the middle of the answer: nobody ends its work.
    session.reset();
    const QString folder = QDir(stationDir).filePath(examinee.code);
    ASSERT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("0042.progress"))));
    EXPECT_EQ(StationReport::inspect(stationDir).exitStatus(), 1);

    // Started again, the same code is taken back on Yes and goes on with task 2.
    session = std::make_unique<StationSession>(dialogs, workDir, workDir + QLatin1Char('/'));
    StationWindow& main = startStation();
    StationDriver driver(main, driven());
    ASSERT_TRUE(driver.hardwareTest(QStringLiteral("123"), QStringLiteral("7"), QStringLiteral("2")))
        << driver.error().toStdString();
    QElapsedTimer recovering;
    recovering.start();
    while (main.recoveryRunning() && recovering.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    examinee.interruptAt.reset();
    dialogs.confirmAnswers = {true};
    dialogs.shown.clear();
    StationDriver::Outcome resumed;
    ASSERT_TRUE(driver.examinee(examinee, &resumed)) << driver.error().toStdString();
    EXPECT_EQ(dialogs.shown.filter(QStringLiteral("confirm: ")),
              QStringList{QStringLiteral("confirm: Участник с кодом 0042 начинал работу на данной станции, но не "
                                         "завершил её.\nПродолжить работу этого участника с задания № 2?\nУже "
                                         "записанные ответы сохранятся.")});
    using enum StageCode;
    EXPECT_EQ(resumed.stages, QList<StageCode>({Instruction, SpokenPreparation, SpokenAnswer, PhotoChoice, PhotoAnswer1,
                                                ChoiceTask4, ChoiceTask5, ChoiceTask6, Review, Finish}));
    // Task 1 was answered before the interruption and comes back from the progress file.
    EXPECT_EQ(resumed.stored, QStringList({"20133", "21043", "00300", "11111"}));

    EXPECT_EQ(entries(folder),
              QStringList({"0042_0.ans", "0042_0.ogg", "0042_2.ogg", "0042_2_interrupted.ogg", "0042_3.ogg"}));
    EXPECT_EQ(readAll(QDir(folder).filePath(QStringLiteral("0042_0.ans"))),
              reviewAnswersFile(fileValues(resumed.stored)));
    expectRecording(QDir(folder).filePath(QStringLiteral("0042_0.ogg")), kSpeakMs / 1000.0, 0.35);
    expectRecording(QDir(folder).filePath(QStringLiteral("0042_2.ogg")), kAnswerMs / 1000.0, 0.35);
    const StationReport report = StationReport::inspect(stationDir);
    EXPECT_EQ(report.exitStatus(), 0) << report.lines().join('\n').toStdString();
    ASSERT_NE(report.find(examinee.code), nullptr);
    EXPECT_TRUE(report.find(examinee.code)->complete());
    EXPECT_EQ(report.notes().size(), 1) << report.notes().join('\n').toStdString();
    EXPECT_TRUE(report.notes().value(0).startsWith(
        QStringLiteral("recording of interrupted work kept beside the answer: 0042/0042_2_interrupted.ogg (plays")))
        << report.notes().join('\n').toStdString();
    EXPECT_TRUE(dialogs.shown.filter(QStringLiteral("rror")).isEmpty()) << dialogs.shown.join('\n').toStdString();
}
