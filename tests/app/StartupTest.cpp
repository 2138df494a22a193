#include "app/StationCommandLine.h"
#include "app/StationSession.h"
#include "app/WorkingFolder.h"
#include "audio/OggInspect.h"
#include "kit/Cp1251.h"
#include "kit/KitManifest.h"
#include "main/StationWindow.h"
#include "stages/preexam/PreExamStages.h"
#include "stages/StageTable.h"
#include "stages/preexam/InstructionStage.h"
#include "stages/preexam/CodeRecordingStage.h"
#include "stages/preexam/HardwareCheckStage.h"
#include "station/StationFolders.h"
#include "station/StationIdentity.h"
#include "station/StationLog.h"
#include "station/StationReport.h"
#include "widgets/StageWidgets.h"
#include "support/AudioSignals.h"
#include "support/StagesKeyboard.h"
#include "support/StagesKit.h"
#include "support/StationHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The hardware check after its test recording: both checks confirmed, school 123,
// auditorium 7, station 2, and on to the instruction.
void confirmChecksAndNumbers(HardwareCheckStage& hard) {
    hard.onRecordingYesClicked();
    hard.onTextCheckClicked();
    hard.onTextYesClicked();
    stagestest::typeText(hard.schoolNumberEdit, "123");
    stagestest::typeText(hard.auditoriumNumberEdit, "7");
    stagestest::typeText(hard.stationNumberEdit, "2");
    hard.continueButton->click();
    tick(&hard);
}

using stagestest::KitRow;

// A kit the station accepts: for each row given, the demo kit's row of that variant (its
// sheets, options and audio) with the row's number and texts. Without the variant in the
// demo kit, its first row's content.
kit::MemTable completeKit(std::initializer_list<KitRow> rows) {
    kit::MemTable demo;
    std::string error;
    EXPECT_TRUE(kit::loadManifest(ZUNT_TEST_DATA "/../../demo-kit/manifest.txt", &demo, &error)) << error;
    kit::MemTable result(demo.fields());
    for (const KitRow& row : rows) {
        demo.first();
        demo.locate("VarNo", row.varNo);
        result.append();
        for (int i = 0; i < static_cast<int>(demo.fields().size()); ++i)
            result.setValue(i, *demo.value(i));
        result.setText("VarNo", std::to_string(row.varNo));
        result.setText("subjid", std::to_string(row.subjid));
        result.setText("subjname", kit::utf8ToCp1251(row.subjname.toStdString()));
        result.setText("ExamDate", kit::utf8ToCp1251(row.examDate.toStdString()));
        result.post();
    }
    result.first();
    return result;
}

// A working folder holding a kit, and the main window about to start on it.
struct Startup {
    explicit Startup(std::initializer_list<KitRow> rows = {KitRow::variant(1, "Вариант 1", "25.05.2019"),
                                                           KitRow::variant(0, "Английский язык", "25.05.2019"),
                                                           KitRow::variant(2, "Вариант 2", "25.05.2019")})
        : Startup(completeKit(rows)) {}
    explicit Startup(const kit::MemTable& kit) {
        stages::registerStages(h.stages);
        EXPECT_TRUE(stagestest::saveKitFile(kit, h.workDir.path()));
    }
    bool start() { return h.createWindow().startUp(); }
    StationWindow& main() { return *h.window; }
    HardwareCheckStage* hardwareTest() { return qobject_cast<HardwareCheckStage*>(h.window->currentStage.data()); }
    bool kimTmpLeft() const { return QFileInfo::exists(QDir(h.workDir.path()).filePath("kim.tmp")); }
    void writeKimKim(const QByteArray& bytes) {
        QFile kim(QDir(h.workDir.path()).filePath("kim.kim"));
        ASSERT_TRUE(kim.open(QIODevice::WriteOnly | QIODevice::Truncate));
        kim.write(bytes);
    }
    int shownOf(const QString& kind) const {
        return static_cast<int>(h.dialogs.shown.filter(QRegularExpression("^" + kind + ": ")).size());
    }
    StationHarness h;
};

} // namespace

TEST(Startup, acceptsEveryReleaseOfAudioVersionTwoFour) {
    for (std::uint32_t version : {0x02040000u, 0x02040001u, 0x0204FFFFu, 0x02041107u}) {
        Startup s;
        s.h.audio.versionValue = version;
        EXPECT_TRUE(s.start()) << std::hex << version;
        EXPECT_NE(s.hardwareTest(), nullptr) << std::hex << version;
        EXPECT_TRUE(s.h.dialogs.shown.isEmpty()) << std::hex << version;
        EXPECT_TRUE(s.main().audioReady);
    }
}

TEST(Startup, endsWithTheVersionMessageForAudioVersionsTwoThreeAndThree) {
    for (std::uint32_t version : {0x02030000u, 0x02030009u, 0x03000000u, 0x02050000u, 0x00000204u}) {
        Startup s;
        s.h.audio.versionValue = version;
        EXPECT_FALSE(s.start()) << std::hex << version;
        EXPECT_EQ(s.h.dialogs.shown, QStringList{"fatal: " + StationWindow::kWrongAudioLibraryText});
        EXPECT_EQ(s.h.audio.callCount("recordInit"), 0);
        EXPECT_TRUE(s.main().currentStage.isNull());
    }
}

TEST(Startup, failedRecordingDeviceIsReportedOnceAndTheHardwareTestStillOpens) {
    Startup s;
    s.h.audio.recordInitSucceeds = false;
    EXPECT_TRUE(s.start());
    EXPECT_EQ(s.shownOf("audioError"), 1);
    EXPECT_TRUE(s.h.dialogs.shown.front().startsWith(
        "audioError: Невозможно запустить устройство аудиозаписи.\n\rПроверьте подключение гарнитуры с микрофоном"));
    EXPECT_EQ(s.h.audio.callCount("recordInit"), 1);
    EXPECT_EQ(s.h.audio.callCount("init"), 0);
    EXPECT_FALSE(s.main().audioReady);
    EXPECT_FALSE(s.main().canExit);
    ASSERT_NE(s.hardwareTest(), nullptr);
    s.main().show(); // the refused close left the window usable
    EXPECT_TRUE(s.main().isVisible());

    // The hardware test refuses the test recording with its own message.
    s.h.dialogs.shown.clear();
    s.hardwareTest()->onRecordingCheckClicked();
    EXPECT_EQ(s.h.dialogs.shown, QStringList{"audioError: Нет готового устройства аудио-записи"});
    EXPECT_EQ(s.h.audio.callCount("recordStart"), 0);
}

TEST(Startup, failedOutputDeviceIsReportedOnceToo) {
    Startup s;
    s.h.audio.initSucceeds = false;
    EXPECT_TRUE(s.start());
    EXPECT_EQ(s.shownOf("audioError"), 1);
    EXPECT_EQ(s.h.audio.callCount("init"), 1);
    EXPECT_FALSE(s.main().audioReady);
    EXPECT_NE(s.hardwareTest(), nullptr);
}

TEST(Startup, leavesNoKimTmpBehind) {
    Startup s;
    ASSERT_TRUE(s.start());
    EXPECT_FALSE(s.kimTmpLeft());
    EXPECT_TRUE(QFileInfo::exists(QDir(s.h.workDir.path()).filePath("kim.kim")));
}

TEST(Startup, selectsVariantZeroForTheHardwareTest) {
    Startup s;
    ASSERT_TRUE(s.start());
    EXPECT_EQ(s.main().complects.asText("VarNo"), "0");
    EXPECT_EQ(s.main().kitExamDate, "25.05.2019");
    EXPECT_EQ(s.hardwareTest()->subjectLabel->text(),
              QStringLiteral("Станция для проведения ЗУНТ по:\n\rАнглийский язык"));
}

// The refusal: one box naming what is wrong, no stage, no audio started, no kim.tmp left.
void expectRefused(Startup& s, const QString& reason) {
    EXPECT_FALSE(s.start());
    ASSERT_EQ(s.h.dialogs.shown.size(), 1);
    const QString& shown = s.h.dialogs.shown.front();
    EXPECT_TRUE(shown.startsWith("error: Экзаменационный комплект kim.kim непригоден для экзамена"))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(reason)) << shown.toStdString();
    EXPECT_TRUE(s.main().currentStage.isNull());
    EXPECT_EQ(s.h.audio.callCount("recordInit"), 0);
    EXPECT_FALSE(s.kimTmpLeft());
}

TEST(Startup, refusesAKitWithoutAVariantTheStationUses) {
    Startup s({KitRow::variant(2, "Второй", "02.02.2002"), KitRow::variant(1, "Первый", "02.02.2002")});
    expectRefused(s, QStringLiteral("нет строки варианта 0"));

    Startup onlyZero({KitRow::variant(0)});
    expectRefused(onlyZero, QStringLiteral("нет строки варианта 1\n— нет строки варианта 2"));
}

TEST(Startup, refusesAKitWithoutVariantNumbers) {
    const kit::MemTable full = completeKit({KitRow::variant(0), KitRow::variant(1), KitRow::variant(2)});
    std::vector<kit::FieldDef> fields;
    for (const kit::FieldDef& def : full.fields()) {
        if (def.name != "VarNo")
            fields.push_back(def);
    }
    kit::MemTable noVarNo(fields);
    noVarNo.append();
    noVarNo.setText("subjid", "3");
    noVarNo.post();
    Startup s(noVarNo);
    expectRefused(s, QStringLiteral("нет поля VarNo"));
}

// A task audio cut short used to give the listening task a countdown of 536870911 seconds.
TEST(Startup, refusesAKitWhoseTaskAudioIsCutShort) {
    kit::MemTable kit = completeKit({KitRow::variant(0), KitRow::variant(1), KitRow::variant(2)});
    kit.locate("VarNo", 1);
    const std::string audio = kit.asBytes("t1Aud");
    kit.edit();
    kit.setText("t1Aud", audio.substr(0, audio.size() / 2));
    kit.post();
    Startup s(kit);
    expectRefused(s, QStringLiteral("вариант 1: звук в поле t1Aud повреждён или не читается"));
}

TEST(Startup, acceptsTheDemoKitWithoutABox) {
    kit::MemTable demo;
    std::string error;
    ASSERT_TRUE(kit::loadManifest(ZUNT_TEST_DATA "/../../demo-kit/manifest.txt", &demo, &error)) << error;
    Startup s(demo);
    EXPECT_TRUE(s.start());
    EXPECT_TRUE(s.h.dialogs.shown.isEmpty()) << s.h.dialogs.shown.join('\n').toStdString();
    EXPECT_NE(s.hardwareTest(), nullptr);
}

TEST(Startup, setsTheTimingSettingsTheCodeAndOneEmptyAnswersRow) {
    Startup s;
    ASSERT_TRUE(s.start());
    StationWindow& w = s.main();
    EXPECT_EQ((std::vector<int>{w.prepTime1, w.taskTime1, w.prepTime2, w.taskTime2, w.prepTime3, w.taskTime3,
                                w.taskTime4, w.taskTime5, w.taskTime6}),
              (std::vector<int>{25, 2700, 90, 90, 90, 120, 2700, 2700, 2700}));
    EXPECT_EQ(w.participantCode, "0000");
    EXPECT_FALSE(w.canExit);
    EXPECT_EQ(w.answers.recordCount(), 1);
    for (const char* field : {"a1", "a2", "a3", "a4", "a5", "a6"})
        EXPECT_EQ(w.answers.asText(field), "") << field;
    EXPECT_TRUE(w.headerBar->isHidden()); // the hardware test hides the header bar
}

TEST(Startup, failedKitLoadSaysSoThenEndsWithoutKimTmp) {
    const QByteArray broken[] = {QByteArray(), QByteArray("\x10\x00\x00\x00garbage-not-zlib", 20),
                                 QByteArray("\xff\xff\xff\x7f", 4)};
    for (const QByteArray& bytes : broken) {
        Startup s;
        s.writeKimKim(bytes);
        EXPECT_FALSE(s.start()) << bytes.toHex().toStdString();
        ASSERT_EQ(s.h.dialogs.shown.size(), 1) << bytes.toHex().toStdString();
        const QString firstLine = s.h.dialogs.shown.front().section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(firstLine.startsWith("error: Не удалось загрузить")) << firstLine.toStdString();
        EXPECT_TRUE(firstLine.contains("kim.kim")) << firstLine.toStdString();
        EXPECT_FALSE(s.kimTmpLeft()) << bytes.toHex().toStdString();
        EXPECT_TRUE(s.main().currentStage.isNull());
        EXPECT_EQ(s.h.audio.callCount("recordInit"), 0);
    }
}

TEST(Startup, missingKitSaysSoThenEnds) {
    Startup s;
    ASSERT_TRUE(QFile::remove(QDir(s.h.workDir.path()).filePath("kim.kim")));
    EXPECT_FALSE(s.start());
    ASSERT_EQ(s.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(
        s.h.dialogs.shown.front().startsWith("error: Не удалось загрузить файл экзаменационного комплекта kim.kim"));
    EXPECT_FALSE(s.kimTmpLeft());
}

TEST(Startup, shutDownReleasesTheAudioLayerInOrder) {
    Startup s;
    ASSERT_TRUE(s.start());
    s.h.audio.calls.clear();
    s.h.window.reset();
    EXPECT_EQ(s.h.audio.calls, QStringList({"recordFree", "free", "stop"}));
}

TEST(Startup, firstExamineeReachesTheFirstPreparationThroughThePreExamStages) {
    Startup s;
    s.h.stages.add<IdleStage>(StageCode::ListeningPreparation); // the first preparation
    ASSERT_TRUE(s.start());
    stages::createStationWindows(s.main());
    s.main().show();

    HardwareCheckStage* hard = s.hardwareTest();
    ASSERT_NE(hard, nullptr);
    hard->onRecordingCheckClicked();
    hard->onRecordingCheckClicked();
    confirmChecksAndNumbers(*hard);

    auto* instruction = qobject_cast<InstructionStage*>(s.main().currentStage.data());
    ASSERT_NE(instruction, nullptr);
    EXPECT_EQ(s.main().stationTag, "25.05.2019_3_000123_0007_2");
    stagestest::typeText(instruction->codeEdit, "0042");
    instruction->startButton->click();
    tick(instruction);

    auto* recording = qobject_cast<CodeRecordingStage*>(s.main().currentStage.data());
    ASSERT_NE(recording, nullptr);
    EXPECT_EQ(s.main().participantCode, "0042");
    EXPECT_EQ(s.main().complects.asText("VarNo"), "2");
    recording->onRecordClicked();
    recording->onRecordClicked();
    recording->onYesClicked();
    recording->continueButton->click();
    tick(recording);

    EXPECT_NE(dynamic_cast<IdleStage*>(s.main().currentStage.data()), nullptr);
    EXPECT_TRUE(s.main().headerBar->isVisible());
    EXPECT_TRUE(s.main().folders().answerFolderExists());
    EXPECT_EQ(s.h.audio.encodedFiles,
              QStringList({QDir(s.h.workDir.path()).filePath("test.ogg"), s.main().folders().answerFile("_0.ogg")}));
    EXPECT_TRUE(s.h.dialogs.shown.contains("modal: KitTextViewer"));
    EXPECT_EQ(s.shownOf("message") + s.shownOf("audioError") + s.shownOf("error"), 0);
}

TEST(Startup, commandLineAsksForHelpVersionRehearsalOrAFolderAndRefusesTheRest) {
    using Action = StationCommandLine::Action;
    const auto parse = [](QStringList args) {
        args.prepend(QStringLiteral("zunt-station"));
        return StationCommandLine::parse(args);
    };
    EXPECT_EQ(parse({}).action, Action::RunStation);
    const StationCommandLine help = parse({QStringLiteral("--help")});
    EXPECT_EQ(help.action, Action::ShowHelp); // never the station itself
    EXPECT_TRUE(help.message.startsWith(QLatin1String("usage: zunt-station")));
    EXPECT_EQ(parse({QStringLiteral("-v")}).action, Action::ShowVersion);
    const StationCommandLine rehearse = parse({QStringLiteral("--rehearsal"), QStringLiteral("/tmp/kit")});
    EXPECT_EQ(rehearse.action, Action::Rehearse);
    EXPECT_EQ(rehearse.rehearsalDir, QStringLiteral("/tmp/kit"));
    const StationCommandLine unknown = parse({QStringLiteral("--fullscreen")});
    EXPECT_EQ(unknown.action, Action::Refuse);
    EXPECT_EQ(unknown.message, QStringLiteral("Unknown option 'fullscreen'"));
    EXPECT_EQ(parse({QStringLiteral("--rehearsal")}).action, Action::Refuse);
    const StationCommandLine folder = parse({QStringLiteral("/srv/exam")});
    EXPECT_EQ(folder.action, Action::RunStation);
    EXPECT_EQ(folder.workDir, QStringLiteral("/srv/exam"));
    EXPECT_TRUE(parse({}).workDir.isEmpty());
    EXPECT_EQ(parse({QStringLiteral("one"), QStringLiteral("two")}).action, Action::Refuse);
    EXPECT_EQ(parse({QStringLiteral("--rehearsal"), QStringLiteral("/tmp/kit"), QStringLiteral("more")}).action,
              Action::Refuse);
}

namespace {

// A folder holding a kit the station accepts, for the working-folder tests.
struct KitFolder {
    KitFolder() {
        EXPECT_TRUE(stagestest::saveKitFile(
            completeKit({KitRow::variant(0, "Английский язык", "25.05.2019"), KitRow::variant(1), KitRow::variant(2)}),
            dir.path()));
    }
    QString path() const { return QDir(dir.path()).absolutePath(); }
    QTemporaryDir dir;
};

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(Startup, stationWorksInTheFolderGivenTheCurrentOneWithAKitOrThePickedOne) {
    KitFolder kit;
    QTemporaryDir elsewhere; // a current folder without a kit
    QTemporaryDir settingsDir;
    QSettings settings(QDir(settingsDir.path()).filePath("zunt-station.conf"), QSettings::IniFormat);
    ScriptedDialogService dialogs;

    const auto startsIn = [&](const WorkingFolder& folder) {
        EXPECT_EQ(folder.path, kit.path());
        StationSession session(dialogs, folder.path, folder.path + QLatin1Char('/'));
        EXPECT_TRUE(session.start());
        EXPECT_EQ(session.main().workDir, kit.path());
        EXPECT_NE(qobject_cast<HardwareCheckStage*>(session.main().currentStage.data()), nullptr);
    };

    // Given on the command line: no question, even when the current folder holds a kit too.
    startsIn(WorkingFolder::resolve(kit.path(), kit.path(), dialogs, settings));
    // Started in the kit's folder.
    startsIn(WorkingFolder::resolve(QString(), kit.path(), dialogs, settings));
    EXPECT_TRUE(dialogs.shown.filter(QRegularExpression("^chooseFolder: ")).isEmpty());

    // Neither: the organiser picks the folder, and the next start's dialog opens there.
    dialogs.folderAnswers = {kit.path()};
    startsIn(WorkingFolder::resolve(QString(), elsewhere.path(), dialogs, settings));
    ASSERT_EQ(dialogs.shown.filter(QRegularExpression("^chooseFolder: ")).size(), 1);
    EXPECT_TRUE(
        dialogs.shown.contains(QStringLiteral("chooseFolder: Выберите папку с экзаменационным комплектом kim.kim [%1]")
                                   .arg(QDir::homePath())));
    dialogs.shown.clear();
    const WorkingFolder cancelled = WorkingFolder::resolve(QString(), elsewhere.path(), dialogs, settings);
    EXPECT_EQ(
        dialogs.shown,
        QStringList(
            QStringLiteral("chooseFolder: Выберите папку с экзаменационным комплектом kim.kim [%1]").arg(kit.path())));
    EXPECT_TRUE(cancelled.path.isEmpty());
    EXPECT_TRUE(cancelled.problem.isEmpty());

    // A folder named on the command line that is not there is a mistake, never a dialog.
    dialogs.shown.clear();
    const WorkingFolder missing =
        WorkingFolder::resolve(QDir(elsewhere.path()).filePath("no-such"), kit.path(), dialogs, settings);
    EXPECT_TRUE(missing.path.isEmpty());
    EXPECT_TRUE(missing.problem.startsWith("no such folder"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(Startup, logRecordsStagesRecordingsAndErrorsThenMovesIntoTheStationFolder) {
    QTemporaryDir before;
    StationLog log(before.path());
    Startup s;
    s.h.stages.add<IdleStage>(StageCode::ListeningPreparation);
    ASSERT_TRUE(s.start());
    stages::createStationWindows(s.main());
    HardwareCheckStage* hard = s.hardwareTest();
    ASSERT_NE(hard, nullptr);
    hard->onRecordingCheckClicked();
    hard->onRecordingCheckClicked();
    s.h.audio.recordStartFails = true; // the second test recording fails: an error with its cause
    hard->onRecordingCheckClicked();
    s.h.audio.recordStartFails = false;

    const QString early = readAll(log.filePath());
    EXPECT_TRUE(early.contains("[zunt.stages] info: stage 1 HardwareCheckStage")) << early.toStdString();
    EXPECT_TRUE(early.contains(QRegularExpression("\\[zunt.audio\\] info: recording started: .*test\\.ogg")))
        << early.toStdString();
    EXPECT_TRUE(
        early.contains(QRegularExpression("\\[zunt.audio\\] info: recording stopped: .*test\\.ogg after [0-9.]+ s")))
        << early.toStdString();
    EXPECT_TRUE(early.contains("[zunt.audio] warning: audio error box: ")) << early.toStdString();
    EXPECT_TRUE(early.contains("[zunt.kit] info: kit ")) << early.toStdString();

    // Once the station's numbers are set the log lives beside the answers, the run so far included.
    confirmChecksAndNumbers(*hard);
    ASSERT_NE(qobject_cast<InstructionStage*>(s.main().currentStage.data()), nullptr);
    const QString stationLog =
        QDir(s.main().folders().stationFolder()).filePath(StationLog::fileName(QDate::currentDate()));
    EXPECT_EQ(log.filePath(), QFileInfo(stationLog).absoluteFilePath());
    const QString moved = readAll(stationLog);
    EXPECT_TRUE(moved.contains("stage 1 HardwareCheckStage")) << moved.toStdString();
    EXPECT_TRUE(moved.contains("audio error box: ")) << moved.toStdString();
    EXPECT_TRUE(moved.contains("stage 5 InstructionStage")) << moved.toStdString();
    EXPECT_TRUE(StationReport::inspect(s.main().folders().stationFolder()).notes().isEmpty()); // not a stray file
    EXPECT_FALSE(readAll(QDir(before.path()).filePath(StationLog::fileName(QDate::currentDate()))).contains("stage 5"));
}

TEST(Startup, answersAPowerCutLeftAsRawSoundAreEncodedAgainOnceTheStationFolderIsKnown) {
    Startup s;
    s.h.stages.add<IdleStage>(StageCode::Instruction);
    ASSERT_TRUE(s.start());
    stages::createStationWindows(s.main());
    HardwareCheckStage* hard = s.hardwareTest();
    ASSERT_NE(hard, nullptr);
    // What the last run left: a task-2 answer cut at the power cut, its sound kept beside it.
    const QString tag = StationIdentity::compose(s.main().kitExamDate, s.main().kitSubjectId, "123", "7", "2");
    const StationFolders folders(s.main().workDir, tag, QStringLiteral("0042"));
    ASSERT_TRUE(folders.ensureExist());
    const QString answer = folders.answerFile(QStringLiteral("_2.ogg"));
    QFile cut(answer);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("OggS", 4);
    cut.close();
    QFile raw(answer + QStringLiteral(".pcm.tmp"));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(audiotest::sinePcm(440.0, 3 * 44100));
    raw.close();

    hard->onRecordingCheckClicked();
    hard->onRecordingCheckClicked();
    confirmChecksAndNumbers(*hard);
    ASSERT_EQ(s.main().stationTag, tag);
    // Encoded on a thread of its own while the station goes on.
    QElapsedTimer clock;
    clock.start();
    while (QFileInfo::exists(answer + QStringLiteral(".pcm.tmp")) && clock.elapsed() < 30000)
        QThread::msleep(20);
    EXPECT_FALSE(QFileInfo::exists(answer + QStringLiteral(".pcm.tmp")));
    const audio::OggInspection recovered = audio::inspectOggFile(answer);
    EXPECT_TRUE(recovered.endedCleanly);
    EXPECT_NEAR(recovered.decodedSeconds, 3.0, 0.01);
}

TEST(Startup, organiserIsWarnedOfAScreenTooSmallForTheWindow) {
    const QSize window(1016, 713);
    EXPECT_TRUE(StageWidgets::screenTooSmallText(window, QSize(1280, 994), QSize(1280, 1024), 1.0).isEmpty());
    EXPECT_TRUE(StageWidgets::screenTooSmallText(window, QSize(1016, 713), QSize(1016, 713), 1.0).isEmpty());

    const QString small = StageWidgets::screenTooSmallText(window, QSize(1024, 576), QSize(1024, 600), 1.0);
    EXPECT_TRUE(small.contains("экран 1024 × 600 точек")) << small.toStdString();
    EXPECT_TRUE(small.contains("свободно от панелей 1024 × 576")) << small.toStdString();
    EXPECT_TRUE(small.contains("разрешение не меньше 1024 × 768")) << small.toStdString();
    EXPECT_FALSE(small.contains("масштаб")) << small.toStdString();

    // 1920 x 1080 at 200 %: the desktop has 960 x 540 of its own pixels for the window.
    const QString scaled = StageWidgets::screenTooSmallText(window, QSize(960, 510), QSize(1920, 1080), 2.0);
    EXPECT_TRUE(scaled.contains("экран 1920 × 1080 точек при масштабе 200 %")) << scaled.toStdString();
    EXPECT_TRUE(scaled.contains("масштаб 100 %")) << scaled.toStdString();
}
