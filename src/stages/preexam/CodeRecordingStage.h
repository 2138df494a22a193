#pragma once

#include "main/StageFrame.h"

#include <memory>

class ListenBackCheck;
class PictureBox;
class QAction;
class QFrame;
class QLabel;
class QPushButton;
class VerdictMark;

// Stage 6: the examinee says the participant code into the microphone, hears it back and
// confirms it; the recording is the first file of the answer folder, which this stage
// creates. Continues to stage 10 only after "Да", and never while a recording runs.
// Controls are children of the frame; everything runs on the UI thread.
class CodeRecordingStage : public StageFrame {
    Q_OBJECT
public:
    explicit CodeRecordingStage(StationWindow& main);
    ~CodeRecordingStage() override;

    // The pictures come first: they lie beneath every other control.
    PictureBox* microphonePicture = nullptr;
    PictureBox* loudspeakerPicture = nullptr;

    QLabel* titleLabel = nullptr;
    QLabel* promptLabel = nullptr;
    QPushButton* recordButton = nullptr;
    VerdictMark* recordingMark = nullptr;
    QFrame* questionPanel = nullptr;
    QLabel* questionLabel = nullptr;
    QPushButton* yesButton = nullptr;
    QPushButton* noButton = nullptr;
    QPushButton* continueButton = nullptr;
    // Gives continueButton its caption, its enabled state and its execution.
    QAction* continueAction = nullptr;

    bool codeRecordingOk = false;

    static const QString kRecordCaption;   // "Запись кода участника"
    static const QString kStopPlayCaption; // "Завершить запись и воспроизвести"
    static const QString kCallOrganiser;   // the message after "Нет"

    void start() override;
    void onRecordClicked();
    void onYesClicked();
    void onNoClicked();
    // Called after every change of the verdict or the recording, so the state is never stale.
    void updateContinueEnabled();
    void onContinue();
    void onTick() override;

    // StudID_0.ogg in the examinee's answer folder.
    QString codeRecordingPath() const;
    bool isRecording() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layoutControls();
    void verdict(bool ok);

    std::unique_ptr<ListenBackCheck> m_check;
};
