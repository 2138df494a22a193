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

    static constexpr int kPanelHeight = 107;
    static const QString kConfirmStop; // "Завершить работу на станции?"

    richtext::RichView* RxDBRichEdit1;
    QFrame* Panel1;
    QLabel* Label1;
    QLineEdit* Edit3;
    QPushButton* Button1;
    QPushButton* Button2;

    void start() override;
    void Edit3KeyPress(QChar& Key);
    // True when the code may be used; otherwise errorText gets "\n\r" and the reason.
    bool CheckStudCode(const QString& code, QString& errorText) const;
    void Button1Click();
    void onTick() override;
    void Button2Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanel();
};
