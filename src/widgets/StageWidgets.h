#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The few makers every stage builds its controls with, so fonts and control names are set
// the same way everywhere. Made widgets are owned by the parent given; UI thread only.
class StageWidgets {
public:
    // family at a character height of pixelSize pixels. Arial comes from fontconfig's
    // metric-compatible Liberation Sans; MS Sans Serif is Wine's face of that name
    // (fonts-wine), else Liberation Sans Narrow, the nearest in width.
    static QFont font(const QString& family, int pixelSize, bool bold);
    // The family of the answer lists.
    static QString msSansSerif();
    static QFont arial(int pixelSize, bool bold = true);

    // A control with name as its objectName, the name of the member that holds it.
    static QLabel* label(const QString& name, const QString& caption, QWidget* parent);
    static QPushButton* button(const QString& name, const QString& caption, const QFont& font, QWidget* parent);

    // The frame's sheet above its bar, both full width; the sheet takes the spare height.
    static void stackSheetOverBar(QWidget* frame, QWidget* sheet, QWidget* bar);

    // Moves a top-level window to the middle of its screen's usable area, panels excluded
    // (the primary screen before it has one).
    static void centreOnScreen(QWidget* window);

    // For the organiser at start-up: empty when a window of windowSize fits the usable area
    // of a screen (both in the desktop's scaled pixels), else what is wrong and what to change.
    // scale is the screen's device pixel ratio; screenPixels its full size in device pixels.
    static QString screenTooSmallText(const QSize& windowSize, const QSize& usableArea, const QSize& screenPixels,
                                      double scale);
    // The same for the primary screen; empty without one.
    static QString screenTooSmallText(const QSize& windowSize);
};
