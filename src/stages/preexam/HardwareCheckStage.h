#pragma once

#include "main/StageFrame.h"

#include <memory>

class ListenBackCheck;
class PictureBox;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class VerdictMark;

// Stage 1, once per run: the headset check (record, listen, judge), the check of how the
// kit's texts are displayed, and the school, auditorium and station numbers that make the
// station identity. Continues to stage 5 when both checks are confirmed and the numbers
// are given. Controls are children of the frame; everything runs on the UI thread.
class HardwareCheckStage : public StageFrame {
    Q_OBJECT
public:
    explicit HardwareCheckStage(StationWindow& main);
    ~HardwareCheckStage() override;

    // The pictures come first: they lie beneath every other control.
    PictureBox* microphonePicture = nullptr;
    PictureBox* loudspeakerPicture = nullptr;

    QLabel* setupNoticeBar = nullptr;
    QPushButton* recordingCheckButton = nullptr;
    VerdictMark* recordingCheckMark = nullptr;
    QFrame* recordingQuestionPanel = nullptr;
    QLabel* recordingQuestionLabel = nullptr;
    QPushButton* recordingYesButton = nullptr;
    QPushButton* recordingNoButton = nullptr;
    QPushButton* textCheckButton = nullptr;
    VerdictMark* textCheckMark = nullptr;
    QFrame* textQuestionPanel = nullptr;
    QLabel* textQuestionLabel = nullptr;
    QPushButton* textYesButton = nullptr;
    QPushButton* textNoButton = nullptr;
    QLabel* subjectLabel = nullptr;
    QLabel* schoolNumberLabel = nullptr;
    QLineEdit* schoolNumberEdit = nullptr;
    QLabel* auditoriumNumberLabel = nullptr;
    QLineEdit* auditoriumNumberEdit = nullptr;
    QLabel* stationNumberLabel = nullptr;
    QLineEdit* stationNumberEdit = nullptr;
    QPushButton* continueButton = nullptr;
    QPushButton* exitButton = nullptr;
    QLabel* versionLabel = nullptr; // the program's version, small, bottom right
    // Gives continueButton its enabled state and its execution; its own text is not shown.
    QAction* continueAction = nullptr;

    bool recordingCheckOk = false;
    bool textCheckOk = false;

    static const QString kRecordingCheckCaption; // "Проверить качество записи"
    static const QString kStopPlayCaption;       // "Завершить запись и воспроизвести"
    static const QString kNoAudioDevice; // "Нет готового устройства аудио-записи"
    static const QString kSubjectPrefix; // "Станция для проведения ЗУНТ по:\n\r"

    void start() override;
    void onRecordingCheckClicked();
    void onRecordingYesClicked();
    void onRecordingNoClicked();
    void onTextCheckClicked();
    void onTextYesClicked();
    void onTextNoClicked();
    void onSchoolNumberKey(QChar& key);
    void onAuditoriumNumberKey(QChar& key);
    void onStationNumberKey(QChar& key);
    // Called after every change of the checks or the fields, so the state is never stale.
    void updateContinueEnabled();
    void onContinue();
    void onTick() override;
    void onExitClicked();

    // The test recording in the working folder.
    QString testRecordingPath() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layoutControls();
    void recordingVerdict(bool ok);
    void textVerdict(bool ok);

    std::unique_ptr<ListenBackCheck> m_recordingCheck;
};
