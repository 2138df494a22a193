#include "app/StationRehearsal.h"

#include "main/StationWindow.h"
#include "app/RehearsalDialogService.h"
#include "station/StationIdentity.h"
#include "station/StationReport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace {

const QString kSchool = QStringLiteral("1");
const QString kAuditorium = QStringLiteral("1");
const QString kStation = QStringLiteral("1");

} // namespace

QList<StationDriver::Examinee> StationRehearsal::examinees() {
    QList<StationDriver::Examinee> list;
    const struct {
        const char* code;
        int photo;
    } plan[] = {{"0001", 1}, {"1235", 2}, {"0042", 0}};
    for (const auto& p : plan) {
        StationDriver::Examinee e;
        e.code = QString::fromLatin1(p.code);
        e.photo = p.photo;
        list << e; // the lists stay open: the driver picks
    }
    return list;
}

QString StationRehearsal::stationFolderName(const StationWindow& main) {
    return QStringLiteral("Answer_") +
           StationIdentity::compose(main.kitExamDate, main.kitSubjectId, kSchool, kAuditorium, kStation);
}

QStringList StationRehearsal::disagreements(const StationReport& report,
                                            const QList<StationDriver::Outcome>& outcomes) {
    QStringList problems;
    if (!report.isStationFolder())
        return {QStringLiteral("папка станции не найдена")};
    for (const StationDriver::Outcome& o : outcomes) {
        const StationReport::Examinee* e = report.find(o.code);
        if (!e) {
            problems << QStringLiteral("%1: нет папки участника").arg(o.code);
            continue;
        }
        if (!e->complete())
            problems << QStringLiteral("%1: ответы неполные").arg(o.code);
        if (e->answersState != StationReport::AnswersState::Read)
            continue;
        const QStringList expected{o.chosen.value(0), QString(),         QString(),
                                   o.chosen.value(1), o.chosen.value(2), o.chosen.value(3)};
        if (e->answers != expected)
            problems << QStringLiteral("%1: в файле ответов %2, выбрано %3")
                            .arg(o.code, e->answers.join(QLatin1Char(',')), expected.join(QLatin1Char(',')));
    }
    for (const StationReport::Examinee& e : report.examinees()) {
        const bool played = std::any_of(outcomes.begin(), outcomes.end(),
                                        [&e](const StationDriver::Outcome& o) { return o.code == e.code; });
        if (!played)
            problems << QStringLiteral("%1: лишняя папка участника").arg(e.code);
    }
    return problems;
}

bool StationRehearsal::run(StationWindow& main, const RehearsalDialogService& dialogs, const Options& options,
                           const std::function<void(const QString&)>& print) {
    const QString folderName = stationFolderName(main);
    const QString stationDir = QDir(main.workDir).filePath(folderName);
    if (QFileInfo::exists(stationDir)) {
        // The codes of the rehearsal would be refused as already answered; nothing is removed.
        print(QStringLiteral("Папка %1 уже есть в %2: уберите её или возьмите другую папку.")
                  .arg(folderName, main.workDir));
        return false;
    }
    const int stageSeconds = options.stageSeconds;
    main.prepTime2 = main.prepTime3 = stageSeconds;
    main.taskTime2 = main.taskTime3 = stageSeconds;
    main.taskTime4 = main.taskTime5 = main.taskTime6 = stageSeconds;

    StationDriver::Options driving;
    driving.pace = options.pace;
    driving.speakMs = stageSeconds * 1000;
    driving.answerMs = stageSeconds * 1000;
    driving.liveStageSeconds = stageSeconds;
    driving.pick = options.pick ? options.pick : [](int count) {
        return count > 0 ? QRandomGenerator::global()->bounded(1, count + 1) : 0;
    };
    StationDriver driver(main, driving);

    print(QStringLiteral("Проверка оборудования: школа %1, аудитория %2, станция %3")
              .arg(kSchool, kAuditorium, kStation));
    bool ok = driver.hardwareTest(kSchool, kAuditorium, kStation);
    QList<StationDriver::Outcome> outcomes;
    const QList<StationDriver::Examinee> plan = examinees();
    for (int i = 0; ok && i < plan.size(); ++i) {
        print(QStringLiteral("Участник %1").arg(plan[i].code));
        StationDriver::Outcome outcome;
        ok = driver.examinee(plan[i], &outcome);
        if (!ok)
            break;
        outcomes << outcome;
        print(QStringLiteral("%1 вариант=%2 a1=%3 a4=%4 a5=%5 a6=%6")
                  .arg(outcome.code, outcome.variant, outcome.chosen.value(0), outcome.chosen.value(1),
                       outcome.chosen.value(2), outcome.chosen.value(3)));
        ok = i + 1 < plan.size() ? driver.nextExaminee() : driver.endStation();
    }
    if (!ok)
        print(QStringLiteral("Репетиция остановлена: ") + driver.error());

    print(QStringLiteral("check-station %1").arg(folderName));
    const StationReport report = StationReport::inspect(stationDir);
    if (report.isStationFolder()) {
        for (const QString& line : report.lines())
            print(line);
        for (const QString& note : report.notes())
            print(QStringLiteral("  ") + note);
    } else {
        print(QStringLiteral("  папки станции нет"));
    }
    const QStringList problems = disagreements(report, outcomes);
    for (const QString& problem : problems)
        print(QStringLiteral("  расхождение: ") + problem);
    for (const QString& failure : dialogs.failures())
        print(QStringLiteral("  станция сообщила: ") + failure);
    ok = ok && problems.isEmpty() && dialogs.failures().isEmpty() && report.exitStatus() == 0 &&
         outcomes.size() == plan.size();
    print(ok ? QStringLiteral("Репетиция прошла: станция готова.") : QStringLiteral("Репетиция не прошла."));
    return ok;
}
