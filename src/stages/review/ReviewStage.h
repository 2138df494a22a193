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

    QPushButton* const finishButton;
    QLabel* const titleLabel;
    QPushButton* const playTask2Button;
    QPushButton* const playTask3Button;
    QPushButton* const playCodeButton;
    QLabel* const answer1Label;
    QLabel* const answer4Label;
    QLabel* const answer5Label;
    QLabel* const answer6Label;

    // The stream of the last playback click; 0 when none.
    audio::Handle playbackStream = 0;

    void start() override;

    void onPlayCodeClicked();
    void onPlayTask2Clicked();
    void onPlayTask3Clicked();
    // Stops playback, writes the answers file and, once it is written, arms the switch.
    void onFinishClicked();

public slots:
    void onTick() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void play(const QString& suffix);
    void releasePlaybackStream();
};
