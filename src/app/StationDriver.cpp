#include "app/StationDriver.h"

#include "kit/Cp1251.h"
#include "main/StageFrame.h"
#include "main/StationWindow.h"
#include "stages/common/CountdownStage.h"
#include "stages/review/FinishStage.h"
#include "stages/preexam/InstructionStage.h"
#include "stages/review/ReviewStage.h"
#include "stages/tasks/PhotoChoiceStage.h"
#include "stages/preexam/CodeRecordingStage.h"
#include "stages/preexam/HardwareCheckStage.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

QString currentName(const StationWindow& main) {
    return main.currentStage ? QString::fromLatin1(main.currentStage->metaObject()->className())
                             : QStringLiteral("(нет этапа)");
}

QString answer(const StationWindow& main, const char* field) {
    return QString::fromStdString(kit::cp1251ToUtf8(main.answers.asText(field)));
}

} // namespace

StationDriver::StationDriver(StationWindow& main, Options options) : m_main(main), m_options(std::move(options)) {
    if (!m_options.pick)
        m_options.pick = [](int count) {
            return count > 0 ? 1 : 0;
        };
}

QString StationDriver::answerString(const QList<int>& positions) {
    QString text;
    for (int p : positions)
        text += QString::number(p);
    return text;
}

bool StationDriver::fail(const QString& text) {
    if (m_error.isEmpty())
        m_error = text;
    return false;
}

template <class Frame> Frame* StationDriver::expect(StageCode code, const char* what) {
    auto* frame = qobject_cast<Frame*>(m_main.currentStage.data());
    if (!frame) {
        fail(QStringLiteral("ожидался этап %1 (%2), на экране %3")
                 .arg(static_cast<int>(code))
                 .arg(QString::fromUtf8(what), currentName(m_main)));
        return nullptr;
    }
    if (m_stages)
        m_stages->append(code);
    return frame;
}

void StationDriver::wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool StationDriver::waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        wait(10);
    }
    return true;
}

bool StationDriver::switched(const QPointer<StageFrame>& frame) const {
    return !frame || m_main.currentStage.data() != frame.data();
}

bool StationDriver::leaveOneShot(StageFrame* frame, const char* what) {
    const QPointer<StageFrame> guard(frame);
    if (m_options.pace == Pace::Driven) {
        if (!frame->tickTimer->isActive())
            return fail(QStringLiteral("этап «%1» не готов к переходу").arg(QString::fromUtf8(what)));
        frame->onTick();
    }
    waitUntil([&] { return switched(guard); }, m_options.timeoutMs);
    return switched(guard) || fail(QStringLiteral("этап «%1» не закончился").arg(QString::fromUtf8(what)));
}

bool StationDriver::runCountdown(StageFrame* frame, int realMs, const char* what) {
    const QPointer<StageFrame> guard(frame);
    if (m_options.pace == Pace::Driven) {
        frame->tickTimer->stop(); // the driver is the clock; only the microphone needs real time
        if (realMs > 0)
            wait(realMs);
        if (m_finishEarly) {
            if (auto* finish = frame->findChild<QPushButton*>(QStringLiteral("finishButton")))
                finish->click();
            guard->onTick();
            // The switch may wait for the last recording's file to be whole.
            waitUntil([&] { return switched(guard); }, m_options.timeoutMs);
            return switched(guard) ||
                   fail(QStringLiteral("этап «%1» не закончился по кнопке завершения").arg(QString::fromUtf8(what)));
        }
        const auto* counting = qobject_cast<CountdownStage*>(frame);
        for (int ticks = 0; guard && !switched(guard) && !(counting && counting->finished()) && ticks < 100000; ++ticks)
            guard->onTick();
        waitUntil([&] { return switched(guard); }, m_options.timeoutMs);
    } else {
        const int stageMs = m_options.liveStageSeconds * 1000;
        if (!waitUntil([&] { return switched(guard); }, stageMs + 1500)) {
            // A stage timed by the kit's audio: the examinee has heard enough.
            if (auto* finish = frame->findChild<QPushButton*>(QStringLiteral("finishButton")))
                finish->click();
            waitUntil([&] { return switched(guard); }, m_options.timeoutMs);
        }
    }
    return switched(guard) || fail(QStringLiteral("этап «%1» не закончился").arg(QString::fromUtf8(what)));
}

bool StationDriver::chooseInLists(StageFrame* frame, const QList<int>& plan, QString* chosen, const char* what) {
    QList<int> positions;
    for (int i = 1; i <= 5; ++i) {
        auto* list = frame->findChild<QComboBox*>(QStringLiteral("list%1").arg(i));
        if (!list)
            return fail(QStringLiteral("на этапе «%1» нет списка t%2").arg(QString::fromUtf8(what)).arg(i));
        const int position = plan.isEmpty() ? m_options.pick(list->count()) : plan.value(i - 1);
        if (position < 0 || position > list->count())
            return fail(QStringLiteral("в списке t%1 этапа «%2» нет варианта %3")
                            .arg(i)
                            .arg(QString::fromUtf8(what))
                            .arg(position));
        list->setCurrentIndex(position - 1);
        positions << position;
    }
    *chosen = answerString(positions);
    return true;
}

bool StationDriver::hardwareTest(const QString& school, const QString& auditorium, const QString& station) {
    auto* f = expect<HardwareCheckStage>(StageCode::HardwareCheck, "проверка оборудования");
    if (!f)
        return false;
    f->recordingCheckButton->click();
    if (m_main.recorder().RecChannel == 0)
        return fail(QStringLiteral("тестовая запись не началась"));
    wait(m_options.speakMs);
    f->recordingCheckButton->click(); // stops the recording and plays it back
    if (m_options.pace == Pace::Live)
        wait(m_options.speakMs);
    f->recordingYesButton->click();
    f->textCheckButton->click();
    f->textYesButton->click();
    f->schoolNumberEdit->setText(school);
    f->auditoriumNumberEdit->setText(auditorium);
    f->stationNumberEdit->setText(station);
    if (!f->continueButton->isEnabled())
        return fail(QStringLiteral("проверка оборудования не разрешает продолжить"));
    f->continueButton->click();
    if (!leaveOneShot(f, "проверка оборудования"))
        return false;
    return expect<InstructionStage>(StageCode::Instruction, "инструкция") != nullptr;
}

bool StationDriver::examinee(const Examinee& plan, Outcome* outcome) {
    *outcome = Outcome();
    outcome->code = plan.code;
    outcome->chosen = QStringList(4);
    m_stages = &outcome->stages;
    m_finishEarly = plan.finishEarly;
    const auto done = [this](bool ok) {
        m_stages = nullptr;
        return ok;
    };
    auto* instruction = expect<InstructionStage>(StageCode::Instruction, "инструкция");
    if (!instruction)
        return done(false);
    instruction->codeEdit->setText(plan.code);
    instruction->startButton->click();
    if (!instruction->tickTimer->isActive())
        return done(fail(QStringLiteral("код участника %1 не принят").arg(plan.code)));
    if (!leaveOneShot(instruction, "инструкция"))
        return done(false);
    outcome->stationTag = m_main.stationTag;
    outcome->variant = m_main.variantNo;

    // Whatever stage the code led to (a resumed examinee starts part-way), then on to the review.
    for (;;) {
        const std::optional<StageCode> code = m_main.currentCode();
        if (!code || !m_main.currentStage)
            return done(fail(QStringLiteral("после этапа нет следующего: на экране %1").arg(currentName(m_main))));
        if (plan.interruptAt == code) {
            // The power goes in the middle of the stage: a recording has run half its time.
            expect<StageFrame>(*code, "прерванный этап");
            m_main.currentStage->tickTimer->stop();
            wait(m_options.answerMs / 2);
            return done(true);
        }
        if (*code == StageCode::Review)
            break;
        if (!step(*code, plan, outcome))
            return done(false);
    }
    return done(review(outcome) && expect<FinishStage>(StageCode::Finish, "завершение") != nullptr);
}

bool StationDriver::step(StageCode code, const Examinee& plan, Outcome* outcome) {
    switch (code) {
    case StageCode::CodeRecording: {
        auto* recording = expect<CodeRecordingStage>(code, "запись кода участника");
        if (!recording)
            return false;
        recording->recordButton->click();
        if (!recording->isRecording())
            return fail(QStringLiteral("запись кода участника не началась"));
        wait(m_options.speakMs);
        recording->recordButton->click(); // stops the recording and plays it back
        if (m_options.pace == Pace::Live)
            wait(m_options.speakMs);
        recording->yesButton->click();
        if (!recording->continueButton->isEnabled())
            return fail(QStringLiteral("запись кода участника не подтверждена"));
        recording->continueButton->click();
        return leaveOneShot(recording, "запись кода участника");
    }
    case StageCode::ListeningPreparation:
    case StageCode::SpokenPreparation: {
        const char* what =
            code == StageCode::ListeningPreparation ? "подготовка к заданию 1" : "подготовка к заданию 2";
        StageFrame* f = expect<StageFrame>(code, what);
        return f && runCountdown(f, 0, what);
    }
    case StageCode::SpokenAnswer:
    case StageCode::PhotoAnswer1:
    case StageCode::PhotoAnswer2:
    case StageCode::PhotoAnswer3:
    case StageCode::PhotoAnswerNoPhoto: {
        const char* what = code == StageCode::SpokenAnswer ? "задание 2" : "задание 3";
        StageFrame* f = expect<StageFrame>(code, what);
        return f && runCountdown(f, m_options.answerMs, what);
    }
    case StageCode::PhotoChoice: {
        auto* prepare3 = expect<PhotoChoiceStage>(code, "подготовка к заданию 3");
        if (!prepare3)
            return false;
        if (plan.photo < 0 || plan.photo > 3)
            return fail(QStringLiteral("нет фото %1").arg(plan.photo));
        prepare3->photoItems[static_cast<std::size_t>(plan.photo)]->click();
        if (!runCountdown(prepare3, 0, "подготовка к заданию 3"))
            return false;
        return m_main.currentCode() == PhotoChoiceStage::nextStageCode(plan.photo) ||
               fail(QStringLiteral("после выбора фото %1 на экране %2").arg(plan.photo).arg(currentName(m_main)));
    }
    case StageCode::ListeningTask:
        return choiceTask(code, "задание 1", plan.task1, &outcome->chosen[0]);
    case StageCode::ChoiceTask4:
        return choiceTask(code, "задание 4", plan.task4, &outcome->chosen[1]);
    case StageCode::ChoiceTask5:
        return choiceTask(code, "задание 5", plan.task5, &outcome->chosen[2]);
    case StageCode::ChoiceTask6:
        return choiceTask(code, "задание 6", plan.task6, &outcome->chosen[3]);
    default:
        return fail(QStringLiteral("этап %1 (%2) не ожидался у участника")
                        .arg(static_cast<int>(code))
                        .arg(currentName(m_main)));
    }
}

bool StationDriver::choiceTask(StageCode code, const char* what, const QList<int>& plan, QString* chosen) {
    StageFrame* f = expect<StageFrame>(code, what);
    return f && chooseInLists(f, plan, chosen, what) && runCountdown(f, 0, what);
}

bool StationDriver::review(Outcome* outcome) {
    auto* f = expect<ReviewStage>(StageCode::Review, "просмотр ответов");
    if (!f)
        return false;
    outcome->stored =
        QStringList{answer(m_main, "a1"), answer(m_main, "a4"), answer(m_main, "a5"), answer(m_main, "a6")};
    for (QPushButton* play : {f->playCodeButton, f->playTask2Button, f->playTask3Button}) {
        play->click();
        if (f->playbackStream == 0)
            return fail(QStringLiteral("запись «%1» не открывается").arg(play->text()));
        if (m_options.pace == Pace::Live)
            wait(m_options.speakMs);
    }
    f->finishButton->click();
    if (!f->tickTimer->isActive())
        return fail(QStringLiteral("файл ответов не записан"));
    return leaveOneShot(f, "просмотр ответов");
}

bool StationDriver::nextExaminee() {
    auto* f = qobject_cast<FinishStage*>(m_main.currentStage.data());
    if (!f)
        return fail(QStringLiteral("ожидался этап 1001 (завершение), на экране %1").arg(currentName(m_main)));
    f->nextExamineeButton->click();
    if (!leaveOneShot(f, "завершение"))
        return false;
    return qobject_cast<InstructionStage*>(m_main.currentStage.data()) != nullptr ||
           fail(QStringLiteral("после завершения на экране %1").arg(currentName(m_main)));
}

bool StationDriver::endStation() {
    auto* f = qobject_cast<FinishStage*>(m_main.currentStage.data());
    if (!f)
        return fail(QStringLiteral("ожидался этап 1001 (завершение), на экране %1").arg(currentName(m_main)));
    f->stopStationButton->click();
    return m_main.canExit || fail(QStringLiteral("станция не завершила работу"));
}
