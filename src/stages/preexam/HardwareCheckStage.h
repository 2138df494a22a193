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
    PictureBox* imgMic = nullptr;
    PictureBox* imgSpeak = nullptr;

    QLabel* Panel1 = nullptr;
    QPushButton* btnRecTest = nullptr;
    VerdictMark* lblTestREC = nullptr;
    QFrame* pnlTestREC = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* btnTestRTF = nullptr;
    VerdictMark* lblTestRTF = nullptr;
    QFrame* pnlTestRTF = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QLabel* lblSubj = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edtStationCode = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* edtAudCode = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* edtCompCode = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button6 = nullptr;
    // Gives Button1 its enabled state and its execution; its own text is not shown.
    QAction* Action1 = nullptr;

    bool RecTestOK = false;
    bool TextTestOK = false;

    static const QString kRecTestCaption;  // "Проверить качество записи"
    static const QString kStopPlayCaption; // "Завершить запись и воспроизвести"
    static const QString kNoAudioDevice;   // "Нет готового устройства аудио-записи"
    static const QString kSubjectPrefix;   // "Станция для проведения ЗУНТ по:\n\r"

    void start() override;
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
    void onTick() override;
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

    std::unique_ptr<ListenBackCheck> m_recCheck;
};
