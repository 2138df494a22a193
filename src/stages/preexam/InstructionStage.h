#pragma once

#include "main/StageFrame.h"
#include "station/ParticipantCode.h"

class ExamProgress;
class StationFolders;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace richtext {
class RichView;
}

// Stage 5, the start of every examinee: the kit's instruction and the entry of the
// four-digit participant code, which fixes participantCode and the kit variant. Also offers to end
// the station's work. Controls are children of the frame; everything runs on the UI thread.
class InstructionStage : public StageFrame {
    Q_OBJECT
public:
    explicit InstructionStage(StationWindow& main);
    ~InstructionStage() override;

    static constexpr int kCodePanelHeight = 107;

    richtext::RichView* instructionView;
    QFrame* codePanel;
    QLabel* codeLabel;
    QLineEdit* codeEdit;
    QPushButton* startButton;
    QPushButton* stopStationButton;

    void start() override;
    void onCodeKey(QChar& key);
    // Asked before an interrupted examinee goes on: the code and where the work resumes.
    static const QString kResumeQuestion;
    // Shown when that examinee's recordings may still be being recovered.
    static const QString kRecoveryRunning;

    // Refused codes get "\n\r" and the reason in errorText.
    ParticipantCode::Verdict checkParticipantCode(const QString& code, QString& errorText) const;
    void onStartClicked();
    void onTick() override;
    void onStopStationClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanel();
    // The organiser's Yes to going on, the interrupted recordings set aside, the progress
    // read; false leaves the stage as it was.
    bool takeBackInterrupted(const QString& studId, const StationFolders& folders, ExamProgress& progress);

    StageCode m_nextStage = StageCode::CodeRecording;
};
