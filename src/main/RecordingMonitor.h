#pragma once

#include "audio/AudioLayer.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QProgressBar;
class QTimer;
class QWidget;

namespace audio {
class Recorder;
}

// Watches the recording the station window runs, ten times a second: a slim level meter
// beside the countdown while sound is recorded, and in place of the phase name a plain
// statement of what went wrong as soon as the recording stops taking sound (the encoder
// died, the disk is full, the folder is not writable, the microphone went quiet), so the
// screen never claims to record when it does not. A recording that could not start is
// tried again every two seconds. It also completes a finished recording's file off the
// GUI thread's back: the window hands the end over and moves on.
// Owned by the station window (Qt parent); UI thread only. Tests call poll() directly.
class RecordingMonitor : public QObject {
    Q_OBJECT
public:
    RecordingMonitor(audio::Recorder& recorder, QWidget* headerBar, QLabel* phaseLabel);
    ~RecordingMonitor() override;

    QProgressBar* const levelMeter;
    QLabel* const problemLabel;

    // A recording into fileName was asked for (it may have failed to start).
    void watch(const QString& fileName);
    // The recording has been handed over to be completed; stops watching it.
    void finishing();
    // One look at the recording: level, problem, a retried start, a completed file.
    void poll();

    // Runs then once the last finished recording's file is complete (at once when none is
    // pending), as a listen-back check must before it plays the file.
    void whenSaved(std::function<void()> then);

    // The last recording that took sound stayed below the silence floor all along.
    bool silentSoFar() const { return m_silentSoFar; }

    static const QString kNotRecording; // "Запись не идёт: ..."

private:
    void showProblem(const QString& text);
    void clearProblem();
    void updateTimer();

    audio::Recorder& m_recorder;
    QLabel* m_phaseLabel;
    QTimer* m_timer;
    QString m_fileName;
    bool m_silentSoFar = false; // nothing recorded: nothing to warn of
    int m_pollsSinceStartTry = 0;
    std::vector<std::function<void()>> m_afterSave;
};
