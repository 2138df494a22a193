#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class StationWindow;

// The countdown shown before a recording: a borderless modal window laid exactly over
// the main window that counts 5 to 0 in large digits, one step each 250 ms, and closes
// itself; a click on the digits ends the count at once. One instance lives for the whole
// run, owned by the main window, hidden between showings. onCountdownTick is public so tests
// drive the count without waiting.
class CountdownWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStepMs = 250;
    static constexpr int kBorder = 2;
    static constexpr int kDigitPixels = 107;

    explicit CountdownWindow(StationWindow& main);
    ~CountdownWindow() override;

    QLabel* digitsLabel;
    QTimer* countdownTimer;

    // The value shown next; 5 at every showing.
    int nextDigit = 5;

    void onShown();
    void onCountdownTick();
    void onDigitsClicked();
    void onClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void coverMainWindow();

    StationWindow& m_main;
};
