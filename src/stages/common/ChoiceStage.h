#pragma once

#include "widgets/BottomBar.h"
#include "widgets/PositionComboBox.h"
#include "stages/common/SheetStage.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <string_view>

class QPlainTextEdit;

// The frame of the choice tasks 4, 5 and 6: the kit's task sheet with five drop-down lists
// laid over it at fixed places, a bottom bar with "Завершить ответ!", and a countdown that
// is counted but not shown (the header bar stays empty). At the end the positions of the
// chosen options become the answer string in the task's field of the answers table.
// Each task gives its differences in a Design; the frame owns all its controls (Qt parents).
class ChoiceStage : public SheetStage {
    Q_OBJECT
public:
    struct Design {
        QSize frameSize;      // design size; the stage switch makes the frame fill the window
        QString caption;      // of the bottom bar
        QString sheetField;   // rich-text field shown behind the lists
        QString optionsField; // memo field of the option lines
        QList<QStringList> (*options)(std::string_view memo); // the task's rule for the lists
        QStringList designItems;                              // items of every list before Start (replaced there)
        int StationWindow::*time;                             // the task's time setting
        const char* answerField;                              // a4, a5, a6
        StageCode nextCode;
        std::array<QRect, 5> lists; // list1..list5 in frame coordinates
        bool tabFromLastList;       // tab order list5..list1 instead of list1..list5
    };

    static constexpr int kBarHeight = 49;

    ChoiceStage(StationWindow& main, Design design);

    QPlainTextEdit* const optionsMemo;
    PositionComboBox* const list1;
    PositionComboBox* const list2;
    PositionComboBox* const list3;
    PositionComboBox* const list4;
    PositionComboBox* const list5;

    void start() override;
    void onFinishClicked();

    // list1..list5 in answer order.
    const std::array<PositionComboBox*, 5>& lists() const { return m_lists; }
    // The answer string of the lists as they stand.
    std::string answerString() const;

protected:
    void finishStage() override;

private:
    PositionComboBox* makeList(const char* name, int number);
    void fillLists();

    Design m_design;
    std::array<PositionComboBox*, 5> m_lists;
};
