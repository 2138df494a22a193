#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class StationWindow;

namespace richtext {
class RichView;
}

// The kit text viewer of the hardware test: a borderless modal window (1015 x 712,
// centred on the screen) showing the kit's sample text TestRTF of variant 0 above a
// bottom panel with "Закрыть". Lives for the whole run, owned by the main window.
// The viewer is bound to the kit table only while the window is shown, so the table
// may go before this window does.
class KitTextViewer : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1015;
    static constexpr int kClientHeight = 712;
    static constexpr int kButtonBarHeight = 41;

    explicit KitTextViewer(StationWindow& main);
    ~KitTextViewer() override;

    richtext::RichView* sampleTextView;
    QFrame* buttonBar;
    QPushButton* closeButton;

    // Each activation shows variant 0's text: the kit row of VarNo 0 becomes current.
    void onActivated();
    void onCloseClicked();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    StationWindow& m_main;
};
