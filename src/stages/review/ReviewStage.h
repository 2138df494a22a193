#pragma once

#include "audio/AudioLayer.h"
#include "main/StageFrame.h"

class QLabel;
class QPushButton;

// Stage 1000, the answer review: shows the choice answers of the examinee, plays the
// three recordings on request and writes the answers file. The main window owns the
// frame; the frame owns the one playback stream it opened and frees it at the next
// click and when it goes, so no stream outlives the review.
class ReviewStage : public StageFrame {
    Q_OBJECT
public:
    explicit ReviewStage(StationWindow& main);
    ~ReviewStage() override;

    QPushButton* const Button1;
    QLabel* const Label1;
    QPushButton* const btnPlay2_1;
    QPushButton* const btnPlay2_2;
    QPushButton* const btnPlayID;
    QLabel* const Ans1;
    QLabel* const Ans4;
    QLabel* const Ans5;
    QLabel* const Ans6;

    // The stream of the last playback click; 0 when none.
    audio::Handle ReviewStream = 0;

    void start() override;

    void btnPlayIDClick();
    void btnPlay2_1Click();
    void btnPlay2_2Click();
    // Stops playback, writes the answers file and, once it is written, arms the switch.
    void Button1Click();

public slots:
    void onTick() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void play(const QString& suffix);
    void releaseReviewStream();
};
