#pragma once

#include "stages/common/CountdownStage.h"

#include <QSize>
#include <QString>

class BottomBar;
class QPushButton;

namespace richtext {
class RichView;
}

// What every preparation and task frame is made of: the kit's sheet RxDBRichEdit1 (bound
// to the kit table; the frame picks the field) above the bottom bar Panel1 with its button
// Button1 at the bar's right. The frame connects Button1 to its own handler. Children are
// owned by the frame.
class SheetStage : public CountdownStage {
    Q_OBJECT
public:
    BottomBar* const Panel1;
    QPushButton* const Button1;
    richtext::RichView* const RxDBRichEdit1;

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
