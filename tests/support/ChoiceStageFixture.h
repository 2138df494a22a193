#pragma once

#include "kit/StationTables.h"
#include "main/TfrmMain.h"
#include "stages/ChoiceStage.h"
#include "stages/StageTable.h"
#include "stages/TfrmTask5.h"
#include "stages/TfrmTask6.h"
#include "support/ChoiceStageKit.h"
#include "support/StationHarness.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace choicekit {

// A shown station window with the choice stages registered, an answers row, an examinee
// and a station, for the tests of the choice stage Frame (code: its stage code).
template <class Frame, int code> struct ChoiceStageFixture : ::testing::Test {
    ChoiceStageFixture() : w(h.createWindow()) {
        // As at program start: the layout menus act on no list.
        TfrmTask5::LayoutTarget = 0;
        TfrmTask6::LayoutTarget = 0;
        w.answers = kit::makeAnswersTable();
        stages::registerChoiceStages(h.stages);
        w.StationTag = QStringLiteral("2019-05-20_17_123456_0101_1");
        w.StudID = QStringLiteral("0042");
        w.show();
    }

    // A kit row with the stage's option memo and sheet, then the switch to the stage.
    Frame* startWith(const std::string& memo, const std::string& sheet) {
        const ChoiceStage::Design design = Frame::design();
        setKitRow(w, {{design.optionsField.toStdString(), memo}, {design.sheetField.toStdString(), sheet}});
        w.StartFrame(code);
        return qobject_cast<Frame*>(w.CurrentFrame.data());
    }

    Frame* start(const std::string& memo) {
        return startWith(memo, sheetRtf(QStringLiteral("Задание. Выберите в каждом списке слово для пропуска."),
                                        {QStringLiteral("1. I like the ______ colour best."),
                                         QStringLiteral("2. The sky is ______ today.")}));
    }

    // The stage on variant 0 of the demo kit; null when the demo kit is not in the tree.
    Frame* startDemoKit() {
        const QString task = Frame::design().optionsField.left(2); // t4, t5, t6
        const std::optional<std::string> memo = demoKitFile(QStringLiteral("answers/v0-%1Ans.txt").arg(task));
        const std::optional<std::string> sheet = demoKitFile(QStringLiteral("sheets/v0-%1Task.rtf").arg(task));
        return memo && sheet ? startWith(*memo, *sheet) : nullptr;
    }

    // Ends the stage by the clock; the answer it stored.
    std::string runOut(Frame* stage) {
        const ChoiceStage::Design design = Frame::design();
        tick(stage, w.*design.time + 1);
        return w.answers.asText(design.answerField);
    }

    StationHarness h;
    TfrmMain& w;
};

inline QStringList itemsOf(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemText(i));
    return items;
}

} // namespace choicekit
