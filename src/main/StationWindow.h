#pragma once

#include "audio/Recorder.h"
#include "kit/MemTable.h"
#include "kit/StationTables.h"
#include "station/ExamProgress.h"
#include "station/StageCode.h"
#include "station/StationFolders.h"

#include <QElapsedTimer>
#include <QPointer>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <QString>
#include <QWidget>

class DialogService;
class QDialog;
class QFrame;
class QLabel;
class QProgressBar;
class QVBoxLayout;
class RecordingMonitor;
class StageFrame;
class StageRegistry;

// The one borderless station window (client area 1016 x 713) and the state shared by the
// stages: the timing settings, the participant and station values, the current stage.
// It owns the stage frame of the moment; the services it is given outlive it.
class StationWindow : public QWidget {
    Q_OBJECT
public:
    struct Services {
        DialogService* dialogs = nullptr;
        audio::AudioLayer* audio = nullptr;
        const StageRegistry* stages = nullptr;
        QString workDir; // where the kit is read and every answer is written
        QString appDir;  // the program's folder, with a trailing separator
    };

    static constexpr int kClientWidth = 1016;
    static constexpr int kClientHeight = 713;
    // Start-up ends with it when the audio layer is not the interface version it expects.
    static const QString kWrongAudioLibraryText;

    explicit StationWindow(Services services, QWidget* parent = nullptr);
    ~StationWindow() override;

    // Header bar and its controls.
    QFrame* const headerBar;
    QLabel* const phaseLabel;
    QProgressBar* const progressBar;
    QLabel* const timeLabel;

    // The kit table (one row per variant, the current one is the examinee's) and the
    // single row of choice answers.
    kit::MemTable complects;
    kit::MemTable answers = kit::makeAnswersTable();

    // Timing settings, whole seconds.
    int prepTime1 = 25;
    int prepTime2 = 90;
    int prepTime3 = 90;
    int taskTime1 = 2700;
    int taskTime2 = 90;
    int taskTime3 = 120;
    int taskTime4 = 2700;
    int taskTime5 = 2700;
    int taskTime6 = 2700;

    // Participant and station values.
    QString participantCode = QStringLiteral("0000");
    QString variantNo;
    QString schoolNumber;
    QString auditoriumNumber;
    QString stationNumber;
    QString stationTag;
    QString kitSubjectId;
    QString kitExamDate;
    QString appDir;
    QString workDir;
    bool canExit = false;
    bool audioReady = false;

    // The stage frame now shown; empty before the first stage and after an unknown code.
    QPointer<StageFrame> currentStage;

    // The two windows that live for the whole run, created by the program entry after this
    // window: the five-second countdown and the kit text viewer. Shown through dialogs().
    QDialog* countdownWindow = nullptr;
    QDialog* kitTextViewer = nullptr;

    // Start-up: kit, answers row, timing settings, audio check and devices, variant 0,
    // the first stage. False when the program must end (the reason has been shown).
    bool startUp();
    // Shut-down: frees the stage and releases the audio layer. Runs once, also from the destructor.
    void shutDown();

    // Ends the current stage (hidden, then destroyed) and begins the stage of code.
    void startStage(StageCode code);

    // Ends the station's work: hides the frame, allows the close and closes the window.
    void stopExam();

    // Recording into the encoder and the playback stream of the last recording. The stop
    // returns at once: the file is completed off the GUI thread, and the recording
    // monitor collects it (recordingMonitor->whenSaved runs what must wait for it).
    void startRecording(const QString& fileName);
    void stopRecording(const QString& fileName);
    // The running recording's level and health in the header bar.
    RecordingMonitor* recordingMonitor = nullptr;
    // The audio error box: the text and, on a second line, the layer's error code.
    void showAudioError(const QString& text);
    audio::Recorder& recorder() { return m_recorder; }
    audio::AudioLayer& audio() const { return *m_services.audio; }

    // Opens the kit table on the row of the given variant; no such row leaves the row.
    void selectVariant(int varNo);

    // An accepted code: the participant values, the kit row and the answers row, which
    // starts empty or, for an examinee who goes on after an interruption, as far as the
    // progress got. From here each answering stage that ends is noted in the progress file.
    void beginExaminee(const QString& studId, const QString& variant, const ExamProgress& progress);
    // The stage on screen (or waiting to be switched away from); nullopt before the first.
    std::optional<StageCode> currentCode() const { return m_currentCode; }
    // Recordings a power cut left are still being encoded again.
    bool recoveryRunning() const { return m_recoveryRunning; }

    // Sizes the header labels to their texts: the phase name keeps its right edge next to the
    // bar (it grows to the left), the time keeps its left edge.
    void fitHeaderLabels();

    // The folders and files of the current participant.
    StationFolders folders() const { return StationFolders(workDir, stationTag, participantCode); }

    // Every box and modal window of the station goes through here. While one is open the
    // stage's clock runs on under it, and a stage that ends then must not be destroyed
    // under the call that opened the box: startStage waits until the last box has closed
    // and then switches from the event loop.
    DialogService& dialogs() const;

signals:
    // The window has accepted its close; the program entry ends the event loop on it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool mayClose() const { return canExit; }
    void placeFrame(QWidget* frame);

    bool loadKit();
    class GuardedDialogs;
    void leaveModal();

    Services m_services;
    QVBoxLayout* m_layout;
    std::unique_ptr<GuardedDialogs> m_guardedDialogs;
    int m_modalDepth = 0;
    std::optional<StageCode> m_pendingStage;
    std::optional<StageCode> m_currentCode;
    ExamProgress m_progress;
    // The stage on screen ends towards next: an answering stage's end goes into the progress file.
    void noteStageEnded(StageCode next);
    audio::Recorder m_recorder;
    QElapsedTimer m_recordingClock; // for the log only: stages count time by ticks

    // Answers a power cut left as raw sound beside them are encoded again, once the station
    // folder is known, on a thread of their own (an encoder run takes seconds per answer).
    void recoverInterruptedAnswers();
    std::thread m_recovery;
    bool m_recoveryStarted = false;
    std::atomic<bool> m_recoveryRunning = false;
    bool m_audioReleased = false;
};
