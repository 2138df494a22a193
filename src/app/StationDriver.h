#pragma once

#include "station/StageCode.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class StageFrame;
class StationWindow;

// Plays the organiser and the examinees on a running station, through the stages' own
// controls and handlers, in the order of the exam: the hardware test once, then per
// examinee the code, its recording, tasks 1 to 6, the review and the finish stage. The
// end-to-end tests, the soak run and the rehearsal share it.
//
// Two paces. Driven: the driver ticks every stage itself (a countdown stage's own timer is
// stopped), and only the microphone is given real time; for tests, where confirmations
// are answered by a scripted dialog service. Live: the stages' timers run as on exam day
// and the driver waits for each switch, ending a stage early with its finish button when
// it would run longer than liveStageSeconds; the dialog service must say Yes to that.
//
// Runs on the UI thread and spins nested event loops while it waits. The main window must
// outlive the driver; the driver owns nothing. Every step checks that the expected stage
// is on screen; the first failure stops the run and error() says what went wrong.
class StationDriver {
public:
    enum class Pace { Driven, Live };

    struct Options {
        Pace pace = Pace::Driven;
        int speakMs = 1000;       // how long the test and code recordings run
        int answerMs = 1500;      // Driven: how long a spoken answer records before the stage is ticked out
        int liveStageSeconds = 3; // Live: the longest a stage runs before its finish button is pressed
        int timeoutMs = 60000;    // the longest wait for a stage to end by itself
        // Picks a position (1-based, 0 for none) in a list of that many options, for the
        // lists the plan leaves open.
        std::function<int(int optionCount)> pick;
    };

    struct Examinee {
        QString code;  // four digits
        int photo = 0; // 0 for none, 1 to 3
        // Positions (1-based, 0 for none) for list1..list5 of tasks 1, 4, 5 and 6; an empty list
        // leaves the choices to Options::pick.
        QList<int> task1, task4, task5, task6;
        // Driven: every timed stage is ended with its finish button (the dialog service must
        // answer Yes) and then a single tick, instead of being ticked until its time is up.
        bool finishEarly = false;
        // Stops in the middle of this stage, as a power cut would: examinee() returns true with
        // the stage on screen, a recording having run for half of answerMs.
        std::optional<StageCode> interruptAt;
    };

    struct Outcome {
        QString code;
        QStringList chosen;      // a1, a4, a5, a6: the choices made (empty for a task not played)
        QStringList stored;      // a1, a4, a5, a6: as the answers table held them at the review
        QList<StageCode> stages; // the stages passed, in order
        QString stationTag;      // of the station folder the answers went to
        QString variant;         // the kit variant the examinee answered
    };

    StationDriver(StationWindow& main, Options options);

    // Stage 1 with both checks confirmed and the three numbers typed; ends on stage 5.
    bool hardwareTest(const QString& school, const QString& auditorium, const QString& station);
    // From stage 5 to the finish stage (1001) of this examinee; an interrupted examinee goes
    // on where the station resumes it (the dialog service must say Yes to that).
    bool examinee(const Examinee& plan, Outcome* outcome);
    // On the finish stage: the next examinee (stage 5) or the end of the station's work.
    bool nextExaminee();
    bool endStation();

    const QString& error() const { return m_error; }

    // The answer string of positions: each in decimal, 0 for none, joined.
    static QString answerString(const QList<int>& positions);

private:
    template <class Frame> Frame* expect(StageCode code, const char* what);
    bool fail(const QString& text);
    void wait(int ms);
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    bool switched(const QPointer<StageFrame>& frame) const;
    // A one-shot tickTimer was armed by a click: its tick leaves the stage.
    bool leaveOneShot(StageFrame* frame, const char* what);
    // A countdown stage: Driven ticks it to its end (after realMs of real time for a
    // recording); Live waits, pressing the finish button after liveStageSeconds.
    bool runCountdown(StageFrame* frame, int realMs, const char* what);
    bool m_finishEarly = false; // of the examinee being played
    bool chooseInLists(StageFrame* frame, const QList<int>& plan, QString* chosen, const char* what);
    bool review(Outcome* outcome);
    // Plays the stage of code on screen to its end.
    bool step(StageCode code, const Examinee& plan, Outcome* outcome);
    // Task 1, 4, 5 or 6: the plan's choices in the five lists, then the countdown to its end.
    bool choiceTask(StageCode code, const char* what, const QList<int>& plan, QString* chosen);

    StationWindow& m_main;
    Options m_options;
    QString m_error;
    QList<StageCode>* m_stages = nullptr;
};
