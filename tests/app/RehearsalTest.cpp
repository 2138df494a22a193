// The rehearsal on the demo kit, driven at test pace: the same plan, choices and checks as
// `zunt-station --rehearsal DIR`, with one-second recordings and the stages ticked.
#include "main/StationWindow.h"
#include "app/RehearsalDialogService.h"
#include "station/StationReport.h"
#include "app/StationRehearsal.h"
#include "app/StationSession.h"
#include "support/ReviewDemoStation.h"

#include <QDialog>
#include <QDir>

#include <gtest/gtest.h>

namespace {

// Cycles 1, 2, 3, ... through each list's options, so every run chooses the same.
struct CyclingPick {
    int next = 0;
    int operator()(int count) { return count > 0 ? (next++ % count) + 1 : 0; }
};

struct Rehearsal {
    ReviewDemoStation demo;
    QStringList printed;
    RehearsalDialogService dialogs{[this](const QString& line) { printed << line; }, 50};
    std::unique_ptr<StationSession> session;

    bool start() {
        session = std::make_unique<StationSession>(dialogs, demo.workDir, demo.workDir + QLatin1Char('/'));
        if (!session->start())
            return false;
        session->main().show();
        return true;
    }

    bool run() {
        StationRehearsal::Options options;
        options.pace = StationDriver::Pace::Driven;
        options.stageSeconds = 1;
        options.pick = CyclingPick();
        return StationRehearsal::run(session->main(), dialogs, options,
                                     [this](const QString& line) { printed << line; });
    }
};

} // namespace

TEST(StationRehearsal, playsThreeExamineesOfTheThreeVariantsAndFindsTheirAnswersComplete) {
    Rehearsal r;
    ASSERT_TRUE(r.demo.ready) << r.demo.error;
    ASSERT_TRUE(r.start());
    const QString folder = StationRehearsal::stationFolderName(r.session->main());
    EXPECT_TRUE(folder.endsWith(QStringLiteral("_000001_0001_1"))) << folder.toStdString();
    const bool ok = r.run();
    std::printf("%s\n", qPrintable(r.printed.join('\n')));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(r.session->main().canExit); // the station's work was ended
    EXPECT_TRUE(r.dialogs.failures().isEmpty());

    // The chosen strings are printed per examinee, and the report lines follow them.
    const QStringList chosen = r.printed.filter(QStringLiteral(" вариант="));
    ASSERT_EQ(chosen.size(), 3);
    EXPECT_TRUE(chosen[0].startsWith(QStringLiteral("0001 вариант=0 a1=")));
    EXPECT_TRUE(chosen[1].startsWith(QStringLiteral("1235 вариант=1 a1=")));
    EXPECT_TRUE(chosen[2].startsWith(QStringLiteral("0042 вариант=2 a1=")));
    EXPECT_TRUE(r.printed.contains(QStringLiteral("complete 3 incomplete 0")));
    const StationReport report = StationReport::inspect(QDir(r.demo.workDir).filePath(folder));
    EXPECT_EQ(report.exitStatus(), 0);
    EXPECT_EQ(report.examinees().size(), 3u);
}

TEST(StationRehearsal, namesEveryDisagreementBetweenChoicesAndTheStationFolder) {
    Rehearsal r;
    ASSERT_TRUE(r.demo.ready) << r.demo.error;
    ASSERT_TRUE(r.start());
    const QString folder = QDir(r.demo.workDir).filePath(StationRehearsal::stationFolderName(r.session->main()));
    QDir(folder).mkpath(QStringLiteral("0001"));
    QDir(folder).mkpath(QStringLiteral("0042"));
    const StationReport report = StationReport::inspect(folder);

    StationDriver::Outcome played;
    played.code = QStringLiteral("0001");
    played.chosen = QStringList{"12312", "21043", "00300", "11111"};
    StationDriver::Outcome lost;
    lost.code = QStringLiteral("1235");
    const QStringList problems = StationRehearsal::disagreements(report, {played, lost});
    EXPECT_EQ(problems,
              QStringList({QStringLiteral("0001: ответы неполные"), QStringLiteral("1235: нет папки участника"),
                           QStringLiteral("0042: лишняя папка участника")}));
    EXPECT_EQ(StationRehearsal::disagreements(StationReport::inspect(r.demo.workDir), {}),
              QStringList{QStringLiteral("папка станции не найдена")});
}

TEST(StationRehearsal, refusesToRunOverTheStationFolderOfAnEarlierRehearsal) {
    Rehearsal r;
    ASSERT_TRUE(r.demo.ready) << r.demo.error;
    ASSERT_TRUE(r.start());
    const QString folder = QDir(r.demo.workDir).filePath(StationRehearsal::stationFolderName(r.session->main()));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/0001")));
    EXPECT_FALSE(r.run());
    EXPECT_TRUE(r.printed.value(0).contains(QStringLiteral("уже есть"))) << r.printed.join('\n').toStdString();
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/0001")).isDir());                           // nothing removed
    EXPECT_FALSE(QFileInfo::exists(QDir(r.demo.workDir).filePath(QStringLiteral("test.ogg")))); // nothing recorded
}

TEST(RehearsalDialogService, saysYesToQuestionsAndKeepsEveryOtherBoxAsAFailure) {
    QStringList printed;
    RehearsalDialogService dialogs([&printed](const QString& line) { printed << line; }, 10);
    EXPECT_TRUE(dialogs.confirm(QStringLiteral("Завершить подготовку к заданию?")));
    EXPECT_TRUE(dialogs.failures().isEmpty());
    dialogs.audioError(QStringLiteral("Невозможно начать запись.\n(Код ошибки: 23)"));
    dialogs.error(QStringLiteral("Не удаётся записать файл"));
    dialogs.message(QStringLiteral("Некорректный код участника!\n\rКод участника должен состоять из 4 цифр"));
    EXPECT_EQ(dialogs.failures(),
              QStringList({QStringLiteral("ошибка звука: Невозможно начать запись. / (Код ошибки: 23)"),
                           QStringLiteral("ошибка: Не удаётся записать файл"),
                           QStringLiteral("сообщение: Некорректный код участника! / Код участника должен состоять из 4 "
                                          "цифр")}));
    EXPECT_EQ(printed.size(), 4);

    QDialog window; // a window nobody closes is closed for the rehearsal
    EXPECT_EQ(dialogs.execModal(window), int(QDialog::Accepted));
    EXPECT_FALSE(window.isVisible());
}
