#pragma once

#include "audio/AudioLayer.h"
#include "main/StageFrame.h"
#include "station/RecordingDecoder.h"

#include <array>
#include <thread>

class QLabel;
class QPushButton;

// Stage 1000, the answer review: shows the choice answers of the examinee and what each of
// the three recordings holds, plays the recordings on request and writes the answers file.
// The main window owns the frame; the frame owns the one playback stream it opened and frees
// it at the next click and when it goes, so no stream outlives the review. The recordings are
// decoded once, on a thread the frame starts at start() and joins before it goes; its result
// comes back to the UI thread as a queued call.
class ReviewStage : public StageFrame {
    Q_OBJECT
public:
    explicit ReviewStage(StationWindow& main);
    ~ReviewStage() override;

    QPushButton* const finishButton;
    QLabel* const titleLabel;
    QPushButton* const playTask2Button;
    QPushButton* const playTask3Button;
    QPushButton* const playCodeButton;
    QLabel* const answer1Label;
    QLabel* const answer4Label;
    QLabel* const answer5Label;
    QLabel* const answer6Label;
    // Beside each play button: the length that plays ("12 сек."), "нет записи" or "запись повреждена".
    QLabel* const codeRecordingLabel;
    QLabel* const task2RecordingLabel;
    QLabel* const task3RecordingLabel;
    // Shown once the answers file could not be written: the way on without it, after a confirmation.
    QPushButton* const continueWithoutAnswersButton;

    // The stream of the last playback click; 0 when none.
    audio::Handle playbackStream = 0;

    void start() override;

    // Waits until the recordings have been checked and shows the outcome (at once when it
    // has come already). The finish waits for it; so can tests.
    void awaitRecordingChecks();
    // What the check found, in the order code, task 2, task 3; valid after awaitRecordingChecks.
    const std::array<RecordingDecoder::Result, 3>& recordingChecks() const { return m_checkResults; }

    void onPlayCodeClicked();
    void onPlayTask2Clicked();
    void onPlayTask3Clicked();
    // Stops playback; with a recording that does not play whole, asks first; writes the
    // answers file and, once it is written, arms the switch. A failed write is shown with
    // the file and the reason; the organiser may press again or go on without the file.
    void onFinishClicked();
    // Asks, then arms the switch although the answers file is not written.
    void onContinueWithoutAnswersClicked();

public slots:
    void onTick() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void play(const QString& suffix);
    void releasePlaybackStream();
    void showRecordingChecks();
    // One line per recording that does not play whole, for the organiser's confirmation.
    QStringList recordingProblems() const;
    bool writeAnswersFile(QString* error);

    std::thread m_checker;
    // Written by m_checker, read on the UI thread only after it has been joined.
    std::array<RecordingDecoder::Result, 3> m_checkResults{};
    // Recordings of an interrupted examinee's earlier attempt, kept beside each answer.
    std::array<QStringList, 3> m_keptRecordings{};
    bool m_checksStarted = false;
    bool m_checksShown = false;
    bool m_recordingsConfirmed = false;
    QString m_writeError;
};
