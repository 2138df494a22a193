#pragma once

#include "main/StageFrame.h"

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
class TfrmTestHard : public StageFrame {
    Q_OBJECT
public:
    explicit TfrmTestHard(TfrmMain& main);
    ~TfrmTestHard() override;

    // The pictures come first: they lie beneath every other control.
    PictureBox* imgMic;
    PictureBox* imgSpeak;

    QLabel* Panel1;
    QPushButton* btnRecTest;
    VerdictMark* lblTestREC;
    QFrame* pnlTestREC;
    QLabel* Label2;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* btnTestRTF;
    VerdictMark* lblTestRTF;
    QFrame* pnlTestRTF;
    QLabel* Label6;
    QPushButton* Button7;
    QPushButton* Button8;
    QLabel* lblSubj;
    QLabel* Label3;
    QLineEdit* edtStationCode;
    QLabel* Label4;
    QLineEdit* edtAudCode;
    QLabel* Label5;
    QLineEdit* edtCompCode;
    QPushButton* Button1;
    QPushButton* Button6;
    // Gives Button1 its enabled state and its execution; its own text is not shown.
    QAction* Action1;

    bool RecTestOK = false;
    bool TextTestOK = false;

    static const QString kRecTestCaption;  // "Проверить качество записи"
    static const QString kStopPlayCaption; // "Завершить запись и воспроизвести"
    static const QString kNoAudioDevice;   // "Нет готового устройства аудио-записи"
    static const QString kSubjectPrefix;   // "Станция для проведения ЗУНТ по:\n\r"

    void Start() override;
    void btnRecTestClick();
    void Button4Click();
    void Button5Click();
    void btnTestRTFClick();
    void Button7Click();
    void Button8Click();
    void edtStationCodeKeyPress(QChar& Key);
    void edtAudCodeKeyPress(QChar& Key);
    void edtCompCodeKeyPress(QChar& Key);
    // Called after every change of the checks or the fields, so the state is never stale.
    void Action1Update();
    void Action1Execute();
    void Timer1Timer() override;
    void Button6Click();

    // The test recording in the working folder.
    QString testRecordingPath() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layoutControls();
    void recordingVerdict(bool ok);
    void textVerdict(bool ok);
};
