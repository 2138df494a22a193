#pragma once

#include <QLabel>

#include <vector>

class QPushButton;

// The bar at the bottom of the preparation and task frames: a raised panel with its caption
// centred in bold Arial, and controls that keep their distance to its right edge whatever
// the frame's width (the bar's height is fixed, so they keep the bottom distance too).
// Controls are Qt children of the bar.
class BottomBar : public QLabel {
    Q_OBJECT
public:
    BottomBar(QWidget* parent, int height, const QString& caption);

    // Keeps widget at top, rightMargin pixels from the right edge.
    void anchorRight(QWidget* widget, int top, int rightMargin);
    // A push button of the bars: bold Arial 11 px, anchored as above.
    QPushButton* addButton(const QString& caption, QSize size, int top, int rightMargin);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Anchor {
        QWidget* widget;
        int top;
        int rightMargin;
    };
    void place(const Anchor& anchor);

    std::vector<Anchor> m_anchors;
};
