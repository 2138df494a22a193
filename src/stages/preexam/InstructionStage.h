#pragma once

#include "main/StageFrame.h"

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
    // True when the code may be used; otherwise errorText gets "\n\r" and the reason.
    bool checkParticipantCode(const QString& code, QString& errorText) const;
    void onStartClicked();
    void onTick() override;
    void onStopStationClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanel();
};
