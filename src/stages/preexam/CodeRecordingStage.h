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
    PictureBox* imgMic = nullptr;
    PictureBox* imgSpeak = nullptr;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btnRecID = nullptr;
    VerdictMark* lblRecID = nullptr;
    QFrame* pnlTestREC = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button1 = nullptr;
    // Gives Button1 its caption, its enabled state and its execution.
    QAction* Action1 = nullptr;

    bool CodeRecordOK = false;

    static const QString kRecordCaption;   // "Запись кода участника"
    static const QString kStopPlayCaption; // "Завершить запись и воспроизвести"
    static const QString kCallOrganiser;   // the message after "Нет"

    void start() override;
    void btnRecIDClick();
    void Button4Click();
    void Button5Click();
    // Called after every change of the verdict or the recording, so the state is never stale.
    void Action1Update();
    void Action1Execute();
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
