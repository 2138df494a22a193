#pragma once

#include "stages/common/CountdownStage.h"

#include <QSize>
#include <QString>

class BottomBar;
class QPushButton;

namespace richtext {
class RichView;
}

// What every preparation and task frame is made of: the kit's sheet sheetView (bound to
// the kit table; the frame picks the field) above the bottom bar with its finishButton at
// the bar's right ("Я готов!" or "Завершить ответ!": either way it ends the stage early).
// The frame connects finishButton to its own handler. Children are owned by the frame.
class SheetStage : public CountdownStage {
    Q_OBJECT
public:
    BottomBar* const bottomBar;
    QPushButton* const finishButton;
    richtext::RichView* const sheetView;

protected:
    struct Bar {
        int height;
        QString caption;
        QString buttonCaption;
        QSize buttonSize;
        int buttonTop;
        int buttonRightMargin;
    };

    SheetStage(StationWindow& main, const Bar& bar);
};
